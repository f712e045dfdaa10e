// TForm4: the rename dialog, asking for a file name pattern, a first number
// and a step. One lives for the whole run; its texts follow the language.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm4 : public QDialog {
 public:
  explicit TForm4(QWidget* owner = nullptr);

  // Shows the dialog modally. On OK: true, name from FName and the numbers
  // from FromID and Step; on cancel false, the out values unchanged.
  bool Execute(std::string& name, int& firstNumber, int& step);
  // Sets the captions from the text table.
  void ApplyTexts();

  QLabel* Label1;
  QLineEdit* FName;
  QLabel* Label2;
  QLineEdit* FromID;
  QLabel* Label3;
  QLineEdit* Step;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  // OK is refused, with a message, while the name is not one plain part of
  // a file name (BatchMenu::IsPlainNamePart) or a number field does not
  // hold a number.
  void accept() override;
};
