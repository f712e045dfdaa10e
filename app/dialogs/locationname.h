// The one-line name entry of a place to store: callers fill EditStr, run the
// dialog and read EditStr back when it ends with OK. One lives for the whole
// run.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmEditStr : public QDialog {
 public:
  explicit TfrmEditStr(QWidget* owner = nullptr);

  // The caption, the label and the cancel button in the language in force.
  void ApplyTexts();

  QLabel* Label1;
  QLineEdit* EditStr;
  QPushButton* OKButton;
  QPushButton* CancelButton;
};
