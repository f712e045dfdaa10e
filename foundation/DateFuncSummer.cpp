// The program's own summer-time rule, milliseconds since 1990 and the state
// kept for the run.
#include "foundation/DateFunc.h"

namespace DateFunc {

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kMsPerHour = 3600000;

// Summer runs from the last Sunday of March to the day before the last
// Sunday of October. fullYear must be valid.
void ComputeBounds(int fullYear, int32_t& firstDay, int32_t& lastDay) {
  const int32_t march31 = DMYToDayNum(31, 3, fullYear);
  const int32_t october31 = DMYToDayNum(31, 10, fullYear);
  firstDay = march31 - DayOfWeek(march31);
  lastDay = october31 - DayOfWeek(october31) - 1;
}

// What the unit keeps for the whole run, taken when first needed and not
// refreshed when the year changes.
struct RunState {
  int year = 0;
  int32_t firstSummerDay = -1;
  int32_t lastSummerDay = -1;
  TDateTime started = 0;
};

const RunState& State() {
  static const RunState state = [] {
    RunState s;
    s.started = DateTime::Now();
    int day = 0, month = 0;
    DayNumToYMD(DateTimeToDayNum(s.started), day, month, s.year);
    if (s.year != 0) ComputeBounds(s.year, s.firstSummerDay, s.lastSummerDay);
    return s;
  }();
  return state;
}

void BoundsOfYear(int fullYear, int32_t& firstDay, int32_t& lastDay) {
  const RunState& state = State();
  if (fullYear == state.year) {
    firstDay = state.firstSummerDay;
    lastDay = state.lastSummerDay;
  } else {
    ComputeBounds(fullYear, firstDay, lastDay);
  }
}

int32_t DayNum1990() { return DMYToDayNum(1, 1, 1990); }

// The date-time ms milliseconds after 1990-01-01 00:00; 0 outside the valid
// dates.
TDateTime FromMs1990(int64_t ms) {
  const bool borrow = ms % kMsPerDay < 0;
  const int64_t day = DayNum1990() + ms / kMsPerDay - (borrow ? 1 : 0);
  const int64_t msOfDay = ms % kMsPerDay + (borrow ? kMsPerDay : 0);
  if (day < 0 || day > DMYToDayNum(31, 12, 3999)) return 0;
  int d = 0, mo = 0, y = 0;
  DayNumToYMD(static_cast<int32_t>(day), d, mo, y);
  const int hour = static_cast<int>(msOfDay / kMsPerHour);
  const int minute = static_cast<int>(msOfDay / 60000 % 60);
  const int second = static_cast<int>(msOfDay / 1000 % 60);
  TDateTime result = 0;
  if (!DateTime::TryEncodeDateTime(y, mo, d, hour, minute, second, static_cast<int>(msOfDay % 1000),
                                   result))
    return 0;
  return result;
}

}  // namespace

bool IsSummerTime(TDateTime value) { return IsSummerTimeDayNum(DateTimeToDayNum(value)); }

bool IsSummerTimeDayNum(int32_t dayNum) {
  int day = 0, month = 0, year = 0;
  DayNumToYMD(dayNum, day, month, year);
  if (year == 0) return false;
  if (month >= 4 && month <= 9) return true;
  if (month != 3 && month != 10) return false;
  int32_t firstDay = 0, lastDay = 0;
  BoundsOfYear(year, firstDay, lastDay);
  return month == 3 ? dayNum >= firstDay : dayNum <= lastDay;
}

void SummerTimeBounds(int32_t dayNum, bool wantStart, bool wantEnd, int& year, int32_t& firstDay,
                      int32_t& lastDay) {
  int day = 0, month = 0;
  DayNumToYMD(dayNum, day, month, year);
  int32_t first = -1, last = -1;
  if (year != 0) BoundsOfYear(year, first, last);
  firstDay = wantStart ? first : -1;
  lastDay = wantEnd ? last : -1;
}

int64_t DateTimeToMs1990(int offsetHours, TDateTime value) {
  const int32_t dayNum = DateTimeToDayNum(value);
  if (dayNum < 0) return 0;
  int64_t ms = (int64_t{dayNum} - DayNum1990()) * kMsPerDay + MsOfDay(value);
  if (offsetHours != 0)
    ms -= (int64_t{offsetHours} + (IsSummerTimeDayNum(dayNum) ? 1 : 0)) * kMsPerHour;
  return ms;
}

TDateTime Ms1990ToDateTime(int offsetHours, int64_t ms) {
  const TDateTime universal = FromMs1990(ms);
  if (offsetHours == 0 || universal == 0) return universal;
  return FromMs1990(ms + (int64_t{offsetHours} + (IsSummerTime(universal) ? 1 : 0)) * kMsPerHour);
}

TDateTime ProgramStartDateTime() { return State().started; }

}  // namespace DateFunc
