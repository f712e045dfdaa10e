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

// The middle of the target's shape, evenly cut on both sides, at the
// target's size; a picture of the target's shape is only scaled.
TEST(FillBitmap, CutsTheMiddleOfTheTargetsShape) {
  const struct {
    const char* what;
    platform::Bitmap picture;
    int width, height;
    std::vector<int> levels;
  } cases[] = {
      {"wider: the side columns go", Grey(6, 2, {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6}), 2, 2, {3, 4, 3, 4}},
      {"higher: the top and bottom rows go", Grey(1, 5, {1, 2, 3, 4, 5}), 1, 3, {2, 3, 4}},
      {"the target's shape", Grey(2, 2, {10, 20, 30, 40}), 1, 1, {25}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    platform::Bitmap picture = c.picture;
    ConvertJPeg::FillBitmap(picture, c.width, c.height);
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    EXPECT_EQ(Levels(picture), c.levels);
  }
  // Smaller than the target: enlarged as the stretch enlarges it.
  platform::Bitmap small = Grey(2, 1, {0, 90});
  platform::Bitmap stretched = small;
  ConvertJPeg::FillBitmap(small, 4, 2);
  ConvertJPeg::StretchBitmap(stretched, 4, 2);
  EXPECT_EQ(small.pixels, stretched.pixels);

  platform::Bitmap empty;
  ConvertJPeg::FillBitmap(empty, 2, 1);
  EXPECT_EQ(empty.pixels, std::vector<std::uint8_t>(6, 0));
  platform::Bitmap bitmap = Grey(2, 2, {1, 2, 3, 4});
  ConvertJPeg::FillBitmap(bitmap, 3, 0);
  EXPECT_TRUE(bitmap.pixels.empty());
}

}  // namespace
