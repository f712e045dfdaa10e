#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "metadata/ConvertJPeg.h"

namespace {

// A bitmap whose pixels are all grey levels given row by row.
platform::Bitmap Grey(int width, int height, const std::vector<int>& levels) {
  platform::Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  for (int level : levels) {
    bitmap.pixels.insert(bitmap.pixels.end(), 3, static_cast<std::uint8_t>(level));
  }
  return bitmap;
}

// The red channel of each pixel.
std::vector<int> Levels(const platform::Bitmap& bitmap) {
  std::vector<int> levels;
  for (std::size_t i = 0; i < bitmap.pixels.size(); i += 3) {
    levels.push_back(bitmap.pixels[i]);
  }
  return levels;
}

TEST(StretchBitmap, ShrinkingAveragesTheCoveredArea) {
  platform::Bitmap row = Grey(3, 1, {0, 90, 180});
  ConvertJPeg::StretchBitmap(row, 2, 1);
  EXPECT_EQ(Levels(row), (std::vector<int>{30, 150}));

  platform::Bitmap checker = Grey(4, 4, {0, 255, 0, 255, 255, 0, 255, 0,
                                         0, 255, 0, 255, 255, 0, 255, 0});
  ConvertJPeg::StretchBitmap(checker, 2, 2);
  EXPECT_EQ(Levels(checker), (std::vector<int>{128, 128, 128, 128}));
}

TEST(StretchBitmap, EnlargingInterpolatesBetweenPixelCentres) {
  platform::Bitmap row = Grey(2, 1, {0, 200});
  ConvertJPeg::StretchBitmap(row, 4, 1);
  EXPECT_EQ(Levels(row), (std::vector<int>{0, 50, 150, 200}));
}

TEST(StretchBitmap, ChangesAspectAndKeepsColours) {
  platform::Bitmap bitmap;
  bitmap.width = 3;
  bitmap.height = 2;
  for (int i = 0; i < 6; ++i) {
    bitmap.pixels.insert(bitmap.pixels.end(), {200, 100, 7});
  }
  ConvertJPeg::StretchBitmap(bitmap, 7, 5);
  ASSERT_EQ(bitmap.width, 7);
  ASSERT_EQ(bitmap.height, 5);
  ASSERT_EQ(bitmap.pixels.size(), 7u * 5 * 3);
  for (std::size_t i = 0; i < bitmap.pixels.size(); i += 3) {
    EXPECT_EQ(bitmap.pixels[i], 200);
    EXPECT_EQ(bitmap.pixels[i + 1], 100);
    EXPECT_EQ(bitmap.pixels[i + 2], 7);
  }
}

TEST(StretchBitmap, EmptyAndZeroSizes) {
  platform::Bitmap empty;
  ConvertJPeg::StretchBitmap(empty, 2, 3);
  EXPECT_EQ(empty.width, 2);
  EXPECT_EQ(empty.height, 3);
  EXPECT_EQ(empty.pixels, std::vector<std::uint8_t>(18, 0));

  platform::Bitmap bitmap = Grey(2, 2, {1, 2, 3, 4});
  ConvertJPeg::StretchBitmap(bitmap, 0, 5);
  EXPECT_EQ(bitmap.width, 0);
  EXPECT_EQ(bitmap.height, 0);
  EXPECT_TRUE(bitmap.pixels.empty());
}

}  // namespace
