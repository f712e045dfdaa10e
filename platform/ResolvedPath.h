// A path as the file system sees it, so that two spellings of one folder
// compare equal.
#pragma once

#include <string>

namespace platform {

// path made absolute against the current folder, "." and ".." resolved by
// the text, then the symbolic links of its longest existing part resolved;
// the part that does not exist yet is kept as written. No trailing "/" (the
// root stays "/"). Empty for an empty path or when the current folder
// cannot be had.
std::string ResolvedPath(const std::string& path);

}  // namespace platform
