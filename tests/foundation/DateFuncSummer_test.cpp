#include <gtest/gtest.h>

#include "foundation/DateFunc.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace DateFunc;

using testsupport::At;

int32_t LastSunday(int month, int year) {
  int32_t day = DMYToDayNum(DaysInMonth(month, year), month, year);
  while (DayOfWeek(day) != 0) --day;
  return day;
}

// Summer starts on the last Sunday of March and ends the day before the last
// Sunday of October: checked for a fixed year and for the current one, whose
// bounds the unit keeps.
TEST(DateFuncSummer, BoundaryDays) {
  int today = 0, month = 0, thisYear = 0;
  DayNumToYMD(TodayDayNum(), today, month, thisYear);
  for (int year : {2007, 2024, thisYear}) {
    SCOPED_TRACE(year);
    const int32_t start = LastSunday(3, year);
    const int32_t end = LastSunday(10, year);
    EXPECT_FALSE(IsSummerTimeDayNum(start - 1));
    EXPECT_TRUE(IsSummerTimeDayNum(start));
    EXPECT_TRUE(IsSummerTimeDayNum(end - 1));
    EXPECT_FALSE(IsSummerTimeDayNum(end));
    EXPECT_TRUE(IsSummerTimeDayNum(DMYToDayNum(1, 7, year)));
    EXPECT_FALSE(IsSummerTimeDayNum(DMYToDayNum(1, 3, year)));
    EXPECT_FALSE(IsSummerTimeDayNum(DMYToDayNum(1, 11, year)));
    int y = 0;
    int32_t first = 0, last = 0;
    SummerTimeBounds(start + 3, true, true, y, first, last);
    EXPECT_EQ(std::tuple(y, first, last), std::tuple(year, start, end - 1));
  }
  EXPECT_EQ(LastSunday(3, 2007), DMYToDayNum(25, 3, 2007));
  EXPECT_TRUE(IsSummerTime(At(2007, 10, 27, 23, 59)));
  EXPECT_FALSE(IsSummerTimeDayNum(-1));
  int y = 9;
  int32_t first = 9, last = 9;
  SummerTimeBounds(DMYToDayNum(1, 1, 2007), false, true, y, first, last);
  EXPECT_EQ(std::tuple(y, first, last), std::tuple(2007, -1, DMYToDayNum(27, 10, 2007)));
  SummerTimeBounds(-1, true, true, y, first, last);
  EXPECT_EQ(std::tuple(y, first, last), std::tuple(0, -1, -1));
}

TEST(DateFuncSummer, MillisecondsSince1990) {
  struct Case {
    TDateTime value;
    int64_t ms;
  };
  const Case cases[] = {
      {At(1990, 1, 1), 0},
      {At(1990, 1, 2, 0, 0, 1, 500), 86401500},
      {At(1989, 12, 31, 23, 59, 59), -1000},
      {At(2007, 2, 1, 7, 56, 3, 250), (int64_t{6240} * 86400 + 28563) * 1000 + 250},
      {At(1600, 1, 1), int64_t{-142445} * 86400000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DateTimeToMs1990(0, c.value), c.ms) << c.ms;
    EXPECT_EQ(Ms1990ToDateTime(0, c.ms), c.value) << c.ms;
  }
  EXPECT_EQ(DateTimeToMs1990(0, 0), 0);
  EXPECT_EQ(Ms1990ToDateTime(0, int64_t{-142446} * 86400000), 0);  // before 1600
  EXPECT_EQ(Ms1990ToDateTime(0, INT64_MAX), 0);
  EXPECT_EQ(Ms1990ToDateTime(5, INT64_MIN), 0);
}

// A local time with an offset is moved to universal time, one hour more in
// summer, and back.
TEST(DateFuncSummer, OffsetHoursAndSummerTime) {
  const TDateTime winter = At(2007, 1, 15, 12);
  const TDateTime summer = At(2007, 7, 15, 12);
  EXPECT_EQ(DateTimeToMs1990(1, winter), DateTimeToMs1990(0, At(2007, 1, 15, 11)));
  EXPECT_EQ(DateTimeToMs1990(1, summer), DateTimeToMs1990(0, At(2007, 7, 15, 10)));
  EXPECT_EQ(Ms1990ToDateTime(1, DateTimeToMs1990(1, winter)), winter);
  EXPECT_EQ(Ms1990ToDateTime(1, DateTimeToMs1990(1, summer)), summer);
}

TEST(DateFuncSummer, ProgramStartIsKept) {
  const TDateTime start = ProgramStartDateTime();
  EXPECT_GT(start, 0);
  EXPECT_LE(start, DateTime::Now());
  EXPECT_EQ(ProgramStartDateTime(), start);
}

}  // namespace
