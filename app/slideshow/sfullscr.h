// TFullScreen: turns a window into a borderless one covering the whole
// screen, and back into the window it was.
#pragma once

#include <QRect>

class QWidget;

class TFullScreen {
 public:
  explicit TFullScreen(QWidget* form) : Formular(form) {}

  bool Fullscreen() const { return fullscreen_; }
  // On: keeps the window's bounds and state, then shows it full screen.
  // Off: gives it back its bounds and state. Setting the value it already
  // has does nothing.
  void SetFullscreen(bool on);
  // Asks once more for the whole screen when the shown window does not cover
  // it: a window manager busy at the moment the window was mapped can drop
  // the first request.
  void Reassert();

  QWidget* Formular;

 private:
  bool fullscreen_ = false;
  QRect bounds_;
  Qt::WindowStates state_;
};
