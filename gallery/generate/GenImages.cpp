#include "gallery/generate/GenImages.h"

#include <algorithm>
#include <span>

#include "foundation/DosFunc.h"
#include "resources/NavImages.h"

namespace GenImages {

namespace {

using Bytes = std::span<const unsigned char>;

// Written beside the target and renamed over it, so a gallery never keeps a
// cut-off image from a full disk; the replacement is discarded on failure.
bool WriteImage(const std::string& fileName, Bytes image) {
  TReplacementFile file;
  if (!file.Create(fileName)) return false;
  constexpr size_t kBlock = 32;
  for (size_t pos = 0; pos < image.size(); pos += kBlock) {
    const size_t length = std::min(kBlock, image.size() - pos);
    if (!file.Write(image.data() + pos, static_cast<int64_t>(length))) return false;
  }
  return file.Commit();
}

struct GalleryImage {
  const char* name;
  bool (*write)(const std::string& fileName);
};

// The order in which a run writes them.
constexpr GalleryImage kGalleryImages[] = {
    {"left.gif", GenLeftGif},      {"left2.gif", GenLeft2Gif},   {"right.gif", GenRightGif},
    {"right2.gif", GenRight2Gif},  {"film.jpg", GenOkrajFilmuJpg}, {"bkgr.gif", GenPozadiGif},
    {"white31.gif", GenWhite31Gif},
};

}  // namespace

bool GenLeftGif(const std::string& fileName) { return WriteImage(fileName, NavImages::kLeftGif); }
bool GenLeft2Gif(const std::string& fileName) {
  return WriteImage(fileName, NavImages::kLeft2Gif);
}
bool GenRightGif(const std::string& fileName) {
  return WriteImage(fileName, NavImages::kRightGif);
}
bool GenRight2Gif(const std::string& fileName) {
  return WriteImage(fileName, NavImages::kRight2Gif);
}
bool GenOkrajFilmuJpg(const std::string& fileName) {
  return WriteImage(fileName, NavImages::kFilmJpg);
}
bool GenPozadiGif(const std::string& fileName) {
  return WriteImage(fileName, NavImages::kBackgroundGif);
}
bool GenWhite31Gif(const std::string& fileName) {
  return WriteImage(fileName, NavImages::kWhite31Gif);
}

bool WriteGalleryImages(const std::string& folder) {
  for (const GalleryImage& image : kGalleryImages) {
    if (!image.write(folder + "/" + image.name)) return false;
  }
  return true;
}

}  // namespace GenImages
