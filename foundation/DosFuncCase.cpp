// Names looked up without regard to case. A folder is listed once and its
// names kept while it stays as it was (same device, inode and modification
// time), or while a TNameRun lives, so a run of lookups and renames in one
// folder lists it once rather than once per missing name. Renames made
// through RenameFileLong are applied to the kept names. A change another
// program makes within the same clock tick as one of ours may stay unseen
// until the folder changes again; that can only hide a name differing in
// case, for a rename still never replaces an existing entry.
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "foundation/DosFuncPath.h"
#include "foundation/DosFuncNames.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"

namespace DosFunc {

namespace {

struct FolderStamp {
  uint64_t device = 0, inode = 0;
  int64_t seconds = 0, nanoseconds = 0;
  bool operator==(const FolderStamp&) const = default;
};

// The names of the folder looked up last, by their upper-case form; of
// several names of one form, the first in sorted order.
struct FolderNames {
  bool valid = false;
  std::string dir;
  FolderStamp stamp;
  std::unordered_map<std::string, std::string> byUpper;
  std::unordered_set<std::string> ambiguous;  // forms that more than one name has
};

std::mutex g_mutex;
FolderNames g_names;
int g_runs = 0;  // TNameRun objects alive

std::string SystemDir(const std::string& dir) { return dir.empty() ? "." : dir; }

bool StampOf(const std::string& dir, FolderStamp& stamp) {
  platform::FileStatus st;
  if (!platform::StatPath(SystemDir(dir), st)) return false;
  stamp = {st.device, st.inode, st.modifiedSeconds, st.modifiedNanoseconds};
  return true;
}

void AddName(const std::string& name) {
  const std::string upper = StrFunc::UpperCaseCz(name);
  const auto [it, added] = g_names.byUpper.try_emplace(upper, name);
  if (added) return;
  g_names.ambiguous.insert(upper);
  if (name < it->second) it->second = name;
}

// The stamp is taken before the listing, so a change made while it runs
// shows as a new stamp at the next lookup.
bool Load(const std::string& dir, const FolderStamp& stamp) {
  g_names = FolderNames();
  std::vector<std::string> names;
  if (!platform::ListNames(SystemDir(dir), names)) return false;
  g_names.dir = dir;
  g_names.stamp = stamp;
  for (const std::string& name : names) AddName(name);
  g_names.valid = true;
  return true;
}

}  // namespace

CaseLookup LookUpByCase(const std::string& dir, const std::string& name, std::string& found) {
  std::lock_guard<std::mutex> lock(g_mutex);
  const bool kept = g_names.valid && g_names.dir == dir;
  if (!kept || g_runs == 0) {
    FolderStamp stamp;
    if (!StampOf(dir, stamp)) return CaseLookup::NoFolder;
    if (!kept || !(g_names.stamp == stamp)) {
      if (!Load(dir, stamp)) return CaseLookup::NoFolder;
    }
  }
  const auto it = g_names.byUpper.find(StrFunc::UpperCaseCz(name));
  if (it == g_names.byUpper.end()) return CaseLookup::Missing;
  found = it->second;
  return CaseLookup::Found;
}

bool FindByCase(const std::string& dir, const std::string& name, std::string& found) {
  return LookUpByCase(dir, name, found) == CaseLookup::Found;
}

CaseLookup LookUpPath(const std::string& path, std::string& found) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 >= path.size())
    return CaseLookup::NoFolder;
  const std::string dir = path.substr(0, slash);
  std::string name;
  const CaseLookup lookup = LookUpByCase(dir, path.substr(slash + 1), name);
  if (lookup == CaseLookup::Found) found = dir + "/" + name;
  return lookup;
}

CaseLookup LookUpKept(const std::string& path, std::string& found) {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    const size_t slash = path.find_last_of('/');
    if (g_runs == 0 || !g_names.valid || slash == std::string::npos ||
        path.compare(0, slash, g_names.dir) != 0 || slash != g_names.dir.size())
      return CaseLookup::NoFolder;
  }
  return LookUpPath(path, found);
}

void NoteRenamed(const std::string& from, const std::string& to) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_names.valid) return;
  const std::string fromDir = StrFunc::ExtractDir(from), toDir = StrFunc::ExtractDir(to);
  if (fromDir != g_names.dir && toDir != g_names.dir) return;
  if (fromDir == g_names.dir) {
    const std::string upper = StrFunc::UpperCaseCz(StrFunc::ExtractName(from));
    // The other names of an ambiguous form are not kept: list again.
    if (g_names.ambiguous.count(upper) != 0) {
      g_names.valid = false;
      return;
    }
    g_names.byUpper.erase(upper);
  }
  if (toDir == g_names.dir) AddName(StrFunc::ExtractName(to));
  if (g_runs == 0 && !StampOf(g_names.dir, g_names.stamp)) g_names.valid = false;
}

std::vector<std::string> FolderEntryNames(std::string_view dir) {
  std::vector<std::string> names;
  if (dir.empty() || !platform::ListNames(SystemPath(dir), names)) names.clear();
  return names;
}

TNameRun::TNameRun() {
  std::lock_guard<std::mutex> lock(g_mutex);
  ++g_runs;
}

TNameRun::~TNameRun() {
  std::lock_guard<std::mutex> lock(g_mutex);
  // The stamp kept is no longer the folder's.
  if (--g_runs == 0) g_names.valid = false;
}

}  // namespace DosFunc
