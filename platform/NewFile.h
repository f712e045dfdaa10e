// Files written only where none exists yet, and whether a folder takes new
// files at all.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes bytes to a new file at path (mode 0666 less the umask). Fails
// without touching anything when path already exists, also as a link. A file
// that cannot be written whole is removed again.
[[nodiscard]] bool WriteNewFile(const std::string& path, std::string_view bytes);

// True when the current user may create and remove files in dir.
bool IsWritableFolder(const std::string& dir);

}  // namespace platform
