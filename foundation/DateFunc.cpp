// Day numbers, seconds of the day and their conversions to the date-time value.
#include "foundation/DateFunc.h"

#include <limits>

#include "platform/Clock.h"

namespace DateFunc {

namespace {

constexpr int32_t kSecondsPerDay = 86400;

// A two-digit year (0-99) names a year from 1950 to 2049; any other year
// stands as it is.
constexpr int FullYear(int year) {
  if (year < 0 || year > 99) return year;
  return year + 1900 < 1950 ? year + 2000 : year + 1900;
}

constexpr bool IsLeapFullYear(int year) {
  return year % 4 == 0 && year % 4000 != 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int MonthLength(int month, int fullYear) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapFullYear(fullYear) ? 29 : kDays[month - 1];
}

constexpr bool IsValidFullDate(int day, int month, int fullYear) {
  return fullYear >= 1600 && fullYear <= 3999 && day >= 1 && day <= MonthLength(month, fullYear);
}

// Counted from March so that the leap day ends the counting year; January
// and February of 1600 come before the first such year.
constexpr int32_t FullDateToDayNum(int day, int month, int fullYear) {
  if (!IsValidFullDate(day, month, fullYear)) return -1;
  if (fullYear == 1600 && month <= 2) return month == 1 ? day - 1 : day + 30;
  const int marchMonth = month > 2 ? month - 3 : month + 9;
  const int years = (month > 2 ? fullYear : fullYear - 1) - 1600;
  return years / 100 * 146097 / 4 + years % 100 * 1461 / 4 + (153 * marchMonth + 2) / 5 + day + 59;
}

constexpr int32_t kLastDayNum = FullDateToDayNum(31, 12, 3999);
static_assert(FullDateToDayNum(1, 3, 1600) == 60);
static_assert(FullDateToDayNum(1, 1, 1601) == 366);

bool IsValidDayNum(int32_t dayNum) { return dayNum >= 0 && dayNum <= kLastDayNum; }

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }
int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// Far beyond the span of valid dates, small enough that sums cannot overflow.
constexpr int64_t kSecondsLimit = int64_t{1} << 40;

}  // namespace

int32_t DMYToDayNum(int day, int month, int year) {
  return FullDateToDayNum(day, month, FullYear(year));
}

bool IsValidDate(int day, int month, int year) {
  return IsValidFullDate(day, month, FullYear(year));
}

int DaysInMonth(int month, int year) { return MonthLength(month, FullYear(year)); }

bool IsLeapYear(int year) { return IsLeapFullYear(FullYear(year)); }

void DayNumToYMD(int32_t dayNum, int& day, int& month, int& year) {
  day = month = year = 0;
  if (!IsValidDayNum(dayNum)) return;
  if (dayNum < 60) {
    year = 1600;
    month = dayNum < 31 ? 1 : 2;
    day = dayNum < 31 ? dayNum + 1 : dayNum - 30;
    return;
  }
  // The inverse of the March-based count above: centuries, then years of the
  // century, then months of 153 days per five.
  int32_t n = 4 * (dayNum - 59) - 1;
  const int32_t centuries = n / 146097;
  int32_t d = n % 146097 / 4;
  n = (4 * d + 3) / 1461;
  d = (4 * d + 3 - 1461 * n + 4) / 4;
  int32_t m = (5 * d - 3) / 153;
  day = (5 * d - 3 - 153 * m + 5) / 5;
  year = 1600 + 100 * centuries + n;
  if (m < 10) {
    m += 3;
  } else {
    m -= 9;
    ++year;
  }
  month = m;
}

int DayOfWeek(int32_t dayNum) { return IsValidDayNum(dayNum) ? (dayNum + 6) % 7 : 7; }

int DayOfWeekDMY(int day, int month, int year) { return DayOfWeek(DMYToDayNum(day, month, year)); }

int32_t TodayDayNum() { return DateTimeToDayNum(DateTime::Now()); }

int32_t DateTimeToDayNum(TDateTime value) {
  int year = 0, month = 0, day = 0;
  if (value == 0 || !DateTime::DecodeDate(value, year, month, day)) return -1;
  return FullDateToDayNum(day, month, year);
}

int32_t EncodeSeconds(int hour, int minute, int second) {
  const int64_t seconds = int64_t{hour} % 24 * 3600 + int64_t{minute} * 60 + second;
  return static_cast<int32_t>(FloorMod(seconds, kSecondsPerDay));
}

