// The modal message box, with a fixed set of button rows. Showing a window
// needs a toolkit this layer does not know, so the program installs the box
// it shows at start-up. Until then, and in programs without windows (tests,
// fuzz targets, tools), the message goes to standard error instead.
#pragma once

#include <string>

namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class MessageIcon { Information, Question, Warning, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

// The answer that Esc and closing the window give for a button row: Cancel
// where the row has it, No for Yes/No, Abort for Abort/Retry/Ignore, Ok for Ok.
MessageAnswer EscapeAnswer(MessageButtons buttons);

// Shows a modal message box with no owner window and returns the user's
// answer; the first button is the default.
using MessageBoxFunction = MessageAnswer (*)(const std::string& text, const std::string& caption,
                                            MessageButtons buttons, MessageIcon icon);

// Makes ShowMessageBox hand on to show; nullptr removes it. Meant for
// start-up, before any other thread runs.
void SetMessageBoxFunction(MessageBoxFunction show);

// Shows the box through the installed function. Without one it writes
// "caption: text" and a line break to standard error and returns the row's
// EscapeAnswer (MessageToStandardError).
MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon);

// The box of a program without windows: "caption: text" and a line break on
// standard error; returns EscapeAnswer(buttons).
MessageAnswer MessageToStandardError(const std::string& text, const std::string& caption,
                                     MessageButtons buttons);

}  // namespace platform
