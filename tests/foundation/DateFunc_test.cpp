#include "foundation/DateFunc.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

using namespace DateFunc;

using testsupport::At;

TEST(DateFuncDays, DayNumbersOfKnownDates) {
  struct Case {
    int d, m, y;
    int32_t dayNum;
    int weekday;
  };
  const Case cases[] = {
      {1, 1, 1600, 0, 6},        {29, 2, 1600, 59, 2},    {1, 3, 1600, 60, 3},
      {1, 3, 1900, 109632, 4},   {1, 1, 1990, 142445, 1}, {29, 2, 2000, 146156, 2},
      {31, 12, 3999, 876581, 5}, {1, 1, 49, 163995, 5},   {1, 1, 50, 127835, 0},
      {29, 2, 1900, -1, 7},      {1, 1, 4000, -1, 7},     {31, 12, 1599, -1, 7},
      {0, 1, 2000, -1, 7},       {32, 1, 2000, -1, 7},    {1, 13, 2000, -1, 7},
      {1, 1, -5, -1, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.d << "." << c.m << "." << c.y);
    EXPECT_EQ(DMYToDayNum(c.d, c.m, c.y), c.dayNum);
    EXPECT_EQ(IsValidDate(c.d, c.m, c.y), c.dayNum >= 0);
    EXPECT_EQ(DayOfWeekDMY(c.d, c.m, c.y), c.weekday);
  }
  int d = 9, m = 9, y = 9;
  for (int32_t invalid : {-1, -2, 876582}) {
    DayNumToYMD(invalid, d, m, y);
    EXPECT_EQ(std::tuple(d, m, y), std::tuple(0, 0, 0)) << invalid;
  }
}

// Every valid date, walked day by day, has the next day number and comes
// back from it, and the weekdays cycle.
TEST(DateFuncDays, EveryDateRoundTrips) {
  int32_t expected = 0;
  for (int y = 1600; y <= 3999; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(m, y); ++d, ++expected) {
        ASSERT_EQ(DMYToDayNum(d, m, y), expected) << d << "." << m << "." << y;
        int dd = 0, mm = 0, yy = 0;
        DayNumToYMD(expected, dd, mm, yy);
        ASSERT_EQ(std::tuple(dd, mm, yy), std::tuple(d, m, y)) << expected;
        ASSERT_EQ(DayOfWeek(expected), (expected + 6) % 7);
      }
  EXPECT_EQ(expected, 876582);
}

TEST(DateFuncDays, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(1600));
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2007));
  EXPECT_FALSE(IsLeapYear(4000));
  EXPECT_TRUE(IsLeapYear(0));    // 2000
  EXPECT_FALSE(IsLeapYear(99));  // 1999
  EXPECT_EQ(DaysInMonth(2, 1900), 28);
  EXPECT_EQ(DaysInMonth(2, 2000), 29);
  EXPECT_EQ(DaysInMonth(2, 4), 29);
  EXPECT_EQ(DaysInMonth(4, 2007), 30);
  EXPECT_EQ(DaysInMonth(0, 2007), 0);
  EXPECT_EQ(DaysInMonth(13, 2007), 0);
}

TEST(DateFuncDays, ConvertsFromDateTime) {
  EXPECT_EQ(DateTimeToDayNum(0), -1);
  EXPECT_EQ(DateTimeToDayNum(std::numeric_limits<double>::quiet_NaN()), -1);
  EXPECT_EQ(DateTimeToDayNum(At(1600, 1, 1, 12)), 0);
  EXPECT_EQ(DateTimeToDayNum(-1.25), 109570);     // 1899-12-29 06:00
  EXPECT_EQ(DateTimeToDayNum(At(50, 1, 1)), -1);  // year 50, not 1950
  EXPECT_EQ(DateTimeToDayNum(At(1599, 12, 31)), -1);
  EXPECT_EQ(DateTimeToSeconds(-1.25), 21600);
  EXPECT_EQ(MsOfDay(At(2007, 2, 1, 7, 56, 3, 250)), 28563250);
  const TDaySec pair = DateTimeToDaySec(At(1990, 1, 1, 0, 0, 1, 999));
  EXPECT_EQ(std::tuple(pair.day, pair.seconds), std::tuple(142445, 1));
  EXPECT_GT(TodayDayNum(), DMYToDayNum(1, 1, 2020));
}

