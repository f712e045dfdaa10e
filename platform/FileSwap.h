// File operations that happen whole or not at all, for replacing the
// program's executable and for creating files that must not replace another.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Renames from to to in one step, replacing an existing to: at every moment
// to is either the old or the new file. False when the system refuses.
bool RenameOver(const std::string& from, const std::string& to);

// True when the current user may create and remove files in dir.
bool IsWritableFolder(const std::string& dir);

// True when anything (also a dangling link) exists at path.
bool PathExists(const std::string& path);

// Removes the file (not a folder) at path. False when it could not be removed.
bool RemoveFile(const std::string& path);

// Creates dir and its missing parents with the usual mode (0777 less the
// umask). True when dir exists as a folder afterwards.
bool MakeFolders(const std::string& dir);

// Writes bytes to a new file at path with the given mode (less the umask).
// Fails without touching anything when path already exists, also as a link.
// A file that cannot be written whole is removed again.
bool CreateNewFile(const std::string& path, std::string_view bytes, unsigned mode);

}  // namespace platform
