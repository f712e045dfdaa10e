// The grid of the thumbnail picker: cells of 100 x 75 pixels with 3-pixel
// grid lines, as many columns as the width holds and never fewer than one,
// entries laid out row by row.
#pragma once

namespace ThumbListForm {

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 75;
constexpr int kGridLineWidth = 3;

// Columns of a grid the given pixels wide: width / 103, at least 1, so a
// window too narrow for one cell still shows one column.
int ColumnCount(int width);

// Rows that hold count entries in columns columns (a column count below 1
// counts as 1).
int RowCount(int count, int columns);

// The entry of a cell: row x columns + column; -1 when the cell lies
// outside the columns or beyond the last of count entries, so it cannot be
// picked.
int EntryOfCell(int row, int column, int columns, int count);

}  // namespace ThumbListForm
