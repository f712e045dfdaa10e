#include "photos/batch/HromadneAkceActions.h"

#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceSplit.h"
#include "photos/batch/HromadneAkceStats.h"

namespace HromadneAkce {

namespace {

void CountLine(TPassLine& line, TPassContext& ctx) {
  CountStatistics(line.file.path, line.info, ctx.result.statistics);
}

void FileDateFromPhoto(TPassLine& line, TPassContext& ctx) {
  SetFileDateFromKey(line.file, line.key, ctx.result.failures);
}

void ExifDatesFromFile(TPassLine& line, TPassContext& ctx) {
  SetExifDateFromFile(line.file, ctx.result.failures);
}

void DirectDate(TPassLine& line, TPassContext& ctx) {
  // The clock moves for every file, handled or not.
  const TDateTime value = ctx.clock->Next();
  if (!IsJpegFile(line.file.path)) return;
  if (ctx.options.onlyInvalidDates && line.info.exifDate != exif::NullDate()) return;
  SetPhotoDates(line.file, value, ctx.options.setExifDate, ctx.options.setFileDate,
                ctx.result.failures);
}

void WriteGps(TPassLine& line, TPassContext& ctx) {
  if (IsJpegFile(line.file.path) &&
      WriteGpsToFile(line.file.path, ctx.gps, ctx.options.gpsMode, ctx.result.failures))
    ++ctx.result.gpsWritten;
}

void Split(TPassLine& line, TPassContext& ctx) {
  SplitIntoSubfolder(ctx.code, line.file, line.info.exifDate, ctx.result.failures);
}

void Shift(TPassLine& line, TPassContext& ctx) {
  const int32_t days = ctx.options.shiftDays, minutes = ctx.options.shiftMinutes;
  if (days == 0 && minutes == 0) return;
  ShiftDates(line.file, days, minutes, ctx.result.failures);
}

void FileDateFromName(TPassLine& line, TPassContext& ctx) {
  SetFileDateFromName(line.file, ctx.result.failures);
}

// By action code: action, reads EXIF, JPEG only, renames. A rename names
// every file of a pass at once (HromadneAkceRename.h), so it has no action
// for one file; it reads the EXIF for the fraction of the second too.
constexpr TCodeRule kRules[] = {
    {CountLine, true, false, false},           // 0 statistics
    {FileDateFromPhoto, true, true, false},    // 1 file date := photo date
    {nullptr, true, false, true},              // 2 rename by photo date
    {ExifDatesFromFile, false, true, false},   // 3 EXIF dates := file date
    {DirectDate, true, false, false},          // 4 direct date
    {WriteGps, false, false, false},           // 5 GPS position
    {Split, true, false, false},               // 6 "yyyy-mm" folders
    {Shift, false, false, false},              // 7 shift
    {FileDateFromName, false, false, false},   // 8 file date from the name
    {nullptr, true, false, true},              // 9 rename by file date
    {Split, true, false, false},               // 10 "yyyy" folders
    {Split, true, false, false},               // 11 "EXIF" / "NO-EXIF" folders
};

}  // namespace

const TCodeRule& RuleOf(TActionCode code) { return kRules[code]; }

}  // namespace HromadneAkce
