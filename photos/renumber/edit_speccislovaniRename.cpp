// The two-pass rename of the special renumbering and its temporary names.
//
// The whole plan is recorded in the journal before the first rename, so
// whatever stops a run, the next one finishes it exactly: stopped in the
// first pass, the files not yet under their temporary names go there too,
// then every file takes its new name; stopped in the second, the temporary
// names left take theirs. A temporary name also tells the name its file is
// to get, for a leftover found without a journal.
#include <random>
#include <unordered_map>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "photos/TargetPath.h"
#include "photos/renumber/edit_speccislovaniInternal.h"
#include "platform/FileSystem.h"
#include "texts/Language.h"

namespace edit_speccislovani::detail {

namespace {

constexpr char kTempEnd[] = ".tmp";
constexpr size_t kTagLength = 4;
// Names longer than this the file systems refuse; dashes stop there.
constexpr size_t kMaxNameBytes = 255;
constexpr int kTextNotRecorded = 106;
constexpr int kTextNothingRenamed = 107;
constexpr int kTextJournalUnreadable = 108;

// The run cannot be recorded in its root, so nothing is renamed.
std::string NotRecorded(const std::string& root) {
  return Language::GetText(kTextNotRecorded) + " " + root + ".\n" +
         Language::GetText(kTextNothingRenamed);
}

std::string RandomTag() {
  std::random_device seed;
  std::uniform_int_distribution<uint32_t> below(0, 65534);
  return StrFunc::WordToHex(below(seed));
}

// The new name, the work mark, the tag and ".tmp": "img_5.jpg.~qm1A2B.tmp".
std::string TempName(const std::string& newName, const std::string& tag) {
  return newName + WorkNames::kMark + tag + kTempEnd;
}

std::string TempPath(const TRename& rename, const std::string& tag) {
  return StrFunc::IncludeBackslash(StrFunc::ExtractDir(rename.path)) +
         TempName(rename.newName, tag);
}

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The new name a temporary name carries; false for any other name, and for
// one that carries a name no run gives (an own file's, a work name).
bool FromTempName(const std::string& name, std::string& newName) {
  const std::string mark = WorkNames::kMark;
  const size_t tail = mark.size() + kTagLength + sizeof(kTempEnd) - 1;
  if (name.size() <= tail) return false;
  const std::string end = StrFunc::LowerCaseCz(name.substr(name.size() - tail));
  if (end.compare(0, mark.size(), mark) != 0 || !end.ends_with(kTempEnd)) return false;
  for (size_t i = mark.size(); i < mark.size() + kTagLength; ++i) {
    if (!IsHex(end[i])) return false;
  }
  newName = name.substr(0, name.size() - tail);
  return IsRunName(newName);
}

bool Exists(const std::string& path) {
  platform::FileStatus st;
  return platform::LinkStatPath(path, st);
}

bool IsFolder(const std::string& path) {
  platform::FileStatus st;
  return platform::LinkStatPath(DosFunc::ExistingPathLong(path), st) && st.isDirectory;
}

// "--" + name in folder, or with one "-" more while that is taken; empty
// when even the longest is.
std::string DashedPath(const std::string& folder, const std::string& name) {
  std::string dashed = "--" + name;
  while (dashed.size() <= kMaxNameBytes && TargetPath::Exists(folder + "/" + dashed))
    dashed = "-" + dashed;
  return dashed.size() <= kMaxNameBytes ? folder + "/" + dashed : std::string();
}

// Frees the name path for a file of the run: a file (of any case) holding
// it steps aside to its dashed name. A folder holding it stays. True when
// the name is free.
bool FreeName(const std::string& path, TResult& result) {
  const std::string holder = DosFunc::ExistingPathLong(path);
  platform::FileStatus st;
  if (!platform::LinkStatPath(holder, st)) return true;
  if (st.isDirectory) return false;
  const std::string dashed = DashedPath(StrFunc::ExtractDir(holder), StrFunc::ExtractName(holder));
  if (dashed.empty() || !DosFunc::RenameFileLong(holder, dashed)) return false;
  result.displaced.push_back(dashed);
  return true;
}

// Renames a file under its temporary name to its new name in its folder.
// When that cannot be, it goes back to its old name, or, when a file of the
// run holds that by now, to the old (or, without one, the new) name with
// dashes: never does it stay under a temporary name another run could not
// finish. Each of those is reported.
bool PutInPlace(const std::string& tempPath, const std::string& newName,
                const std::string& oldName, TResult& result) {
  const std::string folder = StrFunc::ExtractDir(tempPath);
  if (FreeName(folder + "/" + newName, result) &&
      DosFunc::RenameFileLong(tempPath, folder + "/" + newName))
    return true;
  const std::string back = oldName.empty() ? std::string() : folder + "/" + oldName;
  if (!back.empty() && !TargetPath::Exists(back) && DosFunc::RenameFileLong(tempPath, back)) {
    result.failed.push_back(back);
    return false;
  }
  const std::string dashed = DashedPath(folder, oldName.empty() ? newName : oldName);
  const bool aside = !dashed.empty() && DosFunc::RenameFileLong(tempPath, dashed);
  result.failed.push_back(aside ? dashed : tempPath);
  return false;
}

// The second pass over the journal's renames whose temporary names exist.
void SecondPass(const TJournal& journal, const TProgress& progress, int position, int maximum,
                TResult& result, int& placed) {
  for (const TRename& r : journal.renames) {
    const std::string temp = TempPath(r, journal.tag);
    if (Exists(temp) && PutInPlace(temp, r.newName, StrFunc::ExtractName(r.path), result))
      ++placed;
    if (progress) progress(++position, maximum);
  }
}

// The first pass: every file of the journal not yet under its temporary
// name goes there. Only a journal in its first pass may do this: until the
// second, no file of the run holds another's old name.
void FirstPass(const TJournal& journal, const TProgress& progress, int& position, int maximum,
               TResult& result) {
  for (const TRename& r : journal.renames) {
    const std::string temp = TempPath(r, journal.tag);
    if (!Exists(temp) && Exists(r.path) && !DosFunc::RenameFileLong(r.path, temp))
      result.failed.push_back(r.path);
    if (progress) progress(++position, maximum);
  }
}

// Brings every temporary name of a journal in its first pass back to its
// old name: all old names are free then.
void TakeBack(const TJournal& journal) {
  for (const TRename& r : journal.renames) {
    const std::string temp = TempPath(r, journal.tag);
    if (Exists(temp)) DosFunc::RenameFileLong(temp, r.path);
  }
}

// The passes a journal still needs, and the journal's removal.
void RunJournal(const std::string& root, TJournal journal, const TProgress& progress,
                TResult& result, int& placed) {
  const int maximum = 2 * static_cast<int>(journal.renames.size());
  int position = 0;
  if (journal.pass == 1) {
    FirstPass(journal, progress, position, maximum, result);
    journal.pass = 2;
    if (!WriteJournal(root, journal)) {
      // Without the record of the second pass a stop there could not be
      // finished: the run is taken back.
      TakeBack(journal);
      platform::RemoveFile(JournalPath(root));
      result.refusal = Refused(NotRecorded(root));
      return;
    }
  } else {
    position = maximum / 2;
  }
  SecondPass(journal, progress, position, maximum, result, placed);
  platform::RemoveFile(JournalPath(root));
}

std::string TargetOf(const TRename& r) {
  return StrFunc::IncludeBackslash(StrFunc::ExtractDir(r.path)) + r.newName;
}

// Leaves out, and reports, the files whose new names folders hold, and the
// files whose new names those keep, and so on: a chain of a shift keeps its
// names rather than pushing one of its files aside.
void LeaveOutBlocked(std::vector<TRename>& renames, TResult& result) {
  std::unordered_map<std::string, size_t> byTarget;
  for (size_t i = 0; i < renames.size(); ++i)
    byTarget.emplace(StrFunc::UpperCaseCz(TargetOf(renames[i])), i);
  std::vector<bool> kept(renames.size(), false);
  std::vector<size_t> waiting;
  for (size_t i = 0; i < renames.size(); ++i) {
    if (!IsFolder(TargetOf(renames[i]))) continue;
    kept[i] = true;
    waiting.push_back(i);
  }
  while (!waiting.empty()) {
    const auto next = byTarget.find(StrFunc::UpperCaseCz(renames[waiting.back()].path));
    waiting.pop_back();
    if (next == byTarget.end() || kept[next->second]) continue;
    kept[next->second] = true;
    waiting.push_back(next->second);
  }
  for (size_t i = 0; i < renames.size(); ++i)
    if (kept[i]) result.failed.push_back(renames[i].path);
  size_t i = 0;
  std::erase_if(renames, [&](const TRename&) { return kept[i++]; });
}

}  // namespace

bool RenameInTwoPasses(const std::string& root, std::vector<TRename> renames,
                       const TProgress& progress, TResult& result) {
  LeaveOutBlocked(renames, result);
  if (renames.empty()) return true;
  TJournal journal{RandomTag(), 1, std::move(renames)};
  if (!WriteJournal(root, journal)) {
    result.refusal = Refused(NotRecorded(root));
    return false;
  }
  RunJournal(root, std::move(journal), progress, result, result.renamed);
  return result.refusal.text.empty();
}

bool FinishJournal(const std::string& root, TResult& result) {
  TJournal journal;
  switch (ReadJournal(root, journal)) {
    case TJournalRead::kNone:
      return false;
    case TJournalRead::kDamaged:
      result.refusal = Refused(Language::GetText(kTextJournalUnreadable) + "\n" +
                               JournalPath(root) + "\n" + Language::GetText(kTextNothingRenamed));
      return true;
    case TJournalRead::kRead:
      break;
  }
  result.interrupted = true;
  result.exact = true;
  RunJournal(root, std::move(journal), {}, result, result.finished);
  return true;
}

void FinishLeftovers(const std::string& folder, TResult& result) {
  std::vector<DosFunc::TFoundEntry> entries;
  DosFunc::ListFolderLong(folder, entries);
  for (const DosFunc::TFoundEntry& e : entries) {
    std::string newName;
    if (!e.Regular || (e.Attr & DosFunc::faReparsePoint) != 0 || !FromTempName(e.Name, newName))
      continue;
    if (PutInPlace(StrFunc::IncludeBackslash(folder) + e.Name, newName, "", result))
      ++result.finished;
  }
}

}  // namespace edit_speccislovani::detail
