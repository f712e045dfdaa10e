#include "gallery/FTPFileMng.h"

#include <array>
#include <cstdio>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Win32CRC.h"
#include "gallery/FixedText.h"
#include "platform/FileSystem.h"

namespace {

constexpr size_t kNameField = 128;

// Files of a published folder that are never sent.
bool IsSkippedName(const std::string& name) {
  if (name.empty() || name[0] == '.') return true;
  const std::string lower = StrFunc::LowerCaseCz(StrFunc::Trim(name));
  return lower == "ignore.list" || lower == "quillmarsh.cache" || lower == kFtpCacheName;
}

// A name from the server that holds a path separator is no file of the folder;
// deleting it would reach into another folder of the site.
bool IsPlainName(const std::string& name) {
  return name.find_first_of("/\\") == std::string::npos;
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
    if (IsSkippedName(rec.Name)) continue;
    const std::string path = StrFunc::IncludeBackslash(folder) + rec.Name;
    entries_.push_back({rec.Name, Win32CRC::FileCRC32(path)});
  }
  DosFunc::FindCloseLong(rec);
}

void TFTPDirectoryManager::LoadFromFile(const std::string& path) {
  entries_.clear();
  std::FILE* in = platform::OpenReadStream(CacheFilePath(path));
  if (in == nullptr) return;
  std::array<unsigned char, kFtpCacheRecordSize> record;
  while (entries_.size() < kFtpCacheMaxRecords &&
         std::fread(record.data(), 1, record.size(), in) == record.size()) {
    const auto bytes = std::span<const unsigned char>(record);
    const uint32_t crc = uint32_t(record[128]) | uint32_t(record[129]) << 8 |
                         uint32_t(record[130]) << 16 | uint32_t(record[131]) << 24;
    entries_.push_back({FixedText::Get(bytes.first(kNameField)), static_cast<int32_t>(crc)});
  }
  std::fclose(in);
}

bool TFTPDirectoryManager::SaveToFile(const std::string& path) const {
  std::FILE* out = std::fopen(CacheFilePath(path).c_str(), "wb");
  if (out == nullptr) return false;
  bool ok = true;
  std::array<unsigned char, kFtpCacheRecordSize> record;
  for (const TCheckerField& entry : entries_) {
    FixedText::Put(std::span<unsigned char>(record).first(kNameField), entry.name);
    const uint32_t crc = static_cast<uint32_t>(entry.crc);
    for (int i = 0; i < 4; ++i) record[128 + i] = static_cast<unsigned char>(crc >> (8 * i));
    ok = ok && std::fwrite(record.data(), 1, record.size(), out) == record.size();
  }
  return std::fclose(out) == 0 && ok;
}

void TFTPFileManager::MergeRemoteListing(const std::vector<std::string>& names) {
  std::unordered_set<std::string> known;
  for (const TCheckerField& entry : remote_.Entries()) known.insert(FtpNameKey(entry.name));
  for (const std::string& name : names)
    if (known.insert(FtpNameKey(name)).second) remote_.Entries().push_back({name, -1});
}

std::vector<std::string> TFTPFileManager::GetFilesToDelete() const {
  std::unordered_set<std::string> local;
  for (const TCheckerField& entry : local_.Entries()) local.insert(FtpNameKey(entry.name));
  const std::string cacheKey = FtpNameKey(kFtpCacheName);
  std::vector<std::string> names;
  for (const TCheckerField& entry : remote_.Entries()) {
    const std::string key = FtpNameKey(entry.name);
    if (key != cacheKey && !local.count(key) && IsPlainName(entry.name))
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
