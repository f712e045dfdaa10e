// Where the program finds its own files and where it keeps the files it
// writes for the user (projects, GPS places, the projects page).
//
// The user's data never lies beside the program: a program or build folder
// is replaced by every update or rebuild and would take the user's places
// and projects with it. It goes to $XDG_DATA_HOME/quillmarsh, or
// $QUILLMARSH_HOME/data when QUILLMARSH_HOME is set. Older runs kept these
// files beside the program; such a file is copied to the data folder once.
#pragma once

#include <string>
#include <vector>

namespace AppFolders {

// The folder of the running executable, without a trailing "/"; read-only
// resources (the language files, the player, templates) lie there. Empty
// when it cannot be told.
std::string ProgramFolder();

// The user's data folder, without a trailing "/", created when missing.
// Empty when it cannot be told or made.
std::string DataFolder();

// The path of the data file name in the data folder. When no entry of that
// name is there but the first existing regular file of olderPaths is (by
// default the file of that name beside the program), that file is copied
// there first, keeping its date; the older file stays. Empty when the data
// folder cannot be had.
std::string DataFile(const std::string& name, const std::vector<std::string>& olderPaths);
std::string DataFile(const std::string& name);

// The folders a file the user may add (a page template, a language file)
// is looked up in, in order: the data folder, then the program's folder.
// Folders that cannot be told are left out.
std::vector<std::string> LookupFolders();

// The first existing regular file relativePath below LookupFolders(); empty
// when there is none.
std::string FindUserFile(const std::string& relativePath);

// Removes what processes of the program that no longer run left in the data
// folder and the private temporary folder: work files and generation
// thumbnails that no running process holds (platform/WorkFile.h). Nothing
// else is touched. Run at start-up and before a generation.
void RemoveLeftovers();

}  // namespace AppFolders
