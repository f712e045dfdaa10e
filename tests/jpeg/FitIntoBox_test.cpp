#include <gtest/gtest.h>

#include "metadata/ConvertJPeg.h"

namespace {

struct FitCase {
  int width, height, boundA, boundB;
  int expectedWidth, expectedHeight;
};

TEST(FitIntoBox, Table) {
  const FitCase cases[] = {
      // No bounds: unchanged.
      {3000, 2000, 0, 0, 3000, 2000},
      // One bound, wide picture: the other follows the aspect ratio.
      {3000, 2000, 0, 1600, 2400, 1600},
      {3000, 2000, 1600, 0, 1600, 1067},
      // One bound, tall picture: box first, then height B keeping the ratio.
      {2000, 3000, 0, 1600, 1067, 1600},
      {2000, 3000, 1600, 0, 712, 1067},
      // A square picture counts as tall.
      {1000, 1000, 0, 500, 500, 500},
      // Shrink only: a picture that fits keeps its size, a larger one shrinks.
      {1200, 800, 0, -1600, 1200, 800},
      {3000, 2000, -1600, 0, 1600, 1067},
      {2000, 3000, -1600, 0, 712, 1067},
      {600, 900, -1600, 0, 600, 900},
      // Shrink only with both bounds: a picture that does not fit is stretched.
      {1000, 400, -800, -600, 800, 600},
      // Both bounds: larger bound along the longer side, aspect not kept.
      {3000, 2000, 600, 800, 800, 600},
      {2000, 3000, 800, 600, 600, 800},
      {500, 400, 800, 600, 800, 600},
      {500, 400, -800, -600, 500, 400},
      {700, 700, -800, -600, 600, 800},
      // Halves round to even: 2.5 -> 2, 7.5 -> 8.
      {5, 2, 0, 1, 2, 1},
      {5, 2, 0, 3, 8, 3},
  };
  for (const FitCase& c : cases) {
    int width = c.width;
    int height = c.height;
    ConvertJPeg::FitIntoBox(width, height, c.boundA, c.boundB);
    EXPECT_EQ(width, c.expectedWidth) << c.width << "x" << c.height << " " << c.boundA << "," << c.boundB;
    EXPECT_EQ(height, c.expectedHeight) << c.width << "x" << c.height << " " << c.boundA << "," << c.boundB;
  }
}

}  // namespace
