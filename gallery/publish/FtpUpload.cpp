#include "gallery/publish/FtpUpload.h"

#include "foundation/StrFunc.h"
#include "gallery/projects/HtmlProjectCheck.h"

namespace FtpUpload {

std::string JoinRemote(std::string_view base, std::string_view name) {
  std::string joined = StrFunc::Trim(base);
  while (joined.size() > 1 && joined.back() == '/') joined.pop_back();
  if (joined.empty()) return std::string(name);
  if (joined.back() != '/') joined += '/';
  return joined.append(name);
}

}  // namespace FtpUpload

TFtpUpload::TFtpUpload(platform::FtpClient& client, TFtpUploadEvents events)
    : events_(std::move(events)), manager_(this, OnEnd, OnAction, OnBegin, client) {}

TFtpUpload::~TFtpUpload() { Disconnect(); }

void TFtpUpload::OnBegin(void* context, int total) {
  const auto* run = static_cast<TFtpUpload*>(context);
  if (run->events_.begin) run->events_.begin(total);
}

void TFtpUpload::OnAction(void* context, int action, const std::string& path, int64_t size) {
  const auto* run = static_cast<TFtpUpload*>(context);
  if (run->events_.action) run->events_.action(action, path, size);
}

void TFtpUpload::OnEnd(void* context) {
  const auto* run = static_cast<TFtpUpload*>(context);
  if (run->events_.end) run->events_.end();
}

bool TFtpUpload::Connect() {
  connected_ = manager_.Connect();
  error_ = manager_.LastError();
  // The manager's folder right after the login is the login folder.
  if (connected_) loginDir_ = manager_.CurrentDir();
  return connected_;
}

void TFtpUpload::Disconnect() {
  if (connected_) manager_.Disconnect();
  connected_ = false;
}

std::string TFtpUpload::Absolute(const std::string& remotePath) const {
  if (remotePath.starts_with('/')) return remotePath;
  return FtpUpload::JoinRemote(loginDir_, remotePath);
}

std::string TFtpUpload::UploadRoot(const std::string& uploadDir) const {
  std::string dir = StrFunc::Trim(uploadDir);
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir.empty() ? loginDir_ : Absolute(dir);
}

bool TFtpUpload::UploadProject(const std::string& localWebFolder, const std::string& remoteName,
                               const std::string& uploadDir,
                               const std::function<void(int)>& folderStarts) {
  if (!connected_) {
    error_ = "Not connected";
    return false;
  }
  // Mirroring deletes what the local folder lacks: a name reaching outside
  // the upload folder would empty someone else's folders.
  if (!HtmlProjectCheck::IsPlainName(remoteName)) {
    error_ = "Not a plain folder name: \"" + remoteName + "\"";
    return false;
  }
  const std::string remoteProject = FtpUpload::JoinRemote(UploadRoot(uploadDir), remoteName);
  for (int i = 0; i < FtpUpload::kFolderCount; ++i) {
    if (folderStarts) folderStarts(i + 1);
    const char* folder = FtpUpload::kFolders[i];
    const bool ok = manager_.SyncDirectory(StrFunc::IncludeBackslash(localWebFolder) + folder,
                                           FtpUpload::JoinRemote(remoteProject, folder));
    error_ = manager_.LastError();
    if (!ok) {
      error_ = std::string(folder) + ": " + (error_.empty() ? "failed" : error_);
      return false;
    }
  }
  return true;
}

bool TFtpUpload::UploadFile(const std::string& localFile, const std::string& uploadDir) {
  if (!connected_) {
    error_ = "Not connected";
    return false;
  }
  const std::string dir = UploadRoot(uploadDir);
  const std::string name = StrFunc::LowerCaseCz(StrFunc::ExtractName(localFile));
  const bool ok =
      manager_.ForceDirectories(dir) && manager_.Upload(localFile, FtpUpload::JoinRemote(dir, name));
  error_ = manager_.LastError();
  if (ok) ++singleFilesSent_;
  return ok;
}
