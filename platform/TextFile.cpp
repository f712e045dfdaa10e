#include "platform/TextFile.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

mode_t NewFileMode(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& bytes) {
  bytes.clear();
  // Without O_NONBLOCK, opening a named pipe would wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::kMissing : ReadResult::kFailed;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<uint64_t>(st.st_size) <= maxBytes;
  char block[65536];
  while (ok) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) break;
    ok = n > 0 && bytes.size() + static_cast<size_t>(n) <= maxBytes;
    if (ok) bytes.append(block, static_cast<size_t>(n));
  }
  close(fd);
  if (!ok) bytes.clear();
  return ok ? ReadResult::kOk : ReadResult::kFailed;
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target(path);
  std::error_code ec;
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::filesystem::create_directories(folder, ec);
  std::string temp;
  const int fd = CreateTempBeside(path, temp);
  if (fd < 0) return false;
  bool ok = fchmod(fd, NewFileMode(path)) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

}  // namespace platform
