#include "metadata/exifReadings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/DateFunc.h"

namespace exif {

namespace {

// A part of a GPS triple; a zero denominator gives the numerator.
double GpsPart(const TExifValueView& v, uint32_t i) {
  return v.Den(i) == 0 ? double(v.Num(i)) : double(v.Num(i)) / v.Den(i);
}

int64_t GpsWholePart(const TExifValueView& v, uint32_t i) {
  return v.Den(i) == 0 ? v.Num(i) : v.Num(i) / v.Den(i);
}

}  // namespace

GpsCoordinate ReadGpsCoordinate(const TExifValueView& v) {
  GpsCoordinate c;
  const double degrees = GpsPart(v, 0);
  c.degrees = std::floor(degrees);
  const double minutes = GpsPart(v, 1) + (degrees - c.degrees) * 60;
  c.minutes = std::floor(minutes);
  c.seconds = GpsPart(v, 2) + (minutes - c.minutes) * 60;
  return c;
}

bool ReadGpsTime(const TExifValueView& v, GpsTime& time) {
  if (v.count < 3) return false;
  time.hour = GpsWholePart(v, 0);
  time.minute = GpsWholePart(v, 1);
  time.second = GpsWholePart(v, 2);
  return time.hour < 24 && time.minute < 60 && time.second < 60 &&
         DateTime::TryEncodeTime(int(time.hour), int(time.minute), int(time.second), 0,
                                 time.value);
}

bool ReadGpsDate(std::string_view text, int& year, int& month, int& day) {
  const auto take = [&text](int& value) {
    const size_t at = text.find(':');
    const std::string_view part = text.substr(0, at);
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    return ec == std::errc() && end == part.data() + part.size();
  };
  return take(year) && take(month) && take(day) && DateFunc::IsValidDate(day, month, year);
}

void ReadSpecialMode(const TExifValueView& v, uint32_t mode[3]) {
  mode[0] = v.U32(0);
  mode[1] = v.U32(1);
  mode[2] = mode[0] == 3 ? v.U32(2) : 0;
}

int32_t CasioZoom(uint32_t value) {
  return int32_t(std::max<int64_t>(int64_t(value) - 65536, 0));
}

}  // namespace exif
