#include "photos/batch/HromadneAkceDateActions.h"

#include <array>
#include <cmath>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/batch/HromadneAkceDates.h"
#include "photos/batch/HromadneAkceKinds.h"

namespace HromadneAkce {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// A file system may keep only even seconds.
constexpr int64_t kFileDateSlack = 2;
// Seconds tried from the named one when the names of the kept times are taken.
constexpr int kNameDateTries = 4;

// The three EXIF dates, as the reader keeps and sets them.
struct DateTag {
  uint8_t kind;
  uint16_t tag;
  TDateTime TExifValues::*value;
  int32_t TExifValues::*pos;
  void (TExifReader::*set)(TDateTime);
};
constexpr DateTag kDateTags[] = {
    {exif::kIfd0, exif::tiff::kDateTime, &TExifValues::dateTime, &TExifValues::dateTimePos,
     &TExifReader::SetDateTime},
    {exif::kExifIfd, exif::photo::kDateTimeOriginal, &TExifValues::dateTimeOriginal,
     &TExifValues::dateTimeOriginalPos, &TExifReader::SetDateTimeOriginal},
    {exif::kExifIfd, exif::photo::kDateTimeDigitized, &TExifValues::dateTimeDigitized,
     &TExifValues::dateTimeDigitizedPos, &TExifReader::SetDateTimeDigitized},
};
constexpr size_t kDateTagCount = std::size(kDateTags);

int64_t SecondsBetween(TDateTime a, TDateTime b) {
  return std::llround((a - b) * double(kSecondsPerDay));
}

void Fail(TFailures& failures, TFailureKind kind, const std::string& path,
          const std::string& other = std::string()) {
  failures.push_back(FailureOf(kind, path, other));
}

using TDateValues = std::array<TDateTime, kDateTagCount>;

// The photo's EXIF dates as the reader holds them.
TDateValues OwnDates(const TExifReader& reader) {
  TDateValues own{};
  for (size_t i = 0; i < kDateTagCount; ++i) own[i] = reader.Values().*kDateTags[i].value;
  return own;
}

// Sets the tags given a value (0: leave it) where the photo has them and
// writes them in place: all of them, or none when one has no place. True
// when they were written; old receives what they held.
bool WriteDateTags(TExifReader& reader, const std::string& path, const TDateValues& values,
                   TFailures& failures, TDateValues& old) {
  if (!reader.EnsureExif()) {
    Fail(failures, TFailureKind::ExifNotWritten, path);
    return false;
  }
  old = OwnDates(reader);
  bool any = false;
  for (size_t i = 0; i < kDateTagCount; ++i) {
    const DateTag& t = kDateTags[i];
    if (values[i] == 0 || reader.FindTagIndex(t.kind, t.tag) < 0) continue;
    if (reader.Values().*t.pos < 1) {
      Fail(failures, TFailureKind::ExifDateNotInPlace, path);
      return false;
    }
    any = true;
  }
  if (!any) {
    Fail(failures, TFailureKind::ExifDateNotInPlace, path);
    return false;
  }
  for (size_t i = 0; i < kDateTagCount; ++i) {
    const DateTag& t = kDateTags[i];
    if (values[i] != 0 && reader.FindTagIndex(t.kind, t.tag) >= 0) (reader.*t.set)(values[i]);
  }
  if (reader.WriteDates()) return true;
  Fail(failures, TFailureKind::ExifNotWritten, path);
  return false;
}

// The EXIF dates (none when exif is all 0) and then the file date (0: none)
// of one photo; EXIF dates already written go back when the file date does
// not take.
void WritePhotoDates(TExifReader& reader, const TMediaFile& file, const TDateValues& exif,
                     TDateTime fileDate, TFailures& failures) {
  const bool setExif = exif != TDateValues{};
  TDateValues old{};
  if (setExif && !WriteDateTags(reader, file.path, exif, failures, old)) return;
  if (fileDate == 0 || SecondsBetween(file.fileDate, fileDate) == 0) return;
  if (SetFileDate(file.path, fileDate)) return;
  Fail(failures, TFailureKind::DateNotSet, file.path);
  if (!setExif) return;
  // Only the tags written go back.
  for (size_t i = 0; i < kDateTagCount; ++i)
    if (exif[i] == 0) old[i] = 0;
  TExifReader back;
  TFailures ignored;
  TDateValues unused{};
  back.ReadFromFile(file.path);
  if (!WriteDateTags(back, file.path, old, ignored, unused))
    Fail(failures, TFailureKind::ExifNotWritten, file.path);
}

}  // namespace

bool SetFileDate(const std::string& path, TDateTime value) {
  if (DateFunc::DateTimeToDayNum(value) <= 0) return false;
  DosFunc::SetFileDateTime(path, value);
  const TDateTime kept = DosFunc::GetFileDateTime(path);
  return kept != 0 && std::llabs(SecondsBetween(kept, value)) <= kFileDateSlack;
}