void SecondsToHMS(int32_t seconds, int& hour, int& minute, int& second) {
  if (seconds < 0) {
    hour = minute = second = 0;
  } else if (seconds >= kSecondsPerDay) {
    hour = 23, minute = 59, second = 59;
  } else {
    hour = seconds / 3600;
    minute = seconds / 60 % 60;
    second = seconds % 60;
  }
}

bool IsValidTime(int hour, int minute, int second) {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 60 && second >= 0 && second <= 60;
}

int32_t DateTimeToSeconds(TDateTime value) { return MsOfDay(value) / 1000; }

int32_t NowSeconds() { return DateTimeToSeconds(DateTime::Now()); }

int32_t MsOfDay(TDateTime value) {
  int hour = 0, minute = 0, second = 0, ms = 0;
  DateTime::DecodeTime(value, hour, minute, second, ms);
  return (3600 * hour + 60 * minute + second) * 1000 + ms;
}

int32_t NowMsOfDay() { return MsOfDay(DateTime::Now()); }

TDateTime DayNumSecondsToDateTime(int32_t dayNum, int32_t seconds) {
  if (dayNum <= 0) return 0;
  int64_t day = dayNum;
  if (seconds > kSecondsPerDay) {
    day += seconds / kSecondsPerDay;
    seconds %= kSecondsPerDay;
  }
  if (day > kLastDayNum) return 0;
  int d = 0, mo = 0, y = 0, h = 0, mi = 0, s = 0;
  DayNumToYMD(static_cast<int32_t>(day), d, mo, y);
  SecondsToHMS(seconds, h, mi, s);
  TDateTime result = 0;
  return DateTime::TryEncodeDateTime(y, mo, d, h, mi, s, 0, result) ? result : 0;
}

TDaySec DateTimeToDaySec(TDateTime value) {
  return TDaySec{DateTimeToDayNum(value), DateTimeToSeconds(value)};
}

TDateTime IncSeconds(int64_t seconds, TDateTime value) {
  const TDaySec start = DateTimeToDaySec(value);
  if (start.day < 0 || seconds > kSecondsLimit || seconds < -kSecondsLimit) return 0;
  const int64_t total = start.seconds + seconds;
  const int64_t day = start.day + FloorDiv(total, kSecondsPerDay);
  if (day < 0 || day > kLastDayNum) return 0;
  return DayNumSecondsToDateTime(static_cast<int32_t>(day),
                                 static_cast<int32_t>(FloorMod(total, kSecondsPerDay)));
}

TDateTime IncHours(int32_t hours, TDateTime value) {
  return IncSeconds(int64_t{hours} * 3600, value);
}

TDaySec AddDaySec(TDaySec value, TDaySec delta) {
  if (value.day < 0) return TDaySec{-1, 0};
  const int64_t seconds = int64_t{value.seconds} + delta.seconds;
  const int64_t day = int64_t{value.day} + delta.day + FloorDiv(seconds, kSecondsPerDay);
  if (day < 0 || day > std::numeric_limits<int32_t>::max()) return TDaySec{-1, 0};
  return TDaySec{static_cast<int32_t>(day),
                 static_cast<int32_t>(FloorMod(seconds, kSecondsPerDay))};
}

TDateTime IncDateTime(int32_t days, int32_t hours, int32_t minutes, int32_t seconds,
                      TDateTime value) {
  const int64_t total = int64_t{hours} * 3600 + int64_t{minutes} * 60 + seconds;
  const int64_t deltaDays = days + FloorDiv(total, kSecondsPerDay);
  const TDaySec start = DateTimeToDaySec(value);
  if (start.day < 0 || deltaDays < -kLastDayNum - 1 || deltaDays > kLastDayNum + 1) return 0;
  const TDaySec sum =
      AddDaySec(start, TDaySec{static_cast<int32_t>(deltaDays),
                               static_cast<int32_t>(FloorMod(total, kSecondsPerDay))});
  return sum.day < 0 || sum.day > kLastDayNum ? 0 : DayNumSecondsToDateTime(sum.day, sum.seconds);
}

bool SetLocalTimeFromDateTime(TDateTime value) {
  platform::LocalTime t;
  if (!DateTime::DecodeDateTime(value, t.year, t.month, t.day, t.hour, t.minute, t.second,
                                t.millisecond))
    return false;
  return platform::SetLocalClock(t);
}

}  // namespace DateFunc
