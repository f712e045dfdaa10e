// Putting a segment file into a photo: the photo's leading segments are
// replaced, and the new photo takes the old one's name only once it is
// complete, on disk and decodes.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/DateTime.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "metadata/exifSegmentMap.h"
#include "platform/FileSystem.h"

namespace {

constexpr size_t kHeadSize = 38;
constexpr int kMaxSegmentsScanned = 64;
constexpr int kMaxWorkNames = 100;

bool IsExifApp1(const uint8_t* p) {
  return p[0] == 0xFF && p[1] == 0xE1 && std::memcmp(p + 4, "Exif\0\0", 6) == 0;
}

// How many bytes at the start of the photo the segment file replaces: the
// SOI with an EXIF APP1 and a JFIF APP0 in front of it, or the SOI alone.
// 0 when the photo does not begin as a JPEG or begins with another APP1.
uint64_t SkipLength(std::FILE* photo, uint64_t fileSize) {
  uint8_t h[kHeadSize] = {};
  const size_t got = std::fread(h, 1, sizeof h, photo);
  if (got < 4 || h[0] != 0xFF || h[1] != 0xD8 || h[2] != 0xFF) return 0;
  uint64_t skip = 2;
  if (got >= 12 && IsExifApp1(h + 2)) skip = (uint64_t(h[4]) << 8 | h[5]) + 4;
  else if (h[3] == 0xE1) return 0;
  else if (got == kHeadSize && h[3] == 0xE0 && h[4] == 0 && h[5] == 16 && IsExifApp1(h + 20))
    skip = (uint64_t(h[22]) << 8 | h[23]) + 22;
  return skip <= fileSize ? skip : 0;
}

// True when an EXIF APP1 stands anywhere among the photo's leading segments.
bool HasExifSegment(const std::string& photo) {
  std::FILE* file = platform::OpenReadStream(photo);
  if (!file) return false;
  bool found = false;
  uint8_t h[10];
  long at = 2;
  for (int i = 0; i < kMaxSegmentsScanned && !found; ++i) {
    if (std::fseek(file, at, SEEK_SET) != 0 || std::fread(h, 1, sizeof h, file) < 4) break;
    if (h[0] != 0xFF || h[1] == 0xDA || h[1] == 0xD9) break;
    found = IsExifApp1(h);
    at += 2 + long(h[2] << 8 | h[3]);
  }
  std::fclose(file);
  return found;
}

bool WriteAll(int fd, const void* data, int64_t size) {
  int error = 0;
  return platform::WriteFile(fd, data, size, error) == size;
}

// Writes the segment and the photo's bytes from skip to its end into the
// new file.
bool WriteJoined(int fd, const exif::TSegment& segment, std::FILE* photo, uint64_t skip) {
  if (!WriteAll(fd, segment.bytes.data(), int64_t(segment.bytes.size()))) return false;
  if (std::fseek(photo, long(skip), SEEK_SET) != 0) return false;
  std::vector<uint8_t> buffer(1 << 16);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), photo)) > 0)
    if (!WriteAll(fd, buffer.data(), int64_t(got))) return false;
  return std::ferror(photo) == 0 && platform::SyncFile(fd);
}

// Creates a new work file beside the photo; earlier files of the same name
// are left alone, since they may hold the only copy of a photo.
int CreateBeside(const std::string& photo, std::string& name) {
  for (int i = 0; i < kMaxWorkNames; ++i) {
    name = photo + exif::kNewPhotoSuffix + (i == 0 ? std::string() : "." + std::to_string(i));
    const int fd = platform::CreateNewFile(name);
    if (fd >= 0) return fd;
  }
  return -1;
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
  platform::FileStatus status;
  if (!platform::StatPath(photo, status) || !status.isRegular) return false;
  if (DosFunc::GetFileAttr(photo) & DosFunc::faReadOnly) return false;
  TSegment segment;
  if (!LoadSegment(segmentFile, segment)) return false;
  std::FILE* old = platform::OpenReadStream(photo);
  if (!old) return false;
  const uint64_t skip = SkipLength(old, uint64_t(status.size));
  std::string newPhoto;
  const int fd = skip > 0 ? CreateBeside(photo, newPhoto) : -1;
  bool ok = fd >= 0 && WriteJoined(fd, segment, old, skip);
  std::fclose(old);
  if (fd >= 0) ok = platform::CloseFile(fd) && ok;
  ok = ok && FinishNewPhoto(newPhoto, photo, status, stampDates);
  if (!ok && fd >= 0) platform::RemoveFile(newPhoto);
  return ok;
}

bool exif::AddEmptyExif(const std::string& photo) {
  if (HasExifSegment(photo)) return false;
  const std::string dir = StrFunc::GetTempDir();
  if (dir.empty()) return false;
  const std::string work = dir + StrFunc::ExtractName(photo) + kEmptyExifSuffix;
  const bool ok = WriteEmptyExif(work) && TransplantExif(photo, work, true);
  platform::RemoveFile(work);
  return ok;
}
