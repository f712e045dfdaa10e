// The photo's segment out to a file and back, and the rebuilds that go
// through the work file in the private temporary folder.
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"
#include "metadata/exifSegmentPlace.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

namespace {

std::string WorkFile() {
  const std::string dir = StrFunc::GetTempDir();
  return dir.empty() ? std::string() : dir + exif::kWorkFileName;
}

// The work file has one name for every running copy of the program, so a
// rebuild holds the temporary folder's lock from the export to the import:
// another copy's segment can never be put into this photo.
class WorkLock {
 public:
  WorkLock() : fd_(platform::LockPath(StrFunc::GetTempDir())) {}
  ~WorkLock() { platform::UnlockPath(fd_); }
  WorkLock(const WorkLock&) = delete;
  WorkLock& operator=(const WorkLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool ReadAt(std::FILE* file, uint64_t at, char* out, uint64_t size) {
  return std::fseek(file, long(at), SEEK_SET) == 0 && std::fread(out, 1, size, file) == size;
}

// The photo's SOI, the JFIF APP0 when the APP1 directly follows it, and the
// APP1, which must still stand where it was read.
bool CopySegment(std::FILE* photo, uint64_t app1At, uint32_t app1Length, std::string& bytes) {
  exif::TApp1Place place;
  if (!exif::FindExifApp1(photo, place) || place.at != app1At || place.length != app1Length)
    return false;
  const uint64_t head = place.atHead ? place.at : 2;
  bytes.assign(size_t(head + 2 + place.length), '\0');
  return ReadAt(photo, 0, bytes.data(), head) &&
         ReadAt(photo, place.at, bytes.data() + head, 2 + uint64_t(place.length));
}

}  // namespace

bool TExifReader::ExportExifSegment(const std::string& fileName) const {
  if (app1Length_ == 0 || makerNumber_ == exif::kNothingRead || fileName.empty()) return false;
  std::FILE* photo = platform::OpenReadStream(fileName_);
  if (!photo) return false;
  std::string bytes;
  const bool read = CopySegment(photo, uint64_t(values_.tiffShift) + 2, app1Length_, bytes);
  std::fclose(photo);
  // An earlier file of the name (a side file) is replaced only by a complete
  // new one.
  return read && platform::ReplaceFile(fileName, bytes);
}

bool TExifReader::ImportExifSegment(const std::string& fileName, bool stampDates) {
  const std::string photo = fileName_;
  const bool ok = !photo.empty() && exif::TransplantExif(photo, fileName, stampDates);
  ReadFromFile(photo);
  return ok;
}

bool TExifReader::InsertDataBlock(const TExifDataBlock& block) {
  const std::string work = WorkFile();
  if (fileName_.empty() || work.empty()) return false;
  // A photo without EXIF first receives the minimal segment; a segment that
  // exists but cannot be copied out is never replaced by it.
  if (!HasExif() && !EnsureExif()) return false;
  const WorkLock lock;
  if (!lock.Held()) return false;
  const bool ok = ExportExifSegment(work) && exif::WriteBlockIntoSegment(work, block) &&
                  ImportExifSegment(work, false);
  platform::RemoveFile(work);
  return ok;
}

bool TExifReader::DeleteTag(uint8_t kind, uint16_t tag) {
  const std::string work = WorkFile();
  if (fileName_.empty() || work.empty()) return false;
  const WorkLock lock;
  if (!lock.Held()) return false;
  const bool ok = ExportExifSegment(work) && exif::DeleteTagFromSegment(work, kind, tag) &&
                  ImportExifSegment(work, false);
  platform::RemoveFile(work);
  return ok;
}

// The pointer to the photo's GPS IFD taken out and the block (when it holds
// entries) put in by a single rebuild: the photo is replaced once, or not at
// all, and keeps its old GPS IFD when the new one does not fit.
bool TExifReader::ReplaceGpsIfd(const TExifDataBlock& block) {
  const std::string work = WorkFile();
  if (fileName_.empty() || work.empty()) return false;
  const WorkLock lock;
  if (!lock.Held()) return false;
  const bool ok = ExportExifSegment(work) &&
                  exif::DeleteTagFromSegment(work, exif::kIfd0, exif::kTagGpsPointer) &&
                  (block.Fields().empty() || exif::WriteBlockIntoSegment(work, block)) &&
                  ImportExifSegment(work, false);
  platform::RemoveFile(work);
  return ok && (!block.Fields().empty() || !HasGPS());
}
