// Checks made before a tool writes a file into a folder tree: that no level
// below the chosen folder is a symbolic link (which would carry the write
// out of the tree), that a name is not taken by a file whose name differs
// only in case (two files on Linux, one name on Windows), and
// whether two paths name one file.
#pragma once

#include <string>

namespace TargetPath {

// True when a level of relDir, a "/"-separated folder path below base, is a
// symbolic link. base itself is the user's choice and is not checked. An
// empty relDir has no levels.
bool LinkOnTheWay(const std::string& base, const std::string& relDir);

// True when an entry (a link too) has this name as written or, failing
// that, in another case, the way the program looks names up. "*" and "?"
// are characters of the name here, never wildcards.
bool Exists(const std::string& path);

// The path of an existing entry in path's folder whose name differs from
// path's name only in case; empty when path exists as written or no entry
// of that name exists in any case.
std::string CaseTwin(const std::string& path);

// True when both paths name one existing entry (a link: what it points to).
bool SameEntry(const std::string& a, const std::string& b);

// True when path is folder or lies below it, told by the identity of the
// folders on path's way up, so another spelling of folder counts too.
bool IsInsideFolder(const std::string& path, const std::string& folder);

}  // namespace TargetPath
