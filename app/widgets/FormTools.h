// Small helpers the forms share: naming a control, converting texts, and
// holding a form's commands disabled while its work runs. Slots run their
// handlers through SlotGuard.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <QString>

class QAction;
class QWidget;

namespace FormTools {

// Gives widget its name as objectName (the name tests and readers look for).
template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
// The text of the text table by its number.
QString Text(int number);
inline std::string S(const QString& text) { return text.toStdString(); }

// A control's fixed caption, by the control's name.
struct TCaption {
  const char* name;
  const char* text;
};

// Sets each named child of form to its caption: a label's or a button's
// text, a group box's title, a tab page's tab text.
void ApplyCaptions(QWidget& form, const std::vector<TCaption>& captions);

// A control's caption from the text table, by the control's name; a framed
// one (a group box's title) stands between blanks.
struct TTextCaption {
  const char* name;
  int text;
  bool framed = false;
};

// The same with the texts of the table in force.
void ApplyCaptions(QWidget& form, const std::vector<TTextCaption>& captions);

// A browse button (">>") as narrow as its caption allows.
void MakeBrowseButton(QWidget& button);

// Stores the window's "Left", "Top", "Width" and "Height" in section of
// the product's settings in the user's registry.
void SaveBounds(const QWidget& window, const char* section);

// Shows text in a box with the caption and the warning icon and an OK
// button; nothing for an empty text.
void Warn(const std::string& text, const std::string& caption);

// Marks a form busy and disables its commands for the life of the object,
// then gives every widget back the enabled state it had, so that no second
// command starts while events run during the work.
class TBusy {
 public:
  TBusy(bool& busy, const std::vector<QWidget*>& widgets);
  ~TBusy();
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  bool& busy_;
  std::vector<std::pair<QWidget*, bool>> widgets_;
};

// Disables every menu command of window (short-cuts included) for the life
// of the object, then gives each the state it had.
class TActionsOff {
 public:
  explicit TActionsOff(const QWidget& window);
  ~TActionsOff();
  TActionsOff(const TActionsOff&) = delete;
  TActionsOff& operator=(const TActionsOff&) = delete;

 private:
  std::vector<std::pair<QAction*, bool>> actions_;
};

}  // namespace FormTools
