#include "platform/WorkFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

namespace {

// FNV-1a: short, stable names whatever the length of the target's name.
uint32_t NameHash(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

std::string Hex8(uint32_t value) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4) out[static_cast<size_t>(i)] = kDigits[value & 15];
  return out;
}

// True when name in the folder is still the file open on fd.
bool StillNamed(const Folder& folder, const std::string& name, int fd) {
  FileStatus named, open;
  return folder.StatChild(name, named) && StatFile(fd, open) && named.device == open.device &&
         named.inode == open.inode;
}

// Locks a freshly created work file. Fails when a writer clearing leftovers
// seized it between its creation and the lock; that writer removes it.
bool Claim(const Folder& folder, const std::string& name, int fd) {
  return flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(folder, name, fd);
}

}  // namespace

std::string WorkFileName(const std::string& targetName, int slot) {
  return ".~qm" + Hex8(NameHash(targetName)) + "-" + std::to_string(slot) + ".tmp";
}

bool IsWorkFileName(std::string_view name) {
  constexpr std::string_view kHead = ".~qm", kTail = ".tmp";
  if (!name.starts_with(kHead) || !name.ends_with(kTail)) return false;
  name = name.substr(kHead.size(), name.size() - kHead.size() - kTail.size());
  if (name.size() < 10 || name[8] != '-') return false;
  for (const char c : name.substr(0, 8))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  const std::string_view slot = name.substr(9);
  for (int n = 0; n < kWorkFileSlots; ++n)
    if (slot == std::to_string(n)) return true;
  return false;
}

bool RemoveUnheldFile(const Folder& folder, const std::string& name) {
  const int fd = openat(folder.Descriptor(), name.c_str(),
                        O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  FileStatus status;
  // The lock is held while the name is removed, so a writer can never lose a
  // file it has just claimed under the same name.
  const bool removed = StatFile(fd, status) && status.isRegular &&
                       flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(folder, name, fd) &&
                       folder.RemoveFile(name);
  close(fd);
  return removed;
}

void RemoveLeftovers(const std::string& path, bool (*ownName)(std::string_view)) {
  Folder folder;
  std::vector<std::string> names;
  if (!folder.OpenFollowingLink(path) || !ListNames(path, names)) return;
  for (const std::string& name : names)
    if (IsWorkFileName(name) || (ownName != nullptr && ownName(name)))
      RemoveUnheldFile(folder, name);
}

WorkFile::~WorkFile() { Discard(); }

bool WorkFile::Create(const std::string& target) {
  const size_t slash = target.rfind('/');
  Folder folder;
  if (slash == std::string::npos) {
    if (!folder.OpenFollowingLink("")) return false;
    return CreateIn(folder, target);
  }
  if (!folder.OpenFollowingLink(slash == 0 ? "/" : target.substr(0, slash))) return false;
  return CreateIn(folder, target.substr(slash + 1));
}

bool WorkFile::CreateIn(const Folder& folder, const std::string& name) {
  Discard();
  if (name.empty() || !folder_.OpenChild(folder, ".")) return false;
  target_ = name;
  for (int slot = 0; slot < kWorkFileSlots; ++slot)
    RemoveUnheldFile(folder_, WorkFileName(name, slot));
  // A leftover removed meanwhile frees its slot for another try; the count of
  // tries bounds the loop even against a folder that keeps refilling.
  int slot = 0;
  for (int tries = 0; slot < kWorkFileSlots && tries < 2 * kWorkFileSlots; ++tries) {
    const std::string work = WorkFileName(name, slot);
    const int fd = openat(folder_.Descriptor(), work.c_str(),
                          O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 && Claim(folder_, work, fd)) {
      fd_ = fd;
      name_ = work;
      return true;
    }
    if (fd >= 0) {
      close(fd);
      ++slot;
    } else if (errno != EEXIST) {
      return false;
    } else if (!RemoveUnheldFile(folder_, work)) {
      ++slot;
    }
  }
  return false;
}

bool WorkFile::Commit() {
  if (fd_ < 0) return false;
  // Renamed while still open and locked: once closed, another writer could
  // take the file for a leftover.
  if (!SyncFile(fd_) || !folder_.Rename(name_, folder_, target_)) {
    Discard();
    return false;
  }
  // The data is on the disk (fsync succeeded), so closing can lose nothing.
  close(fd_);
  fd_ = -1;
  name_.clear();
  fsync(folder_.Descriptor());
  return true;
}

bool WorkFile::CommitUnsynced() {
  if (fd_ < 0) return false;
  if (!folder_.Rename(name_, folder_, target_)) {
    Discard();
    return false;
  }
  close(fd_);
  fd_ = -1;
  name_.clear();
  return true;
}

void WorkFile::Discard() {
  if (fd_ < 0) return;
  folder_.RemoveFile(name_);
  close(fd_);
  fd_ = -1;
  name_.clear();
}

}  // namespace platform
