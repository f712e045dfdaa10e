#include "photos/ThumbListFormGrid.h"

#include <algorithm>

namespace ThumbListForm {

int ColumnCount(int width) { return std::max(1, width / (kCellWidth + kGridLineWidth)); }

int RowCount(int count, int columns) {
  const int perRow = std::max(1, columns);
  return count <= 0 ? 0 : (count + perRow - 1) / perRow;
}

int EntryOfCell(int row, int column, int columns, int count) {
  if (row < 0 || column < 0 || column >= columns) return -1;
  const long long index = static_cast<long long>(row) * columns + column;
  return index < count ? static_cast<int>(index) : -1;
}

}  // namespace ThumbListForm
