// Page two of the resort window: a flat folder sorted into a new tree shaped
// like a pattern tree.
#include <map>
#include <set>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/TargetPath.h"
#include "photos/resort/edit_imgresortInternal.h"
#include "texts/Language.h"

namespace edit_imgresort {

namespace {

constexpr int kTextNoTarget = 115;
constexpr int kTextNoFolder = 111;

// The relative folders of the pattern files of each key.
using TPlaces = std::map<std::string, std::set<std::string>>;

TPlaces PlacesOf(const std::string& pattern, const TPatternOptions& o) {
  TPlaces places;
  for (const std::string& rel : detail::ListFiles(pattern, true)) {
    const std::string key = KeyOf(rel, o.patternSide, o.equalNames);
    if (!key.empty()) places[key].insert(StrFunc::ExtractDir(rel));
  }
  return places;
}

// Copies or moves the file into relDir of target under its own name. A
// file moved away earlier is not placed again.
bool Place(const std::string& file, const std::string& target, const std::string& relDir,
           const TPatternOptions& o, TResult& result) {
  if (o.move && !TargetPath::Exists(file)) return false;
  const std::string dir = detail::Join(target, relDir);
  const std::string dest = detail::Join(dir, StrFunc::ExtractName(file));
  if (TargetPath::LinkOnTheWay(target, relDir)) {
    result.failed.push_back(dest);
    return false;
  }
  const std::string twin = TargetPath::CaseTwin(dest);
  if (!twin.empty()) {
    result.caseClashes.push_back({file, twin});
    return false;
  }
  if (TargetPath::SameEntry(file, dest)) return true;
  const bool done =
      DosFunc::ForceDirectoriesLong(dir) &&
      (o.move ? DosFunc::MoveFileKeepAttrs(file, dest, DosFunc::kSourceDate, DosFunc::kSourceAttr)
              : DosFunc::SyncFile(file, dest, true));
  if (!done) result.failed.push_back(dest);
  return done;
}

}  // namespace

TResult CopyIntoPatternTree(const std::string& source, const std::string& pattern,
                            const std::string& target, const TPatternOptions& options,
                            const TProgress& progress) {
  TResult result;
  if (StrFunc::Trim(target).empty()) {
    result.refusal = Language::GetText(kTextNoTarget);
    return result;
  }
  for (const std::string& dir : {source, pattern}) {
    if (!DosFunc::DirectoryExistsLong(dir)) {
      result.refusal = Language::GetText(kTextNoFolder) + "\n" + dir;
      return result;
    }
  }
  const TPlaces places = PlacesOf(pattern, options);
  const std::vector<std::string> files = detail::ListFiles(source, false);
  const int total = static_cast<int>(files.size());
  if (progress) progress(0, total);
  int done = 0;
  for (const std::string& name : files) {
    const std::string file = detail::Join(source, name);
    bool found = false;
    const auto match = places.find(KeyOf(name, options.sourceSide, options.equalNames));
    if (match != places.end()) {
      for (const std::string& relDir : match->second) {
        if (Place(file, target, relDir, options, result)) {
          found = true;
          ++result.placed;
        }
      }
    }
    if (!found && Place(file, target, kUnsortedFolder, options, result)) ++result.unsorted;
    if (progress) progress(++done, total);
  }
  return result;
}

}  // namespace edit_imgresort
