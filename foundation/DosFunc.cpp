#include "foundation/DosFunc.h"

#include <algorithm>

#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "platform/FileSystem.h"

namespace DosFunc {

namespace {

bool Exists(const std::string& path) {
  platform::FileStatus st;
  return platform::LinkStatPath(path, st);
}

std::string ResolveCase(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  // Most often only the last level is missing, as for the new name of a
  // rename: its folder needs no walk.
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && slash + 1 < path.size()) {
    const std::string dir = path.substr(0, slash);
    const std::string name = path.substr(slash + 1);
    std::string actual;
    const CaseLookup lookup = LookUpByCase(dir, name, actual);
    if (lookup != CaseLookup::NoFolder)
      return JoinPath(dir, lookup == CaseLookup::Found ? actual : name);
  }
  std::string resolved = path.front() == '/' ? "/" : "";
  bool found = true;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::string candidate = JoinPath(resolved, part);
    std::string actual;
    if (found && part != "." && part != ".." && !Exists(candidate)) {
      found = FindByCase(resolved, part, actual);
      if (found) candidate = JoinPath(resolved, actual);
    }
    resolved = candidate;
  }
  if (path.back() == '/') resolved = StrFunc::IncludeBackslash(resolved);
  return resolved;
}

bool WantedAttr(int32_t entryAttr, int32_t mask) {
  if (mask == faAnyFile) return true;
  const int32_t excluded = (faHidden | faSysFile | faVolumeID | faDirectory) & ~mask;
  return (entryAttr & excluded) == 0;
}

bool HasWildcards(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

}  // namespace

// --- Shared helpers ---------------------------------------------------------

std::string SystemPath(std::string_view name) {
  return ResolveCase(StrFunc::StripLongPathPrefix(StrFunc::LongPathName(name)));
}

std::string EntryPath(std::string_view name) {
  std::string path = SystemPath(name);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  return StrFunc::IncludeBackslash(dir) + std::string(name);
}

bool SortedListing(const std::string& systemDir, std::vector<platform::DirEntry>& entries) {
  if (!platform::ListDirectory(systemDir, entries)) return false;
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i)
    keys.emplace_back(StrFunc::UpperCaseCz(entries[i].name), i);
  std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return entries[a.second].name < entries[b.second].name;
  });
  std::vector<platform::DirEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& k : keys) sorted.push_back(std::move(entries[k.second]));
  entries = std::move(sorted);
  return true;
}

int32_t AttributesOf(const platform::FileStatus& status) {
  int32_t attr = 0;
  if (status.isDirectory) attr |= faDirectory;
  if (status.isLink) attr |= faReparsePoint;
  if ((status.mode & 0222) == 0) attr |= faReadOnly;
  return attr;
}

TFoundEntry EntryOf(std::string_view name, const platform::FileStatus& status) {
  TFoundEntry e;
  e.Name = std::string(name);
  e.Size = status.isDirectory ? 0 : status.size;
  e.Attr = AttributesOf(status);
  e.Time = DateTime::FromUnixTime(status.modifiedSeconds);
  e.Regular = status.isRegular;
  e.Nanoseconds = int32_t(status.modifiedNanoseconds);
  e.Born = status.bornNanoseconds;
  e.Serial = status.inode;
  return e;
}

bool StatEntry(const std::string& systemPath, platform::FileStatus& status) {
  if (!platform::LinkStatPath(systemPath, status)) return false;
  platform::FileStatus target;
  if (status.isLink && platform::StatPath(systemPath, target)) {
    status = target;
    status.isLink = true;
  }
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  platform::FileStatus sa, sb;
  return platform::StatPath(a, sa) && platform::StatPath(b, sb) && sa.device == sb.device &&
         sa.inode == sb.inode;
}

bool IsProtected(const platform::FileStatus& status) {
  return status.isDirectory || (!status.isLink && (status.mode & 0222) == 0);
}

std::string Absolute(std::string_view path) {
  const std::string plain = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(path));
  const std::string full = StrFunc::ExpandPath(plain);
  return full == "/" ? full : StrFunc::ExcludeBackslash(full);
}

std::string Parent(const std::string& path) {
  const std::string parent = StrFunc::ExtractDir(path);
  return parent == path ? std::string() : parent;
}

