// The optional UTF-8 file-name library "morvask.so", loaded at start when it
// lies in the program's own folder. Nothing in the program calls it.
#pragma once

#include <string>

namespace morvask {

// The library's file name.
inline const std::string kLibraryName = "morvask.so";

// Start-up step: frees a library loaded before, then loads programDir's
// morvask.so when present. Only that folder counts, never the system's search
// path. True when the library is loaded.
bool Load(const std::string& programDir);
// Shut-down step: frees the library.
void Free();
bool IsLoaded();

}  // namespace morvask
