#include "gallery/publish/FtpMng.h"

#include <algorithm>
#include <array>
#include <future>
#include <string_view>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"

namespace FtpMng {

bool IsAsciiName(const std::string& name) {
  static constexpr std::array<std::string_view, 5> kTextExtensions = {"TXT", "HTM", "HTML",
                                                                     "CSS", "WML"};
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::Trim(StrFunc::ExtractExt(name)));
  for (std::string_view text : kTextExtensions)
    if (ext == text) return true;
  return false;
}

}  // namespace FtpMng

namespace {

// The fetched remote cache while one folder is mirrored.
constexpr const char* kFetchedCacheName = "ftpcontent.tmp";

bool IsRoot(const std::string& path) {
  const std::string trimmed = StrFunc::Trim(path);
  return trimmed.empty() || trimmed == "/" || trimmed == "\\";
}

}  // namespace

TFTPManager::TFTPManager(void* context, TFTPEndEvent onEnd, TFTPActionEvent onAction,
                         TFTPBeginEvent onBegin, platform::FtpClient& client)
    : client_(client), onBegin_(onBegin), onAction_(onAction), onEnd_(onEnd), context_(context) {}

std::string TFTPManager::Absolute(const std::string& path) const {
  if (!path.empty() && path[0] == '/') return path;
  return StrFunc::IncludeBackslash(currentDir_) + path;
}

void TFTPManager::Action(int action, const std::string& path, int64_t size) const {
  if (onAction_) onAction_(context_, action, path, size);
}

bool TFTPManager::Result(bool ok) {
  if (ok)
    error_.clear();
  else
    error_ = client_.LastError();
  return ok;
}

bool TFTPManager::SetTypeFor(const std::string& name) {
  return client_.SetTransferType(FtpMng::IsAsciiName(name) ? platform::FtpTransferType::Ascii
                                                           : platform::FtpTransferType::Binary);
}

bool TFTPManager::Connect() {
  if (client_.IsConnected()) client_.Disconnect();
  currentDir_.assign(1, '/');  // assigning "/" trips a false -Wrestrict of GCC 12
  loginDir_ = currentDir_;
  // Relative folders are the server's: below the folder it puts the user in,
  // which is "/" only where it locks users into their home.
  std::string home;
  const bool ok = client_.Connect() && client_.CurrentDir(home);
  Result(ok);
  if (!ok) {
    client_.Disconnect();
    return false;
  }
  loginDir_ = currentDir_ = home;
  return true;
}

bool TFTPManager::Disconnect() {
  if (client_.IsConnected()) client_.Disconnect();
  return true;
}

bool TFTPManager::ChangeDir(const std::string& path) {
  const std::string target = Absolute(path);
  Action(FtpMng::kActionChangeDir, target, 0);
  if (!Result(client_.ChangeDir(target))) return false;
  currentDir_ = target;
  return true;
}

bool TFTPManager::MakeDir(const std::string& path) {
  Action(FtpMng::kActionMakeDir, path, 0);
  return Result(client_.MakeDir(path));
}

bool TFTPManager::ForceDirectories(const std::string& path) {
  const std::string remembered = currentDir_;
  const std::string target = Absolute(path);
  if (IsRoot(path) || IsRoot(target)) return Result(true);
  bool result = ChangeDir(target);
  if (!result) {
    std::string trimmed = target;
    if (trimmed.back() == '/' || trimmed.back() == '\\') trimmed.pop_back();
    const size_t split = trimmed.find_last_of("/\\");
    const std::string parent = StrFunc::Trim(trimmed.substr(0, split + 1));
    const std::string name = StrFunc::Trim(trimmed.substr(split + 1));
    const bool inParent =
        ChangeDir(parent) || (client_.IsConnected() && ForceDirectories(parent) && ChangeDir(parent));
    result = inParent && MakeDir(name);
  }
  const std::string why = error_;
  ChangeDir(remembered);
  error_ = result ? std::string() : why;
  return result;
}

bool TFTPManager::ListFiles(const std::string& directory, std::vector<std::string>& names) {
  names.clear();
  const std::string remembered = currentDir_;
  const platform::FtpTransferType type = client_.TransferType();
  if (!ChangeDir(directory)) return false;
  const std::string folder = currentDir_;
  Action(FtpMng::kActionScanDir, folder, 0);
  std::vector<platform::FtpListEntry> entries;
  const bool listed = client_.SetTransferType(platform::FtpTransferType::Ascii) &&
                      client_.List(entries);
  const std::string why = client_.LastError();
  client_.SetTransferType(type);
  ChangeDir(remembered);
  // Some servers refuse to list an empty folder: no names, but no failure.
  const bool ok = listed || client_.IsConnected();
  error_ = ok ? std::string() : "Cannot list " + folder + ": " + why;
  if (!listed) return ok;
  for (const platform::FtpListEntry& entry : entries)
    if (entry.kind != platform::FtpEntryKind::Folder) names.push_back(entry.name);
  return true;
}

bool TFTPManager::Upload(const std::string& localFile, const std::string& remotePath) {
  const std::string target = Absolute(remotePath);
  if (!Result(SetTypeFor(localFile))) return false;
  Action(FtpMng::kActionUpload, target, std::max<int64_t>(DosFunc::GetFileSize64(localFile), 0));
  return Result(client_.Put(localFile, target));
}

