// Internal to the exif writers: the work files of a rewrite and the locks
// that keep two rewrites from meeting.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace exif {

// The segment file a rebuild edits, "exif_work.$$$" in the private temporary
// folder. Its one name serves every running copy of the program, so the
// folder's lock is held for the object's life (waiting while another copy
// holds it), and the file is removed at the end.
class TWorkSegment {
 public:
  TWorkSegment();
  ~TWorkSegment();
  TWorkSegment(const TWorkSegment&) = delete;
  TWorkSegment& operator=(const TWorkSegment&) = delete;
  // False when there is no temporary folder or it cannot be locked.
  bool Held() const { return fd_ >= 0 && !path_.empty(); }
  const std::string& Path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

// An exclusive lock on a photo as it stands now (the file its name holds
// after the lock was taken), held for the object's life, waiting while
// another writer holds it. Every write of a photo takes it, so the photo's
// work file beside it is never in use by another writer: one found there is
// the leftover of a killed process.
class TPhotoLock {
 public:
  explicit TPhotoLock(const std::string& photo);
  ~TPhotoLock();
  TPhotoLock(const TPhotoLock&) = delete;
  TPhotoLock& operator=(const TPhotoLock&) = delete;
  // False when the photo is no regular file or cannot be opened or locked.
  bool Held() const { return fd_ >= 0; }
  // The locked photo's status (when held).
  const platform::FileStatus& Status() const { return status_; }

 private:
  int fd_ = -1;
  platform::FileStatus status_;
};

// Removes the segment file a killed rebuild left (it holds a photo's EXIF,
// its position too), unless a rebuild holds the folder now, which removes
// its own at the end; and the work files of the temporary folder that no
// running writer holds.
void RemoveWorkSegmentLeftover();

// The name the new photo is written under beside the photo: the photo's
// name and kNewPhotoSuffix, which no file of the user's carries.
std::string NewPhotoName(const std::string& photo);
// Removes a work file a killed write left beside the photo (a link is
// removed, not followed). REQUIRES: the photo's lock is held.
void RemoveLeftover(const std::string& photo);

}  // namespace exif
