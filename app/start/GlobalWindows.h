// The windows that live for the whole run, created once at start-up in one
// fixed order from the list in GlobalWindows.cpp, the one place that makes
// them. A window whose turn has come but that is not built yet stays null;
// every user of a global window checks for that.
#pragma once

class QWidget;
class TForm2;
class TForm4;
class TFTPForm;
class TImgList;
class TMainForm;
class TThumbnailListForm;
class TfrmEditStr;
class TfrmGPS;
class TfrmHA;
class TfrmModalGauge;

struct TGlobalWindows {
  TMainForm* MainForm = nullptr;  // not in GPS-set mode
  TfrmHA* frmHA = nullptr;
  TForm2* Form2 = nullptr;  // gallery project settings
  TForm4* Form4 = nullptr;
  TFTPForm* FTPForm = nullptr;
  TThumbnailListForm* ThumbnailListForm = nullptr;
  TfrmGPS* frmGPS = nullptr;
  TImgList* ImgList = nullptr;
  TfrmModalGauge* frmModalGauge = nullptr;
  TfrmEditStr* frmEditStr = nullptr;
};

namespace GlobalWindows {

// The windows while they exist; all null before Create and after Destroy.
const TGlobalWindows& Get();

// Creates the windows in their order, the main window only when gpsSet is
// false. The first window created is the application's main window: the
// others are owned by it, and the program ends when it closes. Returns it.
// REQUIRES: a QApplication exists; no windows exist.
QWidget* Create(bool gpsSet);

// Frees the windows in the reverse order.
void Destroy();

// Sets again the texts of the windows that follow the main window's
// language (batch actions, project settings, rename, FTP, thumbnail list,
// GPS places, photo list), skipping those that do not exist.
void ApplyTexts();

}  // namespace GlobalWindows
