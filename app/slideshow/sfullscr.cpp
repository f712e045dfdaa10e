#include "app/slideshow/sfullscr.h"

#include <QScreen>
#include <QWidget>

void TFullScreen::SetFullscreen(bool on) {
  if (on == fullscreen_ || Formular == nullptr) return;
  fullscreen_ = on;
  if (on) {
    state_ = Formular->windowState();
    bounds_ = Formular->geometry();
    Formular->setWindowState((state_ & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    return;
  }
  Formular->setWindowState(state_);
  if (!(state_ & (Qt::WindowMaximized | Qt::WindowFullScreen))) Formular->setGeometry(bounds_);
}

void TFullScreen::Reassert() {
  if (!fullscreen_ || Formular == nullptr || !Formular->isVisible()) return;
  const QScreen* screen = Formular->screen();
  if (screen == nullptr || Formular->frameGeometry() == screen->geometry()) return;
  Formular->setWindowState(Formular->windowState() & ~Qt::WindowFullScreen);
  Formular->setWindowState(Formular->windowState() | Qt::WindowFullScreen);
}
