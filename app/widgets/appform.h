// The one-time set-up of the application's windows and the dialog-font fix.
#pragma once

class QWidget;

namespace appform {

// The old dialog font and its replacement. The replacement is registered as
// a substitute for the desktop's own font, which shows Czech letters properly.
inline constexpr const char* kOldDialogFont = "MS Sans Serif";
inline constexpr const char* kNewDialogFont = "MS Shell Dlg";

// Called once by main after every window exists and before the event loop
// (always with false): marks the set-up as done, then fixes the fonts of all
// windows (AutoChangeAppFont(nullptr)).
void InitializeFormApplication(bool flag);

// In the controls of form (labels, buttons, check and radio boxes, lists,
// text and line edits, combo boxes, tab pages, calendars), also in windows
// nested inside it, a font named kOldDialogFont (trimmed, any case) is renamed
// kNewDialogFont; size, style and other fonts stay. With nullptr: in every
// top-level window; called so before the set-up, it first tells the developer
// (appcore::CheckFormApplication).
void AutoChangeAppFont(QWidget* form);

}  // namespace appform
