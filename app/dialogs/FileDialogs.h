// The program's file dialogs, run the one way: each opens where the user's
// work is (DialogFolder: the folder of the photo the main window shows,
// else the folder the dialog was last used in, else the home folder), its
// name field without a folder and its places pane wide enough for their
// names.
#pragma once

#include <string>

class QFileDialog;

namespace FileDialogs {

// The photo the main window shows; empty without one or without the window.
std::string ShownPhoto();

// Gives the places pane of Qt's own dialog the width of its longest name,
// in the language the names are in now.
void FitPlaces(QFileDialog& dialog);

// Shows dialog modally, opened as above. Returns the chosen file, empty
// when the dialog was cancelled; last then becomes the chosen file's folder
// (which a name typed with its folder may have changed).
std::string Choose(QFileDialog& dialog, std::string& last);

}  // namespace FileDialogs
