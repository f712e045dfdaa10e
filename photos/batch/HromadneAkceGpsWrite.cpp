#include "photos/batch/HromadneAkceGpsWrite.h"

#include <cmath>

#include "foundation/StrFunc.h"
#include "metadata/exif.h"

namespace HromadneAkce {

namespace {

// The largest altitude an EXIF rational of hundredths holds.
constexpr double kMaxAltitude = 42949672.0;

struct Limits {
  int32_t degrees;
  TGpsFieldError degreesError, minutesError, secondsError, rangeError;
};
constexpr Limits kLatitude = {90, TGpsFieldError::LatitudeDegrees, TGpsFieldError::LatitudeMinutes,
                              TGpsFieldError::LatitudeSeconds, TGpsFieldError::LatitudeRange};
constexpr Limits kLongitude = {180, TGpsFieldError::LongitudeDegrees,
                               TGpsFieldError::LongitudeMinutes, TGpsFieldError::LongitudeSeconds,
                               TGpsFieldError::LongitudeRange};

// A whole number of digits only, at most max.
bool ReadWhole(const std::string& text, int32_t max, int32_t& value) {
  const std::string digits = StrFunc::RemoveBlanks(text);
  if (digits.empty() || digits.size() > 3) return false;
  value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= max;
}

bool ReadNumber(const std::string& text, double& value) {
  return StrFunc::TryStrToFloatS(StrFunc::RemoveBlanks(text), value) && std::isfinite(value);
}

TGpsFieldError ReadCoordinate(const std::string& degreesText, const std::string& minutesText,
                              const std::string& secondsText, const Limits& limits,
                              int32_t& degrees, int32_t& minutes, double& seconds) {
  if (!ReadWhole(degreesText, limits.degrees, degrees)) return limits.degreesError;
  if (!ReadWhole(minutesText, 59, minutes)) return limits.minutesError;
  // Seconds are stored to thousandths: 59.9996 would be stored as 60.
  if (!ReadNumber(secondsText, seconds) || seconds < 0 || StrFunc::RoundTo(3, seconds) >= 60)
    return limits.secondsError;
  if (degrees + minutes / 60.0 + seconds / 3600.0 > limits.degrees) return limits.rangeError;
  return TGpsFieldError::None;
}

// The reader raises a changed flag only for a value that differs from the
// stored one, and its writer then writes only the flagged parts. A position
// the photo holds incomplete is written whole, so each part is first set to
// a value no position has.
void SetWholePosition(TExifReader& reader, const TGpsPosition& p) {
  reader.SetLatitude(-1, -1, p.north, -1);
  reader.SetLongitude(-1, -1, p.east, -1);
  reader.SetLatitude(p.latDegrees, p.latMinutes, p.north, p.latSeconds);
  reader.SetLongitude(p.lonDegrees, p.lonMinutes, p.east, p.lonSeconds);
}

}  // namespace

TGpsFieldError ParseGpsFields(const TGpsFields& f, TGpsPosition& p) {
  TGpsPosition read;
  read.north = !f.south;
  read.east = !f.west;
  TGpsFieldError error = ReadCoordinate(f.latDegrees, f.latMinutes, f.latSeconds, kLatitude,
                                        read.latDegrees, read.latMinutes, read.latSeconds);
  if (error != TGpsFieldError::None) return error;
  error = ReadCoordinate(f.lonDegrees, f.lonMinutes, f.lonSeconds, kLongitude, read.lonDegrees,
                         read.lonMinutes, read.lonSeconds);
  if (error != TGpsFieldError::None) return error;
  read.hasAltitude = !StrFunc::RemoveBlanks(f.altitude).empty();
  if (read.hasAltitude &&
      (!ReadNumber(f.altitude, read.altitude) || std::fabs(read.altitude) > kMaxAltitude))
    return TGpsFieldError::Altitude;
  p = read;
  return TGpsFieldError::None;
}

bool WriteGpsToFile(const std::string& path, const TGpsPosition& position, TGpsMode mode,
                    TFailures& failures) {
  TExifReader reader;
  reader.ReadFromFile(path);
  // A GPS block that holds no whole position (cameras write one without a
  // fix) is no position to keep.
  const bool located = reader.HasGPS() && reader.IsGPSValid();
  if (located && mode == TGpsMode::JustUnset) return false;
  if (located) {
    reader.SetLatitude(position.latDegrees, position.latMinutes, position.north,
                       position.latSeconds);
    reader.SetLongitude(position.lonDegrees, position.lonMinutes, position.east,
                        position.lonSeconds);
  } else {
    SetWholePosition(reader, position);
  }
  if (position.hasAltitude) reader.SetAltitude(position.altitude);
  const TExifValues& v = reader.Values();
  if (!v.latitudeChanged && !v.longitudeChanged && !v.altitudeChanged) return false;
  if (reader.EnsureExif() && reader.WriteGPS()) return true;
  failures.push_back(FailureOf(TFailureKind::GpsNotWritten, path));
  return false;
}

}  // namespace HromadneAkce
