// Launchers to the program in the user's special folders: freedesktop
// ".desktop" files, so that file managers offer the program for photos and
// folders ("Open With"), on the desktop or in the menus.
#pragma once

#include <string>
#include <vector>

namespace links {

// Places a launcher can go to.
constexpr int kPlaceDesktop = 0;    // also any value not listed here
constexpr int kPlaceStartMenu = 1;  // the applications menu
constexpr int kPlaceFavourites = 2; // no such folder on Linux: nothing is created
constexpr int kPlaceStartup = 3;    // started at log-in
constexpr int kPlaceSendTo = 4;     // "Open With" only, not shown in menus

// The launcher's file in the place's folder: name, with ".desktop" appended
// unless its extension already is "desktop" in any case. Empty when the name
// is empty or holds "/", or the place has no folder.
std::string ShortcutPath(const std::string& name, int place);

// The text of a launcher named name that starts target with args and the
// chosen files and folders, in target's folder.
std::string DesktopEntryText(const std::string& name, const std::string& target,
                             const std::vector<std::string>& args,
                             const std::string& description, bool onlyInOpenWith);

// Writes the launcher, creating the place's folder when missing. An existing
// file of that name is never replaced: the result is then false, as it is
// when the launcher cannot be written.
bool CreateShortcut(const std::string& name, const std::string& target,
                    const std::vector<std::string>& args, const std::string& description,
                    int place);

// Deletes the launcher of that name in the place's folder; reports nothing.
void DeleteShortcut(const std::string& name, int place);

// The path of a special folder by the shell's folder number: 0 and 16 the
// desktop, 2 and 9 the applications folder, 7 the autostart folder; empty for
// any other number.
std::string GetSpecialFolderPath(int shellFolderId);

}  // namespace links
