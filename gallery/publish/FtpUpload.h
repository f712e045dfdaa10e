// One upload run of publishing: a connection, the galleries of projects
// mirrored below the upload folder (TFTPManager::SyncDirectory), and single
// files sent into it (the project list page).
//
// A project's folders go to upload folder/remote name/subfolder, one "/"
// between the parts. An upload folder without a leading "/" (or none) is
// taken from the folder the server put the user in at login, wherever the
// run's current remote folder has moved since.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "gallery/publish/FtpMng.h"
#include "gallery/generate/GalleryLayout.h"

namespace FtpUpload {

// A gallery's subfolders in the order they are published.
inline constexpr const char* kFolders[] = {GalleryLayout::kIcoFolder,  GalleryLayout::kThumbFolder,
                                           GalleryLayout::kPhotoFolder, GalleryLayout::k800Folder,
                                           GalleryLayout::k1024Folder, GalleryLayout::kExifFolder};
inline constexpr int kFolderCount = static_cast<int>(std::size(kFolders));

// base + "/" + name with one "/" between them; name alone for an empty
// base. base is trimmed; "/" stays the root.
std::string JoinRemote(std::string_view base, std::string_view name);

}  // namespace FtpUpload

// What the run reports, as TFTPManager's callbacks do; each may be empty.
struct TFtpUploadEvents {
  std::function<void(int total)> begin;
  std::function<void(int action, const std::string& path, int64_t size)> action;
  std::function<void()> end;
};

class TFtpUpload {
 public:
  // The client is not owned, must outlive the run and carries the settings
  // to connect with.
  TFtpUpload(platform::FtpClient& client, TFtpUploadEvents events);
  ~TFtpUpload();
  TFtpUpload(const TFtpUpload&) = delete;
  TFtpUpload& operator=(const TFtpUpload&) = delete;

  // Connects and logs in; false (with LastError) when that failed.
  bool Connect();
  // Quits when connected.
  void Disconnect();
  bool Connected() const { return connected_; }

  // Mirrors the six folders of the gallery in localWebFolder into
  // uploadDir/remoteName, in the order of kFolders; folderStarts(n) runs
  // before folder n (1 to 6). The first folder that fails ends the run and
  // leaves the later ones untouched. A remote name that is no plain folder
  // name ("..", "a/b") is refused before anything is sent.
  bool UploadProject(const std::string& localWebFolder, const std::string& remoteName,
                     const std::string& uploadDir, const std::function<void(int)>& folderStarts);
  // Sends localFile into uploadDir (made when missing) under its file name
  // lower-cased.
  bool UploadFile(const std::string& localFile, const std::string& uploadDir);

  // Where a remote path given relative goes: below the login folder.
  std::string Absolute(const std::string& remotePath) const;
  // The upload folder as an absolute path without a trailing "/"; the login
  // folder when none is given.
  std::string UploadRoot(const std::string& uploadDir) const;
  // Why the last operation failed; empty after one that succeeded.
  const std::string& LastError() const { return error_; }
  // The files this run sent: the galleries' new and changed files and the
  // single files.
  int64_t FilesSent() const { return manager_.FilesSent() + singleFilesSent_; }

 private:
  static void OnBegin(void* context, int total);
  static void OnAction(void* context, int action, const std::string& path, int64_t size);
  static void OnEnd(void* context);

  TFtpUploadEvents events_;
  TFTPManager manager_;
  bool connected_ = false;
  std::string loginDir_ = "/";
  std::string error_;
  int64_t singleFilesSent_ = 0;
};
