#include "photos/TargetPath.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"

namespace TargetPath {

namespace {

bool Identity(const std::string& path, platform::FileStatus& st) {
  return !path.empty() && platform::StatPath(DosFunc::ExistingPathLong(path), st);
}

}  // namespace

bool LinkOnTheWay(const std::string& base, const std::string& relDir) {
  std::string level = StrFunc::ExcludeBackslash(base);
  size_t start = 0;
  while (start < relDir.size()) {
    size_t slash = relDir.find('/', start);
    if (slash == std::string::npos) slash = relDir.size();
    if (slash > start) {
      level += "/" + relDir.substr(start, slash - start);
      if (DosFunc::IsReparsePoint(level)) return true;
    }
    start = slash + 1;
  }
  return false;
}

bool Exists(const std::string& path) {
  platform::FileStatus st;
  return !path.empty() && platform::LinkStatPath(DosFunc::ExistingPathLong(path), st);
}

std::string CaseTwin(const std::string& path) {
  platform::FileStatus st;
  if (platform::LinkStatPath(path, st)) return std::string();
  const std::string onDisk = DosFunc::ExistingPathLong(path);
  if (!platform::LinkStatPath(onDisk, st)) return std::string();
  return StrFunc::ExtractName(onDisk) == StrFunc::ExtractName(path) ? std::string() : onDisk;
}

bool SameEntry(const std::string& a, const std::string& b) {
  platform::FileStatus sa, sb;
  return Identity(a, sa) && Identity(b, sb) && sa.device == sb.device && sa.inode == sb.inode;
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
  platform::FileStatus target;
  if (!Identity(folder, target)) return false;
  std::string p = StrFunc::ExcludeBackslash(StrFunc::ExpandPath(path));
  while (!p.empty()) {
    platform::FileStatus st;
    if (Identity(p, st) && st.device == target.device && st.inode == target.inode) return true;
    const std::string parent = StrFunc::ExtractDir(p);
    if (parent == p) break;
    p = parent;
  }
  return false;
}

}  // namespace TargetPath
