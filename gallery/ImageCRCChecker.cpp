#include "gallery/ImageCRC.h"

#include <array>
#include <bit>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "foundation/DateTime.h"
#include "foundation/StrFunc.h"
#include "gallery/FixedText.h"

namespace fs = std::filesystem;

namespace {

constexpr char kCacheName[] = "quillmarsh.cache";
constexpr size_t kRecordSize = 176;
constexpr size_t kNameSize = 128;

using Record = std::array<unsigned char, kRecordSize>;
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string Key(const std::string& name) { return StrFunc::UpperCaseCz(StrFunc::Trim(name)); }

void PutLE(unsigned char* p, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint64_t GetLE(const unsigned char* p, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

Record Encode(const TCheckerField& field) {
  Record r{};
  FixedText::Put(std::span(r).first<kNameSize>(), field.name);
  PutLE(&r[128], std::bit_cast<uint64_t>(field.stamp), 8);
  PutLE(&r[136], field.size, 4);
  PutLE(&r[140], static_cast<uint32_t>(field.crc), 4);
  return r;
}

TCheckerField Decode(const Record& r) {
  TCheckerField field;
  field.name = FixedText::Get(std::span(r).first<kNameSize>());
  field.stamp = std::bit_cast<double>(GetLE(&r[128], 8));
  field.size = static_cast<uint32_t>(GetLE(&r[136], 4));
  field.crc = static_cast<int32_t>(static_cast<uint32_t>(GetLE(&r[140], 4)));
  return field;
}

// A cached name must name a file of this folder: callers build paths of
// outputs to delete from it.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

bool IsPhotoName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  const std::string ext = Key(StrFunc::ExtractExt(name));
  return ext == "JPG" || ext == "JPEG";
}

// The DOS stamp of a file's last-write time in local time; 0 when it has none.
double DosStamp(const fs::directory_entry& entry) {
  std::error_code ec;
  const auto written = entry.last_write_time(ec);
  if (ec) return 0;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
      std::chrono::file_clock::to_sys(written).time_since_epoch());
  uint32_t stamp = 0;
  if (!DateTime::DateTimeToDos(DateTime::FromUnixTime(seconds.count()), stamp)) return 0;
  return stamp;
}

}  // namespace

TJPegChecker::~TJPegChecker() { SaveCache(); }

std::string TJPegChecker::PathOf(const std::string& name) const {
  return StrFunc::IncludeBackslash(folder_) + name;
}

const TCheckerField* TJPegChecker::CachedEntry(const std::string& name) const {
  const std::string key = Key(name);
  for (const TCheckerField& entry : cached_) {
    if (Key(entry.name) == key) return &entry;
  }
  return nullptr;
}

void TJPegChecker::ScanDirectory(const std::string& folder) {
  if (hasFolder_ && Key(folder) == Key(folder_)) return;
  SaveCache();
  scan_.clear();
  cached_.clear();
  folder_ = StrFunc::Trim(folder);
  // A blank folder would put the cache into the working folder.
  hasFolder_ = !folder_.empty();
  if (!hasFolder_) return;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (it->is_directory(typeError) || !IsPhotoName(name)) continue;
    TCheckerField entry;
    entry.name = name;
    entry.stamp = DosStamp(*it);
    std::error_code sizeError;
    const uintmax_t size = it->file_size(sizeError);
    entry.size = sizeError ? 0 : static_cast<uint32_t>(size);
    scan_.push_back(entry);
  }
  LoadCache();
}

void TJPegChecker::LoadCache() {
  cached_.clear();
  if (!hasFolder_) return;
  File file(std::fopen(PathOf(kCacheName).c_str(), "rb"), std::fclose);
  if (!file) return;
  Record record;
  while (std::fread(record.data(), 1, record.size(), file.get()) == record.size()) {
    TCheckerField entry = Decode(record);
    if (IsPlainFileName(entry.name)) cached_.push_back(std::move(entry));
  }
}

bool TJPegChecker::IsChanged(int index) {
  if (index < 0 || index >= static_cast<int>(scan_.size())) return true;
  TCheckerField& entry = scan_[static_cast<size_t>(index)];
  if (entry.crc == -1) entry.crc = ImageCRC::JpegCRC(PathOf(entry.name));
  const TCheckerField* cached = CachedEntry(entry.name);
  return cached == nullptr || entry.crc == -1 || cached->crc != entry.crc;
}

int TJPegChecker::IndexOf(const std::string& fileNameOrPath) const {
  const std::string key = Key(StrFunc::ExtractName(fileNameOrPath));
  for (size_t i = 0; i < scan_.size(); ++i) {
    if (Key(scan_[i].name) == key) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string> TJPegChecker::GetRemovedFiles(bool withPath) const {
  std::vector<std::string> removed;
  for (const TCheckerField& entry : cached_) {
    if (IndexOf(entry.name) == -1) removed.push_back(withPath ? PathOf(entry.name) : entry.name);
  }
  return removed;
}

void TJPegChecker::RenameEntry(const std::string& oldPath, const std::string& newPath) {
  const std::string oldName = StrFunc::Trim(StrFunc::ExtractName(oldPath));
  const std::string newName = StrFunc::Trim(StrFunc::ExtractName(newPath));
  if (oldName.empty() || newName.empty()) return;
  for (auto* list : {&cached_, &scan_}) {
    for (TCheckerField& entry : *list) {
      if (Key(entry.name) == Key(oldName)) {
        entry.name = newName;
        break;
      }
    }
  }
}

void TJPegChecker::ConfirmOutputs(int index) {
  if (index >= 0 && index < static_cast<int>(scan_.size()))
    scan_[static_cast<size_t>(index)].outputsWritten = true;
}

void TJPegChecker::SaveCache() {
  if (!hasFolder_) return;
  File file(std::fopen(PathOf(kCacheName).c_str(), "wb"), std::fclose);
  if (!file) return;
  for (TCheckerField& entry : scan_) {
    TCheckerField record = entry;
    if (entry.outputsWritten) {
      if (entry.crc == -1) entry.crc = ImageCRC::JpegCRC(PathOf(entry.name));
      record.crc = entry.crc;
    } else {
      const TCheckerField* cached = CachedEntry(entry.name);
      record.crc = cached != nullptr ? cached->crc : -1;
    }
    const Record bytes = Encode(record);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return;
  }
}
