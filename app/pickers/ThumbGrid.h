// The grid the two thumbnail pickers share: cells of 100 x 75 pixels, as
// many columns as the grid's width holds (photos/ThumbListFormGrid), the
// entries row by row; cells beyond the last entry can be neither selected
// nor picked. The picker paints each cell itself.
#pragma once

#include <functional>

#include <QAbstractTableModel>
#include <QImage>
#include <QStyledItemDelegate>

class QPainter;
class QTableView;

namespace ThumbListForm {

class TGridModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // count entries laid out in columns columns (at least one).
  void SetShape(int count, int columns);
  int Count() const { return count_; }
  int Columns() const { return columns_; }
  // The entry of a cell; -1 for none.
  int Entry(const QModelIndex& index) const;
  QModelIndex CellOf(int entry) const;

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex&, int) const override { return QVariant(); }
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  int count_ = 0;
  int columns_ = 1;
};

// Paints the cells of entries through the picker's function.
using TDrawCell = std::function<void(QPainter&, const QStyleOptionViewItem&, int entry)>;

class TCellPainter : public QStyledItemDelegate {
 public:
  TCellPainter(QObject* owner, const TGridModel& model, TDrawCell draw);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override;

 private:
  const TGridModel& model_;
  TDrawCell draw_;
};

// Sets grid up to show model through a painter calling draw: fixed cells,
// no headers, one selected cell, a vertical scroll bar always there (one
// that came and went would change the columns it leaves room for).
void SetUpGrid(QTableView& grid, TGridModel& model, TDrawCell draw);

// Keeps model's columns filling grid's width and the current entry current;
// call when the grid's viewport was resized.
void FollowWidth(QTableView& grid, TGridModel& model);

// A white cell picture, shown until the entry's own is made.
QImage BlankCell();

// Paints a cell: the window's colour, the picture, and a frame round the
// current cell.
void PaintCell(QPainter& painter, const QStyleOptionViewItem& option, const QImage& picture);

// Makes entry the current cell and scrolls to it; nothing for no entry.
void SelectEntry(QTableView& grid, const TGridModel& model, int entry);

}  // namespace ThumbListForm
