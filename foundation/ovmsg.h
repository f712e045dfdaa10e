// The one message box of the user interface, with the program's own button,
// icon and answer codes.
#pragma once

#include <string_view>

namespace ovmsg {

// Button codes (bit flags). The first rule that applies, in the order OK,
// Abort/Retry/Ignore, Retry/Cancel, Yes/No, decides; with none of them the
// box has OK alone. kCancel adds Cancel to OK and to Yes/No.
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kYesNo = 4;
constexpr int kAbortRetryIgnore = 16;
constexpr int kRetryCancel = 32;

// Icon kinds. Any other value gives the question icon when the box has more
// than an OK button, the information icon when it has only OK.
constexpr int kIconWarning = 1;
constexpr int kIconError = 2;

// Answers.
constexpr int kResultOk = 0;
constexpr int kResultCancel = 1;
constexpr int kResultYes = 2;
constexpr int kResultNo = 3;
constexpr int kResultAbort = 4;
constexpr int kResultRetry = 5;
constexpr int kResultIgnore = 6;

}  // namespace ovmsg

// Shows a modal message box and returns the answer (ovmsg::kResult*). Esc and
// closing the window answer Cancel where the box has it, else No, Abort or OK.
// Before the windows are set up it first tells the developer
// (appcore::CheckFormApplication). The box is the one the program installed
// (platform/MessageBox.h); without one the text goes to standard error and the
// Esc answer is returned.
int ovMessageBox(std::string_view text, std::string_view caption, int buttons, int icon);
