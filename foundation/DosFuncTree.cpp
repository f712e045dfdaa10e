// Folder trees: creating, emptying and deleting them, and renames.
#include <utility>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"

namespace DosFunc {

namespace {

// One folder of a tree being emptied: its handle, its name in its parent and
// the subfolders still to go.
struct DeleteLevel {
  platform::Folder folder;
  std::string name;
  std::vector<std::string> subfolders;
  size_t next = 0;
};

// Removes the files and links of a level and, with recursive, lists its
// subfolders. False when an entry could not go.
bool RemoveFiles(DeleteLevel& level, bool recursive) {
  std::vector<platform::DirEntry> entries;
  if (!level.folder.List(entries)) return false;
  bool ok = true;
  for (const platform::DirEntry& e : entries) {
    if (!e.status.isDirectory)
      ok = level.folder.RemoveFile(e.name) && ok;
    else if (recursive)
      level.subfolders.push_back(e.name);
  }
  return ok;
}

// Empties an open folder; with recursive its subfolders go too, each made
// writable for its owner first so its entries can go. Every level is opened
// from its parent's handle, never through a link. The levels are kept in a
// list rather than on the stack: a tree deeper than the descriptors allow
// makes the call fail, never overflow.
bool EmptyFolder(platform::Folder folder, bool recursive) {
  std::vector<DeleteLevel> levels(1);
  levels[0].folder = std::move(folder);
  bool ok = RemoveFiles(levels[0], recursive);
  while (!levels.empty()) {
    DeleteLevel& top = levels.back();
    if (top.next < top.subfolders.size()) {
      DeleteLevel child;
      child.name = top.subfolders[top.next++];
      if (child.folder.OpenChild(top.folder, child.name)) {
        child.folder.MakeWritable();
        ok = RemoveFiles(child, true) && ok;
        levels.push_back(std::move(child));
      } else {
        // No longer a folder (a link swapped in): it goes as what it is now.
        ok = top.folder.RemoveFile(child.name) && ok;
      }
      continue;
    }
    const std::string name = top.name;
    levels.pop_back();
    if (!levels.empty()) ok = levels.back().folder.RemoveFolder(name) && ok;
  }
  return ok;
}

bool DeviceOf(std::string_view path, uint64_t& device) {
  for (std::string p = Absolute(path); !p.empty(); p = Parent(p)) {
    platform::FileStatus st;
    if (platform::StatPath(SystemPath(p), st)) {
      device = st.device;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ForceDirectoriesLong(std::string_view path) {
  if (StrFunc::Trim(path).empty()) return false;
  // Climb to the first level that exists, then create the missing ones
  // downwards; a loop, so no path can exhaust the stack.
  std::vector<std::string> missing;
  std::string p = Absolute(path);
  while (!p.empty() && !DirectoryExistsLong(p)) {
    missing.push_back(p);
    p = Parent(p);
  }
  if (p.empty()) return false;
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!CreateDirLong(*it) && !DirectoryExistsLong(*it)) return false;
  }
  return true;
}

bool DeleteFileOrDir(std::string_view name) {
  if (StrFunc::Trim(name).empty()) return false;
  const std::string path = EntryPath(name);
  platform::FileStatus st;
  if (!platform::LinkStatPath(path, st)) return false;
  if (st.isLink || !st.isDirectory) return platform::RemoveFile(path);
  platform::Folder folder;
  if (!folder.Open(path)) return false;
  folder.MakeWritable();
  const bool emptied = EmptyFolder(std::move(folder), true);
  platform::RemoveDirectory(path);
  return emptied && !platform::LinkStatPath(path, st);
}

bool DeleteDirContents(std::string_view dir, bool recursive) {
  if (StrFunc::Trim(dir).empty()) return true;
  const std::string path = EntryPath(dir);
  platform::FileStatus st;
  if (!platform::LinkStatPath(path, st)) return ForceDirectoriesLong(dir);
  platform::Folder folder;
  return folder.Open(path) && EmptyFolder(std::move(folder), recursive);
}

bool IsDirectoryEmpty(std::string_view dir, bool recursive) {
  const std::string path = SystemPath(dir);
  std::vector<platform::DirEntry> entries;
  if (dir.empty() || !platform::ListDirectory(path, entries)) return false;
  for (const platform::DirEntry& e : entries) {
    if (!recursive || !e.status.isDirectory || e.status.isLink) return false;
    if (!IsDirectoryEmpty(JoinPath(path, e.name), true)) return false;
  }
  return true;
}

void RemoveEmptyParents(std::string_view path, std::string_view stopFolder) {
  DeleteFileOrDir(path);
  const std::string stop = StrFunc::LowerCaseCz(StrFunc::ExcludeBackslash(stopFolder));
  std::string parent = Parent(StrFunc::ExcludeBackslash(path));
  while (!parent.empty() && DirectoryExistsLong(parent) && IsDirectoryEmpty(parent, false) &&
         StrFunc::LowerCaseCz(parent) != stop) {
    DeleteFileOrDir(parent);
    parent = Parent(parent);
  }
}

namespace {

// True when no entry of the folder of path has its name in any letter case
// (the folder must exist as written).
bool IsFreeName(const std::string& path) {
  std::string found;
  return LookUpPath(path, found) == CaseLookup::Missing;
}

bool RenameResolvingCase(std::string_view oldName, std::string_view newName) {
  const std::string from = SystemPath(oldName);
  const std::string asWritten = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(newName));
  const std::string existing = SystemPath(newName);
  platform::FileStatus st;
  std::string to = existing;
  if (platform::LinkStatPath(existing, st)) {
    // The new name is taken: only a change of case of the same entry may go on.
    if (existing != from) return false;
    if (asWritten == from) return true;
    to = JoinPath(StrFunc::ExtractDir(existing), StrFunc::ExtractName(asWritten));
  }
  if (!platform::RenameNoReplace(from, to)) return false;
  NoteRenamed(from, to);
  return true;
}

}  // namespace

bool RenameFileLong(std::string_view oldName, std::string_view newName) {
  if (StrFunc::Trim(oldName).empty() || StrFunc::Trim(newName).empty()) return false;
  // Most renames go to a name free in every letter case from a name written
  // as it stands on disk: one call does them. Anything else is looked up.
  const std::string to = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(newName));
  if (IsFreeName(to)) {
    const std::string from = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(oldName));
    if (platform::RenameNoReplace(from, to)) {
      NoteRenamed(from, to);
      return true;
    }
  }
  return RenameResolvingCase(oldName, newName);
}

bool SameVolume(std::string_view a, std::string_view b) {
  uint64_t da = 0, db = 0;
  return DeviceOf(a, da) && DeviceOf(b, db) && da == db;
}

}  // namespace DosFunc
