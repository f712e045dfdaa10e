// TThumbnailListForm: picks one photo of the main window's list from a grid
// of thumbnails, 100 x 75 pixels each, as many columns as the window is wide
// (at least one). Created once and kept: it remembers the pictures it made,
// so reopening it on the same folder remakes only those of changed photos.
// Pictures are made when their cells first show, one at a time between
// events, so the window stays responsive on a large folder.
#pragma once

#include <set>
#include <string>
#include <vector>

#include <QDialog>
#include <QImage>

#include "photos/ThumbListFormCache.h"

class QPainter;
class QPushButton;
class QStyleOptionViewItem;
class QTableView;
class QTimer;

namespace ThumbListForm {
class TGridModel;
}

class TThumbnailListForm : public QDialog {
 public:
  // Restores the window's bounds from "Desktop\ThumbWinPos".
  explicit TThumbnailListForm(QWidget* owner = nullptr);
  ~TThumbnailListForm() override;

  // Shows the thumbnails of fileList (photo names in folder) modally and
  // returns the index of the picked photo, or -1 when cancelled.
  int Pick(const std::string& folder, const std::vector<std::string>& fileList);
  // Sets the captions from the text table (also after a language change).
  void ApplyTexts();

  // The photo of the cell in the grid's current position; -1 for none or a
  // cell beyond the list.
  int CurrentEntry() const;
  // The memory of the pictures made.
  const ThumbListForm::TThumbCache& Cache() const { return cache_; }
  // Paints one cell: its picture, asked for when not made yet.
  void DGDrawCell(QPainter& painter, const QStyleOptionViewItem& option, int entry);

  QTableView* DG;
  // The pictures, one per photo of the list.
  std::vector<QImage> IL;
  QPushButton* OkButton;
  QPushButton* CancelButton;

 protected:
  // Keeps the columns filling the grid's width.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Stores the window's bounds whenever it closes.
  void done(int result) override;

 private:
  void LoadBounds();
  void SaveBounds() const;
  // Lays the list out in as many columns as the grid's width holds, keeping
  // the current photo.
  void UpdateColumns();
  void SelectEntry(int entry);
  void OkButtonClick();
  // Makes the next asked-for picture, then asks for another turn.
  void MakeNextThumbnail();

  ThumbListForm::TThumbCache cache_;
  ThumbListForm::TGridModel* model_;
  QTimer* maker_;
  std::set<int> wanted_;
  bool making_ = false;
};
