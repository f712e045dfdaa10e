#include "platform/FileSwap.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool IsWritableFolder(const std::string& dir) {
  struct stat st {};
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         access(dir.c_str(), W_OK | X_OK) == 0;
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool MakeFolders(const std::string& dir) {
  struct stat st {};
  if (dir.empty()) return false;
  if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = dir.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(dir.substr(0, slash))) return false;
  return mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && stat(dir.c_str(), &st) == 0 &&
                                           S_ISDIR(st.st_mode));
}

bool CreateNewFile(const std::string& path, std::string_view bytes, unsigned mode) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool ok = close(fd) == 0 && done == bytes.size();
  if (!ok) unlink(path.c_str());
  return ok;
}

}  // namespace platform
