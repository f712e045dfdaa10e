// TfrmHA: the batch actions window over a folder tree or a list of files
// and folders. It is the application's main window in GPS-set mode.
#pragma once

#include <string>

#include <QDialog>

class TfrmHA : public QDialog {
 public:
  explicit TfrmHA(QWidget* owner = nullptr);

  // Opens the window on the paths of text, one per line.
  void OpenWithFiles(const std::string& text);
  // Sets the captions from the text table.
  void ApplyTexts();
};
