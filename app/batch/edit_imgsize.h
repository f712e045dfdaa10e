// TImgSizeList: the photos of a folder by resolution. Lists every JPEG with
// its aspect ratio, width and height, sorted by one of them, the two common
// wide-screen ratios optionally hidden; the selected photos can be moved
// into another folder keeping their relative subfolders, and one opened in
// the default viewer. The work is edit_imgsize's TResolutionList.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "photos/bysize/edit_imgsizeWork.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class TPBFolderDialog;

namespace edit_imgsize {

// The batch window's entry, after its folder dialog: asks whether to take
// the subfolders, collects the photos of folder with their sizes under wait
// windows, and shows them in the window; tells when there is no photo.
void ShowResolutionList(QWidget* owner, const std::string& folder);

}  // namespace edit_imgsize

class TImgSizeList : public QDialog {
 public:
  // The window over list, which it reads and moves photos of.
  TImgSizeList(QWidget* owner, edit_imgsize::TResolutionList& list);

  // Shows the window over list modally and frees it.
  static void Run(QWidget* owner, edit_imgsize::TResolutionList& list);

  // Not while photos are moved.
  void reject() override;
  // Sets the fixed captions.
  void ApplyTexts();
  // Lists the photos by the chosen order, leaving out those hidden.
  void Fill();
  // The photo index of each line of LB, in line order.
  const std::vector<size_t>& ShownPhotos() const { return shown_; }

  QLabel* Label1;
  QComboBox* razeni;
  QCheckBox* hide160;
  QCheckBox* hide178;
  QListWidget* LB;
  QLabel* imgcount;
  QPushButton* Button1;
  QMenu* PopupMenu1;
  QAction* mnuPresun;
  QAction* Oznaitve1;
  TPBFolderDialog* PBFolderDialog1;

 protected:
  // Ctrl+A in LB selects all lines or clears the selection.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void Oznaitve1Click();
  void mnuPresunClick();
  void LBDblClick();
  // Moves the photos of the selected lines into folder and takes their lines
  // out of LB.
  void MoveSelected(const std::string& folder);
  void ShowCount();

  edit_imgsize::TResolutionList& list_;
  std::vector<size_t> shown_;
  bool busy_ = false;
};
