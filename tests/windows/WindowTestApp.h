// The QApplication the window tests share, with the program's Qt message
// boxes and document opener installed as main() installs them.
#pragma once

#include "app/start/QtDesktop.h"
#include "tests/frame/FrameTestApp.h"

inline QApplication& WindowTestApp() {
  QApplication& app = FrameTestApp();
  qtdesktop::Install();
  return app;
}
