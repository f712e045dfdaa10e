// Where the program finds its own files and where it keeps the files it
// writes for the user (projects, GPS places, the projects page).
#pragma once

#include <string>

namespace AppFolders {

// The folder of the running executable, without a trailing "/"; read-only
// resources (the language files) lie there. Empty when it cannot be told.
std::string ProgramFolder();

// The folder for the files the program writes beside itself: the program's
// folder when the user may write there (a portable copy), else
// $XDG_DATA_HOME/quillmarsh; $QUILLMARSH_HOME/data when QUILLMARSH_HOME is
// set. Without a trailing "/"; not created here. Empty when no user data
// folder can be told either.
std::string DataFolder();
// The same for a program lying in programFolder.
std::string DataFolderOf(const std::string& programFolder);

}  // namespace AppFolders
