// Photos for the screen: decoded by the JPEG library at the smallest DCT
// scale that still covers the box, then scaled smoothly to fit it.
#pragma once

#include <string>

#include <QImage>
#include <QSize>

#include "platform/jpeg/Bitmap.h"

namespace JpegImage {

// The size of a picture fitted into box: first to the box's width, then to
// its height, each side rounded to the nearest pixel, the aspect kept and
// never enlarged; at least 1 x 1.
QSize FitSize(QSize picture, QSize box);

// The photo turned upright as its EXIF orientation (1 to 8, of the photo
// the picture belongs to: a thumbnail is stored turned as its photo is) says,
// and fitted into box (FitSize); a null image when the file does not decode
// as a whole (missing, not a JPEG, damaged) or box is empty.
QImage LoadFitted(const std::string& path, QSize box, int orientation = 1);

// A copy of a decoded picture's pixels.
QImage FromBitmap(const platform::Bitmap& picture);

// image fitted into box, smoothly; image itself when it fits already.
QImage Fitted(const QImage& image, QSize box);

}  // namespace JpegImage
