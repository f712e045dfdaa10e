#include "photos/batch/HromadneAkceRenameName.h"

#include <algorithm>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/TargetPath.h"
#include "photos/batch/HromadneAkceRename.h"
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

void RenameFolder(const std::string& folder, std::vector<TMediaFile> files,
                  const TOptions& options, TProgress& progress, TRunResult& result) {
  if (files.empty()) return;
  result.filesMet += files.size();
  std::vector<NewName> names = NewNames(std::move(files), options);
  progress.BeginFolder(folder, 2 * names.size());
  std::vector<NewName*> moved;
  for (NewName& name : names) {
    if (TakeTemporaryName(name.file)) moved.push_back(&name);
    else result.failures.push_back({TFailureKind::RenameFailed, name.file.path, {}});
    progress.Step();
  }
  for (NewName* name : moved) {
    if (DosFunc::RenameFileLong(name->file.path, name->target)) {
      name->file.path = name->file.standing = name->target;
    } else if (TargetPath::Exists(name->target)) {
      result.failures.push_back(
          {TFailureKind::NameTaken, name->file.standing, NameOnDisk(name->target)});
      RestoreName(name->file, result.failures);
    } else {
      result.failures.push_back({TFailureKind::RenameFailed, name->file.standing, name->target});
      RestoreName(name->file, result.failures);
    }
    progress.Step();
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
  const auto scan = [&](const std::string& path) {
    TFolderScan found = ScanFolder(path, rule);
    if (!found.readable) result.failures.push_back({TFailureKind::FolderUnreadable, path, {}});
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
