#include "gallery/slideshow/SlideShowPhoto.h"

#include "metadata/ConvertJPeg.h"
#include "metadata/exif.h"
#include "platform/jpeg/JpegWriter.h"

namespace SlideShowPhoto {

namespace {

constexpr int kScreenBound = -1600;
constexpr int kQuality = 80;

}  // namespace

TSlideInfoRec InfoOf(const TExifReader& reader, bool exifRead) {
  TSlideInfoRec info;
  if (!exifRead) return info;
  info.ExifRead = true;
  info.Digitized = reader.Values().dateTimeDigitized;
  info.Comment = reader.GetUserComment();
  return info;
}

bool EncodeForScreen(const std::string& photo, int orientation, const std::string& dstFile) {
  if (orientation <= 1 || orientation > 8)
    return ConvertJPeg::ConvertJpegFile(photo, dstFile, 0, kScreenBound, 0, kQuality);
  platform::Bitmap picture;
  return ConvertJPeg::LoadForMode(photo, 0, kScreenBound, 0, orientation, picture) &&
         platform::WriteJpegFile(picture, dstFile, kQuality);
}

}  // namespace SlideShowPhoto
