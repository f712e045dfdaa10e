// Where the program's file and folder dialogs open: where the user's work
// is. None opens in the folder the program was started from, which is only
// where a terminal or a launcher happened to stand; nor does a relative
// path count, as the system would take it from that folder.
#pragma once

#include <string>

namespace DialogFolder {

// True when folder is an absolute path of an existing folder.
bool Usable(const std::string& folder);

// The folder a dialog opens in: the folder of shownPhoto (the photo the main
// window shows, empty for none), else last (the folder the dialog was last
// used in), else the user's home folder, the first of them that is usable;
// "/" when none is. The folder as it is on disk, without a trailing "/".
std::string StartFolder(const std::string& shownPhoto, const std::string& last);

}  // namespace DialogFolder
