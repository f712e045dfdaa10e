// The words by which the settings library names the registry roots.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/winregcore.h"

namespace cfgtoolscore {

// "CURRENT_USER", "LOCAL_MACHINE", ...
std::string RootWord(winregcore::HKey root);
// "-currentuser", "-localmachine", ...
std::string SwitchWord(winregcore::HKey root);
// The current user's and the current configuration's roots.
bool IsUserRoot(winregcore::HKey root);
// The root named by the text before the first "\" (trimmed, any letter
// case); only "CLASSES_ROOT", "CURRENT_USER", "LOCAL_MACHINE", "USERS" and
// "CURRENT_CONFIG" are accepted.
bool ParseRootWord(std::string_view keyName, winregcore::HKey& root);

}  // namespace cfgtoolscore
