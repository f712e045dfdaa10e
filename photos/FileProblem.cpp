#include "photos/FileProblem.h"

#include <cstdint>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "platform/FileSystem.h"
#include "platform/NewFile.h"
#include "texts/Language.h"

namespace FileProblem {

namespace {

// An EXIF segment longer than this cannot take a GPS block or a minimal
// set of tags more: a JPEG segment holds at most 65535 bytes.
constexpr uint32_t kFullSegment = 65535 - 256;

struct TProblemText {
  TProblem problem;
  int text;
};

constexpr TProblemText kTexts[] = {
    {TProblem::kGone, 482},     {TProblem::kReadOnly, 483}, {TProblem::kFolderReadOnly, 484},
    {TProblem::kNotJpeg, 485},  {TProblem::kDamaged, 486},  {TProblem::kNoExifRoom, 487},
    {TProblem::kOther, 488},
};

bool Exists(const std::string& path) {
  platform::FileStatus status;
  return platform::LinkStatPath(DosFunc::ExistingPathLong(path), status);
}

bool WritableFolderOf(const std::string& path) {
  const std::string folder = StrFunc::ExtractDir(DosFunc::ExistingPathLong(path));
  return platform::IsWritableFolder(folder.empty() ? "." : folder);
}

// A JPEG begins with the start-of-image marker and a segment's marker.
bool BeginsAsJpeg(const std::string& path) {
  const int fd = platform::OpenFile(path, platform::OpenAccess::Read);
  if (fd < 0) return false;
  uint8_t head[3] = {};
  const bool read = platform::ReadFile(fd, head, sizeof head) == int64_t(sizeof head);
  platform::CloseFile(fd);
  return read && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

}  // namespace

TProblem OfPhotoWrite(const std::string& path) {
  const std::string onDisk = DosFunc::ExistingPathLong(path);
  if (!Exists(onDisk)) return TProblem::kGone;
  if ((DosFunc::GetFileAttr(onDisk) & DosFunc::faReadOnly) != 0) return TProblem::kReadOnly;
  if (!BeginsAsJpeg(onDisk)) return TProblem::kNotJpeg;
  uint32_t width = 0, height = 0;
  if (!exif::GetJpegPixelSize(onDisk, width, height)) return TProblem::kDamaged;
  // A write that does not fit in place makes the new photo beside the old.
  if (!WritableFolderOf(onDisk)) return TProblem::kFolderReadOnly;
  TExifReader reader;
  if (reader.ReadPictureInfo(onDisk) && reader.App1Length() > kFullSegment)
    return TProblem::kNoExifRoom;
  return TProblem::kOther;
}

TProblem OfChange(const std::string& path, const std::string& target) {
  if (!Exists(path)) return TProblem::kGone;
  if (!WritableFolderOf(path) || (!target.empty() && !WritableFolderOf(target)))
    return TProblem::kFolderReadOnly;
  return TProblem::kOther;
}

TProblem OfNewEntry(const std::string& path) {
  return WritableFolderOf(path) ? TProblem::kOther : TProblem::kFolderReadOnly;
}

std::string Text(TProblem problem) {
  for (const TProblemText& t : kTexts)
    if (t.problem == problem) return Language::GetText(t.text);
  return std::string();
}

}  // namespace FileProblem
