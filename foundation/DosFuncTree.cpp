// Folder trees: creating, emptying, deleting and moving them, and renames.
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"

namespace DosFunc {

namespace {

// The path made absolute, with "\\?\" and a trailing "/" dropped.
std::string Absolute(std::string_view path) {
  const std::string plain = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(path));
  const std::string full = StrFunc::ExpandPath(plain);
  return full == "/" ? full : StrFunc::ExcludeBackslash(full);
}

// The parent folder, or empty at the root.
std::string Parent(const std::string& path) {
  const std::string parent = StrFunc::ExtractDir(path);
  return parent == path ? std::string() : parent;
}

// Removes one entry (its own status in st): a link as a link, a file (its
// write bits do not matter to unlink), a folder with its contents, made
// writable first so its entries can go; with recursive false a folder is
// left alone.
bool RemoveEntry(const std::string& path, const platform::FileStatus& st, bool recursive) {
  if (st.isLink || !st.isDirectory) return platform::RemoveFile(path);
  if (!recursive) return true;
  platform::SetWritable(path, true);
  const bool emptied = DeleteDirContents(path, true);
  platform::RemoveDirectory(path);
  platform::FileStatus after;
  return emptied && !platform::LinkStatPath(path, after);
}

// True when target lies at or below the folder source.
bool IsInside(const std::string& target, const std::string& source) {
  for (std::string p = target; !p.empty(); p = Parent(p)) {
    if (SameFile(p, source)) return true;
  }
  return false;
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
  return RemoveEntry(path, st, true);
}

bool DeleteDirContents(std::string_view dir, bool recursive) {
  if (StrFunc::Trim(dir).empty()) return true;
  if (!DirectoryExistsLong(dir)) return ForceDirectoriesLong(dir);
  const std::string path = SystemPath(dir);
  std::vector<platform::DirEntry> entries;
  if (!platform::ListDirectory(path, entries)) return false;
  bool ok = true;
  for (const platform::DirEntry& e : entries) {
    platform::FileStatus own;
    const std::string child = JoinPath(path, e.name);
    if (!platform::LinkStatPath(child, own)) continue;
    if (!RemoveEntry(child, own, recursive)) ok = false;
  }
  return ok;
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

bool MoveTree(std::string_view source, std::string_view target) {
  const std::string from = SystemPath(Absolute(source));
  const std::string to = SystemPath(Absolute(target));
  platform::FileStatus st;
  if (!platform::LinkStatPath(from, st)) return false;
  if (!st.isDirectory) {
    const std::string dir = Parent(to);
    if (!dir.empty() && !ForceDirectoriesLong(dir)) return false;
    return MoveFileKeepAttrs(from, to, kSourceDate, kSourceAttr);
  }
  if (SameFile(from, to)) return true;
  if (IsInside(to, from) || !ForceDirectoriesLong(to)) return false;
  std::vector<platform::DirEntry> entries;
  if (!SortedListing(from, entries)) return false;
  for (const platform::DirEntry& e : entries) {
    if (e.status.isDirectory && !e.status.isLink) continue;
    if (!MoveFileKeepAttrs(JoinPath(from, e.name), JoinPath(to, e.name), kSourceDate, kSourceAttr))
      return false;
  }
  for (const platform::DirEntry& e : entries) {
    if (!e.status.isDirectory || e.status.isLink) continue;
    if (!MoveTree(JoinPath(from, e.name), JoinPath(to, e.name))) return false;
  }
  // Only an emptied folder goes: whatever appeared meanwhile stays.
  platform::RemoveDirectory(from);
  return true;
}

}  // namespace DosFunc
