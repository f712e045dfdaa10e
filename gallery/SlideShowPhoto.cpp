#include "gallery/SlideShowPhoto.h"

#include "metadata/ConvertJPeg.h"
#include "metadata/Orientation.h"
#include "metadata/exif.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"

namespace SlideShowPhoto {

namespace {

constexpr int kScreenBound = -1600;
constexpr int kQuality = 80;

// The same size and stretch as ConvertJpegFile's, then the turn, so that a
// turned photo is encoded only once.
bool EncodeTurned(const std::string& photo, int orientation, const std::string& dstFile) {
  platform::JpegReader reader;
  if (!reader.OpenFile(photo)) return false;
  int width = reader.Width();
  int height = reader.Height();
  ConvertJPeg::FitIntoBox(width, height, kScreenBound, 0);
  platform::Bitmap picture;
  if (width < 1 || height < 1 || !reader.Decode(picture, width, height)) return false;
  ConvertJPeg::StretchBitmap(picture, width, height);
  Orientation::TurnUpright(picture, orientation);
  return platform::WriteJpegFile(picture, dstFile, kQuality);
}

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
  try {
    return EncodeTurned(photo, orientation, dstFile);
  } catch (...) {
    return false;
  }
}

}  // namespace SlideShowPhoto
