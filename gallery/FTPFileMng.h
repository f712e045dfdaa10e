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

// One record of "ftpcache".
struct TCheckerField {
  std::string name;
  int32_t crc = -1;
};

constexpr size_t kFtpCacheRecordSize = 132;
// A cache comes from the server; more records than any folder holds are not
// read, so a hostile file cannot exhaust memory or disk.
constexpr size_t kFtpCacheMaxRecords = 1000000;
constexpr const char* kFtpCacheName = "ftpcache";

// One list of cache entries.
class TFTPDirectoryManager {
 public:
  // Empties the list, then adds every file of folder with its checksum
  // (-1 when it cannot be read), in name order. Skipped: folders, names
  // beginning with ".", and "ignore.list", "quillmarsh.cache", "ftpcache".
  void ScanLocal(const std::string& folder);
  // Empties the list and reads records until the end of the file or the first
  // incomplete record, at most a million. A folder path means its "ftpcache".
  // An unreadable file leaves the list empty.
  void LoadFromFile(const std::string& path);
  // Writes every entry (a folder path means its "ftpcache"), replacing the
  // file. False when it cannot be written.
  bool SaveToFile(const std::string& path) const;

  std::vector<TCheckerField>& Entries() { return entries_; }
  const std::vector<TCheckerField>& Entries() const { return entries_; }

 private:
  std::vector<TCheckerField> entries_;
};

// The local and the remote list of one folder, and what tells them apart.
class TFTPFileManager {
 public:
  void ScanLocal(const std::string& localFolder) { local_.ScanLocal(localFolder); }
  void LoadRemoteCache(const std::string& path) { remote_.LoadFromFile(path); }
  // Adds every listed name the remote list lacks, with crc -1.
  void MergeRemoteListing(const std::vector<std::string>& names);
  // Remote names without a local file of the same name, except "ftpcache"
  // and names holding "/" or "\" (no file of this folder).
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
