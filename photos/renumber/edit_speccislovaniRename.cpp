// The two-pass rename of the special renumbering and its temporary names.
//
// A temporary name tells the name its file is to get, so whatever stops a
// run, the next run can finish it: each file left under a temporary name
// gets the name the stopped run meant for it. Stopped between the passes or
// in the second, that is where the run would have ended; stopped in the
// first, a file not yet moved may stand in the way and steps aside by the
// dash rule, so nothing is lost either way.
#include <random>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/TargetPath.h"
#include "photos/renumber/edit_speccislovaniInternal.h"
#include "platform/FileSystem.h"

namespace edit_speccislovani::detail {

namespace {

constexpr char kTempStart[] = "_tmp_";
constexpr char kTempEnd[] = ".tmp";
constexpr size_t kTagLength = 4;
// Names longer than this the file systems refuse; dashes stop there.
constexpr size_t kMaxNameBytes = 255;

std::string RandomTag() {
  std::random_device seed;
  std::uniform_int_distribution<uint32_t> below(0, 65534);
  return StrFunc::WordToHex(below(seed));
}

std::string TempName(const std::string& newName, const std::string& tag) {
  return kTempStart + newName + "." + tag + kTempEnd;
}

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The new name a temporary name carries; false for any other name, and for
// one that carries no media file's name (no run makes such a name).
bool FromTempName(const std::string& name, std::string& newName) {
  const size_t start = sizeof(kTempStart) - 1;
  const size_t tail = 1 + kTagLength + sizeof(kTempEnd) - 1;
  if (name.size() <= start + tail) return false;
  if (StrFunc::LowerCaseCz(name.substr(0, start)) != kTempStart) return false;
  const std::string end = name.substr(name.size() - tail);
  if (end[0] != '.' || StrFunc::LowerCaseCz(end.substr(1 + kTagLength)) != kTempEnd) return false;
  for (size_t i = 1; i <= kTagLength; ++i) {
    if (!IsHex(end[i])) return false;
  }
  newName = name.substr(start, name.size() - start - tail);
  return IsMediaName(newName);
}

// Frees the name path for a file of the run: a file (of any case) holding
// it gets "--" in front of its name, or one "-" more while that is taken. A
// folder holding it stays. True when the name is free.
bool FreeName(const std::string& path, TResult& result) {
  const std::string holder = DosFunc::ExistingPathLong(path);
  platform::FileStatus st;
  if (!platform::LinkStatPath(holder, st)) return true;
  if (st.isDirectory) return false;
  const std::string folder = StrFunc::ExtractDir(holder);
  std::string dashed = "--" + StrFunc::ExtractName(holder);
  while (dashed.size() <= kMaxNameBytes && TargetPath::Exists(folder + "/" + dashed))
    dashed = "-" + dashed;
  if (dashed.size() > kMaxNameBytes || !DosFunc::RenameFileLong(holder, folder + "/" + dashed))
    return false;
  result.displaced.push_back(folder + "/" + dashed);
  return true;
}

// Renames a file under its temporary name to its new name in its folder.
bool PutInPlace(const std::string& tempPath, const std::string& newName, TResult& result) {
  const std::string target = StrFunc::ExtractDir(tempPath) + "/" + newName;
  if (FreeName(target, result) && DosFunc::RenameFileLong(tempPath, target)) return true;
  result.failed.push_back(tempPath);
  return false;
}

}  // namespace

void RenameInTwoPasses(const std::vector<TRename>& renames, const TProgress& progress,
                       TResult& result) {
  const int count = static_cast<int>(renames.size());
  const std::string tag = RandomTag();
  std::vector<std::string> temps(renames.size());
  int position = 0;
  for (size_t i = 0; i < renames.size(); ++i) {
    const std::string temp =
        StrFunc::ExtractDir(renames[i].path) + "/" + TempName(renames[i].newName, tag);
    if (DosFunc::RenameFileLong(renames[i].path, temp))
      temps[i] = temp;
    else
      result.failed.push_back(renames[i].path);
    if (progress) progress(++position, 2 * count);
  }
  for (size_t i = 0; i < renames.size(); ++i) {
    if (!temps[i].empty() && PutInPlace(temps[i], renames[i].newName, result)) ++result.renamed;
    if (progress) progress(++position, 2 * count);
  }
}

void FinishLeftovers(const std::string& folder, TResult& result) {
  DosFunc::TSearchRec rec;
  for (int found =
           DosFunc::FindFirstLong(StrFunc::IncludeBackslash(folder) + "*", DosFunc::faAnyFile, rec);
       found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    std::string newName;
    if ((rec.Attr & (DosFunc::faDirectory | DosFunc::faReparsePoint)) != 0 ||
        !FromTempName(rec.Name, newName))
      continue;
    if (PutInPlace(StrFunc::IncludeBackslash(folder) + rec.Name, newName, result))
      ++result.finished;
  }
  DosFunc::FindCloseLong(rec);
}

}  // namespace edit_speccislovani::detail
