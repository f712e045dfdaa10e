// The photo's segment out to a file and back, and the single rebuilds that
// go through the work file in the private temporary folder.
#include <cstdio>
#include <string>

#include "metadata/exif.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"
#include "metadata/exifSegmentPlace.h"
#include "metadata/exifSegmentWork.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

namespace {

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

// A photo whose EXIF APP1 is there but does not read is never given a
// second one.
bool TExifReader::StartWorkSegment(const std::string& path) const {
  if (HasExif()) return ExportExifSegment(path);
  return !exif::HasExifApp1(fileName_) && exif::WriteEmptyExif(path);
}

// A photo without EXIF receives the minimal segment in the same transplant,
// which stamps its dates.
bool TExifReader::InsertDataBlock(const TExifDataBlock& block) {
  if (fileName_.empty()) return false;
  const exif::TWorkSegment work;
  return work.Held() && StartWorkSegment(work.Path()) &&
         exif::WriteBlockIntoSegment(work.Path(), block) &&
         ImportExifSegment(work.Path(), !HasExif());
}

bool TExifReader::DeleteTag(uint8_t kind, uint16_t tag) {
  if (fileName_.empty()) return false;
  const exif::TWorkSegment work;
  return work.Held() && ExportExifSegment(work.Path()) &&
         exif::DeleteTagFromSegment(work.Path(), kind, tag) &&
         ImportExifSegment(work.Path(), false);
}
