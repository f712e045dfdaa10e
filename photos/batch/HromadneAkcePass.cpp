#include "photos/batch/HromadneAkcePass.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceActions.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceRename.h"

namespace HromadneAkce {

namespace {

// The fraction of the second as a text that sorts by its value: "5" and
// "50" are half a second, "05" a twentieth; none counts as 0.
std::string FractionKey(const std::string& digits) {
  constexpr size_t kDigits = 9;
  return StrFunc::PadRightCh(digits.substr(0, kDigits), '0', int(kDigits));
}

// The date order: by the date key, then photos of one second by the
// fraction of the second the camera wrote (a burst in the order it was
// taken, however it was copied), then by path (within a folder, by name).
// The order does not hang on anything a rename changes but the names, and
// a rename records its plan before its first rename, so a rename stopped
// and run again finishes with the names the first run planned.
bool InDateOrder(const TPassLine& a, const TPassLine& b) {
  if (a.key != b.key) return a.key < b.key;
  if (a.fraction != b.fraction) return a.fraction < b.fraction;
  if (a.path != b.path) return a.path < b.path;
  if (a.file.standing != b.file.standing) return a.file.standing < b.file.standing;
  return a.file.path < b.file.path;
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

void Collect(const TMediaFile& file, const TCodeRule& rule, TPassContext& ctx, TPassLine& line) {
  line.file = file;
  line.info.photoDate = file.fileDate;
  line.info.exifDate = exif::NullDate();
  // Only the statistics count positions.
  if (rule.readsExif) line.info = ReadPhotoInfo(file, ctx.reader, ctx.code == kStatistics);
  line.key = DateKey(ctx.code == kRenameByFileDate ? file.fileDate : line.info.photoDate);
  line.fraction = FractionKey(line.info.subSecond);
  line.path = StrFunc::UpperCaseCz(file.standing);
}

// Numbers the lines in date order: by day and in all.
void Number(std::vector<TPassLine>& lines) {
  std::string day;
  int32_t dayNumber = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    TPassLine& line = lines[i];
    const std::string lineDay = line.key.substr(0, 8);
    dayNumber = lineDay == day ? dayNumber + 1 : 1;
    day = lineDay;
    line.dayNumber = dayNumber;
    line.position = int32_t(i + 1);
  }
}

void Dispatch(std::vector<TPassLine>& lines, const TCodeRule& rule, TPassContext& ctx) {
  for (size_t i = 0; i < lines.size(); ++i) {
    rule.action(lines[i], ctx);
    ctx.progress.Step();
    if (i + 1 < lines.size() && ctx.progress.StopRequested()) {
      ctx.result.status = TRunStatus::Stopped;
      return;
    }
  }
}

// A rename names every file of the pass at once: no stop inside it.
void Rename(std::vector<TPassLine>& lines, const std::string& folder, TPassContext& ctx) {
  std::vector<TDatedFile> files;
  files.reserve(lines.size());
  for (TPassLine& line : lines)
    files.push_back({&line.file, line.key, line.dayNumber, line.position});
  // The file arguments keep their seconds; a folder's photos of one second
  // spread over the free ones around it.
  const bool spread = ctx.code == kRenameByPhotoDate &&
                      ctx.options.renameFormat == TRenameFormat::Date && !folder.empty();
  RenameByDate(files, ctx.options.renameFormat, spread, ctx.progress, ctx.result.failures);
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
  ctx.progress.BeginFolder(folder, (rule.renames ? 3 : 2) * files.size() + 1);
  std::vector<TPassLine> lines(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    Collect(files[i], rule, ctx, lines[i]);
    ctx.progress.Step();
    if (!rule.renames && ctx.progress.StopRequested()) {
      ctx.result.status = TRunStatus::Stopped;
      ctx.progress.EndFolder();
      return;
    }
  }
  std::sort(lines.begin(), lines.end(), InDateOrder);
  Number(lines);
  ctx.progress.Step();
  if (rule.renames)
    Rename(lines, folder, ctx);
  else
    Dispatch(lines, rule, ctx);
  if (ctx.handled)
    for (const TPassLine& line : lines) ctx.handled->insert(line.file.path);
  ctx.progress.EndFolder();
  if (limited) ctx.progress.FilesLimited(folder, found);
}

}  // namespace HromadneAkce