void SetFileDateFromKey(const TMediaFile& file, std::string_view key, TFailures& failures) {
  const TDateTime value = KeyDate(key);
  if (value == 0) return Fail(failures, TFailureKind::NoUsableDate, file.path);
  if (SecondsBetween(file.fileDate, value) == 0) return;
  if (!SetFileDate(file.path, value)) Fail(failures, TFailureKind::DateNotSet, file.path);
}

bool SetExifDates(const std::string& path, TDateTime value, TFailures& failures) {
  TExifReader reader;
  reader.ReadFromFile(path);
  TDateValues old{};
  return WriteDateTags(reader, path, {value, value, value}, failures, old);
}

void SetExifDateFromFile(const TMediaFile& file, TFailures& failures) {
  SetExifDates(file.path, file.fileDate, failures);
}

void SetPhotoDates(const TMediaFile& file, TDateTime value, bool setExif, bool setFile,
                   TFailures& failures) {
  TExifReader reader;
  if (setExif) reader.ReadFromFile(file.path);
  const TDateValues exif = setExif ? TDateValues{value, value, value} : TDateValues{};
  WritePhotoDates(reader, file, exif, setFile ? value : 0, failures);
}

TDateTime ShiftDateTime(int32_t days, int32_t minutes, TDateTime value) {
  if (days == 0 && minutes == 0) return value;
  if (DateFunc::DateTimeToDayNum(value) <= 0) return 0;
  const int64_t shift = int64_t(minutes) * 60 % kSecondsPerDay;
  int64_t day = int64_t(DateFunc::DateTimeToDayNum(value)) + days;
  int64_t seconds = DateFunc::DateTimeToSeconds(value) + shift;
  if (seconds >= kSecondsPerDay) {
    ++day;
    seconds -= kSecondsPerDay;
  } else if (seconds < 0) {
    --day;
    seconds += kSecondsPerDay;
  }
  if (day <= 0 || day > DateFunc::DMYToDayNum(31, 12, 3999)) return 0;
  return DateFunc::DayNumSecondsToDateTime(int32_t(day), int32_t(seconds));
}

void ShiftDates(const TMediaFile& file, int32_t days, int32_t minutes, TFailures& failures) {
  const TDateTime shifted = ShiftDateTime(days, minutes, file.fileDate);
  if (shifted == 0) return Fail(failures, TFailureKind::NoUsableDate, file.path);
  TExifReader reader;
  TDateValues exif{};
  if (IsJpegFile(file.path) && reader.ReadFromFile(file.path)) {
    const TDateValues own = OwnDates(reader);
    for (size_t i = 0; i < kDateTagCount; ++i) {
      if (reader.FindTagIndex(kDateTags[i].kind, kDateTags[i].tag) < 0 || exif::IsNullDate(own[i]))
        continue;
      exif[i] = ShiftDateTime(days, minutes, own[i]);
      if (exif[i] == 0) return Fail(failures, TFailureKind::NoUsableDate, file.path);
    }
  }
  WritePhotoDates(reader, file, exif, shifted, failures);
}

void SetFileDateFromName(const TMediaFile& file, TFailures& failures) {
  const std::string name = StrFunc::ExtractName(file.path);
  const TDateTime named = KeyDate(StrFunc::ExtractNameNoExt(name));
  if (named == 0) return;
  const std::string stem = StrFunc::IncludeBackslash(StrFunc::ExtractDir(file.path));
  const std::string ext = StrFunc::ExtractExt(name);
  std::string taken;
  for (int step = 0; step < kNameDateTries; ++step) {
    const TDateTime wanted = DateFunc::IncSeconds(step, named);
    if (wanted != 0) DosFunc::SetFileDateTime(file.path, wanted);
    const TDateTime kept = DosFunc::GetFileDateTime(file.path);
    if (wanted == 0 || kept == 0 || std::llabs(SecondsBetween(kept, wanted)) > kFileDateSlack) {
      DosFunc::SetFileDateTime(file.path, file.fileDate);
      return Fail(failures, TFailureKind::DateNotSet, file.path);
    }
    if (SecondsBetween(kept, named) == 0) return;
    // The file system kept another time: the name follows the time.
    const std::string target = stem + DateKey(kept) + "." + ext;
    if (!DosFunc::FileExistsLong(target)) {
      if (DosFunc::RenameFileLong(file.path, target)) return;
      DosFunc::SetFileDateTime(file.path, file.fileDate);
      return Fail(failures, TFailureKind::RenameFailed, file.path, target);
    }
    taken = target;
  }
  DosFunc::SetFileDateTime(file.path, file.fileDate);
  Fail(failures, TFailureKind::NameTaken, file.path, taken);
}

bool ReadShiftField(std::string_view text, int32_t& value) {
  return StrFunc::TryStrToIntS(StrFunc::Trim(text), value);
}

TDateTime TDirectClock::Next() {
  const TDateTime value =
      DateFunc::DayNumSecondsToDateTime(day_, DateFunc::EncodeSeconds(hour_, minute_, second_));
  second_ += 2;
  if (second_ >= 60) {
    second_ -= 60;
    ++minute_;
  }
  if (minute_ >= 60) {
    minute_ = 0;
    ++hour_;
  }
  return value;
}

}  // namespace HromadneAkce
