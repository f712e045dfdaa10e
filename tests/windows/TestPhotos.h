// Photos without EXIF made for a test, of any size.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/jpeg/Bitmap.h"
#include "platform/jpeg/JpegWriter.h"

// A photo of width x height pixels; the seed makes photos of one size differ.
inline void WritePhoto(const std::string& path, int width, int height, int seed = 0) {
  platform::Bitmap picture;
  picture.width = width;
  picture.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c)
        picture.pixels.push_back(static_cast<std::uint8_t>(x * (c + 1) + y * 3 + seed * 50));
  ASSERT_TRUE(platform::WriteJpegFile(picture, path, 90));
}

// A grey photo of width x height growing lighter from top to bottom, or
// with acrossTheWidth from left to right: which part of it a picture shows
// can be read off the picture's edges (line k of n has the grey
// 255 * (k + 0.5) / n).
inline void WriteGradientPhoto(const std::string& path, int width, int height, bool acrossTheWidth = false) {
  platform::Bitmap picture;
  picture.width = width;
  picture.height = height;
  const int lines = acrossTheWidth ? width : height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.pixels.insert(picture.pixels.end(), 3,
                            static_cast<std::uint8_t>((2 * (acrossTheWidth ? x : y) + 1) * 255 / (2 * lines)));
  ASSERT_TRUE(platform::WriteJpegFile(picture, path, 95));
}
