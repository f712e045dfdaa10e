// Feeds arbitrary bytes to the EXIF reader as the head of a photo file.
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "metadata/exif.h"

namespace {

// One work file per process, in the temporary folder.
const std::string& InputPath() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/exif_fuzz_" + std::to_string(getpid()) +
           ".jpg";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (!file) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  std::fclose(file);
  if (!written) return 0;

  TExifReader reader;
  reader.SetHideUnnamedTags(size % 2 == 1);
  // The read for a list of photos must agree with the whole read.
  TExifReader lean;
  const bool leanRead = lean.ReadPictureInfo(InputPath());
  if (reader.ReadFromFile(InputPath()) != leanRead ||
      reader.GetPictureDate() != lean.GetPictureDate() ||
      reader.Values().userCommentLines != lean.Values().userCommentLines)
    __builtin_trap();
  if (leanRead) {
    // Touch everything a caller would use.
    reader.GetPictureDate();
    reader.GetLatitudeText();
    reader.GetLongitudeText();
    reader.GetMakerId();
    reader.GetFlashState();
    if (reader.SaveThumbnail(InputPath() + ".thumb")) std::remove((InputPath() + ".thumb").c_str());
  }
  return 0;
}
