#include "platform/Folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

}  // namespace

Folder::~Folder() { Reset(-1); }

Folder::Folder(Folder&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

Folder& Folder::operator=(Folder&& other) noexcept {
  if (this != &other) Reset(std::exchange(other.fd_, -1));
  return *this;
}

void Folder::Reset(int fd) {
  if (fd_ >= 0) close(fd_);
  fd_ = fd;
}

bool Folder::Open(const std::string& path) {
  Reset(open(path.c_str(), kFolderFlags | O_NOFOLLOW));
  return IsOpen();
}

bool Folder::OpenFollowingLink(const std::string& path) {
  Reset(open(path.empty() ? "." : path.c_str(), kFolderFlags));
  return IsOpen();
}

bool Folder::OpenChild(const Folder& parent, const std::string& name) {
  Reset(openat(parent.fd_, name.c_str(), kFolderFlags | O_NOFOLLOW));
  return IsOpen();
}

bool Folder::List(std::vector<DirEntry>& entries) const {
  entries.clear();
  // The stream gets a descriptor of its own, so closing it leaves this one.
  const int listFd = openat(fd_, ".", kFolderFlags);
  if (listFd < 0) return false;
  DIR* dir = fdopendir(listFd);
  if (dir == nullptr) {
    close(listFd);
    return false;
  }
  errno = 0;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    FileStatus status;
    if (name != "." && name != ".." && StatChild(name, status))
      entries.push_back(DirEntry{name, status});
    errno = 0;
  }
  const bool ok = errno == 0;
  closedir(dir);
  return ok;
}

bool Folder::StatChild(const std::string& name, FileStatus& status) const {
  return LinkStatAt(fd_, name, status);
}

bool Folder::RemoveFile(const std::string& name) const {
  return unlinkat(fd_, name.c_str(), 0) == 0;
}

bool Folder::RemoveFolder(const std::string& name) const {
  return unlinkat(fd_, name.c_str(), AT_REMOVEDIR) == 0;
}

bool Folder::MakeFolder(const std::string& name) const {
  return mkdirat(fd_, name.c_str(), 0777) == 0;
}

bool Folder::Rename(const std::string& name, const Folder& target,
                    const std::string& newName) const {
  return renameat(fd_, name.c_str(), target.fd_, newName.c_str()) == 0;
}

bool Folder::MakeWritable() const {
  struct stat st {};
  return fstat(fd_, &st) == 0 && fchmod(fd_, (st.st_mode & 07777) | S_IWUSR | S_IXUSR) == 0;
}

bool Folder::IsWritable() const { return faccessat(fd_, ".", W_OK | X_OK, 0) == 0; }

int Folder::OpenFileForReading(const std::string& name) const {
  return OpenFileAt(fd_, name, OpenAccess::Read);
}

}  // namespace platform
