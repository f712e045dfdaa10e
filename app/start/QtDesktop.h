// The libraries below app know no window toolkit: they show message boxes and
// open documents through functions the program installs. This installs Qt's.
#pragma once

namespace qtdesktop {

// Makes message boxes Qt dialogs and documents open through Qt's desktop
// services (platform/qt). Called at the start of main, before any other
// thread runs; calling it again changes nothing.
void Install();

}  // namespace qtdesktop
