#include "foundation/wobjdata.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "foundation/DosFunc.h"
#include "foundation/LittleEndian.h"

namespace {

// A list file is an optional header followed by records laid end to end.
// Header (little-endian):
//    0  12  magic "QVR DATALIST"
//   12   5  version text: a length byte and up to 4 characters
//   17   1  major version
//   18   1  minor version
//   19   4  record count, u32 (records are read to the end of the file)
//   23   4  record size in the file, u32
//   27 997  unused
constexpr char kMagic[] = "QVR DATALIST";
constexpr size_t kMagicSize = sizeof(kMagic) - 1;
constexpr size_t kHeaderSize = 1024;
constexpr size_t kVersionText = 12;
constexpr size_t kVersionTextMax = 4;
constexpr size_t kMajor = 17;
constexpr size_t kMinor = 18;
constexpr size_t kRecordSize = 23;

constexpr size_t kInitialCapacity = 500;

using Header = std::array<uint8_t, kHeaderSize>;

// The header counts only from version 1.4 on.
bool HasHeader(const Header& h) {
  if (std::memcmp(h.data(), kMagic, kMagicSize) != 0) return false;
  return h[kMajor] > 1 || (h[kMajor] == 1 && h[kMinor] >= 4);
}

TDataListVersion ReadVersion(const Header& h) {
  const size_t length = std::min<size_t>(h[kVersionText], kVersionTextMax);
  const auto* text = reinterpret_cast<const char*>(h.data() + kVersionText + 1);
  return {std::string(text, length), h[kMajor], h[kMinor]};
}

}  // namespace

TDataList::TDataList(uint16_t recordSize) : recordSize_(recordSize) {
  items_.reserve(kInitialCapacity);
}

TDataList::~TDataList() { Clear(); }

uint16_t TDataList::RecordSize() const { return recordSize_; }

void TDataList::Clear() {
  if (onFreeRecord_) {
    for (auto& item : items_) onFreeRecord_(item.get());
  }
  items_.clear();
  current_ = nullptr;
  currentIndex_ = -1;
}

uint8_t* TDataList::Add(const void* data) {
  auto item = std::make_unique<uint8_t[]>(recordSize_);
  std::copy_n(static_cast<const uint8_t*>(data), recordSize_, item.get());
  items_.push_back(std::move(item));
  current_ = items_.back().get();
  currentIndex_ = Count() - 1;
  return current_;
}

int32_t TDataList::Count() const { return static_cast<int32_t>(items_.size()); }

uint8_t* TDataList::GetItemData(int32_t index) {
  if (index < 0 || index >= Count()) return nullptr;
  current_ = items_[static_cast<size_t>(index)].get();
  currentIndex_ = index;
  return current_;
}

bool TDataList::GetItem(int32_t index, void* buffer) const {
  if (index < 0 || index >= Count()) return false;
  std::copy_n(items_[static_cast<size_t>(index)].get(), recordSize_, static_cast<uint8_t*>(buffer));
  return true;
}

void TDataList::Sort(TDataCompare compare) {
  current_ = nullptr;
  currentIndex_ = -1;
  if (!compare) return;
  std::stable_sort(items_.begin(), items_.end(), [&compare](const auto& a, const auto& b) {
    return compare(a.get(), b.get()) < 0;
  });
}

bool TDataList::LoadFromFile(const std::string& fileName) {
  Clear();
  TFile in;
  if (!in.OpenFile(fileName, 0)) return false;
  const int64_t size = in.GetSize();
  Header header{};
  if (size < 0 || in.Read(header.data(), static_cast<int64_t>(header.size())) < 0) return false;
  const auto fileSize = static_cast<uint64_t>(size);
  uint64_t start = 0;
  uint64_t fileRecord = recordSize_;
  if (HasHeader(header)) {
    fileRecord = LittleEndian::Get32(std::span(header).subspan<kRecordSize, 4>());
    if (fileSize < kHeaderSize || fileRecord == 0) return false;
    version_ = ReadVersion(header);
    start = kHeaderSize;
  } else {
    version_ = {};
    if (fileRecord == 0) return false;
  }

  // Only whole records the file holds are read, whatever the header claims.
  const uint64_t records = (fileSize - start) / fileRecord;
  if (records == 0) return true;
  if (in.Seek(static_cast<int64_t>(start)) != static_cast<int64_t>(start)) return false;
  // Reads fill only the first fileRecord bytes, so a longer list record keeps
  // its zero padding.
  std::vector<uint8_t> buffer(std::max<uint64_t>(fileRecord, recordSize_));
  const auto want = static_cast<int64_t>(fileRecord);
  for (uint64_t i = 0; i < records; ++i) {
    if (in.Read(buffer.data(), want) != want) break;
    Add(buffer.data());
  }
  return true;
}

uint8_t* TDataList::CurrentRecord() const { return current_; }

int32_t TDataList::CurrentIndex() const { return currentIndex_; }

const TDataListVersion& TDataList::HeaderVersion() const { return version_; }

void TDataList::SetOnFreeRecord(TDataFreeEvent event) { onFreeRecord_ = std::move(event); }
