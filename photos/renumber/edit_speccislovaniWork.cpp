// The run of the special renumbering: the folder walk, the listing of each
// folder and the plan applied folder by folder or once for the whole tree.
#include "photos/renumber/edit_speccislovaniWork.h"

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/renumber/edit_speccislovaniInternal.h"
#include "texts/Language.h"

namespace edit_speccislovani {

namespace {

using detail::TEntry;

constexpr int kTextNoFolder = 111;
constexpr int kTextSlashInPrefix = 112;
constexpr int kTextNegativeStart = 113;
constexpr int kTextStepBelowOne = 114;

// What one run carries through the walk.
struct TRun {
  TOptions options;
  bool continuous = false;
  std::vector<TEntry> entries;
  std::vector<detail::TRename> renames;
  TResult result;
  const TProgress* progress = nullptr;
};

TEntry EntryOf(const std::string& folder, const DosFunc::TFoundEntry& found) {
  TEntry e;
  e.path = StrFunc::IncludeBackslash(folder) + found.Name;
  e.name = found.Name;
  e.NAME = StrFunc::UpperCaseCz(StrFunc::Trim(StrFunc::ExtractNameNoExt(found.Name)));
  e.timeKey = DateFunc::FormatDateTime("yyyymmdd", "hhmmss", found.Time);
  e.parsed = ParseNumbered(found.Name, e.numbered);
  return e;
}

// The entries of a folder a run may touch, links left out; a folder that
// cannot be read is reported.
std::vector<DosFunc::TFoundEntry> EntriesOf(const std::string& folder, TResult& result) {
  std::vector<DosFunc::TFoundEntry> entries;
  if (!DosFunc::ListFolderLong(folder, entries)) result.unreadable.push_back(folder);
  std::erase_if(entries, [](const DosFunc::TFoundEntry& e) {
    return (e.Attr & DosFunc::faReparsePoint) != 0;
  });
  return entries;
}

// The subfolders a run walks into: not the program's own.
std::vector<std::string> SubfoldersOf(const std::string& folder,
                                      const std::vector<DosFunc::TFoundEntry>& entries) {
  std::vector<std::string> subfolders;
  for (const DosFunc::TFoundEntry& e : entries) {
    const std::string path = StrFunc::IncludeBackslash(folder) + e.Name;
    if ((e.Attr & DosFunc::faDirectory) != 0 && !OwnFiles::IsOwnFolder(e.Name) &&
        !OwnFiles::IsGalleryFolder(path))
      subfolders.push_back(path);
  }
  return subfolders;
}

// Lists the files of folder the run takes (regular files only) and gives
// the subfolders it walks into.
std::vector<std::string> Scan(const std::string& folder, TRun& run) {
  const std::vector<DosFunc::TFoundEntry> entries = EntriesOf(folder, run.result);
  for (const DosFunc::TFoundEntry& e : entries) {
    if (!e.Regular || (e.Attr & DosFunc::faDirectory) != 0 || !detail::IsRunName(e.Name))
      continue;
    TEntry entry = EntryOf(folder, e);
    if (detail::Takes(entry, run.options)) run.entries.push_back(std::move(entry));
  }
  return SubfoldersOf(folder, entries);
}

// Finishes the temporary names a stopped run left without a journal in the
// folders this run would walk.
void FinishTree(const std::string& folder, bool subdirs, TResult& result) {
  detail::FinishLeftovers(folder, result);
  if (!subdirs) return;
  for (const std::string& sub : SubfoldersOf(folder, EntriesOf(folder, result)))
    FinishTree(sub, true, result);
}

// Plans the listed entries into the run's renames, then clears them. False
// when the plan was refused.
bool Plan(TRun& run) {
  std::vector<detail::TRename> renames;
  const bool planned =
      detail::PlanRenames(std::move(run.entries), run.options, renames, run.result.refusal);
  run.entries.clear();
  run.renames.insert(run.renames.end(), renames.begin(), renames.end());
  return planned;
}

bool Walk(const std::string& folder, TRun& run) {
  const std::vector<std::string> subfolders = Scan(folder, run);
  if (!run.continuous && !Plan(run)) return false;
  if (!run.options.subdirs) return true;
  for (const std::string& sub : subfolders) {
    if (!Walk(sub, run)) return false;
  }
  return true;
}

TMessage Refusal(const TOptions& o) {
  if (!DosFunc::DirectoryExistsLong(o.root))
    return detail::Refused(Language::GetText(kTextNoFolder) + "\n" + o.root);
  if (o.prefix.find('/') != std::string::npos)
    return detail::Refused(Language::GetText(kTextSlashInPrefix));
  if (o.mode == TMode::Renumber && o.start < 0)
    return detail::Refused(Language::GetText(kTextNegativeStart));
  if (o.mode == TMode::Renumber && o.step < 1)
    return detail::Refused(Language::GetText(kTextStepBelowOne));
  return {};
}

}  // namespace

TResult Run(const TOptions& options, const TProgress& progress) {
  TRun run;
  run.options = options;
  run.options.root = StrFunc::Trim(options.root);
  run.options.prefix = StrFunc::Trim(options.prefix);
  run.progress = &progress;
  run.result.refusal = Refusal(run.options);
  if (!run.result.refusal.text.empty()) return run.result;
  // Finishing it completes the stopped run; running the operation on top
  // would shift or pad the numbers a second time.
  if (detail::FinishJournal(run.options.root, run.result)) return run.result;
  FinishTree(run.options.root, options.subdirs, run.result);
  run.result.interrupted = run.result.finished > 0 || !run.result.failed.empty();
  if (run.result.interrupted) return run.result;
  run.result.unreadable.clear();
  const bool wholeTree = options.mode == TMode::Renumber ? options.continuous : true;
  run.continuous = options.subdirs && wholeTree;
  if (!Walk(run.options.root, run) || (run.continuous && !Plan(run))) return run.result;
  detail::RenameInTwoPasses(run.options.root, std::move(run.renames), *run.progress, run.result);
  return run.result;
}

}  // namespace edit_speccislovani
