#include "photos/batch/HromadneAkcePass.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceActions.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceRename.h"

namespace HromadneAkce {

namespace {

constexpr int kSortKeyWidth = 20;

// What orders the files of one second. A rename changes a file's name, so
// a rename run, stopped and run again, would find a burst's photos under
// other names and give them other places; it orders them by what no rename
// changes: the fraction of the second of the file time, then when the file
// was made (copies of a camera's photos are made in its order), then the
// file's serial number. Other actions keep the order of the path.
std::string Tiebreak(const TMediaFile& file, bool renames) {
  if (!renames) return StrFunc::UpperCaseCz(file.standing);
  return StrFunc::PadLeftCh(std::to_string(file.nanoseconds), '0', 9) +
         StrFunc::PadLeftCh(std::to_string(file.born), '0', 20) +
         StrFunc::PadLeftCh(std::to_string(file.serial), '0', 20);
}

// The files a pass takes: a photo under a temporary name belongs to an
// unfinished rename, and only a rename touches it.
std::vector<TMediaFile> PassFiles(std::vector<TMediaFile> files, const TCodeRule& rule) {
  std::erase_if(files, [&](const TMediaFile& f) {
    return (f.IsTemporary() && !rule.renames) || (rule.jpegOnly && !IsJpegFile(f.path));
  });
  return files;
}

// Leaves out the files a run of files mode handled already, and the second
// of a file listed twice.
void DropHandled(std::vector<TMediaFile>& files, const std::unordered_set<std::string>& handled) {
  std::unordered_set<std::string> listed;
  std::erase_if(files, [&](const TMediaFile& f) {
    return handled.count(f.path) != 0 || !listed.insert(f.path).second;
  });
}

// The files the pass handles, at most kFileLimit when the window says so;
// found tells how many there were before that cut.
std::vector<TMediaFile> TakeFiles(std::vector<TMediaFile> files, const TCodeRule& rule,
                                  TPassContext& ctx, size_t& found) {
  files = PassFiles(std::move(files), rule);
  if (ctx.handled) DropHandled(files, *ctx.handled);
  found = files.size();
  if (found > kFileLimit && ctx.progress.LimitFiles()) files.resize(kFileLimit);
  if (ctx.handled)
    for (const TMediaFile& file : files) ctx.handled->insert(file.path);
  return files;
}

bool Collect(const TMediaFile& file, const TCodeRule& rule, TPassContext& ctx, TPassLine& line) {
  line.file = file;
  line.info.photoDate = file.fileDate;
  line.info.exifDate = exif::NullDate();
  // Only the statistics count positions.
  if (rule.readsExif) line.info = ReadPhotoInfo(file, ctx.reader, ctx.code == kStatistics);
  line.key = DateKey(ctx.code == kRenameByFileDate ? file.fileDate : line.info.photoDate);
  line.sortText = StrFunc::PadRightS(line.key, kSortKeyWidth) + Tiebreak(file, rule.renames);
  if (rule.renames && !TakeTemporaryName(line.file)) {
    ctx.result.failures.push_back({TFailureKind::RenameFailed, file.path, {}});
    return false;
  }
  return true;
}

void Dispatch(std::vector<TPassLine>& lines, const TCodeRule& rule, TPassContext& ctx) {
  std::string day;
  int32_t dayNumber = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    TPassLine& line = lines[i];
    const std::string lineDay = line.key.substr(0, 8);
    dayNumber = lineDay == day ? dayNumber + 1 : 1;
    day = lineDay;
    line.dayNumber = dayNumber;
    line.position = int32_t(i + 1);
    rule.action(line, ctx);
    ctx.progress.Step();
    if (!rule.renames && i + 1 < lines.size() && ctx.progress.StopRequested()) {
      ctx.result.status = TRunStatus::Stopped;
      return;
    }
  }
}

}  // namespace

void ProcessFiles(std::vector<TMediaFile> files, const std::string& folder, TPassContext& ctx) {
  const TCodeRule& rule = RuleOf(ctx.code);
  size_t found = 0;
  files = TakeFiles(std::move(files), rule, ctx, found);
  const bool limited = files.size() < found;
  if (files.empty()) return;
  ctx.result.filesMet += files.size();
  if (ctx.code == kDirectDate) ctx.clock.emplace(ctx.options.directDay);
  ctx.hints.clear();
  ctx.progress.BeginFolder(folder, 2 * files.size() + 1);
  std::vector<TPassLine> lines;
  lines.reserve(files.size());
  for (const TMediaFile& file : files) {
    TPassLine line;
    if (Collect(file, rule, ctx, line)) lines.push_back(std::move(line));
    ctx.progress.Step();
    if (!rule.renames && ctx.progress.StopRequested()) {
      ctx.result.status = TRunStatus::Stopped;
      ctx.progress.EndFolder();
      return;
    }
  }
  std::stable_sort(lines.begin(), lines.end(), [](const TPassLine& a, const TPassLine& b) {
    return a.sortText < b.sortText;
  });
  ctx.progress.Step();
  Dispatch(lines, rule, ctx);
  if (ctx.handled)
    for (const TPassLine& line : lines) ctx.handled->insert(line.file.path);
  ctx.progress.EndFolder();
  if (limited) ctx.progress.FilesLimited(folder, found);
}

}  // namespace HromadneAkce
