// The libraries below app know no window toolkit: they show message boxes,
// open documents, tell what they are busy with and let events run through
// functions the program installs. This installs Qt's.
#pragma once

namespace qtdesktop {

// Makes message boxes Qt dialogs, documents open through Qt's desktop
// services (platform/qt), busy notices show in the information window and
// the event pump run Qt's pending events. Called at the start of main,
// before any other thread runs; calling it again changes nothing.
void Install();

}  // namespace qtdesktop