// --- Existence and folders --------------------------------------------------

bool FileExistsLong(std::string_view name) {
  TFoundEntry entry;
  return FindFileLong(name, entry);
}

bool FileExistsW(std::u16string_view name) { return FileExistsLong(Utf8::FromUtf16(name)); }

bool DirectoryExistsLong(std::string_view name) {
  if (name.empty()) return false;
  platform::FileStatus st;
  return platform::StatPath(SystemPath(name), st) && st.isDirectory;
}

std::string ExistingPathLong(std::string_view name) { return SystemPath(name); }

bool CreateDirLong(std::string_view name) { return platform::MakeDirectory(SystemPath(name)); }

bool RemoveDirLong(std::string_view name) { return platform::RemoveDirectory(SystemPath(name)); }

bool IsReparsePoint(std::string_view name) {
  platform::FileStatus st;
  return !name.empty() && platform::LinkStatPath(EntryPath(name), st) && st.isLink;
}

bool DeleteFileLong(std::string_view name) { return platform::RemoveFile(SystemPath(name)); }

// --- Dates, attributes, sizes -----------------------------------------------

TDateTime GetFileDateTime(std::string_view name) {
  platform::FileStatus st;
  if (name.empty() || !platform::StatPath(SystemPath(name), st)) return 0;
  return DateTime::FromUnixTime(st.modifiedSeconds);
}

void SetFileDateTime(std::string_view name, TDateTime value) {
  int64_t seconds = 0;
  if (!name.empty() && DateTime::ToUnixTime(value, seconds))
    platform::SetModifiedTime(SystemPath(name), seconds);
}

int32_t GetFileAttr(std::string_view name) {
  platform::FileStatus st;
  if (name.empty() || !StatEntry(SystemPath(name), st)) return -1;
  return AttributesOf(st);
}

bool SetFileAttr(std::string_view name, int32_t attr) {
  return !name.empty() && platform::SetWritable(SystemPath(name), (attr & faReadOnly) == 0);
}

int64_t GetFileSize64(std::string_view name) {
  platform::FileStatus st;
  if (name.empty() || !platform::StatPath(SystemPath(name), st)) return -1;
  return st.isDirectory ? 0 : st.size;
}

bool GetFileInfo(std::string_view name, int64_t& size, TDateTime& date, int32_t& attr) {
  TFoundEntry entry;
  if (!FindFileLong(name, entry)) {
    size = -1;
    date = 0;
    attr = -1;
    return false;
  }
  size = entry.Size;
  date = entry.Time;
  attr = entry.Attr;
  return true;
}

// --- Searches ---------------------------------------------------------------

bool MatchesFileMask(std::string_view name, std::string_view mask) {
  if (mask == "*" || mask == "*.*") return true;
  if (StrFunc::MatchesMask(name, mask, false)) return true;
  if (mask.size() > 2 && mask.substr(mask.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos)
    return StrFunc::MatchesMask(name, mask.substr(0, mask.size() - 2), false);
  return false;
}

int FindFirstLong(std::string_view pattern, int32_t attr, TSearchRec& rec) {
  rec = TSearchRec();
  const std::string full = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(pattern));
  const std::string mask = StrFunc::ExtractName(full);
  const std::string dir = StrFunc::ExtractDir(full);
  std::vector<platform::DirEntry> entries;
  if (mask.empty() || !SortedListing(dir.empty() ? "." : SystemPath(dir), entries))
    return kFindNotFound;
  for (const platform::DirEntry& e : entries) {
    const TFoundEntry found = EntryOf(e.name, e.status);
    if (WantedAttr(found.Attr, attr) && MatchesFileMask(e.name, mask)) rec.Matches.push_back(found);
  }
  if (rec.Matches.empty()) return kFindNotFound;
  return FindNextLong(rec);
}

int FindNextLong(TSearchRec& rec) {
  if (rec.Next >= rec.Matches.size()) return kFindNoMoreFiles;
  static_cast<TFoundEntry&>(rec) = rec.Matches[rec.Next++];
  return kFindOk;
}

