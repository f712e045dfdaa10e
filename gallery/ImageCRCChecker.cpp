#include "gallery/ImageCRC.h"

#include <array>
#include <bit>

#include "foundation/DateTime.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/FixedText.h"

namespace {

constexpr char kCacheName[] = "quillmarsh.cache";
constexpr size_t kRecordSize = 176;
constexpr size_t kNameSize = 128;

using Record = std::array<unsigned char, kRecordSize>;

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

// The DOS stamp of a last-write time; 0 when it has none.
double DosStamp(TDateTime written) {
  uint32_t stamp = 0;
  return DateTime::DateTimeToDos(written, stamp) ? stamp : 0;
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
  DosFunc::TSearchRec rec;
  int found = DosFunc::FindFirstLong(PathOf("*.*"), DosFunc::faAnyFile, rec);
  for (; found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    if ((rec.Attr & (DosFunc::faDirectory | DosFunc::faVolumeID)) != 0 || !IsPhotoName(rec.Name))
      continue;
    TCheckerField entry;
    entry.name = rec.Name;
    entry.stamp = DosStamp(rec.Time);
    entry.size = static_cast<uint32_t>(rec.Size);
    scan_.push_back(entry);
  }
  DosFunc::FindCloseLong(rec);
  LoadCache();
}

void TJPegChecker::LoadCache() {
  cached_.clear();
  if (!hasFolder_) return;
  TFile file;
  if (!file.OpenFile(PathOf(kCacheName), 0)) return;
  Record record;
  while (file.Read(record.data(), kRecordSize) == kRecordSize) {
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
  // A folder that is gone is not made again for its cache.
  if (!hasFolder_ || !DosFunc::DirectoryExistsLong(folder_)) return;
  TFile file;
  if (!file.CreateFile(PathOf(kCacheName))) return;
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
    if (!file.Write(bytes.data(), kRecordSize)) return;
  }
}
