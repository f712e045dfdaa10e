#include "foundation/DateTime.h"

#include <cmath>

#include "platform/Clock.h"

namespace DateTime {

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// 1899-12-30, day 0 of the date-time value.
const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int MonthDays(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// The value as whole days and milliseconds of the day, rounded to the
// millisecond: days truncate towards zero and the time is taken unsigned, as
// the format defines for values before 1899-12-30. A time that rounds up to
// 24:00 is the start of the next day, for either sign: -0.9999999999 is
// 1899-12-31 00:00.
bool Split(TDateTime value, int64_t& days, int64_t& ms) {
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return false;
  const double whole = std::trunc(value);
  days = static_cast<int64_t>(whole);
  ms = std::llround(std::fabs(value - whole) * static_cast<double>(kMsPerDay));
  if (ms == kMsPerDay) {
    ++days;
    ms = 0;
  }
  return true;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > MonthDays(year, month))
    return false;
  result = static_cast<double>(DaysFromCivil(year, month, day) - kEpochDays);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    return false;
  const int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  result = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
  return true;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& result) {
  TDateTime date = 0;
  TDateTime time = 0;
  if (!TryEncodeDate(year, month, day, date) ||
      !TryEncodeTime(hour, minute, second, millisecond, time))
    return false;
  result = ComposeDateTime(date, time);
  return true;
}

bool DecodeDate(TDateTime value, int& year, int& month, int& day) {
  int64_t days = 0;
  int64_t ms = 0;
  if (!Split(value, days, ms)) return false;
  int y = 0, m = 0, d = 0;
  CivilFromDays(days + kEpochDays, y, m, d);
  if (y < 1 || y > 9999) return false;
  year = y, month = m, day = d;
  return true;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  int64_t days = 0;
  int64_t ms = 0;
  if (!Split(value, days, ms)) ms = 0;
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

bool DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& millisecond) {
  if (!DecodeDate(value, year, month, day)) return false;
  DecodeTime(value, hour, minute, second, millisecond);
  return true;
}

TDateTime Now() {
  const platform::LocalTime t = platform::LocalNow();
  TDateTime result = 0;
  TryEncodeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond, result);
  return result;
}

TDateTime FromUnixTime(int64_t unixSeconds) {
  const platform::LocalTime t = platform::UnixToLocal(unixSeconds);
  TDateTime result = 0;
  TryEncodeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, 0, result);
  return result;
}

bool ToUnixTime(TDateTime localValue, int64_t& unixSeconds) {
  platform::LocalTime t;
  if (!DecodeDateTime(localValue, t.year, t.month, t.day, t.hour, t.minute, t.second,
                      t.millisecond))
    return false;
  return platform::LocalToUnix(t, unixSeconds);
}

bool DosToDateTime(uint32_t stamp, TDateTime& result) {
  const uint32_t date = stamp >> 16;
  const uint32_t time = stamp & 0xFFFF;
  return TryEncodeDateTime(static_cast<int>(1980 + (date >> 9)), static_cast<int>((date >> 5) & 15),
                           static_cast<int>(date & 31), static_cast<int>(time >> 11),
                           static_cast<int>((time >> 5) & 63), static_cast<int>((time & 31) * 2), 0,
                           result);
}

bool DateTimeToDos(TDateTime value, uint32_t& stamp) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  if (!DecodeDateTime(value, y, mo, d, h, mi, s, ms) || y < 1980 || y > 2107) return false;
  const uint32_t date = static_cast<uint32_t>(((y - 1980) << 9) | (mo << 5) | d);
  const uint32_t time = static_cast<uint32_t>((h << 11) | (mi << 5) | (s / 2));
  stamp = (date << 16) | time;
  return true;
}

}  // namespace DateTime
