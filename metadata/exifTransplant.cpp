// Putting a segment file into a photo: the photo's leading segments are
// replaced, and the new photo takes the old one's name only once it is
// complete, on disk and decodes.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/DateTime.h"
#include "foundation/DosFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "metadata/exifSegmentMap.h"
#include "metadata/exifSegmentPlace.h"
#include "metadata/exifSegmentWork.h"
#include "platform/FileSystem.h"

namespace {

// Which bytes of the photo the segment file replaces ([from, to)), and from
// which of its own bytes on it replaces them.
struct Splice {
  uint64_t from = 0, to = 0;
  size_t segmentFrom = 0;
};

// False when the photo does not begin as a JPEG, or begins with another APP1
// and has no EXIF: such a photo is left alone.
bool PlanSplice(std::FILE* photo, uint64_t fileSize, const exif::TSegment& segment,
                Splice& splice) {
  uint8_t h[4] = {};
  if (std::fread(h, 1, sizeof h, photo) != sizeof h || h[0] != 0xFF || h[1] != 0xD8 || h[2] != 0xFF)
    return false;
  exif::TApp1Place app1;
  if (!exif::FindExifApp1(photo, app1)) {
    splice = {0, 2, 0};
    return h[3] != 0xE1;
  }
  if (app1.End() > fileSize) return false;
  // The segment file's APP1 begins 10 bytes in front of its TIFF data.
  splice = app1.atHead ? Splice{0, app1.End(), 0}
                       : Splice{app1.at, app1.End(), segment.tiffStart - 10};
  return true;
}

bool WriteAll(int fd, const void* data, int64_t size) {
  int error = 0;
  return platform::WriteFile(fd, data, size, error) == size;
}

bool CopyRange(int fd, std::FILE* photo, uint64_t from, uint64_t to) {
  if (std::fseek(photo, long(from), SEEK_SET) != 0) return false;
  std::vector<uint8_t> buffer(1 << 16);
  for (uint64_t left = to - from; left > 0;) {
    const size_t want = size_t(std::min<uint64_t>(left, buffer.size()));
    const size_t got = std::fread(buffer.data(), 1, want, photo);
    if (got == 0 || !WriteAll(fd, buffer.data(), int64_t(got))) return false;
    left -= got;
  }
  return true;
}

// Writes the photo with the splice made into the new file.
bool WriteJoined(int fd, const exif::TSegment& segment, std::FILE* photo, uint64_t fileSize,
                 const Splice& splice) {
  const uint8_t* part = segment.bytes.data() + splice.segmentFrom;
  return CopyRange(fd, photo, 0, splice.from) &&
         WriteAll(fd, part, int64_t(segment.bytes.size() - splice.segmentFrom)) &&
         CopyRange(fd, photo, splice.to, fileSize) && platform::SyncFile(fd);
}

// The dates and pixel size written into the new photo before it takes the
// photo's name.
bool StampNewPhoto(const std::string& newPhoto, TDateTime photoTime, bool stampDates) {
  TExifReader reader;
  if (!reader.ReadFromFile(newPhoto)) return false;
  bool ok = true;
  if (stampDates) {
    reader.SetDateTimeDigitized(photoTime);
    reader.SetDateTimeOriginal(photoTime);
    reader.SetDateTime(photoTime);
    ok = reader.WriteDates();
  }
  return reader.WritePixelSize() && ok;
}

bool FinishNewPhoto(const std::string& newPhoto, const std::string& photo,
                    const platform::FileStatus& status, bool stampDates) {
  // The check decodes the file as it will stand, after the stamps.
  uint32_t width = 0, height = 0;
  if (!StampNewPhoto(newPhoto, DateTime::FromUnixTime(status.modifiedSeconds), stampDates) ||
      !exif::GetJpegPixelSize(newPhoto, width, height))
    return false;
  return platform::SetPermissions(newPhoto, status.mode) &&
         platform::SetModifiedTimeExact(newPhoto, status.modifiedSeconds, status.modifiedNanoseconds) &&
         platform::RenameReplace(newPhoto, photo);
}

}  // namespace

bool exif::TransplantExif(const std::string& photo, const std::string& segmentFile,
                          bool stampDates) {
  TSegment segment;
  if (!LoadSegment(segmentFile, segment)) return false;
  const TPhotoLock lock(photo);
  if (!lock.Held() || (DosFunc::GetFileAttr(photo) & DosFunc::faReadOnly)) return false;
  const platform::FileStatus& status = lock.Status();
  RemoveLeftover(photo);
  std::FILE* old = platform::OpenReadStream(photo);
  if (!old) return false;
  const uint64_t size = uint64_t(status.size);
  const std::string newPhoto = NewPhotoName(photo);
  Splice splice;
  const int fd = PlanSplice(old, size, segment, splice) ? platform::CreateNewFile(newPhoto) : -1;
  bool ok = fd >= 0 && WriteJoined(fd, segment, old, size, splice);
  std::fclose(old);
  if (fd >= 0) ok = platform::CloseFile(fd) && ok;
  ok = ok && FinishNewPhoto(newPhoto, photo, status, stampDates);
  if (!ok && fd >= 0) platform::RemoveFile(newPhoto);
  return ok;
}

bool exif::AddEmptyExif(const std::string& photo) {
  if (HasExifApp1(photo)) return false;
  const TWorkSegment work;
  return work.Held() && WriteEmptyExif(work.Path()) && TransplantExif(photo, work.Path(), true);
}
