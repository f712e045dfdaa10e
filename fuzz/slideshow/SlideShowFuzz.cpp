// Feeds arbitrary bytes to the slide-show player's package reader as a
// package file: the project list, the language, and each picture's record,
// thumbnail and picture, as a show takes them out.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "foundation/DosFunc.h"
#include "gallery/slideshow/SlideShowOverlay.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "gallery/slideshow/SlideShowWorkDir.h"

namespace {

// Pictures looked at per project; the rest are read the same way.
constexpr int kMaxPictures = 8;

// The work files of the reader go below a folder of this run, never into
// the user's own temporary folder.
const std::string& InputPath() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/slideshow_fuzz_XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) std::abort();
    setenv("QUILLMARSH_HOME", dir.c_str(), 1);
    return dir + "/input.ssp";
  }();
  return path;
}

// An extracted file lies in the work folder; it is removed again.
void Taken(const std::string& path, const TSlideShowWorkDir& work) {
  if (path.empty()) return;
  if (path.rfind(work.Path(), 0) != 0 || path.find('/', work.Path().size()) != std::string::npos)
    __builtin_trap();
  DosFunc::DeleteFileLong(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (!file) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  std::fclose(file);
  if (!written) return 0;

  const TSlideShowWorkDir work;
  TSlideShowPackage package;
  try {
    if (package.Open(InputPath(), work) != TSlideShowPackage::TOpenResult::Opened) return 0;
  } catch (const EFListFileError&) {
    return 0;
  }
  Taken(package.ExtractLanguage(), work);
  const int projects = static_cast<int>(package.Projects().size());
  for (int p = 0; p < projects; ++p) {
    const int first = package.FirstInfoEntry(p);
    const int count = package.Projects()[static_cast<size_t>(p)].Count;
    if (count > 0 && (first < 2 || first + int64_t{3} * count > package.Container().EntryCount()))
      __builtin_trap();
    for (int j = 0; j < count && j < kMaxPictures; ++j) {
      const int entry = first + 3 * j;
      SlideShowOverlay::Compose(j + 1, count, package.ReadInfo(entry), SlideShowOverlay::kAll);
      Taken(package.Extract(entry + 1), work);
      Taken(package.Extract(entry + 2), work);
    }
  }
  return 0;
}
