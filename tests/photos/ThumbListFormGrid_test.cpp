#include "photos/ThumbListFormGrid.h"

#include <gtest/gtest.h>

namespace {

using namespace ThumbListForm;

TEST(ThumbnailGrid, ColumnsFollowTheWidthButNeverDropBelowOne) {
  struct Case {
    int width, columns;
  };
  const Case cases[] = {{618, 6}, {617, 5}, {103, 1}, {102, 1}, {0, 1}, {-5, 1}};
  for (const Case& c : cases) EXPECT_EQ(ColumnCount(c.width), c.columns) << c.width;
}

TEST(ThumbnailGrid, ThirteenPhotosInSixColumnsFillThreeRowsAndTheRestCannotBePicked) {
  EXPECT_EQ(RowCount(13, 6), 3);
  EXPECT_EQ(RowCount(12, 6), 2);
  EXPECT_EQ(RowCount(0, 6), 0);
  EXPECT_EQ(RowCount(13, 0), 13);
  EXPECT_EQ(EntryOfCell(2, 0, 6, 13), 12);
  for (int column = 1; column < 6; ++column) EXPECT_EQ(EntryOfCell(2, column, 6, 13), -1);
  EXPECT_EQ(EntryOfCell(1, 5, 6, 13), 11);
  EXPECT_EQ(EntryOfCell(0, 6, 6, 13), -1);
  EXPECT_EQ(EntryOfCell(-1, 0, 6, 13), -1);
}

}  // namespace
