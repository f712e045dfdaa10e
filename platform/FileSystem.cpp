#include "platform/FileSystem.h"

#include <dirent.h>
#include <sys/file.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>

namespace platform {

namespace {

// A single read or write never asks for more than this, so counts stay within
// what ssize_t and the kernel accept.
constexpr int64_t kMaxChunk = 1 << 30;

FileStatus FromStat(const struct stat& st) {
  FileStatus s;
  s.isDirectory = S_ISDIR(st.st_mode);
  s.isRegular = S_ISREG(st.st_mode);
  s.isLink = S_ISLNK(st.st_mode);
  s.device = static_cast<uint64_t>(st.st_dev);
  s.inode = static_cast<uint64_t>(st.st_ino);
  s.size = static_cast<int64_t>(st.st_size);
  s.modifiedSeconds = static_cast<int64_t>(st.st_mtim.tv_sec);
  s.modifiedNanoseconds = static_cast<int64_t>(st.st_mtim.tv_nsec);
  s.mode = static_cast<uint32_t>(st.st_mode & 07777);
  return s;
}

// The status of path (relative to dirFd), with the birth time where the
// file system keeps one.
bool StatAt(int dirFd, const char* path, bool follow, FileStatus& status) {
  struct statx sx {};
  const int flags = follow ? 0 : AT_SYMLINK_NOFOLLOW;
  if (statx(dirFd, path, flags, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
    if (errno != ENOSYS) return false;
    struct stat st {};
    if (fstatat(dirFd, path, &st, flags) != 0) return false;
    status = FromStat(st);
    return true;
  }
  FileStatus s;
  s.isDirectory = S_ISDIR(sx.stx_mode);
  s.isRegular = S_ISREG(sx.stx_mode);
  s.isLink = S_ISLNK(sx.stx_mode);
  s.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
  s.inode = sx.stx_ino;
  s.size = static_cast<int64_t>(sx.stx_size);
  s.modifiedSeconds = sx.stx_mtime.tv_sec;
  s.modifiedNanoseconds = sx.stx_mtime.tv_nsec;
  if ((sx.stx_mask & STATX_BTIME) != 0)
    s.bornNanoseconds = sx.stx_btime.tv_sec * int64_t{1000000000} + sx.stx_btime.tv_nsec;
  s.mode = sx.stx_mode & 07777;
  status = s;
  return true;
}

}  // namespace

bool StatPath(const std::string& path, FileStatus& status) {
  return StatAt(AT_FDCWD, path.c_str(), true, status);
}

bool LinkStatPath(const std::string& path, FileStatus& status) {
  return StatAt(AT_FDCWD, path.c_str(), false, status);
}

bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries) {
  entries.clear();
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  const int dirFd = dirfd(dir);
  errno = 0;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    DirEntry entry{name, {}};
    if (!StatAt(dirFd, name.c_str(), false, entry.status)) continue;
    FileStatus target;
    if (entry.status.isLink && StatAt(dirFd, name.c_str(), true, target)) {
      entry.status = target;
      entry.status.isLink = true;
    }
    entries.push_back(std::move(entry));
    errno = 0;
  }
  const bool ok = errno == 0;
  closedir(dir);
  return ok;
}

namespace {

// The names of a folder's entries that keep(dirFd, entry) accepts, "." and
// ".." never among them. False when the folder cannot be read.
template <typename Keep>
bool ListNamesWhere(const std::string& path, std::vector<std::string>& names, Keep keep) {
  names.clear();
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  const int dirFd = dirfd(dir);
  errno = 0;
  while (const dirent* e = readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name != "." && name != ".." && keep(dirFd, *e)) names.emplace_back(name);
    errno = 0;
  }
  const bool ok = errno == 0;
  closedir(dir);
  return ok;
}

}  // namespace

