// The checksum lists of FTP publishing. Every published folder holds a file
// "ftpcache" naming each file sent there with the CRC-32 of its content, so
// a later upload sends only what changed.
//
// "ftpcache" is a flat file of 132-byte records, no header:
//   offset 0, 128 bytes: name, a length byte and up to 127 bytes of UTF-8
//                        (the local name in its own case)
//   offset 128, 4 bytes: crc, signed 32-bit little-endian, Win32CRC::FileCRC32
//                        of the whole local file; -1 = unknown
//
// Names are compared trimmed and without regard to case (StrFunc::UpperCaseCz).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace FTPFileMng {

// One record of "ftpcache".
struct TCheckerField {
  std::string name;
  int32_t crc = -1;
};

}  // namespace FTPFileMng

constexpr size_t kFtpCacheRecordSize = 132;
// A cache comes from the server; more records than any folder holds are not
// read, so a hostile file cannot exhaust memory or disk.
constexpr size_t kFtpCacheMaxRecords = 1000000;
constexpr const char* kFtpCacheName = "ftpcache";

// One list of cache entries.
class TFTPDirectoryManager {
 public:
  // Empties the list, then adds every regular file of folder (also behind a
  // link) with its checksum (-1 when it cannot be read), in name order.
  // Skipped: folders, pipes, devices, names beginning with ".", and
  // "ignore.list", "quillmarsh.cache", "ftpcache".
  void ScanLocal(const std::string& folder);
  // Empties the list and reads the records up to the last complete one. A
  // folder path means its "ftpcache". A file that cannot be read, is no
  // regular file or holds more than a million records leaves the list empty.
  void LoadFromFile(const std::string& path);
  // Writes every entry as a new file renamed over the old one (a folder path
  // means its "ftpcache"; a link there is replaced, not written through).
  // False when it cannot be written; the old file is then untouched.
  [[nodiscard]] bool SaveToFile(const std::string& path) const;
  // Two entries whose names compare equal (they would be one file on the
  // server); false when every name is unique.
  bool FindSameNames(std::string& first, std::string& second) const;

  std::vector<FTPFileMng::TCheckerField>& Entries() { return entries_; }
  const std::vector<FTPFileMng::TCheckerField>& Entries() const { return entries_; }

 private:
  std::vector<FTPFileMng::TCheckerField> entries_;
};

// The local and the remote list of one folder, and what tells them apart.
class TFTPFileManager {
 public:
  void ScanLocal(const std::string& localFolder) { local_.ScanLocal(localFolder); }
  void LoadRemoteCache(const std::string& path) { remote_.LoadFromFile(path); }
  // Makes the remote list what the server shows: an entry of the cache that
  // the listing lacks is dropped (the file is gone, so a local twin is sent
  // again), one it has takes the name as listed, and a listed name the cache
  // lacks is added with crc -1.
  void MergeRemoteListing(const std::vector<std::string>& names);
  // Remote names, as the server spells them, without a local file of the
  // same name, except "ftpcache", names a server could read as another file
  // (FtpRemoteName::IsDeletable) and look-alikes of a local file or the
  // cache (FtpRemoteName::LookalikeKey).
  std::vector<std::string> GetFilesToDelete() const;
  // Local names the remote list lacks or records with another crc.
  std::vector<std::string> GetFilesToUpload() const;
  // Marks a local file as not sent (crc -1), so the next upload sends it.
  void MarkNotSent(const std::string& name);
  // Writes the local list as "ftpcache" in the private temporary folder and
  // returns that path; empty when it cannot be written.
  std::string SaveLocalCache() const;

  TFTPDirectoryManager& Local() { return local_; }
  TFTPDirectoryManager& Remote() { return remote_; }

 private:
  TFTPDirectoryManager local_;
  TFTPDirectoryManager remote_;
};

// The key names are compared by: trimmed and upper-cased.
std::string FtpNameKey(const std::string& name);

namespace FTPFileMng {

// Two different names of names that compare equal (they would be one file
// to the program); false when there are none. A name given twice is one.
bool FindSameNames(const std::vector<std::string>& names, std::string& first,
                   std::string& second);

}  // namespace FTPFileMng
