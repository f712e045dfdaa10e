#include "platform/NewFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"

namespace platform {

bool WriteNewFile(const std::string& path, std::string_view bytes) {
  const int fd = CreateNewFile(path);
  if (fd < 0) return false;
  int error = 0;
  const int64_t size = static_cast<int64_t>(bytes.size());
  const bool written = WriteFile(fd, bytes.data(), size, error) == size;
  const bool ok = CloseFile(fd) && written;
  if (!ok) RemoveFile(path);
  return ok;
}

bool IsWritableFolder(const std::string& dir) {
  struct stat st {};
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace platform
