// What the sources of DosFunc share: how a name becomes the path the system
// is given, and how folder entries are read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/DosFunc.h"
#include "platform/FileSystem.h"

namespace DosFunc {

// The long-path rule applied and "\\?\" dropped; when the name does not exist
// as written, each folder level is looked up without regard to case, as far
// as levels are found. The rest stays as written.
std::string SystemPath(std::string_view name);
// SystemPath without trailing "/" (the root stays "/"): the name of the entry
// itself, so that a link is not resolved by a trailing "/".
std::string EntryPath(std::string_view name);
// dir + "/" + name, without doubling a "/"; name alone for an empty dir.
std::string JoinPath(std::string_view dir, std::string_view name);
// A folder's entries sorted by name (upper-cased, then as written). False
// when the folder cannot be read.
bool SortedListing(const std::string& systemDir, std::vector<platform::DirEntry>& entries);
int32_t AttributesOf(const platform::FileStatus& status);
TFoundEntry EntryOf(std::string_view name, const platform::FileStatus& status);
// The entry a system path names (a link: what it points to, faReparsePoint
// set); false when missing.
bool StatEntry(const std::string& systemPath, platform::FileStatus& status);
// The entry of the system folder dir whose name equals name without regard
// to case (StrFunc::UpperCaseCz); the first in sorted order when several do.
enum class CaseLookup { Found, Missing, NoFolder };
CaseLookup LookUpByCase(const std::string& dir, const std::string& name, std::string& found);
// LookUpByCase found one.
bool FindByCase(const std::string& dir, const std::string& name, std::string& found);
// LookUpByCase of a system path's last level in its folder; found is then
// the whole path. NoFolder also for a path without a folder and a name.
CaseLookup LookUpPath(const std::string& path, std::string& found);
// LookUpPath when a TNameRun keeps the names of the path's folder, so the
// kept names answer even for the name as written; else NoFolder.
CaseLookup LookUpKept(const std::string& path, std::string& found);
// Tells the lookup above of a rename just made (system paths), so that a run
// of renames in one folder does not list it again for every name.
void NoteRenamed(const std::string& from, const std::string& to);
// True when both system paths name one file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);
// An existing entry (its own status) that a copy or move may not replace: a
// folder, or a read-only file.
bool IsProtected(const platform::FileStatus& status);
// The path made absolute, with "\\?\" and a trailing "/" dropped.
std::string Absolute(std::string_view path);
// The parent folder, or empty at the root.
std::string Parent(const std::string& path);

}  // namespace DosFunc
