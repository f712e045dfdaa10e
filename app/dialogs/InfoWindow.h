// The information window: one line telling the user what the program is busy
// with, shown without blocking while the caller works. At most one exists.
#pragma once

#include <string>

#include <QDialog>

class QLabel;

class TInfoWind : public QDialog {
 public:
  explicit TInfoWind(QWidget* owner);

  QLabel* Label1;
};

namespace InfoWindow {

// Shows text in the information window, creating it when none exists
// (centred on the active window), and lets pending events run so that it
// paints. Does nothing before a QApplication exists.
void ShowInfo(const std::string& text);
// Frees the information window when one exists.
void HideInfo();
// The window while it exists, else nullptr.
TInfoWind* Current();

}  // namespace InfoWindow
