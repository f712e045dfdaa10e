// The run of the special renumbering: the folder walk, the listing of each
// folder and the plan applied folder by folder or once for the whole tree.
#include "photos/renumber/edit_speccislovaniWork.h"

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/renumber/edit_speccislovaniInternal.h"

namespace edit_speccislovani {

namespace {

using detail::TEntry;

// What one run carries through the walk.
struct TRun {
  TOptions options;
  bool continuous = false;
  std::vector<TEntry> entries;
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

// The subfolders a run walks into: not the program's own, and no links.
std::vector<std::string> Subfolders(const std::string& folder) {
  std::vector<std::string> subfolders;
  DosFunc::TSearchRec rec;
  for (int found =
           DosFunc::FindFirstLong(StrFunc::IncludeBackslash(folder) + "*", DosFunc::faAnyFile, rec);
       found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    const std::string path = StrFunc::IncludeBackslash(folder) + rec.Name;
    if ((rec.Attr & DosFunc::faReparsePoint) == 0 && (rec.Attr & DosFunc::faDirectory) != 0 &&
        !OwnFiles::IsOwnFolder(rec.Name) && !OwnFiles::IsGalleryFolder(path))
      subfolders.push_back(path);
  }
  DosFunc::FindCloseLong(rec);
  return subfolders;
}

// Lists the files of folder the run takes. Links are not renamed.
void Scan(const std::string& folder, TRun& run) {
  DosFunc::TSearchRec rec;
  for (int found =
           DosFunc::FindFirstLong(StrFunc::IncludeBackslash(folder) + "*", DosFunc::faAnyFile, rec);
       found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    if ((rec.Attr & (DosFunc::faReparsePoint | DosFunc::faDirectory)) != 0 ||
        !detail::IsMediaName(rec.Name))
      continue;
    TEntry e = EntryOf(folder, rec);
    if (detail::Takes(e, run.options)) run.entries.push_back(std::move(e));
  }
  DosFunc::FindCloseLong(rec);
}

// Finishes the temporary names a stopped run left in the folders this run
// would walk.
void FinishTree(const std::string& folder, bool subdirs, TResult& result) {
  detail::FinishLeftovers(folder, result);
  if (!subdirs) return;
  for (const std::string& sub : Subfolders(folder)) FinishTree(sub, true, result);
}

// Plans and renames the listed entries, then clears them. False when the
// plan was refused (nothing renamed).
bool Apply(TRun& run) {
  std::vector<detail::TRename> renames;
  const bool planned =
      detail::PlanRenames(std::move(run.entries), run.options, renames, run.result.refusal);
  run.entries.clear();
  if (!planned) return false;
  detail::RenameInTwoPasses(renames, *run.progress, run.result);
  return true;
}

bool Walk(const std::string& folder, TRun& run) {
  Scan(folder, run);
  if (!run.continuous && !Apply(run)) return false;
  if (!run.options.subdirs) return true;
  for (const std::string& sub : Subfolders(folder)) {
    if (!Walk(sub, run)) return false;
  }
  return true;
}

TMessage Refusal(const TOptions& o) {
  if (!DosFunc::DirectoryExistsLong(o.root))
    return {"Složka nebyla nalezena:\n" + o.root, kCaptionError};
  if (o.prefix.find('/') != std::string::npos)
    return {"Prefix nesmí obsahovat znak \"/\".", kCaptionError};
  if (o.mode == TMode::Renumber && o.start < 0)
    return {"Počátek číslování nesmí být záporný.", kCaptionError};
  if (o.mode == TMode::Renumber && o.step < 1)
    return {"Krok číslování musí být alespoň 1.", kCaptionError};
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
  // Finishing them completes the stopped run; running the operation on top
  // would shift or pad the numbers a second time.
  FinishTree(run.options.root, options.subdirs, run.result);
  run.result.interrupted = run.result.finished > 0 || !run.result.failed.empty();
  if (run.result.interrupted) return run.result;
  const bool wholeTree = options.mode == TMode::Renumber ? options.continuous : true;
  run.continuous = options.subdirs && wholeTree;
  if (Walk(run.options.root, run) && run.continuous) Apply(run);
  return run.result;
}

}  // namespace edit_speccislovani
