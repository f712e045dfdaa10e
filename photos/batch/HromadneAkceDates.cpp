#include "photos/batch/HromadneAkceDates.h"

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "metadata/exif.h"
#include "photos/batch/HromadneAkceKinds.h"

namespace HromadneAkce {

namespace {

constexpr size_t kKeyLength = 15;

// A camera that lost its clock writes 1 January 00:00:00; such a date says
// nothing about when the photo was taken.
bool IsUsablePictureDate(TDateTime value) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  if (value == exif::NullDate() || DateFunc::DateTimeToDayNum(value) <= 0 ||
      !DateTime::DecodeDateTime(value, y, mo, d, h, mi, s, ms))
    return false;
  return !(mo == 1 && d == 1 && h == 0 && mi == 0 && s == 0);
}

TDateTime ExifDateOf(const TExifReader& reader) {
  const TExifValues& v = reader.Values();
  if (exif::IsNullDate(v.dateTimeOriginal) && exif::IsNullDate(v.dateTimeDigitized)) {
    // DateTime speaks for the photo only when the file has no place for the
    // two dates of the exposure.
    if (!exif::IsNullDate(v.dateTime) && !reader.CanWriteDates()) return v.dateTime;
    return exif::NullDate();
  }
  return exif::IsNullDate(v.dateTimeDigitized) ? v.dateTimeOriginal : v.dateTimeDigitized;
}

}  // namespace

TPhotoInfo ReadPhotoInfo(const TMediaFile& file, TExifReader& reader, bool withPosition) {
  TPhotoInfo info;
  info.photoDate = file.fileDate;
  info.exifDate = exif::NullDate();
  if (!IsJpegFile(file.standing)) return info;
  const bool read = withPosition ? reader.ReadFromFile(file.path) : reader.ReadPictureInfo(file.path);
  if (!read) return info;
  const TDateTime picture = reader.GetPictureDate();
  if (IsUsablePictureDate(picture)) info.photoDate = picture;
  info.exifDate = ExifDateOf(reader);
  info.subSecond = reader.GetSubSecTime();
  if (withPosition && reader.HasGPS() && reader.IsGPSValid() && !reader.IsGPSEmpty()) {
    info.latitude = reader.GetLatitudeText();
    info.longitude = reader.GetLongitudeText();
  }
  return info;
}

TDateTime GetPhotoDate(const std::string& path) {
  TExifReader reader;
  return ReadPhotoInfo({path, path, DosFunc::GetFileDateTime(path)}, reader).photoDate;
}

TDateTime ReadExifDateAndGps(const std::string& path, std::string& latitude,
                             std::string& longitude) {
  TExifReader reader;
  const TPhotoInfo info = ReadPhotoInfo({path, path, 0}, reader);
  latitude = info.latitude;
  longitude = info.longitude;
  return info.exifDate;
}

TDateTime GetExifDate(const std::string& path) {
  std::string latitude, longitude;
  return ReadExifDateAndGps(path, latitude, longitude);
}

std::string DateKey(TDateTime value) {
  if (DateFunc::DateTimeToDayNum(value) <= 0) return std::string();
  return DateFunc::FormatDate("yyyymmdd", value) + "_" + DateFunc::FormatTime("hhmmss", value);
}

TDateTime KeyDate(std::string_view key) {
  if (key.size() != kKeyLength || key[8] != '_') return 0;
  const int32_t day = DateFunc::StrToDayNumStrict("yyyymmdd", key.substr(0, 8));
  const int32_t seconds = DateFunc::StrToSecondsStrict("hhmmss", key.substr(9));
  if (day <= 0 || seconds < 0) return 0;
  return DateFunc::DayNumSecondsToDateTime(day, seconds);
}

}  // namespace HromadneAkce
