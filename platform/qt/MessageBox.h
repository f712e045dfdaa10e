// The message box as a Qt dialog: what the program installs with
// platform::SetMessageBoxFunction.
#pragma once

#include <string>

#include "platform/MessageBox.h"

namespace platform::qt {

// Shows a modal QMessageBox with no owner window and returns the user's
// answer; the first button is the default, Esc and closing the window give
// the row's EscapeAnswer. Before a QApplication exists it answers as
// MessageToStandardError does.
MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon);

}  // namespace platform::qt
