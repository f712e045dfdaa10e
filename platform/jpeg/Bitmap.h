// A picture in memory, independent of any UI toolkit.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// 24-bit RGB pixels, rows top to bottom, three bytes a pixel (red, green,
// blue), no padding between rows: pixels.size() == width * height * 3.
// An empty bitmap has width and height 0.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

}  // namespace platform
