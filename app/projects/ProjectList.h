// TForm3: the project list dialog. It lists every stored gallery project with
// its photo folder, lets the user pick one to open or delete one. Made for
// one use and freed afterwards (Execute).
#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;
class TForm2;

class TForm3 : public QDialog {
 public:
  // FormCreate: the texts. project is the project window whose current
  // project may not be deleted.
  TForm3(TForm2* project, QWidget* owner = nullptr);

  // Makes the dialog, fills its grid, shows it (PickProject) and frees it;
  // the chosen record number, or -1. A projects file that cannot be read is
  // told.
  static int Execute(TForm2* project, QWidget* owner);
  // Shows the dialog modally; after OK the record of the selected row when
  // its photo folder (trimmed) names an existing folder, else -1.
  int PickProject();
  void ApplyTexts();

  // Handlers.
  // A double click on a row whose folder exists closes with OK.
  void StringGrid1DblClick();
  // A double click on the dialog outside the grid closes with OK.
  void FormDblClick();
  // Deletes the selected project, never the current one (a message says so);
  // the project window's ProjectIndex follows the records that move up. A
  // deletion that fails is told and leaves the list as it was.
  void BitBtn3Click();

  QTableWidget* StringGrid1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The selected row's record number when its folder exists; -1 otherwise.
  int PickableRow() const;
  int SelectedRow() const;

  TForm2* project_;
};
