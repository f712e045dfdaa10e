#include "metadata/exifSegmentWork.h"

#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "metadata/exifSegment.h"
#include "platform/FileSystem.h"
#include "platform/WorkFile.h"

namespace {

// A photo replaced between the lock and the check is locked anew; a writer
// that keeps replacing it wins after this many rounds.
constexpr int kLockRounds = 16;

bool SameFile(const platform::FileStatus& a, const platform::FileStatus& b) {
  return a.device == b.device && a.inode == b.inode;
}

}  // namespace

namespace exif {

TWorkSegment::TWorkSegment() : fd_(-1) {
  const std::string dir = StrFunc::GetTempDir();
  if (dir.empty()) return;
  fd_ = platform::LockPath(dir);
  if (fd_ >= 0) path_ = dir + kWorkFileName;
}

void RemoveWorkSegmentLeftover() {
  const std::string dir = StrFunc::GetTempDir();
  if (dir.empty()) return;
  // A killed export leaves the segment's work file too; a running writer
  // holds its own locked.
  platform::RemoveLeftovers(dir);
  const int fd = platform::TryLockPath(dir);
  if (fd < 0) return;
  platform::RemoveFile(dir + kWorkFileName);
  platform::UnlockPath(fd);
}

TWorkSegment::~TWorkSegment() {
  if (Held()) platform::RemoveFile(path_);
  platform::UnlockPath(fd_);
}

// The lock is taken on the file the name holds; a writer that renamed a new
// photo over it meanwhile leaves this one locking the old file, so the name
// is checked again.
// Only a regular file is opened for the lock: opening a pipe would wait for
// a writer.
TPhotoLock::TPhotoLock(const std::string& photo) {
  for (int round = 0; round < kLockRounds; ++round) {
    if (!platform::StatPath(photo, status_) || !status_.isRegular) return;
    const int fd = platform::LockPath(photo);
    if (fd < 0) return;
    platform::FileStatus held;
    if (platform::StatFile(fd, held) && platform::StatPath(photo, status_) &&
        SameFile(held, status_)) {
      fd_ = fd;
      return;
    }
    platform::UnlockPath(fd);
  }
}

TPhotoLock::~TPhotoLock() { platform::UnlockPath(fd_); }

static_assert(std::string_view(kNewPhotoSuffix).starts_with(WorkNames::kMark));

std::string NewPhotoName(const std::string& photo) { return photo + kNewPhotoSuffix; }

void RemoveLeftover(const std::string& photo) { platform::RemoveFile(NewPhotoName(photo)); }

}  // namespace exif
