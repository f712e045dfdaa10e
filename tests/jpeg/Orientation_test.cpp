#include "metadata/Orientation.h"

#include <gtest/gtest.h>

#include <string>

#include "metadata/exif.h"
#include "tests/support/TestSupport.h"

namespace {

// A picture of 3 x 2 pixels whose red channel names each pixel:
//   a b c
//   d e f
platform::Bitmap Letters() {
  platform::Bitmap b;
  b.width = 3;
  b.height = 2;
  for (char c : std::string("abcdef")) b.pixels.insert(b.pixels.end(), {uint8_t(c), 0, 0});
  return b;
}

// The red channels row by row, rows separated by "|".
std::string Rows(const platform::Bitmap& b) {
  std::string rows;
  for (int y = 0; y < b.height; ++y) {
    if (y > 0) rows += '|';
    for (int x = 0; x < b.width; ++x) rows += char(b.pixels[(size_t(y) * size_t(b.width) + size_t(x)) * 3]);
  }
  return rows;
}

TEST(Orientation, EachTagTurnsTheStoredPixelsUpright) {
  // What each orientation's stored "abc|def" shows when stood upright.
  const struct {
    int orientation;
    const char* upright;
  } cases[] = {
      {0, "abc|def"}, {1, "abc|def"},    {2, "cba|fed"},    {3, "fed|cba"},   {4, "def|abc"},
      {5, "ad|be|cf"}, {6, "da|eb|fc"}, {7, "fc|eb|da"}, {8, "cf|be|ad"}, {9, "abc|def"},
  };
  for (const auto& c : cases) {
    platform::Bitmap b = Letters();
    Orientation::TurnUpright(b, c.orientation);
    EXPECT_EQ(Rows(b), c.upright) << c.orientation;
    EXPECT_EQ(b.pixels.size(), 18u);
    int w = 3, h = 2;
    Orientation::UprightSize(c.orientation, w, h);
    EXPECT_EQ(w, b.width) << c.orientation;
    EXPECT_EQ(h, b.height) << c.orientation;
  }
}

TEST(Orientation, TheReaderGivesTheStoredTagAndOneWithoutIt) {
  const struct {
    const char* photo;
    uint16_t orientation;
  } cases[] = {{"orientation_landscape_3.jpg", 3},
               {"orientation_portrait_6.jpg", 6},
               {"Canon_40D.jpg", 1},
               {"Ricoh_Caplio_RR330.jpg", 1}};
  for (const auto& c : cases) {
    TExifReader reader;
    reader.ReadFromFile(testsupport::PhotoPath(c.photo));
    EXPECT_EQ(reader.GetOrientation(), c.orientation) << c.photo;
  }
}

}  // namespace
