// Moving folder trees. Both trees are walked by open folder handles: each
// level is opened from its parent's handle and never through a link, so a
// link planted at the target side (or swapped in during the move) is never
// entered and nothing outside the two trees is written.
#include <algorithm>
#include <utility>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"

namespace DosFunc {

namespace {

// One folder of a tree being moved: its handles on both sides, its name in
// its parent and the subfolders still to move.
struct MoveLevel {
  platform::Folder from;
  platform::Folder to;
  std::string name;
  std::vector<std::string> subfolders;
  size_t next = 0;
};

// Across file systems: a copy beside the target with the source's date and
// permission bits, renamed over it; then the source goes. The copy is made
// only when the source can go afterwards; should it stay all the same, the
// copy goes again and the move fails.
bool CopyAcross(const platform::Folder& from, const std::string& name,
                const platform::Folder& to) {
  TFile in;
  TReplacementFile out;
  if (!from.IsWritable() || !in.OpenIn(from, name) || !out.CreateIn(to, name) ||
      !in.CopyToSimple(out) || !out.TakeTimeAndMode(in) || !out.Commit())
    return false;
  if (from.RemoveFile(name)) return true;
  to.RemoveFile(name);
  return false;
}

// Moves the file or link name of from to the same name in to, replacing a
// file or link there, never a folder or a read-only file. A rename keeps date
// and permission bits.
bool MoveEntry(const platform::Folder& from, const std::string& name,
               const platform::Folder& to) {
  platform::FileStatus there;
  if (to.StatChild(name, there) && IsProtected(there)) return false;
  if (from.Rename(name, to, name)) return true;
  return platform::LastErrorCrossesFileSystems() && CopyAcross(from, name, to);
}

// Moves the files and links of a level, in name order, and lists its
// subfolders. False at the first entry that cannot move.
bool MoveFiles(MoveLevel& level) {
  std::vector<platform::DirEntry> entries;
  if (!level.from.List(entries)) return false;
  std::sort(entries.begin(), entries.end(),
            [](const platform::DirEntry& a, const platform::DirEntry& b) {
              return a.name < b.name;
            });
  for (const platform::DirEntry& e : entries) {
    if (e.status.isDirectory)
      level.subfolders.push_back(e.name);
    else if (!MoveEntry(level.from, e.name, level.to))
      return false;
  }
  return true;
}

// Opens subfolder name on both sides, making it at the target when missing;
// there it must be a folder itself, not a link to one.
bool Enter(const MoveLevel& parent, const std::string& name, MoveLevel& child) {
  platform::FileStatus st;
  if (!parent.to.StatChild(name, st) && !parent.to.MakeFolder(name)) return false;
  child.name = name;
  return child.from.OpenChild(parent.from, name) && child.to.OpenChild(parent.to, name) &&
         MoveFiles(child);
}

// Moves everything below from into to, keeping the levels in a list rather
// than on the stack. Each emptied source subfolder is removed; one that
// gained entries meanwhile stays, and the move fails.
bool MoveContents(platform::Folder from, platform::Folder to) {
  std::vector<MoveLevel> levels(1);
  levels[0].from = std::move(from);
  levels[0].to = std::move(to);
  if (!MoveFiles(levels[0])) return false;
  while (!levels.empty()) {
    MoveLevel& top = levels.back();
    if (top.next < top.subfolders.size()) {
      MoveLevel child;
      if (!Enter(top, top.subfolders[top.next++], child)) return false;
      levels.push_back(std::move(child));
      continue;
    }
    const std::string name = top.name;
    levels.pop_back();
    if (!levels.empty() && !levels.back().from.RemoveFolder(name)) return false;
  }
  return true;
}

// True when target lies at or below the folder source.
bool IsInside(const std::string& target, const std::string& source) {
  for (std::string p = target; !p.empty(); p = Parent(p)) {
    if (SameFile(p, source)) return true;
  }
  return false;
}

}  // namespace

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
  platform::Folder fromFolder;
  platform::Folder toFolder;
  return fromFolder.Open(from) && toFolder.Open(to) &&
         MoveContents(std::move(fromFolder), std::move(toFolder)) &&
         platform::RemoveDirectory(from);
}

}  // namespace DosFunc
