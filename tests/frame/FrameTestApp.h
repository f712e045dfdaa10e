// The QApplication that the widget tests of this suite share; made on first
// use and kept for the whole run.
#pragma once

#include <QApplication>

inline QApplication& FrameTestApp() {
  static int argc = 1;
  static char name[] = "frame_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
