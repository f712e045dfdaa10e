#include "photos/batch/HromadneAkceRenameName.h"

#include <algorithm>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceRename.h"
#include "photos/batch/HromadneAkceRenamePlan.h"
#include "photos/batch/HromadneAkceScan.h"

namespace HromadneAkce {

namespace {

constexpr int kMinWidth = 3;

// One folder of the walk: its scan and the subfolders still to rename.
struct Level {
  std::string folder;
  TFolderScan scan;
  size_t next = 0;
};

struct NewName {
  TMediaFile file;
  std::string target;
};

std::vector<NewName> NewNames(std::vector<TMediaFile> files, const TOptions& options) {
  std::stable_sort(files.begin(), files.end(), [](const TMediaFile& a, const TMediaFile& b) {
    return StrFunc::UpperCaseCz(StrFunc::ExtractName(a.standing)) <
           StrFunc::UpperCaseCz(StrFunc::ExtractName(b.standing));
  });
  const int32_t step = std::max(options.step, 1);
  const int width = NumberWidth(files.size(), step);
  std::vector<NewName> names;
  int64_t number = std::max(options.startNumber, 0);
  for (TMediaFile& file : files) {
    const std::string digits = StrFunc::PadLeftCh(std::to_string(number), '0', width);
    const std::string ext = StrFunc::LowerCaseCz(StrFunc::ExtractExt(file.standing));
    const std::string target = StrFunc::IncludeBackslash(StrFunc::ExtractDir(file.standing)) +
                               NamePrefix(options.renameFormat, options.prefix, file.fileDate) +
                               digits + "." + ext;
    names.push_back({std::move(file), target});
    number += step;
  }
  return names;
}

// The folder's photos take their names in two passes through temporary
// names, planned and recorded first (HromadneAkceRenamePlan.h); a photo
// whose new name something else holds keeps its own.
void RenameFolder(const std::string& folder, std::vector<TMediaFile> files,
                  const TOptions& options, TProgress& progress, TRunResult& result) {
  if (files.empty()) return;
  result.filesMet += files.size();
  std::vector<NewName> names = NewNames(std::move(files), options);
  progress.BeginFolder(folder, 2 * names.size());
  TFolderNames held;
  held.List(folder);
  std::vector<std::string> current;
  for (const NewName& name : names) current.push_back(StrFunc::ExtractName(name.file.path));
  const std::vector<std::string> temps = TakeTemporaryNames(current, held);
  TRenamePlan plan{folder, {}};
  std::vector<NewName*> planned;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string target = StrFunc::ExtractName(names[i].target);
    if (temps[i].empty() || held.Held(target)) {
      const std::string taken =
          temps[i].empty() ? names[i].file.path + kTempSuffix : names[i].target;
      result.failures.push_back(
          {TFailureKind::NameTaken, names[i].file.standing, NameOnDisk(taken)});
      const std::string kept = temps[i].empty() ? current[i] : KeptName(current[i], held);
      if (kept != current[i]) {
        plan.renames.push_back({current[i], temps[i], kept});
        planned.push_back(nullptr);
      }
      continue;
    }
    held.Hold(target);
    if (target == current[i]) continue;
    plan.renames.push_back({current[i], temps[i], target});
    planned.push_back(&names[i]);
  }
  RunPlan(plan, names.size(), progress, result.failures);
  for (size_t i = 0; i < planned.size(); ++i) {
    if (planned[i] == nullptr || !plan.renames[i].done) continue;
    planned[i]->file.path = planned[i]->file.standing = planned[i]->target;
  }
  progress.EndFolder();
}

}  // namespace

int32_t GetStartNumber(std::string_view text) {
  int32_t value = 0;
  return StrFunc::TryStrToIntS(StrFunc::Trim(text), value) && value >= 0 ? value : 1;
}

std::string GetPrefix(std::string_view text) {
  const std::string prefix = StrFunc::Trim(text);
  return prefix.empty() ? "img" : prefix;
}

int NumberWidth(size_t count, int32_t step) {
  const int64_t largest = (int64_t(count) + 2) * std::max(step, 1);
  return std::max(kMinWidth, int(std::to_string(largest).size()));
}

std::string NamePrefix(TRenameFormat format, std::string_view prefix, TDateTime fileDate) {
  std::string result = format == TRenameFormat::DatePerDay
                           ? DateFunc::FormatDate("yyyymmdd", fileDate) + "_"
                           : GetPrefix(prefix) + "_";
  if (StrFunc::LowerCaseCz(result.substr(0, 3)) != "img") result += "img";
  return result;
}

void RenameByName(const std::string& folder, const TOptions& options, TProgress& progress,
                      TRunResult& result) {
  // The rename in name order walks into "thumbs" too, but never into a
  // gallery's output folder.
  const TScanRule rule{options.subdirs, false, true};
  // A stopped rename is finished first; a folder whose record of it cannot
  // be read keeps its files as they are.
  const auto scan = [&](const std::string& path) {
    const bool own = FinishStoppedRun(path, result.failures) != TStoppedRun::kUnreadable;
    TFolderScan found = ScanFolder(path, rule);
    if (!found.readable) result.failures.push_back({TFailureKind::FolderUnreadable, path, {}});
    if (!own) found.files.clear();
    return found;
  };
  std::vector<Level> levels;
  levels.push_back({folder, scan(folder), 0});
  while (!levels.empty()) {
    Level& top = levels.back();
    if (top.next < top.scan.subfolders.size()) {
      if (progress.StopRequested()) {
        result.status = TRunStatus::Stopped;
        return;
      }
      const std::string child = top.scan.subfolders[top.next++];
      levels.push_back({child, scan(child), 0});
      continue;
    }
    RenameFolder(top.folder, std::move(top.scan.files), options, progress, result);
    levels.pop_back();
  }
}

}  // namespace HromadneAkce
