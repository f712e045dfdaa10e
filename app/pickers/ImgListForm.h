// TImageListForm: picks one photo of the main window's list from a table of
// date, time and comment. Created for each use.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QPushButton;
class QTableWidget;

class TImageListForm : public QDialog {
 public:
  // Column widths and row height of the table, in pixels.
  static constexpr int kDateWidth = 77;
  static constexpr int kTimeWidth = 64;
  static constexpr int kTextWidth = 405;
  static constexpr int kRowHeight = 16;

  explicit TImageListForm(QWidget* owner = nullptr);

  // The main window's entry: shows displayList (each text date + "|" + time
  // + "|" + comment) in a window over owner and returns the index of the
  // picked entry, or -1 when the window was cancelled or the list is empty.
  static int Pick(QWidget* owner, const std::vector<std::string>& displayList);

  // Fills the table, one row per display text, the first row selected.
  void Fill(const std::vector<std::string>& displayList);
  // Sets the captions from the text table.
  void ApplyTexts();
  // The selected row; -1 with none.
  int SelectedRow() const;

  QTableWidget* SG;
  QPushButton* OkButton;
  QPushButton* CancelButton;

 protected:
  // Enter in the table picks the selected row.
  bool eventFilter(QObject* watched, QEvent* event) override;
};
