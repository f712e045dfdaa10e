#include "platform/TextFile.h"

#include "platform/FileSystem.h"
#include "platform/WorkFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A replacement keeps the permissions of the file it replaces; one that
// replaces a link, or a new file, keeps the mode it was created with.
bool TakeOldMode(int fd, const std::string& path) {
  FileStatus status;
  return !LinkStatPath(path, status) || !status.isRegular ||
         fchmod(fd, static_cast<mode_t>(status.mode)) == 0;
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
  std::filesystem::create_directories(target.has_parent_path() ? target.parent_path() : ".", ec);
  WorkFile work;
  if (!work.Create(path)) return false;
  const int64_t size = static_cast<int64_t>(bytes.size());
  int error = 0;
  return TakeOldMode(work.Descriptor(), path) &&
         WriteFile(work.Descriptor(), bytes.data(), size, error) == size && work.Commit();
}

bool HoldsBytes(const std::string& path, std::string_view bytes) {
  FileStatus status;
  std::string old;
  return LinkStatPath(path, status) && status.isRegular && !status.isLink &&
         ReadWholeFile(path, bytes.size(), old) == ReadResult::kOk && old == bytes;
}

}  // namespace platform
