#include "gallery/publish/FTPFileMng.h"

#include <algorithm>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "foundation/DosFunc.h"
#include "foundation/LittleEndian.h"
#include "foundation/StrFunc.h"
#include "foundation/Win32CRC.h"
#include "gallery/projects/FixedText.h"
#include "gallery/publish/FtpRemoteName.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

using FTPFileMng::TCheckerField;

namespace {

constexpr size_t kNameAt = 0, kNameSize = 128, kCrcAt = 128;
static_assert(kNameAt + kNameSize == kCrcAt && kCrcAt + 4 == kFtpCacheRecordSize);

using RecordBytes = std::span<unsigned char, kFtpCacheRecordSize>;

void Encode(const TCheckerField& entry, RecordBytes r) {
  FixedText::Put(r.subspan<kNameAt, kNameSize>(), entry.name);
  LittleEndian::Put32(r.subspan<kCrcAt, 4>(), static_cast<uint32_t>(entry.crc));
}

TCheckerField Decode(std::span<const unsigned char, kFtpCacheRecordSize> r) {
  return {FixedText::Get(r.subspan<kNameAt, kNameSize>()),
          static_cast<int32_t>(LittleEndian::Get32(r.subspan<kCrcAt, 4>()))};
}

// Files of a published folder that are never sent.
bool IsSkippedName(const std::string& name) {
  if (name.empty() || name[0] == '.') return true;
  const std::string lower = StrFunc::LowerCaseCz(StrFunc::Trim(name));
  return lower == "ignore.list" || lower == "quillmarsh.cache" || lower == kFtpCacheName;
}

// A regular file, also behind a link: a pipe or device named like a photo
// would block or never end when read.
bool IsRegularFile(const std::string& path) {
  platform::FileStatus status;
  return platform::StatPath(path, status) && status.isRegular;
}

std::string CacheFilePath(const std::string& path) {
  if (DosFunc::DirectoryExistsLong(path)) return StrFunc::IncludeBackslash(path) + kFtpCacheName;
  return path;
}

}  // namespace

std::string FtpNameKey(const std::string& name) {
  return StrFunc::UpperCaseCz(StrFunc::Trim(name));
}

void TFTPDirectoryManager::ScanLocal(const std::string& folder) {
  entries_.clear();
  DosFunc::TSearchRec rec;
  int found = DosFunc::FindFirstLong(StrFunc::IncludeBackslash(folder) + "*.*",
                                     DosFunc::faAnyFile, rec);
  for (; found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    if ((rec.Attr & (DosFunc::faDirectory | DosFunc::faVolumeID)) != 0) continue;
    const std::string path = StrFunc::IncludeBackslash(folder) + rec.Name;
    if (IsSkippedName(rec.Name) || !IsRegularFile(path)) continue;
    entries_.push_back({rec.Name, Win32CRC::FileCRC32(path)});
  }
  DosFunc::FindCloseLong(rec);
}

void TFTPDirectoryManager::LoadFromFile(const std::string& path) {
  entries_.clear();
  std::string bytes;
  if (platform::ReadWholeFile(CacheFilePath(path), kFtpCacheMaxRecords * kFtpCacheRecordSize,
                              bytes) != platform::ReadResult::kOk)
    return;
  const std::span data(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  for (size_t at = 0; at + kFtpCacheRecordSize <= data.size(); at += kFtpCacheRecordSize)
    entries_.push_back(Decode(data.subspan(at).first<kFtpCacheRecordSize>()));
}

bool TFTPDirectoryManager::SaveToFile(const std::string& path) const {
  std::string bytes(entries_.size() * kFtpCacheRecordSize, '\0');
  const std::span data(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  for (size_t i = 0; i < entries_.size(); ++i)
    Encode(entries_[i], data.subspan(i * kFtpCacheRecordSize).first<kFtpCacheRecordSize>());
  return platform::ReplaceFile(CacheFilePath(path), bytes);
}

bool TFTPDirectoryManager::FindSameNames(std::string& first, std::string& second) const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const TCheckerField& entry : entries_) names.push_back(entry.name);
  return FTPFileMng::FindSameNames(names, first, second);
}

bool FTPFileMng::FindSameNames(const std::vector<std::string>& names, std::string& first,
                               std::string& second) {
  std::unordered_map<std::string, const std::string*> seen;
  for (const std::string& name : names) {
    const auto [found, added] = seen.emplace(FtpNameKey(name), &name);
    if (added || *found->second == name) continue;
    first = *found->second;
    second = name;
    return true;
  }
  return false;
}

void TFTPFileManager::MergeRemoteListing(const std::vector<std::string>& names) {
  // The listing names each file as the server holds it, which is how it is
  // deleted; the cache only adds the checksum.
  std::unordered_map<std::string, const std::string*> listed;
  for (const std::string& name : names) listed.emplace(FtpNameKey(name), &name);
  std::vector<TCheckerField>& remote = remote_.Entries();
  std::erase_if(remote, [&](const TCheckerField& e) { return !listed.count(FtpNameKey(e.name)); });
  std::unordered_set<std::string> known;
  for (TCheckerField& entry : remote) {
    const std::string key = FtpNameKey(entry.name);
    entry.name = *listed.at(key);
    known.insert(key);
  }
  for (const std::string& name : names)
    if (known.insert(FtpNameKey(name)).second) remote.push_back({name, -1});
}

std::vector<std::string> TFTPFileManager::GetFilesToDelete() const {
  // Kept: every local file and the cache, each also in every spelling a
  // lenient server would read as its name.
  std::unordered_set<std::string> local, lookalikes{FtpRemoteName::LookalikeKey(kFtpCacheName)};
  for (const TCheckerField& entry : local_.Entries()) {
    local.insert(FtpNameKey(entry.name));
    lookalikes.insert(FtpRemoteName::LookalikeKey(entry.name));
  }
  const std::string cacheKey = FtpNameKey(kFtpCacheName);
  std::vector<std::string> names;
  for (const TCheckerField& entry : remote_.Entries()) {
    const std::string key = FtpNameKey(entry.name);
    if (key != cacheKey && !local.count(key) && FtpRemoteName::IsDeletable(entry.name) &&
        !lookalikes.count(FtpRemoteName::LookalikeKey(entry.name)))
      names.push_back(entry.name);
  }
  return names;
}

std::vector<std::string> TFTPFileManager::GetFilesToUpload() const {
  // The first remote entry of a name counts, as in a search from the top.
  std::unordered_map<std::string, int32_t> remote;
  for (const TCheckerField& entry : remote_.Entries())
    remote.emplace(FtpNameKey(entry.name), entry.crc);
  std::vector<std::string> names;
  for (const TCheckerField& entry : local_.Entries()) {
    const auto found = remote.find(FtpNameKey(entry.name));
    if (found == remote.end() || found->second != entry.crc) names.push_back(entry.name);
  }
  return names;
}

void TFTPFileManager::MarkNotSent(const std::string& name) {
  for (TCheckerField& entry : local_.Entries())
    if (entry.name == name) entry.crc = -1;
}

std::string TFTPFileManager::SaveLocalCache() const {
  const std::string dir = StrFunc::GetTempDir();
  if (dir.empty()) return std::string();
  const std::string path = dir + kFtpCacheName;
  return local_.SaveToFile(path) ? path : std::string();
}
