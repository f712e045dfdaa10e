// The progress window: a line of text over a bar, without a border, shown
// (not modally) by the caller while it works and stepped between units of
// work. One lives for the whole run.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QProgressBar;

class TfrmModalGauge : public QDialog {
 public:
  // Shown centred on owner (the main window).
  explicit TfrmModalGauge(QWidget* owner = nullptr);

  // Bar at 0 of n.
  void SetMax(int n);
  void SetInfo(const std::string& text);
  // One step forward, then pending events run so that the window paints; at
  // the maximum nothing happens.
  void Step();

  QLabel* FInfo;
  QProgressBar* PB;
};
