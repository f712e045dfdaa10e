#include "app/pickers/ThumbGrid.h"

#include <algorithm>

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

#include "photos/ThumbListFormGrid.h"

namespace ThumbListForm {

void TGridModel::SetShape(int count, int columns) {
  beginResetModel();
  count_ = count;
  columns_ = std::max(1, columns);
  endResetModel();
}

int TGridModel::Entry(const QModelIndex& index) const {
  return index.isValid() ? EntryOfCell(index.row(), index.column(), columns_, count_) : -1;
}

QModelIndex TGridModel::CellOf(int entry) const {
  return entry < 0 || entry >= count_ ? QModelIndex() : index(entry / columns_, entry % columns_);
}

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount(count_, columns_);
}

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  return Entry(index) >= 0 ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

TCellPainter::TCellPainter(QObject* owner, const TGridModel& model, TDrawCell draw)
    : QStyledItemDelegate(owner), model_(model), draw_(std::move(draw)) {}

void TCellPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const int entry = model_.Entry(index);
  if (entry >= 0) draw_(*painter, option, entry);
}

QSize TCellPainter::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {kCellWidth + kGridLineWidth, kCellHeight + kGridLineWidth};
}

void SetUpGrid(QTableView& grid, TGridModel& model, TDrawCell draw) {
  grid.setModel(&model);
  grid.setItemDelegate(new TCellPainter(&grid, model, std::move(draw)));
  for (QHeaderView* header : {grid.horizontalHeader(), grid.verticalHeader()}) {
    header->hide();
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Fixed);
  }
  grid.horizontalHeader()->setDefaultSectionSize(kCellWidth + kGridLineWidth);
  grid.verticalHeader()->setDefaultSectionSize(kCellHeight + kGridLineWidth);
  grid.setShowGrid(false);
  grid.setSelectionMode(QAbstractItemView::SingleSelection);
  grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.setMinimumSize(kCellWidth + kGridLineWidth, kCellHeight + kGridLineWidth);
}

void FollowWidth(QTableView& grid, TGridModel& model) {
  const int columns = ColumnCount(grid.viewport()->width());
  if (columns == model.Columns()) return;
  const int current = model.Entry(grid.currentIndex());
  model.SetShape(model.Count(), columns);
  SelectEntry(grid, model, current);
}

QImage BlankCell() {
  QImage image(kCellWidth, kCellHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void PaintCell(QPainter& painter, const QStyleOptionViewItem& option, const QImage& picture) {
  const QRect cell = option.rect;
  painter.fillRect(cell, option.palette.window());
  painter.drawImage(cell.topLeft() + QPoint(1, 1), picture);
  if (option.state & QStyle::State_Selected) {
    painter.setPen(QPen(option.palette.highlight(), kGridLineWidth));
    painter.drawRect(cell.adjusted(2, 2, -kGridLineWidth, -kGridLineWidth));
  }
}

void SelectEntry(QTableView& grid, const TGridModel& model, int entry) {
  const QModelIndex cell = model.CellOf(entry);
  if (!cell.isValid()) return;
  grid.setCurrentIndex(cell);
  grid.scrollTo(cell);
}

}  // namespace ThumbListForm
