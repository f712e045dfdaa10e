// The decode check of rewritten photos: a whole decode at 1/8 scale, where a
// truncated or corrupt stream is a failure.
#include "metadata/exifSegment.h"
#include "platform/jpeg/Bitmap.h"
#include "platform/jpeg/JpegReader.h"

bool exif::GetJpegPixelSize(const std::string& fileName, uint32_t& width, uint32_t& height) {
  width = height = 0;
  platform::JpegReader reader;
  platform::Bitmap pixels;
  // The smallest scale whose picture still has a pixel is 1/8.
  if (!reader.OpenFile(fileName) || !reader.Decode(pixels, 1, 1)) return false;
  width = uint32_t(reader.Width());
  height = uint32_t(reader.Height());
  return true;
}
