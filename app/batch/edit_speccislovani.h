// Tfrm_specnum: the special renumbering window. Over files named
// prefix_number in a folder (optionally its whole subfolder tree) it
// renumbers from a start number with a step, shifts the numbers from a
// number on, adds or removes one leading digit, or replaces the prefix. The
// work is edit_speccislovani::Run; the window gathers its inputs, asks, and
// tells what went wrong.
#pragma once

#include <string>

#include <QDialog>

#include "photos/renumber/edit_speccislovaniWork.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TPBFolderDialog;

class Tfrm_specnum : public QDialog {
 public:
  explicit Tfrm_specnum(QWidget* owner = nullptr);

  // The batch window's entry: the window over folder with the subfolder
  // choice, shown modally and freed.
  static void Execute(QWidget* owner, const std::string& folder, bool subdirs);

  // Not while a run renames files.
  void reject() override;
  // Sets the fixed captions.
  void ApplyTexts();

  QLabel* Label2;
  QLineEdit* root;
  QPushButton* Button1;
  QCheckBox* subdirs;
  QGroupBox* GroupBox1;
  QLabel* Label1;
  QLineEdit* prefix;
  QLabel* Label10;
  QLabel* Label3;
  QRadioButton* rb_name;
  QRadioButton* rb_time;
  QGroupBox* GroupBox2;
  QLabel* Label9;
  QLineEdit* cislovatod;
  QLabel* Label8;
  QComboBox* lbstep;
  QGroupBox* GroupBox3;
  QRadioButton* rb_byfolder;
  QRadioButton* rb_continue;
  QLabel* Label4;
  QLabel* Label5;
  QPushButton* Button2;
  QGroupBox* GroupBox4;
  QLabel* Label7;
  QLineEdit* zmenaod;
  QLabel* Label11;
  QLineEdit* zmenakrok;
  QLabel* Label12;
  QLabel* Label13;
  QLabel* Label14;
  QLabel* Label15;
  QLabel* Label16;
  QPushButton* Button3;
  QPushButton* Button5;
  QPushButton* Button6;
  QGroupBox* GroupBox5;
  QLabel* Label17;
  QPushButton* Button4;
  QProgressBar* PB;
  TPBFolderDialog* PBFolderDialog1;

 private:
  void Build();
  // rb_byfolder, rb_continue and their notes only count with subfolders.
  void subdirsClick();
  void Button1Click();
  // Checks the edits, asks, runs the mode and reports.
  void RunMode(edit_speccislovani::TMode mode);
  edit_speccislovani::TOptions Options(edit_speccislovani::TMode mode) const;
  edit_speccislovani::TResult RunWithProgress(const edit_speccislovani::TOptions& options);

  bool busy_ = false;
};
