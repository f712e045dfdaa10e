#include <algorithm>
#include <cstdint>

#include "foundation/DateTime.h"
#include "foundation/StrFunc.h"

namespace StrFunc {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int LastDayOf(int year, int month) {
  switch (month) {
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

}  // namespace

bool DosDateTimeClamped(uint32_t stamp, TDateTime& result) {
  const uint32_t date = stamp >> 16;
  const uint32_t time = stamp & 0xFFFF;
  const int year = static_cast<int>(1980 + (date >> 9));
  int month = static_cast<int>((date >> 5) & 15);
  int day = static_cast<int>(date & 31);
  // A stamp rejected within 1980, or with a month past 12 before 1985, keeps
  // only its year.
  if (date < 512 || (month > 12 && year < 1985)) {
    return DateTime::TryEncodeDate(year, 1, 1, result);
  }
  if (month == 0 || day == 0) return false;
  month = std::min(month, 12);
  day = std::min(day, LastDayOf(year, month));
  const int hour = std::min(static_cast<int>(time >> 11), 23);
  const int minute = std::min(static_cast<int>((time >> 5) & 63), 59);
  const int second = std::min(static_cast<int>((time & 31) * 2), 59);
  return DateTime::TryEncodeDateTime(year, month, day, hour, minute, second, 0, result);
}

TDateTime FileDateToDateTimeSafe(uint32_t stamp) {
  TDateTime result = 0;
  if (DateTime::DosToDateTime(stamp, result) || DosDateTimeClamped(stamp, result)) return result;
  DateTime::TryEncodeDate(1980, 1, 1, result);
  return result;
}

}  // namespace StrFunc
