// Where the batch actions take a photo's date from, and the date keys the
// file pass sorts by and names photos after.
#pragma once

#include <string>
#include <string_view>

#include "foundation/DateTime.h"
#include "photos/batch/HromadneAkceScan.h"

class TExifReader;

namespace HromadneAkce {

// What one EXIF read tells about a media file.
struct TPhotoInfo {
  // GetPhotoDate: the EXIF picture date when the photo has a usable one (not
  // the no-date value, 0 or 1 January at 00:00:00), else the file date.
  TDateTime photoDate = 0;
  // ReadExifDateAndGps: DateTimeDigitized, else DateTimeOriginal; DateTime
  // only when neither of those has a place in the file; exif::NullDate()
  // when the photo has none of them, has no EXIF or is not a JPEG.
  TDateTime exifDate = 0;
  // Signed decimal degrees of a valid position that is not all zero, else "".
  std::string latitude, longitude;
  // The digits of the fraction of the second it was taken in (GetSubSecTime).
  std::string subSecond;
};

// Reads the EXIF of a JPEG (told by the name it stands for, so a leftover
// under a temporary name is read too) once with reader. Without withPosition
// only the dates are read (latitude and longitude stay empty): a pass over
// thousands of photos that needs no position skips every other tag.
TPhotoInfo ReadPhotoInfo(const TMediaFile& file, TExifReader& reader, bool withPosition = true);

// The same for a path, as the window's other callers use them. A path that
// is not a JPEG by its own extension has no EXIF date.
TDateTime GetPhotoDate(const std::string& path);
TDateTime ReadExifDateAndGps(const std::string& path, std::string& latitude,
                             std::string& longitude);
TDateTime GetExifDate(const std::string& path);

// "yyyymmdd_hhmmss" of a date-time; "" for a value that is no valid date.
std::string DateKey(TDateTime value);
// The date-time of a key of exactly that form, read strictly; 0 when the
// text is not one (too short, a day or time that does not exist).
TDateTime KeyDate(std::string_view key);

}  // namespace HromadneAkce
