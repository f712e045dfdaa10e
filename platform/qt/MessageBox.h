// The modal message box of the desktop, with a fixed set of button rows.
#pragma once

#include <string>

namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class MessageIcon { Information, Question, Warning, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

// The answer that Esc and closing the window give for a button row: Cancel
// where the row has it, No for Yes/No, Abort for Abort/Retry/Ignore, Ok for Ok.
MessageAnswer EscapeAnswer(MessageButtons buttons);

// Shows a modal message box with no owner window and returns the user's answer;
// the first button is the default. Before a QApplication exists, caption and
// text are written to standard error instead and the row's EscapeAnswer is
// returned.
MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon);

}  // namespace platform
