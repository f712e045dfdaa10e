// The one-line name entry ("Location"): callers fill EditStr, run the dialog
// and read EditStr back when it ends with OK. One lives for the whole run.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TfrmEditStr : public QDialog {
 public:
  explicit TfrmEditStr(QWidget* owner = nullptr);

  QLineEdit* EditStr;
  QPushButton* OKButton;
};