TEST(DateFuncTimes, SecondsOfTheDay) {
  EXPECT_EQ(EncodeSeconds(7, 56, 3), 28563);
  EXPECT_EQ(EncodeSeconds(25, 0, 0), 3600);
  EXPECT_EQ(EncodeSeconds(23, 60, 0), 0);
  EXPECT_EQ(EncodeSeconds(-1, 0, 0), 82800);  // never a negative time
  struct Case {
    int32_t seconds;
    int h, m, s;
  };
  for (const Case& c : {Case{-1, 0, 0, 0}, Case{0, 0, 0, 0}, Case{3661, 1, 1, 1},
                        Case{86399, 23, 59, 59}, Case{86400, 23, 59, 59}}) {
    int h = 9, m = 9, s = 9;
    SecondsToHMS(c.seconds, h, m, s);
    EXPECT_EQ(std::tuple(h, m, s), std::tuple(c.h, c.m, c.s)) << c.seconds;
  }
  EXPECT_TRUE(IsValidTime(23, 60, 60));
  EXPECT_FALSE(IsValidTime(24, 0, 0));
  EXPECT_FALSE(IsValidTime(0, 61, 0));
  EXPECT_FALSE(IsValidTime(0, 0, -1));
}

TEST(DateFuncTimes, DayNumSecondsCarryAndClamp) {
  const int32_t day = DMYToDayNum(1, 2, 2007);
  EXPECT_EQ(FormatDateTimeISO(DayNumSecondsToDateTime(day, 86400)), "2007-02-01 23:59:59");
  EXPECT_EQ(FormatDateTimeISO(DayNumSecondsToDateTime(day, 90000)), "2007-02-02 01:00:00");
  EXPECT_EQ(FormatDateTimeISO(DayNumSecondsToDateTime(day, 172800)), "2007-02-03 00:00:00");
  EXPECT_EQ(FormatDateTimeISO(DayNumSecondsToDateTime(day, -5)), "2007-02-01 00:00:00");
  EXPECT_EQ(DayNumSecondsToDateTime(0, 0), 0);
  EXPECT_EQ(DayNumSecondsToDateTime(-1, 0), 0);
  EXPECT_EQ(DayNumSecondsToDateTime(876581, 90000), 0);  // past 3999-12-31
}

TEST(DateFuncTimes, ArithmeticCarriesWholeDays) {
  const TDateTime newYear = At(2007, 1, 1);
  EXPECT_EQ(FormatDateTimeISO(IncSeconds(-1, newYear)), "2006-12-31 23:59:59");
  EXPECT_EQ(FormatDateTimeISO(IncSeconds(86400 * 31 + 5, newYear)), "2007-02-01 00:00:05");
  EXPECT_EQ(FormatDateTimeISO(IncHours(-25, newYear)), "2006-12-30 23:00:00");
  EXPECT_EQ(FormatDateTimeISO(IncDateTime(1, -1, 30, -1, newYear)), "2007-01-01 23:29:59");
  EXPECT_EQ(FormatDateTimeISO(IncDateTime(0, 0, 0, -86401, newYear)), "2006-12-30 23:59:59");
  EXPECT_EQ(IncSeconds(1, 0), 0);
  EXPECT_EQ(IncSeconds(std::numeric_limits<int64_t>::max(), newYear), 0);
  EXPECT_EQ(IncDateTime(std::numeric_limits<int32_t>::max(), 0, 0, 0, newYear), 0);
  EXPECT_EQ(IncHours(-24, At(1600, 1, 1)), 0);

  struct Case {
    TDaySec value, delta, sum;
  };
  const Case cases[] = {
      {{10, 86000}, {0, 1000}, {11, 600}},
      {{10, 100}, {0, -200}, {9, 86300}},
      {{10, 100}, {-3, 86400 * 2}, {9, 100}},
      {{-1, 0}, {5, 0}, {-1, 0}},
  };
  for (const Case& c : cases) {
    const TDaySec sum = AddDaySec(c.value, c.delta);
    EXPECT_EQ(std::tuple(sum.day, sum.seconds), std::tuple(c.sum.day, c.sum.seconds))
        << c.value.day << " " << c.value.seconds;
  }
}

}  // namespace
