// FTP operations of publishing, and the mirroring of one local folder into a
// remote folder with the checksum cache of FTPFileMng.
//
// Remote paths use "/". A path that does not begin with "/" is taken below
// the current remote directory, which every operation that takes a path
// keeps up to date; after Connect it is the folder the server put the user
// in. Every operation returns false when the FTP client failed; none throws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gallery/publish/FTPFileMng.h"
#include "platform/ftp/FtpClient.h"

namespace FtpMng {

// Actions reported through the action callback.
constexpr int kActionUpload = 0;
constexpr int kActionDownload = 1;
constexpr int kActionDelete = 2;
constexpr int kActionRename = 3;
constexpr int kActionMakeDir = 4;
constexpr int kActionRemoveDir = 5;
constexpr int kActionChangeDir = 6;
constexpr int kActionScanDir = 7;

// True when a file of this name goes as text (TYPE A): the extensions
// "TXT", "HTM", "HTML", "CSS" and "WML", trimmed, in any case.
bool IsAsciiName(const std::string& name);

}  // namespace FtpMng

// Callbacks of TFTPManager; each may be null and gets the manager's context.
using TFTPBeginEvent = void (*)(void* context, int total);
// size: for an upload the local file's size in bytes, otherwise 0.
using TFTPActionEvent = void (*)(void* context, int action, const std::string& path, int64_t size);
using TFTPEndEvent = void (*)(void* context);

class TFTPManager {
 public:
  // The client is not owned and must outlive the manager.
  TFTPManager(void* context, TFTPEndEvent onEnd, TFTPActionEvent onAction, TFTPBeginEvent onBegin,
              platform::FtpClient& client);

  // Connects and logs in with the client's settings (closing an open
  // connection first) and asks the server for the login folder, which
  // becomes the current directory. Without an answer it disconnects and
  // fails: relative upload folders would land in the wrong place.
  bool Connect();
  // Quits when connected; always true.
  bool Disconnect();

  // Changes into path; on success it becomes the current directory.
  bool ChangeDir(const std::string& path);
  // Makes a folder; path is sent as given.
  bool MakeDir(const std::string& path);
  // Makes path and every missing parent; true when it exists afterwards.
  // The current directory is the same afterwards.
  bool ForceDirectories(const std::string& path);
  // The names of the files and links (not folders) of a remote directory, in
  // the server's order. False, without listing anything, when the directory
  // cannot be entered or the connection is lost (a listing that broke it
  // off names the directory in LastError()); a listing the server refuses
  // (some do for an empty folder) gives no names. The current directory and
  // transfer type are the same afterwards.
  bool ListFiles(const std::string& directory, std::vector<std::string>& names);

  // Stores a local file under remotePath, as text or binary by its extension.
  bool Upload(const std::string& localFile, const std::string& remotePath);
  // Retrieves remotePath into localFile, replacing it; a file longer than
  // maxBytes (when not negative) fails and leaves no local file.
  bool Download(const std::string& remotePath, const std::string& localFile,
                int64_t maxBytes = -1);
  bool Delete(const std::string& remotePath);

  // Mirrors localFolder into remoteDirectory: creates the directory chain,
  // deletes remote files that have no local twin (by the name as listed),
  // sends new and changed files (by CRC-32 against the remote "ftpcache",
  // remote names lower-cased) and then the new cache. A file the cache lists
  // but the server does not is sent again. Only regular files are published,
  // and only names that are surely files of the folder deleted
  // (TFTPFileManager::GetFilesToDelete). A file that could not be sent is
  // recorded as unknown, so the next run sends it again, and the result is
  // false; so is it when a file could not be deleted. False at once, before
  // anything is deleted or sent, when two local names, or two listed remote
  // names, differ only in case (they would be one remote file). False at
  // once when the directory cannot be made, entered or listed or the
  // connection is lost. A remoteDirectory without a leading "/" is taken from
  // the login folder.
  bool SyncDirectory(const std::string& localFolder, const std::string& remoteDirectory);

  const std::string& CurrentDir() const { return currentDir_; }
  // The new and changed files the mirrors of this manager sent (their
  // checksum caches not counted).
  int64_t FilesSent() const { return filesSent_; }
  // Why the last operation failed (for a sync, its first failure); empty
  // after one that succeeded.
  const std::string& LastError() const { return error_; }

 private:
  std::string Absolute(const std::string& path) const;
  void Action(int action, const std::string& path, int64_t size) const;
  bool SetTypeFor(const std::string& name);
  // Sets LastError() from the client's error when ok is false, else empties
  // it; returns ok.
  bool Result(bool ok);
  // The steps of SyncDirectory; each records why it failed in LastError().
  bool FetchRemote(TFTPFileManager& files, const std::string& dir, const std::string& tempDir);
  bool SendChanges(TFTPFileManager& files, const std::string& localFolder,
                   const std::string& dir, std::string& firstFailure);
  bool SendCache(const TFTPFileManager& files, const std::string& dir);

  platform::FtpClient& client_;
  std::string currentDir_ = "/";
  std::string loginDir_ = "/";
  std::string error_;
  int64_t filesSent_ = 0;
  TFTPBeginEvent onBegin_;
  TFTPActionEvent onAction_;
  TFTPEndEvent onEnd_;
  void* context_;
};
