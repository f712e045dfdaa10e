// TImgList: the photo list window of the batch actions' statistics. Lists
// the photos with an invalid EXIF date (mode 0), without a GPS position
// (mode 1) or with one (mode 2), shows the selected photo's name, folder,
// thumbnail, date and position with its place name, lets a place from the
// GPS places list be written into it, and opens its position on the map.
//
// The work is done by ImageListWork; the window shows what it reads, tells
// why a position was not written, and that a listed photo is gone.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TExifReader;
class TGpsGroup;

class TImgList : public QDialog {
 public:
  enum TMode { kInvalidDates = 0, kWithoutGps = 1, kWithGps = 2 };

  explicit TImgList(QWidget* owner = nullptr);

  // Lists files (full paths, in their order) in mode and shows the window
  // modally. True when a position was written into a photo meanwhile.
  bool ShowList(const std::vector<std::string>& files, int mode);
  // Sets the captions from the text table.
  void ApplyTexts();

  // ShowList without showing the window: the list filled, its first photo
  // selected and shown.
  void Fill(const std::vector<std::string>& files, int mode);
  // Shows the photo at path; an empty path empties every field. A path that
  // no longer holds a file shows only its name and folder, and is told.
  void ShowFile(const std::string& path);
  const std::string& CurrentFile() const { return currentFile_; }

  // --- Handlers -----------------------------------------------------------------
  void LBClick();
  void LBDblClick();
  void Button7Click();
  void MapButtonClick();
  void BitBtn1Click();

  // --- Controls -----------------------------------------------------------------
  QListWidget* LB;
  QLineEdit* FileName;
  QLineEdit* FilePath;
  QLineEdit* FileDateTime;
  QLabel* Img;
  // The decimal position; its degree fields stay hidden.
  TGpsGroup* GPSGroup;
  QLabel* lbLatitude;
  QLineEdit* GoogleSirka;
  QLabel* lbLongitude;
  QLineEdit* GoogleDelka;
  QLabel* lbLocationName;
  QLineEdit* locname;
  QPushButton* Button7;
  QPushButton* MapButton;
  QPushButton* BitBtn1;

 private:
  void Build();
  void Connect();
  std::string SelectedFile() const;
  void ShowThumbnail(const TExifReader& reader);

  std::vector<std::string> files_;
  std::string currentFile_;
  // The main window's thumbnail file too (Main::ThumbnailPath).
  std::string thumbPath_;
  // Of the last place taken, without blanks.
  std::string altitude_;
  int mode_ = kInvalidDates;
  bool written_ = false;  // a position went into a photo since Fill
};
