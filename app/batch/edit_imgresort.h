// TImgResort: the resort window. Its first page puts new versions from a
// flat folder back into a sorted folder tree; its second sorts a flat folder
// into a new tree shaped like an existing one, matching whole names or a part
// of the name. The work is edit_imgresort's; the window keeps its choices as
// per-user settings ("gui.imgresort." + a control's key), shows the progress
// and tells what could not be done.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "photos/resort/edit_imgresortWork.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TPBFolderDialog;

class TImgResort : public QDialog {
 public:
  explicit TImgResort(QWidget* owner = nullptr);

  // The batch window's entry: the window shown modally and freed.
  static void Execute(QWidget* owner);

  // Not while a run moves files.
  void reject() override;
  // Sets the fixed captions.
  void ApplyTexts();

  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QLabel* Label4;
  QLineEdit* Edit4;
  QPushButton* Button5;
  QLabel* Label5;
  QLineEdit* Edit5;
  QPushButton* Button6;
  QCheckBox* CheckBox1;
  QPushButton* Button7;

  QWidget* TabSheet2;
  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Button2;
  QLabel* Label3;
  QLineEdit* Edit3;
  QPushButton* Button3;
  QLabel* Label2;
  QLineEdit* Edit2;
  QPushButton* Button4;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QGroupBox* GroupBox1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QGroupBox* GroupBox2;
  QRadioButton* podleft_zleva;
  QRadioButton* podleft_zprava;
  QRadioButton* podleft_fix;
  QLineEdit* podleft_fixlen;
  QRadioButton* podleft_char;
  QLabel* Label6;
  QGroupBox* GroupBox3;
  QRadioButton* podright_Zleva;
  QRadioButton* podright_zprava;
  QRadioButton* podright_fix;
  QLineEdit* podright_fixlen;
  QRadioButton* podright_char;
  QLabel* Label7;
  QPushButton* Button1;

  QProgressBar* PB;
  TPBFolderDialog* PBFolderDialog1;

 private:
  QWidget* BuildUpdatePage();
  QWidget* BuildCopyPage();
  QGroupBox* BuildSide(QGroupBox* group, QRadioButton* left, QRadioButton* right,
                       QRadioButton* fix, QLineEdit* length, QRadioButton* separator,
                       QLabel* note);
  // A choice kept as a Boolean: on checked when true, off when false (none
  // for a check box).
  struct TChoice {
    const char* key;
    QAbstractButton* on;
    QAbstractButton* off;
  };
  // A text kept as it stands.
  struct TText {
    const char* key;
    QLineEdit* edit;
  };
  std::vector<TChoice> Choices() const;
  std::vector<TText> Texts() const;
  void LoadSettings();
  void SaveSettings();
  // Picks folder n into edit, starting where the settings say.
  void Browse(int n, QLineEdit* edit);
  void Button7Click();
  void Button1Click();
  edit_imgresort::TPatternOptions PatternOptions() const;
  // Runs work with the wait window while the files are listed, then the bar;
  // tells what could not be done.
  void RunWithProgress(
      const std::function<edit_imgresort::TResult(const edit_imgresort::TProgress&)>& work);

  bool busy_ = false;
};
