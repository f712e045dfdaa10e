// The user's and the system's special folders after the XDG base directory
// and user-dirs conventions. When QUILLMARSH_HOME is set, every per-user
// folder lies below it instead (tests).
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class SpecialFolder {
  Desktop,       // XDG_DESKTOP_DIR of user-dirs.dirs, else ~/Desktop
                 //   ($QUILLMARSH_HOME/desktop)
  Applications,  // launchers: $XDG_DATA_HOME/applications
                 //   ($QUILLMARSH_HOME/applications)
  Autostart,     // launchers started at log-in: $XDG_CONFIG_HOME/autostart
                 //   ($QUILLMARSH_HOME/autostart)
  UserData,      // $XDG_DATA_HOME, else ~/.local/share ($QUILLMARSH_HOME/data)
  SystemData,    // the first folder of $XDG_DATA_DIRS, else /usr/local/share
  Programs,      // where add-on programs are installed: /opt
};

// The folder's absolute path without a trailing "/"; empty when it cannot be
// told (no home folder). The folder need not exist.
std::string SpecialFolderPath(SpecialFolder folder);

// The user's home folder ($HOME when it holds an absolute path) without a
// trailing "/"; empty when there is none. QUILLMARSH_HOME does not replace
// it: the program writes nothing there, it is where the user's files are.
std::string HomeFolder();

// The value of XDG_DESKTOP_DIR in the text of a user-dirs.dirs file, with a
// leading "$HOME" replaced by home; empty when the text does not set it or
// sets it to something other than an absolute or "$HOME/" path.
std::string ParseDesktopDir(std::string_view userDirsText, std::string_view home);

}  // namespace platform