bool ListFolderLong(std::string_view dir, std::vector<TFoundEntry>& entries) {
  entries.clear();
  std::vector<platform::DirEntry> listed;
  if (dir.empty() || !SortedListing(SystemPath(dir), listed)) return false;
  entries.reserve(listed.size());
  for (const platform::DirEntry& e : listed) entries.push_back(EntryOf(e.name, e.status));
  return true;
}

void FindCloseLong(TSearchRec& rec) {
  rec.Matches.clear();
  rec.Next = 0;
}

bool FindFileLong(std::string_view name, TFoundEntry& entry) {
  if (StrFunc::Trim(name).empty()) return false;
  if (HasWildcards(StrFunc::ExtractName(name))) {
    TSearchRec rec;
    if (FindFirstLong(name, faAnyFile, rec) != kFindOk) return false;
    entry = rec;
    return true;
  }
  // The name as written first; only a missing one is looked up in another
  // case. Names a run keeps answer at once.
  std::string path = StrFunc::StripLongPathPrefix(StrFunc::LongPathName(name));
  std::string kept;
  const CaseLookup lookup = LookUpKept(path, kept);
  if (lookup == CaseLookup::Missing) return false;
  if (lookup == CaseLookup::Found) path = kept;
  platform::FileStatus st;
  if (!StatEntry(path, st)) {
    std::string found;
    const CaseLookup onDisk = LookUpPath(path, found);
    if (onDisk == CaseLookup::Missing) return false;
    path = onDisk == CaseLookup::Found ? found : SystemPath(name);
    if (!StatEntry(path, st)) return false;
  }
  entry = EntryOf(StrFunc::ExtractName(StrFunc::ExcludeBackslash(path)), st);
  return true;
}

namespace {

std::string TwoDigits(int v) {
  return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

// "yyyy-mm-dd hh:nn:ss"; empty for a value that is not a date.
std::string DateText(TDateTime value) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  if (!DateTime::DecodeDateTime(value, y, mo, d, h, mi, s, ms)) return std::string();
  return TwoDigits(y / 100) + TwoDigits(y % 100) + "-" + TwoDigits(mo) + "-" + TwoDigits(d) + " " +
         TwoDigits(h) + ":" + TwoDigits(mi) + ":" + TwoDigits(s);
}

struct WalkOptions {
  std::string mask;
  bool recursive;
  bool withDirs;
  bool withDate;
  std::string extra;
};

void Walk(const std::string& systemDir, const std::string& relative, const WalkOptions& opt,
          std::vector<std::string>& out) {
  std::vector<platform::DirEntry> entries;
  if (!SortedListing(systemDir, entries)) return;
  for (const platform::DirEntry& e : entries) {
    if (e.status.isDirectory && !opt.withDirs) continue;
    if (!MatchesFileMask(e.name, opt.mask)) continue;
    std::string line = (e.status.isDirectory ? "*" : "") + relative + e.name;
    if (opt.withDate) line += "|" + DateText(DateTime::FromUnixTime(e.status.modifiedSeconds));
    if (!opt.extra.empty()) line += "|" + opt.extra;
    out.push_back(std::move(line));
  }
  if (!opt.recursive) return;
  for (const platform::DirEntry& e : entries) {
    if (e.status.isDirectory && !e.status.isLink)
      Walk(JoinPath(systemDir, e.name), relative + e.name + "/", opt, out);
  }
}

}  // namespace

std::vector<std::string> FindFilesEx(std::string_view dir, std::string_view mask, bool recursive,
                                     bool withDirs, bool withDate, std::string_view extra) {
  std::vector<std::string> out;
  if (!DirectoryExistsLong(dir)) return out;
  const WalkOptions opt{std::string(mask), recursive, withDirs, withDate, std::string(extra)};
  Walk(SystemPath(dir), std::string(), opt, out);
  return out;
}

std::vector<std::string> FindFiles(std::string_view dir, bool recursive) {
  return FindFilesEx(dir, "*.*", recursive, false, false, "");
}

// --- Drives -----------------------------------------------------------------

int GetDriveKind(char) { return 0; }

std::string ListDrives(std::vector<std::string>* list) {
  if (list != nullptr) list->clear();
  return std::string();
}

}  // namespace DosFunc
