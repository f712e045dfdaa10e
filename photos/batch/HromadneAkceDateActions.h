// The date actions of the batch actions window, one file at a time: file
// date from the photo date (code 1), EXIF dates from the file date (3), a
// direct date (4), shifting (7) and the file date from a "yyyymmdd_hhmmss"
// name (8). A file date counts as set only when it reads back within 2
// seconds (file systems that keep even seconds); EXIF dates are rewritten in
// place and the photo keeps its file date. A photo gets all its date
// changes or none: its EXIF dates are written only when every one of them
// has its place, and its file date changes only together with them.
// Failures are appended to failures; the file is then as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/DateTime.h"
#include "photos/batch/HromadneAkceResult.h"
#include "photos/batch/HromadneAkceScan.h"

namespace HromadneAkce {

// Sets the last-write time and reads it back; true when it came within 2 s.
bool SetFileDate(const std::string& path, TDateTime value);

// The file's last-write time := the date of a key "yyyymmdd_hhmmss".
void SetFileDateFromKey(const TMediaFile& file, std::string_view key, TFailures& failures);

// DateTime, DateTimeOriginal and DateTimeDigitized := value, each where the
// photo has the tag; a photo without EXIF first gets the minimal segment.
// True when they were written.
bool SetExifDates(const std::string& path, TDateTime value, TFailures& failures);
// Code 4 on one photo: the EXIF dates (setExif) and the file date
// (setFile) := value, all or none.
void SetPhotoDates(const TMediaFile& file, TDateTime value, bool setExif, bool setFile,
                   TFailures& failures);
// SetExifDates with the file's last-write time (code 3).
void SetExifDateFromFile(const TMediaFile& file, TFailures& failures);

// value moved by days and by minutes; whole days in the minutes are dropped
// (they belong in days). Midnight carries into the next day. 0 when the
// result is no valid date.
TDateTime ShiftDateTime(int32_t days, int32_t minutes, TDateTime value);
// Code 7 on one file: its file date and, for a JPEG, each of the three EXIF
// dates that holds a valid date, moved from its own value, all or none. A
// photo without a valid EXIF date keeps its EXIF as it is.
void ShiftDates(const TMediaFile& file, int32_t days, int32_t minutes, TFailures& failures);

// The date of a name "yyyymmdd_hhmmss.<ext>" (checked strictly) becomes the
// file date. Where the file system keeps another time (2-second
// resolution), the file takes the name of the time it carries, trying up to
// four seconds from the named one while such names are taken; it is never
// renamed to a time it does not carry. Other names are left alone.
void SetFileDateFromName(const TMediaFile& file, TFailures& failures);

// A shift field (days, mins): the trimmed text as a whole number; false when
// it is none (the window then unchecks movedate / movetime).
bool ReadShiftField(std::string_view text, int32_t& value);

// The direct date's clock (code 4): one per pass, starting at 00:00:02 and
// going on by 2 seconds for every file, handled or not.
class TDirectClock {
 public:
  explicit TDirectClock(int32_t day) : day_(day) {}
  // The day at the clock's time; then the clock moves on.
  TDateTime Next();

 private:
  int32_t day_;
  int hour_ = 0, minute_ = 0, second_ = 2;
};

}  // namespace HromadneAkce
