#include "gallery/checker/ImageCRC.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "foundation/DateTime.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/logger.h"

namespace {

using ImageCRC::TCheckerField;

std::string Key(const std::string& name) { return StrFunc::UpperCaseCz(StrFunc::Trim(name)); }

// Photos read at once by ComputeChecksums: the checksum is bound by reading
// and summing, which a few cores share well.
constexpr unsigned kChecksumThreads = 4;

bool IsPhotoName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  const std::string ext = Key(StrFunc::ExtractExt(name));
  return ext == "JPG" || ext == "JPEG";
}

bool SameRecords(const std::vector<TCheckerField>& a, const std::vector<TCheckerField>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TCheckerField& x, const TCheckerField& y) {
    return x.name == y.name && x.stamp == y.stamp && x.size == y.size && x.crc == y.crc;
  });
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
  const auto found = cachedIndex_.find(Key(name));
  return found == cachedIndex_.end() ? nullptr : &cached_[found->second];
}

void TJPegChecker::IndexEntries() {
  for (auto [list, index] : {std::pair{&scan_, &scanIndex_}, {&cached_, &cachedIndex_}}) {
    index->clear();
    for (size_t i = 0; i < list->size(); ++i) index->emplace(Key((*list)[i].name), i);
  }
}

void TJPegChecker::ScanDirectory(const std::string& folder) {
  if (hasFolder_ && Key(folder) == Key(folder_)) return;
  SaveCache();
  scan_.clear();
  cached_.clear();
  IndexEntries();
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
  if (hasFolder_) cached_ = ImageCRC::ReadCacheFile(PathOf(ImageCRC::kCacheName));
  IndexEntries();
}

bool TJPegChecker::IsChanged(int index) {
  if (index < 0 || index >= static_cast<int>(scan_.size())) return true;
  TCheckerField& entry = scan_[static_cast<size_t>(index)];
  if (entry.crc == -1) entry.crc = ImageCRC::JpegCRC(PathOf(entry.name));
  const TCheckerField* cached = CachedEntry(entry.name);
  return cached == nullptr || entry.crc == -1 || cached->crc != entry.crc;
}

int TJPegChecker::IndexOf(const std::string& fileNameOrPath) const {
  const auto found = scanIndex_.find(Key(StrFunc::ExtractName(fileNameOrPath)));
  return found == scanIndex_.end() ? -1 : static_cast<int>(found->second);
}

void TJPegChecker::ComputeChecksums() {
  std::vector<TCheckerField*> missing;
  for (TCheckerField& entry : scan_)
    if (entry.crc == -1) missing.push_back(&entry);
  // Each worker takes the next photo; no two write the same entry.
  std::atomic<size_t> next{0};
  const auto work = [this, &missing, &next] {
    for (size_t i = next++; i < missing.size(); i = next++)
      missing[i]->crc = ImageCRC::JpegCRC(PathOf(missing[i]->name));
  };
  const unsigned helpers =
      std::min({kChecksumThreads, std::max(1u, std::thread::hardware_concurrency()), unsigned(missing.size())});
  std::vector<std::thread> workers;
  for (unsigned i = 1; i < helpers; ++i) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
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
  IndexEntries();
}

void TJPegChecker::ConfirmOutputs(int index) {
  if (index >= 0 && index < static_cast<int>(scan_.size()))
    scan_[static_cast<size_t>(index)].outputsWritten = true;
}

void TJPegChecker::SaveCache() {
  // A folder that is gone is not made again for its cache.
  if (!hasFolder_ || !DosFunc::DirectoryExistsLong(folder_)) return;
  std::vector<TCheckerField> records;
  for (TCheckerField& entry : scan_) {
    TCheckerField& record = records.emplace_back(entry);
    if (entry.outputsWritten) {
      if (entry.crc == -1) entry.crc = ImageCRC::JpegCRC(PathOf(entry.name));
      record.crc = entry.crc;
    } else {
      const TCheckerField* cached = CachedEntry(entry.name);
      record.crc = cached != nullptr ? cached->crc : -1;
    }
  }
  // A cache that cannot be written leaves the old one, by which the photos
  // done since count as changed next time: the safe side.
  const std::string cache = PathOf(ImageCRC::kCacheName);
  // A cache that holds these records already keeps its file.
  if (SameRecords(ImageCRC::ReadCacheFile(cache), records)) return;
  if (!ImageCRC::WriteCacheFile(cache, records))
    logger::LogMessage(logger::LOG_WARNING, "Cannot write the checker cache; " + cache);
}
