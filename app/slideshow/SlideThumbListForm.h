// TSlideThumbListForm: the player's full-screen picker, the thumbnails of
// the project playing in a grid of 100 x 75 cells (the thumbnail picker's
// grid). A thumbnail is taken out of the package when its cell is first
// drawn. OK or a double-click picks a picture, Cancel goes back to the show
// and "Stop" ends it. Closing stores the window's bounds in
// "SlideShow\ThumbWinPos".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QImage>

class QPainter;
class QPushButton;
class QStyleOptionViewItem;
class QTableView;
class TFullScreen;
class TSlideShowPackage;

namespace ThumbListForm {
class TGridModel;
}

class TSlideThumbListForm : public QDialog {
 public:
  // The result of Choose for the Stop button.
  static constexpr int kStop = -2;

  explicit TSlideThumbListForm(QWidget* owner = nullptr);
  ~TSlideThumbListForm() override;

  // One empty slot per show item ("*" + the picture's record entry; its
  // thumbnail is the next entry) of package.
  void Fill(const std::vector<std::string>& items, TSlideShowPackage* package);
  // Shows the picker full screen: the picked picture's index, -1 for
  // Cancel, kStop for Stop.
  int Choose();
  void ApplyTexts();

  // The picture of the current cell; -1 for none.
  int CurrentEntry() const;
  // True once the picture's thumbnail was taken out of the package.
  bool Drawn(int index) const;
  // Paints one cell, taking its thumbnail out of the package first time.
  void DGDrawCell(QPainter& painter, const QStyleOptionViewItem& option, int index);

  QTableView* DG;
  std::vector<QImage> IL;
  QPushButton* OkButton;
  QPushButton* CancelButton;
  QPushButton* BitBtn1;
  std::unique_ptr<TFullScreen> FS;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  struct TSlot {
    uint8_t drawn = 0;
    int32_t entry = -1;
  };

  void OkButtonClick();
  void SaveBounds() const;
  void LoadThumbnail(int index);

  std::vector<TSlot> slots_;
  int last_ = -1;
  TSlideShowPackage* package_ = nullptr;
  ThumbListForm::TGridModel* model_;
};
