// TAboutBox: the program's name, version and web links.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TURLLabel;

class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* owner = nullptr);

  // Creates the about box over owner, shows it modally and frees it.
  static void ShowAbout(QWidget* owner);
  // Sets the captions from the text table.
  void ApplyTexts();

  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  TURLLabel* HomePage;
  QLabel* Translations;
  TURLLabel* Translators;
  QPushButton* OKButton;
};
