// Feeds arbitrary bytes to the EXIF writers as a photo. One save (a date, a
// GPS position, a comment or all three, chosen by the input's size) is made
// into it, and the outcome must hold: a save that reports success re-reads
// with every new value and still decodes when the photo did; a save that
// fails leaves the photo byte for byte as it was before it. Either way the
// photo keeps its time and no work file is left behind.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/DateTime.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "platform/FileSystem.h"

namespace {

constexpr int64_t kPhotoSeconds = 1300000000;
constexpr int64_t kPhotoNanoseconds = 123456789;
constexpr char kComment[] = "Quillmarsh fuzz comment";

// The edits of one save; the input's size chooses one of them or all three.
enum Edit : unsigned { kEditDate = 1, kEditGps = 2, kEditComment = 4, kEditAll = 7 };
constexpr Edit kEdits[] = {kEditDate, kEditGps, kEditComment, kEditAll};

// One work folder per process, in the temporary folder: the photo folder
// and, through QUILLMARSH_HOME, the program's own temporary folder.
const std::string& WorkDir() {
  static const std::string dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    const std::string root = std::string(tmp && *tmp ? tmp : "/tmp") + "/exifwrite_fuzz_" +
                             std::to_string(getpid());
    platform::MakeDirectory(root);
    platform::MakeDirectory(root + "/home");
    setenv("QUILLMARSH_HOME", (root + "/home").c_str(), 1);
    platform::MakeDirectory(root + "/photos");
    return root + "/photos";
  }();
  return dir;
}

void Check(bool condition, const char* broken) {
  if (condition) return;
  std::fprintf(stderr, "exifwrite_fuzz: %s\n", broken);
  std::abort();
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    uint8_t buffer[1 << 14];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
  }
  return bytes;
}

TDateTime EditDate() {
  TDateTime date = 0;
  DateTime::TryEncodeDateTime(2021, 6, 15, 10, 20, 30, 0, date);
  return date;
}

void Apply(TExifReader& reader, Edit edit) {
  if (edit & kEditDate) reader.SetDateTimeOriginal(EditDate());
  if (edit & kEditGps) {
    reader.SetLatitude(49, 12, true, 30.5);
    reader.SetLongitude(16, 36, false, 10);
  }
  if (edit & kEditComment) reader.SetUserComment(kComment);
}

bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// The saved values as read back; what the save did not edit stays. A date
// is written only over a date the photo holds, or into the minimal segment a
// photo without EXIF receives.
void CheckSaved(const std::string& photo, Edit edit, const TExifValues& before, bool hadExif) {
  TExifReader after;
  Check(after.ReadFromFile(photo) && after.HasExif(), "a saved photo has no EXIF");
  const TExifValues& v = after.Values();
  if (!(edit & kEditComment))
    Check(StrFunc::Trim(v.userComment) == StrFunc::Trim(before.userComment),
          "the comment changed with another edit");
  if (!(edit & kEditGps))
    Check(v.gpsValid == before.gpsValid && v.latitudeDeg == before.latitudeDeg &&
              v.latitudeMin == before.latitudeMin && Same(v.latitudeSec, before.latitudeSec) &&
              v.longitudeDeg == before.longitudeDeg && v.longitudeMin == before.longitudeMin &&
              Same(v.longitudeSec, before.longitudeSec) && v.latitudeRef == before.latitudeRef &&
              v.longitudeRef == before.longitudeRef,
          "the position changed with another edit");
  if ((edit & kEditDate) && (!hadExif || before.dateTimeOriginalPos >= 1))
    Check(std::fabs(v.dateTimeOriginal - EditDate()) < 1e-6, "the saved date reads back wrong");
  if (edit & kEditGps) {
    Check(v.latitudeDeg == 49 && v.latitudeMin == 12 && std::fabs(v.latitudeSec - 30.5) < 1e-6 &&
              StrFunc::Trim(v.latitudeRef) == "N",
          "the saved latitude reads back wrong");
    Check(v.longitudeDeg == 16 && v.longitudeMin == 36 && std::fabs(v.longitudeSec - 10) < 1e-6 &&
              StrFunc::Trim(v.longitudeRef) == "W",
          "the saved longitude reads back wrong");
  }
  if (edit & kEditComment)
    Check(StrFunc::Trim(after.GetUserComment()) == kComment, "the saved comment reads back wrong");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string photo = WorkDir() + "/photo.jpg";
  std::FILE* file = std::fopen(photo.c_str(), "wb");
  if (!file) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  std::fclose(file);
  if (!written || !platform::SetModifiedTimeExact(photo, kPhotoSeconds, kPhotoNanoseconds)) {
    platform::RemoveFile(photo);
    return 0;
  }
  uint32_t width = 0, height = 0;
  const bool decodes = exif::GetJpegPixelSize(photo, width, height);

  const Edit edit = kEdits[size % 4];
  TExifReader reader;
  reader.ReadFromFile(photo);
  const bool hadExif = reader.HasExif();
  // A save without edits may set the pixel size right; it is done first, so
  // that what follows is the edit alone.
  if (hadExif && !reader.SaveChanges())
    Check(ReadAll(photo) == std::vector<uint8_t>(data, data + size),
          "a failed save without edits changed the photo");
  const std::vector<uint8_t> input = ReadAll(photo);
  const TExifValues before = reader.Values();
  Apply(reader, edit);
  const bool saved = reader.SaveChanges();

  if (saved) {
    CheckSaved(photo, edit, before, hadExif);
    Check(!decodes || exif::GetJpegPixelSize(photo, width, height), "a saved photo does not decode");
  } else {
    Check(ReadAll(photo) == input, "a failed save changed the photo");
  }
  platform::FileStatus status;
  Check(platform::StatPath(photo, status) && status.modifiedSeconds == kPhotoSeconds &&
            status.modifiedNanoseconds == kPhotoNanoseconds,
        "the photo lost its time");
  std::vector<platform::DirEntry> entries;
  Check(platform::ListDirectory(WorkDir(), entries) && entries.size() == 1,
        "a work file was left beside the photo");
  const std::string temp = StrFunc::GetTempDir();
  Check(!platform::StatPath(temp + exif::kWorkFileName, status),
        "a work file was left in the temporary folder");
  platform::RemoveFile(photo);
  return 0;
}
