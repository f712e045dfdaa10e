// TImgList: the photo list window of the batch actions' statistics. Lists
// the photos with an invalid EXIF date (mode 0), without a GPS position
// (mode 1) or with one (mode 2), shows the selected photo's name, folder,
// thumbnail, date and position with its place name, lets a place from the
// GPS places list be written into it, and opens its position on the map.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class TImgList : public QDialog {
 public:
  enum TMode { kInvalidDates = 0, kWithoutGps = 1, kWithGps = 2 };

  explicit TImgList(QWidget* owner = nullptr);

  // Lists files (full paths, in their order) in mode and shows the window
  // modally.
  void ShowList(const std::vector<std::string>& files, int mode);
  // Sets the captions from the text table.
  void ApplyTexts();
};
