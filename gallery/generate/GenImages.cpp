#include "gallery/generate/GenImages.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "foundation/DosFunc.h"
#include "platform/TextFile.h"
#include "resources/NavImages.h"

namespace GenImages {

namespace {

using Bytes = std::span<const unsigned char>;

// Written beside the target and renamed over it, so a gallery never keeps a
// cut-off image from a full disk; the replacement is discarded on failure.
bool WriteImage(const std::string& fileName, Bytes image) {
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  if (platform::HoldsBytes(fileName, bytes)) return true;
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

// The order in which a run writes them, that of kImageNames.
constexpr GalleryImage kGalleryImages[] = {
    {kImageNames[0], GenLeftGif},  {kImageNames[1], GenLeft2Gif},      {kImageNames[2], GenRightGif},
    {kImageNames[3], GenRight2Gif}, {kImageNames[4], GenOkrajFilmuJpg}, {kImageNames[5], GenPozadiGif},
    {kImageNames[6], GenWhite31Gif},
};
static_assert(std::size(kGalleryImages) == std::size(kImageNames));

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
