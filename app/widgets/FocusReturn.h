// A window the program puts up while it works (progress, wait, information)
// takes the keyboard from the window the user was typing in. When it goes,
// the window manager may give the keyboard to no window at all, and the
// user's window would take no keys until it was clicked again. Such a window
// remembers the window and control that had the keyboard when it came up
// and gives the keyboard back to them when it goes.
#pragma once

class QWidget;

namespace FocusReturn {

// From now on, each time window is shown it remembers the active window and
// its focused control (when no other visible window is active, as after a
// dialog that has just closed, its owner's window), and each time it is
// hidden gives the keyboard back to them, unless another window took it
// meanwhile or the remembered one has gone. A window deleted while shown
// must be hidden first.
void Keep(QWidget* window);

}  // namespace FocusReturn
