// The wait window: a message over a bar, or over a line of text naming the
// item at work, with an optional second bar below. The caller creates it for
// one long operation, steps it between units of work and frees it; the user
// cannot close it. Several open at once stand one below another.
#pragma once

#include <memory>
#include <string>

#include <QDialog>

class QLabel;
class QProgressBar;

class TfrmWait : public QDialog {
 public:
  // The message label's width before any widening.
  static constexpr int kInfoWidth = 441;
  // Widening never goes past this.
  static constexpr int kMaxNeededWidth = 1024;
  // Offset of each further open wait window.
  static constexpr int kCascadeStep = 10;

  // Setup(message, "", secondMax, firstMax): shown at once.
  TfrmWait(const std::string& message, int secondMax, int firstMax);
  // Frees the owned object and leaves the count of open wait windows.
  ~TfrmWait() override;

  // Lays the window out for one operation and shows it:
  //  - firstMax 0 with secondMax at least 1: the first bar takes secondMax
  //    and the second bar stays hidden;
  //  - a lineText (trimmed) not empty replaces the first bar by the line
  //    PTLine, whose text each Step sets;
  //  - the message label widens to (characters x (font size - 2)) pixels of
  //    the message or of lineText, whichever is more, at most 1024;
  //  - a message of one character repeated from "x", "X", "w", "W", "."
  //    only reserves that width and shows nothing;
  //  - PB2 is shown when secondMax > 0; the caller moves it itself.
  // Centred on the screen; the n-th open wait window (n > 1) moves 10 x n
  // pixels right and (10 + height) x n down.
  void Setup(const std::string& message, const std::string& lineText, int secondMax,
             int firstMax);
  // Shows the window when hidden; advances PB up to its maximum, sets the
  // line's text, puts PB2 back to 0 (each only when shown), then lets pending
  // events run. A line wider than the window is shortened in its middle,
  // whole in its tip.
  void Step(const std::string& lineText);

  // An object that is freed with the window (replacing any before).
  void SetOwnedObject(std::shared_ptr<void> object);
  // Wait windows open now.
  static int OpenCount();

  QLabel* info;
  QProgressBar* PB;
  QLabel* PTLine;
  QProgressBar* PB2;

 protected:
  // The user cannot close a wait window, neither by its frame nor by Esc.
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void Widen(const std::string& message, const std::string& lineText);
  void ShowLine(const std::string& lineText);
  void PlaceOnScreen();

  int cascade_ = 0;  // this window's number among the open ones
  std::shared_ptr<void> owned_;
};
