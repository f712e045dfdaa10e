// The pictures of a slide show: decoded, turned upright by their EXIF
// orientation, and fitted to the screen.
#pragma once

#include <string>

#include <QImage>
#include <QSize>

namespace SlidePicture {

// The picture of a JPEG file standing upright and fitted into box
// (JpegImage::FitSize: never enlarged); a null image when it does not
// decode as a whole or box is empty.
QImage Load(const std::string& path, QSize box);

}  // namespace SlidePicture