bool TFTPManager::Download(const std::string& remotePath, const std::string& localFile,
                           int64_t maxBytes) {
  const std::string source = Absolute(remotePath);
  if (!Result(SetTypeFor(remotePath))) return false;
  Action(FtpMng::kActionDownload, source, 0);
  return Result(client_.Get(source, localFile, maxBytes));
}

bool TFTPManager::Delete(const std::string& remotePath) {
  const std::string target = Absolute(remotePath);
  Action(FtpMng::kActionDelete, target, 0);
  return Result(client_.Delete(target));
}

bool TFTPManager::FetchRemote(TFTPFileManager& files, const std::string& dir,
                              const std::string& tempDir) {
  if (!ForceDirectories(dir) || !ChangeDir(dir)) return false;
  std::vector<std::string> listing;
  if (!ListFiles(dir, listing)) return false;
  // Names deleted as listed must not be merged by the comparison that
  // ignores case: a stale twin would stay for good.
  std::string first, second;
  if (FTPFileMng::FindSameNames(listing, first, second)) {
    error_ = "Two files in " + dir + " differ only in case or blanks and would be one: \"" +
             first + "\" and \"" + second + "\"";
    return false;
  }
  const std::string fetched = tempDir + kFetchedCacheName;
  // A cache beyond what is ever read counts as missing; so does none at all
  // (a first publish), which is no failure.
  constexpr int64_t kMaxCacheBytes = kFtpCacheMaxRecords * kFtpCacheRecordSize;
  if (Download(StrFunc::IncludeBackslash(dir) + kFtpCacheName, fetched, kMaxCacheBytes))
    files.LoadRemoteCache(fetched);
  DosFunc::DeleteFileLong(fetched);
  if (!client_.IsConnected()) return false;
  files.MergeRemoteListing(listing);
  return true;
}

bool TFTPManager::SendChanges(TFTPFileManager& files, const std::string& localFolder,
                              const std::string& dir, std::string& firstFailure) {
  const std::vector<std::string> toDelete = files.GetFilesToDelete();
  const std::vector<std::string> toUpload = files.GetFilesToUpload();
  if (onBegin_) onBegin_(context_, static_cast<int>(toDelete.size() + toUpload.size() + 1));
  const std::string remoteSlash = StrFunc::IncludeBackslash(dir);
  // Each name as the server listed it: a case-sensitive server has no file
  // of the lower-cased name.
  for (const std::string& name : toDelete) {
    if (!Delete(remoteSlash + name) && firstFailure.empty())
      firstFailure = "Cannot delete " + name + ": " + error_;
    if (!client_.IsConnected()) return false;
  }
  const std::string localSlash = StrFunc::IncludeBackslash(localFolder);
  for (const std::string& name : toUpload) {
    if (Upload(localSlash + name, remoteSlash + StrFunc::LowerCaseCz(name))) {
      ++filesSent_;
    } else {
      if (firstFailure.empty()) firstFailure = name + ": " + error_;
      files.MarkNotSent(name);
    }
    if (!client_.IsConnected()) return false;
  }
  return true;
}

bool TFTPManager::SendCache(const TFTPFileManager& files, const std::string& dir) {
  const std::string cache = files.SaveLocalCache();
  if (cache.empty()) {
    error_ = "Cannot write the checksum cache";
    return false;
  }
  const bool sent = Upload(cache, StrFunc::IncludeBackslash(dir) + kFtpCacheName);
  DosFunc::DeleteFileLong(cache);
  return sent;
}

bool TFTPManager::SyncDirectory(const std::string& localFolder,
                                const std::string& remoteDirectory) {
  // Relative to the login folder, not to wherever the previous folder of the
  // run left the current directory.
  const std::string dir = remoteDirectory.starts_with('/')
                              ? remoteDirectory
                              : StrFunc::IncludeBackslash(loginDir_) + remoteDirectory;
  error_.clear();
  // A missing folder (an unmounted disk) is not an empty one: mirroring it
  // would delete the whole published folder.
  if (!DosFunc::DirectoryExistsLong(localFolder)) {
    error_ = "Folder not found: " + localFolder;
    return false;
  }
  const std::string tempDir = StrFunc::GetTempDir();
  if (tempDir.empty()) {
    error_ = "No temporary folder";
    return false;
  }
  // Checksumming the local files is the slow part of a run with few changes,
  // so a worker does it while the server is asked. It touches nothing but the
  // local list, and the future waits for it on every way out. Without a
  // thread to spare the scan runs at get().
  TFTPFileManager files;
  std::future<void> scan = std::async(std::launch::async | std::launch::deferred,
                                      [&files, &localFolder] { files.ScanLocal(localFolder); });
  if (!FetchRemote(files, dir, tempDir)) return false;
  scan.get();
  std::string first, second;
  if (files.Local().FindSameNames(first, second)) {
    error_ = "Two files differ only in case and would be one on the server: \"" + first +
             "\" and \"" + second + "\"";
    return false;
  }
  std::string firstFailure;
  if (!SendChanges(files, localFolder, dir, firstFailure) || !SendCache(files, dir)) {
    if (!firstFailure.empty()) error_ = firstFailure;
    return false;
  }
  error_ = firstFailure;
  if (onEnd_) onEnd_(context_);
  return error_.empty();
}
