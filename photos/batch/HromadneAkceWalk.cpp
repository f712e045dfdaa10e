#include "photos/batch/HromadneAkceWalk.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/DosFuncNames.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceActions.h"
#include "photos/batch/HromadneAkcePass.h"
#include "photos/batch/HromadneAkceRenameName.h"
#include "photos/batch/HromadneAkceRenamePlan.h"

namespace HromadneAkce {

namespace {

bool IsUsableFolder(const std::string& folder) {
  return !folder.empty() && DosFunc::DirectoryExistsLong(folder);
}

// Runs work; a rename pass renames only within its folder, so the folder's
// names need listing once, not checking at every name.
template <typename Work>
void InNameRun(TActionCode code, Work work) {
  std::optional<DosFunc::TNameRun> run;
  if (RuleOf(code).renames) run.emplace();
  work();
}

bool Stop(TPassContext& ctx) {
  if (ctx.result.status == TRunStatus::Stopped) return true;
  if (!ctx.progress.StopRequested()) return false;
  ctx.result.status = TRunStatus::Stopped;
  return true;
}

// A rename first finishes what a stopped rename left in the folder; a
// folder whose record of that cannot be read is left alone. False when the
// folder's own files are to be left as they are.
bool FinishStopped(const std::string& folder, TPassContext& ctx) {
  return !RuleOf(ctx.code).renames ||
         FinishStoppedRun(folder, ctx.result.failures) != TStoppedRun::kUnreadable;
}

// Each folder's own files first, then its subfolders in name order, depth
// first. The folders waiting are kept in a list rather than on the stack.
void ProcessFolder(const std::string& root, TPassContext& ctx) {
  const TScanRule rule{ctx.options.subdirs, true};
  std::vector<std::string> waiting{root};
  while (!waiting.empty() && !Stop(ctx)) {
    const std::string folder = waiting.back();
    waiting.pop_back();
    const bool own = FinishStopped(folder, ctx);
    TFolderScan scan = ScanFolder(folder, rule);
    if (!scan.readable) ctx.result.failures.push_back({TFailureKind::FolderUnreadable, folder, {}});
    if (own) InNameRun(ctx.code, [&] { ProcessFiles(std::move(scan.files), folder, ctx); });
    waiting.insert(waiting.end(), scan.subfolders.rbegin(), scan.subfolders.rend());
  }
}

void RunFilesMode(const TTarget& target, TPassContext& ctx) {
  ctx.handled.emplace();
  std::set<std::string> folders;
  for (const std::string& path : target.files) folders.insert(StrFunc::ExtractDir(path));
  std::set<std::string> leftAlone;
  for (const std::string& folder : folders)
    if (DosFunc::DirectoryExistsLong(folder) && !FinishStopped(folder, ctx))
      leftAlone.insert(folder);
  std::vector<TMediaFile> files;
  for (const std::string& path : target.files) {
    TMediaFile file;
    if (leftAlone.count(StrFunc::ExtractDir(path)) == 0 && MediaFileOf(path, file))
      files.push_back(file);
  }
  InNameRun(ctx.code, [&] { ProcessFiles(std::move(files), std::string(), ctx); });
  for (const std::string& folder : target.folders) {
    if (Stop(ctx)) return;
    if (IsUsableFolder(folder)) ProcessFolder(folder, ctx);
  }
}

// Checks what code needs before any file is touched.
bool Prepare(TActionCode code, TPassContext& ctx) {
  if (code == kDirectDate && ctx.options.directDay <= 0) {
    ctx.result.status = TRunStatus::InvalidOptions;
    return false;
  }
  if (code == kWriteGps) {
    ctx.result.gpsError = ParseGpsFields(ctx.options.gps, ctx.gps);
    if (ctx.result.gpsError != TGpsFieldError::None) {
      ctx.result.status = TRunStatus::InvalidPosition;
      return false;
    }
  }
  return true;
}

void Conclude(TRunResult& result) {
  if (result.status == TRunStatus::Done && result.filesMet == 0)
    result.status = TRunStatus::NothingFound;
}

}  // namespace

TRunResult RunAction(TActionCode code, const TOptions& options, const TTarget& target,
                     TProgress& progress) {
  TRunResult result;
  if (code > kSplitByExif) {
    result.status = TRunStatus::InvalidOptions;
    return result;
  }
  TPassContext ctx(code, options, progress, result);
  if (!Prepare(code, ctx)) return result;
  if (target.filesMode) {
    RunFilesMode(target, ctx);
  } else {
    const std::string root = StrFunc::Trim(target.rootDir);
    if (!IsUsableFolder(root)) {
      result.status = TRunStatus::NoFolder;
      return result;
    }
    ProcessFolder(root, ctx);
  }
  Conclude(result);
  return result;
}

TRunResult RunRenameByName(const TOptions& options, const TTarget& target, TProgress& progress) {
  TRunResult result;
  std::vector<std::string> folders;
  if (target.filesMode) {
    for (const std::string& folder : target.folders)
      if (IsUsableFolder(folder)) folders.push_back(folder);
  } else if (IsUsableFolder(StrFunc::Trim(target.rootDir))) {
    folders.push_back(StrFunc::Trim(target.rootDir));
  }
  if (folders.empty()) {
    result.status = TRunStatus::NoFolder;
    return result;
  }
  for (const std::string& folder : folders) {
    if (result.status == TRunStatus::Stopped) break;
    RenameByName(folder, options, progress, result);
  }
  Conclude(result);
  return result;
}

}  // namespace HromadneAkce
