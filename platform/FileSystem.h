// The POSIX file calls the file functions stand on: descriptors, status,
// renames that never replace, modification times, folder listings and the
// write bits. Paths are handed to the system as they are; no call here throws
// and none follows a failure with a retry of its own. Nothing that writes
// (data, dates, permissions) goes through a symbolic link at the last level
// of a path: reading through one is fine, writing through one would change a
// file outside the folder being worked on.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// What stat(2) tells about one file system entry.
struct FileStatus {
  bool isDirectory = false;
  bool isRegular = false;
  bool isLink = false;  // the entry itself is a symbolic link
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedSeconds = 0;  // last write, seconds since 1970-01-01 UTC
  int64_t modifiedNanoseconds = 0;  // and the fraction of that second
  // When the file was made, nanoseconds since 1970-01-01 UTC; 0 where the
  // file system keeps no such time (and from StatFile).
  int64_t bornNanoseconds = 0;
  uint32_t mode = 0;            // permission bits
};

// The status of the entry a path names, following symbolic links; false when
// it cannot be read (errno is kept for the caller).
bool StatPath(const std::string& path, FileStatus& status);
// The status of the entry itself: a symbolic link is not followed.
bool LinkStatPath(const std::string& path, FileStatus& status);

// One entry of a folder. For a symbolic link, status describes what the link
// points to (isLink stays set); a dangling link keeps the link's own status.
struct DirEntry {
  std::string name;
  FileStatus status;
};

// The entries of a folder without "." and "..", in the order the system
// gives them. False when the folder cannot be read.
bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries);
// The names of the folder's regular files, a symbolic link counting as what
// it points to, in the order the system gives them. Cheaper than
// ListDirectory: an entry is looked at only when the folder listing does not
// tell its type. False when the folder cannot be read.
bool ListRegularFiles(const std::string& path, std::vector<std::string>& names);
// The names of a folder's entries without "." and "..", in the order the
// system gives them; no entry's status is asked for, so a large folder lists
// quickly. False when the folder cannot be read.
bool ListNames(const std::string& path, std::vector<std::string>& names);

// --- Descriptors ------------------------------------------------------------

enum class OpenAccess { Read, ReadWrite };
enum class SeekFrom { Begin, Current, End };

// Opens an existing file (a folder is refused with EISDIR, a pipe or socket
// with EINVAL, without waiting for a writer); -1 on failure. Read takes
// regular files only (a device too is refused with EINVAL); ReadWrite
// refuses a symbolic link (ELOOP). The descriptor is closed on exec.
int OpenFile(const std::string& path, OpenAccess access);
// The same for the entry name of the open folder dirFd.
int OpenFileAt(int dirFd, const std::string& name, OpenAccess access);
// The same for reading as a stdio stream; nullptr on failure.
std::FILE* OpenReadStream(const std::string& path);
// Creates the file, or empties an existing one, for reading and writing;
// -1 on failure. A symbolic link is refused (ELOOP), also a dangling one.
int CreateFile(const std::string& path);
// Creates a file that must not exist yet, for reading and writing; -1 on
// failure (also when the name is taken, even by a dangling link).
int CreateNewFile(const std::string& path);
// False when closing reports an error: for a file written to, the data may
// not have reached the disk.
bool CloseFile(int fd);
// A second descriptor (closed on exec) of the same open file: position,
// locks and all; -1 on failure.
int DuplicateFile(int fd);

// Reads up to count bytes, repeating short reads until count or the end of
// the file. Returns the bytes read, -1 on error.
int64_t ReadFile(int fd, void* buffer, int64_t count);
// Writes count bytes, repeating short writes until everything is written or
// the system refuses. Returns the bytes written; error is 0 or the errno.
[[nodiscard]] int64_t WriteFile(int fd, const void* buffer, int64_t count, int& error);
// The new position, -1 on failure.
int64_t SeekFile(int fd, int64_t offset, SeekFrom from);
bool TruncateFile(int fd, int64_t size);
// Flushes the file's data to the disk.
[[nodiscard]] bool SyncFile(int fd);
bool StatFile(int fd, FileStatus& status);
// Gives the open file the last-write time (to the nanosecond) and the
// permission bits of from.
bool SetTimeAndMode(int fd, const FileStatus& from);
// The status of the entry name of the open folder dirFd itself (a link is
// not followed); false when it is missing.
bool LinkStatAt(int dirFd, const std::string& name, FileStatus& status);

// --- Names ------------------------------------------------------------------

// Renames without ever replacing an existing entry: renameat2 with
// RENAME_NOREPLACE, or link + unlink where the file system lacks it.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Renames, replacing an existing file at to in one step.
bool RenameReplace(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
bool RemoveDirectory(const std::string& path);
bool MakeDirectory(const std::string& path);

// Sets the last-write time (whole seconds since 1970-01-01 UTC) of the entry
// the path names; the access time is left alone. A symbolic link gets the
// time itself; what it points to is never touched.
bool SetModifiedTime(const std::string& path, int64_t unixSeconds);
// Sets the last-write time to the nanosecond (a FileStatus's two fields).
bool SetModifiedTimeExact(const std::string& path, int64_t unixSeconds, int64_t nanoseconds);
// Read-only clears every write bit; writable adds the owner's write bit. A
// symbolic link is refused and what it points to is never touched; the same
// holds for SetPermissions.
bool SetWritable(const std::string& path, bool writable);
// Sets the permission bits (mode & 07777) of the entry the path names.
bool SetPermissions(const std::string& path, uint32_t mode);

// Takes an exclusive advisory lock (flock) on a file or folder, waiting while
// another open of it holds one. Returns a descriptor that keeps the lock until
// UnlockPath (or the process ends); -1 when the path cannot be opened or
// locked, and at once for anything but a file or folder (a pipe, a device).
// A second lock of the same path, even in this process, waits.
int LockPath(const std::string& path);
// LockPath without waiting: -1 at once when another open holds the lock.
int TryLockPath(const std::string& path);
void UnlockPath(int fd);

// The last errno of the calling thread, for messages.
int LastError();
// True when the last failed call would have crossed file systems (a rename
// that only a copy can do).
bool LastErrorCrossesFileSystems();

}  // namespace platform
