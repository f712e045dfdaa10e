// The photo files of one folder, as the main window lists them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace PhotoFolder {

// The full paths of the folder's regular files whose names do not begin
// with "." and end in ".jpg", ".jpeg" or ".exif" (any case), without those
// for which ignored (when given) says true, sorted by name byte for byte;
// subfolders are not entered.
// False, with no paths, when the folder cannot be read.
bool List(const std::string& folder, const std::function<bool(const std::string&)>& ignored,
          std::vector<std::string>& paths);

}  // namespace PhotoFolder
