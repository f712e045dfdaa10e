#include "platform/HeldFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/FileSystem.h"

namespace platform {

namespace {

// A sweep holds a leftover's lock only while it removes the name; one that
// is still held after this many rounds belongs to a running process.
constexpr int kClaimRounds = 20;
constexpr auto kClaimPause = std::chrono::milliseconds(1);

// True when path still names the file open on fd: a sweep may have removed
// the name between the open and the lock.
bool StillNamed(const std::string& path, int fd) {
  FileStatus named, open;
  return LinkStatPath(path, named) && StatFile(fd, open) && named.device == open.device &&
         named.inode == open.inode;
}

}  // namespace

HeldFile::~HeldFile() { Close(); }

bool HeldFile::Open(const std::string& path, int& error) {
  Close();
  error = EWOULDBLOCK;
  for (int round = 0; round < kClaimRounds; ++round) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
      error = errno;
      return false;
    }
    FileStatus status;
    if (!StatFile(fd, status) || !status.isRegular) {
      close(fd);
      error = EEXIST;
      return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(path, fd) && TruncateFile(fd, 0)) {
      fd_ = fd;
      path_ = path;
      return true;
    }
    close(fd);
    std::this_thread::sleep_for(kClaimPause);
  }
  return false;
}

bool HeldFile::Rewrite(std::string_view bytes) {
  if (fd_ < 0) return false;
  const int64_t size = static_cast<int64_t>(bytes.size());
  int error = 0;
  return TruncateFile(fd_, 0) && SeekFile(fd_, 0, SeekFrom::Begin) == 0 &&
         WriteFile(fd_, bytes.data(), size, error) == size;
}

void HeldFile::Close() {
  if (fd_ < 0) return;
  // Removed while still locked: a file of the name that another process
  // holds now is not this one, and stays.
  if (StillNamed(path_, fd_)) unlink(path_.c_str());
  close(fd_);
  fd_ = -1;
  path_.clear();
}

}  // namespace platform