bool ListRegularFiles(const std::string& path, std::vector<std::string>& names) {
  return ListNamesWhere(path, names, [](int dirFd, const dirent& e) {
    if (e.d_type != DT_LNK && e.d_type != DT_UNKNOWN) return e.d_type == DT_REG;
    struct stat st {};
    return fstatat(dirFd, e.d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
  });
}

bool ListNames(const std::string& path, std::vector<std::string>& names) {
  return ListNamesWhere(path, names, [](int, const dirent&) { return true; });
}

int OpenFile(const std::string& path, OpenAccess access) {
  return OpenFileAt(AT_FDCWD, path, access);
}

int OpenFileAt(int dirFd, const std::string& name, OpenAccess access) {
  // Opened without blocking, so a pipe without a writer cannot stall the
  // call; a pipe or socket is then refused, as is a folder. A device is never
  // read: one named like a photo would not end when read whole.
  const int flags = (access == OpenAccess::ReadWrite ? O_RDWR | O_NOFOLLOW : O_RDONLY) |
                    O_CLOEXEC | O_NONBLOCK;
  const int fd = openat(dirFd, name.c_str(), flags);
  if (fd < 0) return -1;
  struct stat st {};
  int error = 0;
  if (fstat(fd, &st) != 0) {
    error = errno;
  } else if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    // A regular file reads the same either way; a device opened for writing
    // is written blocking.
    if (access == OpenAccess::Read || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
      error = EINVAL;
    else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
      error = errno;
  }
  if (error == 0) return fd;
  close(fd);
  errno = error;
  return -1;
}

std::FILE* OpenReadStream(const std::string& path) {
  const int fd = OpenFile(path, OpenAccess::Read);
  if (fd < 0) return nullptr;
  std::FILE* stream = fdopen(fd, "rb");
  if (stream == nullptr) close(fd);
  return stream;
}

int CreateFile(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
}

int CreateNewFile(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool CloseFile(int fd) { return close(fd) == 0; }

int DuplicateFile(int fd) { return fcntl(fd, F_DUPFD_CLOEXEC, 0); }

int64_t ReadFile(int fd, void* buffer, int64_t count) {
  auto* p = static_cast<char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = read(fd, p + done, static_cast<size_t>(std::min(count - done, kMaxChunk)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t WriteFile(int fd, const void* buffer, int64_t count, int& error) {
  const auto* p = static_cast<const char*>(buffer);
  int64_t done = 0;
  error = 0;
  while (done < count) {
    const ssize_t n = write(fd, p + done, static_cast<size_t>(std::min(count - done, kMaxChunk)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      break;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t SeekFile(int fd, int64_t offset, SeekFrom from) {
  const int whence = from == SeekFrom::Begin     ? SEEK_SET
                     : from == SeekFrom::Current ? SEEK_CUR
                                                 : SEEK_END;
  return static_cast<int64_t>(lseek(fd, static_cast<off_t>(offset), whence));
}

bool TruncateFile(int fd, int64_t size) { return ftruncate(fd, static_cast<off_t>(size)) == 0; }

bool SyncFile(int fd) { return fsync(fd) == 0; }

bool StatFile(int fd, FileStatus& status) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return false;
  status = FromStat(st);
  return true;
}

bool SetTimeAndMode(int fd, const FileStatus& from) {
  struct timespec times[2]{};
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(from.modifiedSeconds);
  times[1].tv_nsec = static_cast<long>(from.modifiedNanoseconds);
  return futimens(fd, times) == 0 && fchmod(fd, static_cast<mode_t>(from.mode & 07777)) == 0;
}

bool LinkStatAt(int dirFd, const std::string& name, FileStatus& status) {
  struct stat st {};
  if (fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  status = FromStat(st);
  return true;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot rename without replacing: a hard link fails on an
  // existing name, and the old name goes only once the new one stands.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  if (unlink(from.c_str()) == 0) return true;
  const int saved = errno;
  unlink(to.c_str());
  errno = saved;
  return false;
}

bool RenameReplace(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool RemoveDirectory(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool MakeDirectory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

bool SetModifiedTime(const std::string& path, int64_t unixSeconds) {
  return SetModifiedTimeExact(path, unixSeconds, 0);
}

bool SetModifiedTimeExact(const std::string& path, int64_t unixSeconds, int64_t nanoseconds) {
  struct timespec times[2]{};
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(unixSeconds);
  times[1].tv_nsec = static_cast<long>(nanoseconds);
  return utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool SetWritable(const std::string& path, bool writable) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = writable ? (mode | S_IWUSR) : (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH));
  return SetPermissions(path, mode);
}

bool SetPermissions(const std::string& path, uint32_t mode) {
  // Linux cannot give a link permissions: the call fails for one, and so
  // never reaches what a link swapped in meanwhile points to.
  return fchmodat(AT_FDCWD, path.c_str(), static_cast<mode_t>(mode & 07777),
                  AT_SYMLINK_NOFOLLOW) == 0;
}

namespace {

int Lock(const std::string& path, int how) {
  // Opened without blocking: a pipe swapped in for a photo would otherwise
  // wait for a writer. Only files and folders are locked.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
    close(fd);
    return -1;
  }
  int result;
  do {
    result = flock(fd, how);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return fd;
  close(fd);
  return -1;
}

}  // namespace

int LockPath(const std::string& path) { return Lock(path, LOCK_EX); }

int TryLockPath(const std::string& path) { return Lock(path, LOCK_EX | LOCK_NB); }

void UnlockPath(int fd) {
  if (fd >= 0) close(fd);
}

int LastError() { return errno; }

bool LastErrorCrossesFileSystems() { return errno == EXDEV; }

}  // namespace platform
