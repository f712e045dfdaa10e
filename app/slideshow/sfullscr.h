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

  QWidget* Formular;

 private:
  bool fullscreen_ = false;
  QRect bounds_;
  Qt::WindowStates state_;
};
