// TPBFolderDialog: picks a folder with the desktop's folder dialog, adding a
// "New folder" button, captions in the program's language and a status line
// that shows the highlighted folder. A form holds one; callers set Folder,
// call Execute and read Folder back when it returns true.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QObject>

class QWidget;

class TPBFolderDialog : public QObject {
 public:
  // Flags: the status line shows the highlighted folder.
  static constexpr unsigned ShowPath = 0x4;

  // Freed with owner; the dialog opens over owner's window.
  explicit TPBFolderDialog(QWidget* owner);

  // The starting folder on entry; the chosen one after a confirmed Execute.
  // When it names no existing folder (or is relative), the dialog opens as
  // the file dialogs do (FileDialogs): in the folder of the photo shown,
  // else in the folder this dialog chose last, else in the home folder.
  std::string Folder;
  unsigned Flags = ShowPath;
  bool NewFolderVisible = false;
  // The button can be pressed (while a folder is highlighted).
  bool NewFolderEnabled = false;

  // Button width at 96 dots per inch; a value of 0 or less sets 75.
  int NewFolderWidth() const { return newFolderWidth_; }
  void SetNewFolderWidth(int width);

  // "locale=text" entries, the locale a Windows locale id as four upper-case
  // hexadecimal digits ("0407"), or "Default". The captions are picked for
  // the language in force: its entry, else "Default". The lists a dialog
  // starts with hold the captions of a few languages and, as "Default", the
  // text table's. A list set in their place is picked from as it stands; an
  // empty one keeps the caption picked before.
  std::vector<std::string> LabelCaptions() const;
  void SetLabelCaptions(const std::vector<std::string>& list);
  std::vector<std::string> NewFolderCaptions() const;
  void SetNewFolderCaptions(const std::vector<std::string>& list);
  // The captions picked now: the text over the folders and the button's
  // (also the name prompt's) caption.
  std::string LabelCaption() const;
  std::string NewFolderCaption() const;

  // Shows the dialog modally. True with Folder set to the chosen folder;
  // false on cancel, Folder then unchanged.
  bool Execute();

 private:
  // A caller's own list, or none for the starting one; and the caption an
  // empty list keeps.
  struct TCaptions {
    bool own = false;
    std::vector<std::string> list;
    std::string kept;
  };

  QWidget* owner_;
  std::string last_;
  int newFolderWidth_ = 75;
  TCaptions labelCaptions_;
  TCaptions newFolderCaptions_;
};

namespace PBFolderDialog {

// The language in force as the caption lists name it ("0405").
std::string LanguageKey();

// The value of the list's entry named key (any case); else of "Default";
// else of the first entry; an empty list gives current.
std::string PickCaption(const std::vector<std::string>& list, std::string_view key,
                        const std::string& current);

// A path cut to fit limit characters for the status line:
//  - a path that fits, a limit below 6, or a path with fewer than two "/"
//    after its second character is cut to the limit;
//  - otherwise its first "/" (for "//server/": up to the "/" after the
//    server), "..." and as many of its last components as fit after a "/";
//  - when even the last component does not fit, that text cut to limit - 3
//    characters and "...".
std::string ShortenPath(std::string_view path, int limit = 50);

// The folder a new folder's name stands for: name joined to path with one
// "/" between them.
std::string JoinNewFolder(std::string_view path, std::string_view name);

}  // namespace PBFolderDialog
