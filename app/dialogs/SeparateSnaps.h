// TForm5: the separate-snaps dialog, asking for a destination folder and
// whether to move or copy. Created anew for each use.
#pragma once

#include <string>

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TPBFolderDialog;

class TForm5 : public QDialog {
 public:
  explicit TForm5(QWidget* owner = nullptr);

  // Shows the dialog modally with folder in Dir and move choosing MoveFiles
  // (else CopyFiles). On OK: true, folder := Dir, move := MoveFiles checked;
  // on cancel false, both unchanged.
  bool Execute(std::string& folder, bool& move);
  // Sets the captions from the text table.
  void ApplyTexts();

  QLabel* Label1;
  QLineEdit* Dir;
  QPushButton* Button1;
  QGroupBox* GroupBox1;
  QRadioButton* MoveFiles;
  QRadioButton* CopyFiles;
  QPushButton* OKButton;
  QPushButton* CancelButton;
  TPBFolderDialog* SelectDir;

 private:
  // Picks the folder with SelectDir into Dir.
  void Button1Click();
  // Ends the dialog only while Dir names an existing folder.
  void OKButtonClick();
};
