#include "app/slideshow/SlidePicture.h"

#include "app/widgets/JpegImage.h"
#include "metadata/Orientation.h"
#include "metadata/exif.h"
#include "platform/jpeg/JpegReader.h"

namespace SlidePicture {

QImage Load(const std::string& path, QSize box) {
  if (box.width() < 1 || box.height() < 1) return {};
  TExifReader exif;
  const int orientation = exif.ReadFromFile(path) ? exif.GetOrientation() : 1;
  if (orientation <= 1)
    return JpegImage::LoadFitted(path, box);
  platform::JpegReader reader;
  if (!reader.OpenFile(path)) return {};
  int width = reader.Width();
  int height = reader.Height();
  Orientation::UprightSize(orientation, width, height);
  QSize decoded = JpegImage::FitSize({width, height}, box);
  if (Orientation::SwapsSides(orientation)) decoded.transpose();
  platform::Bitmap picture;
  if (!reader.Decode(picture, decoded.width(), decoded.height())) return {};
  Orientation::TurnUpright(picture, orientation);
  return JpegImage::Fitted(JpegImage::FromBitmap(picture), box);
}

}  // namespace SlidePicture
