#include "app/widgets/JpegImage.h"

#include <algorithm>
#include <cmath>

#include "metadata/Orientation.h"
#include "platform/jpeg/JpegReader.h"

namespace JpegImage {

QSize FitSize(QSize picture, QSize box) {
  double width = picture.width();
  double height = picture.height();
  if (width > box.width() && width > 0) {
    height = height * box.width() / width;
    width = box.width();
  }
  if (height > box.height() && height > 0) {
    width = width * box.height() / height;
    height = box.height();
  }
  return {std::max(1, static_cast<int>(std::lround(width))),
          std::max(1, static_cast<int>(std::lround(height)))};
}

QImage FromBitmap(const platform::Bitmap& picture) {
  const QImage view(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                    QImage::Format_RGB888);
  return view.copy();
}

QImage Fitted(const QImage& image, QSize box) {
  const QSize size = FitSize(image.size(), box);
  if (size == image.size()) return image;
  return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage LoadFitted(const std::string& path, QSize box, int orientation) {
  if (box.width() < 1 || box.height() < 1) return {};
  platform::JpegReader reader;
  if (!reader.OpenFile(path)) return {};
  int width = reader.Width();
  int height = reader.Height();
  Orientation::UprightSize(orientation, width, height);
  const QSize target = FitSize({width, height}, box);
  // The decoder scales the picture as stored.
  QSize stored = target;
  if (Orientation::SwapsSides(orientation)) stored.transpose();
  platform::Bitmap bitmap;
  if (!reader.Decode(bitmap, stored.width(), stored.height())) return {};
  Orientation::TurnUpright(bitmap, orientation);
  const QImage decoded = FromBitmap(bitmap);
  if (decoded.size() == target) return decoded;
  return decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace JpegImage
