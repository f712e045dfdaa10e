#include <gtest/gtest.h>

#include <limits>

#include "foundation/DateFunc.h"

namespace {

using namespace DateFunc;

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  TDateTime v = 0;
  EXPECT_TRUE(DateTime::TryEncodeDateTime(y, mo, d, h, mi, s, 0, v));
  return v;
}

struct Case {
  const char* pattern;
  const char* expected;
};

TEST(DateFuncFormat, DayNumberPatterns) {
  const int32_t monday = DMYToDayNum(5, 2, 2007);
  const Case cases[] = {
      {"dd.mm.yyyy", "05.02.2007"},
      {"yyyymmdd", "20070205"},
      {"yy", "07"},  // the last digits of a longer number
      {"DD", " 5"},  // upper case fills with blanks
      {"D.M.YYYY", "5.2.2007"},
      {"d/m/y", "5/2/7"},
      {"dd-dd", "05-dd"},          // only the first run is the field
      {"nnnnnnnnn", "Únor     "},  // widths count characters
      {"NNN", "ÚNO"},
      {"wwwwwwwww|", "Pondělí  |"},
      {"WWWWWWW", "PONDěLí"},  // only a-z are upper-cased
      {"w", "P"},
      {"Day: dd.", "5a7: dd."},  // "D" and "y" are fields wherever they stand
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDayNum(c.pattern, monday), c.expected) << c.pattern;
  EXPECT_EQ(FormatDayNum("nnnnnnnn", DMYToDayNum(1, 7, 2007)), "Červenec");
  EXPECT_EQ(FormatDayNum("www", DMYToDayNum(1, 1, 1600)), "Sob");
}

TEST(DateFuncFormat, InvalidDatesBlankTheirLetters) {
  EXPECT_EQ(FormatDayNum("dd.mm.yyyy", -1), "  .  .    ");
  EXPECT_EQ(FormatDayNum("<N W y>", 876582), "<     >");
  EXPECT_EQ(FormatDateOfDateTime("dd.mm.yyyy", 0), "  .  .    ");
  EXPECT_EQ(FormatDate("dd.mm.yyyy", -1.25), "  .  .    ");  // negative counts as invalid
  EXPECT_EQ(FormatDate("dd.mm.yyyy", std::numeric_limits<double>::quiet_NaN()), "  .  .    ");
  EXPECT_EQ(FormatDate("dd.mm.yyyy", At(2007, 2, 5, 23, 59, 59)), "05.02.2007");
}

TEST(DateFuncFormat, TimePatterns) {
  struct TimeCase {
    const char* pattern;
    int32_t seconds;
    const char* expected;
  };
  const TimeCase cases[] = {
      {"hh:mm:ss", 7 * 3600 + 5 * 60 + 9, "07:05:09"},
      {"h:m:s", 7 * 3600 + 5 * 60 + 9, "7:5:9"},
      {"HH:MM", 7 * 3600 + 5 * 60, " 7: 5"},
      {"hh:mm te", 30 * 60, "12:30 am"},
      {"hh:mm te", 12 * 3600, "12:00 pm"},
      {"hh:mm te", 13 * 3600 + 45 * 60, "01:45 pm"},
      {"hh:mm t", 23 * 3600 + 59 * 60, "11:59 p"},
      {"hh:mm:ss", 86400, "23:59:59"},
      {"hh:mm:ss", -1, "  :  :  "},
      {"hh:mm te", -1, "  :   te"},
  };
  for (const TimeCase& c : cases)
    EXPECT_EQ(FormatSeconds(c.pattern, c.seconds), c.expected) << c.pattern << " " << c.seconds;
  EXPECT_EQ(FormatTime("hh:mm:ss", At(2007, 2, 5, 7, 56, 3)), "07:56:03");
  EXPECT_EQ(FormatTimeOfDateTime("hh:mm:ss", -1.25), "06:00:00");
}

TEST(DateFuncFormat, DateAndTimeTogether) {
  const TDateTime value = At(2007, 2, 5, 7, 56, 3);
  EXPECT_EQ(FormatDateTimeISO(value), "2007-02-05 07:56:03");
  EXPECT_EQ(FormatDateTimeISO(0), "0000-00-00 00:00:00");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy", "", value), "05.02.2007");
  EXPECT_EQ(FormatDateTime("", "hh:mm", value), "07:56");
  EXPECT_EQ(FormatDateTime("DD.MM.", "", value), "5. 2.");  // trimmed
  EXPECT_EQ(FormatDateTime("", "", value), "");
}

TEST(DateFuncFormat, CurrentDateAndTimeFollowTheClock) {
  const std::string today = FormatToday("yyyy-mm-dd");
  EXPECT_EQ(StrToDayNumStrict("yyyy-mm-dd", today), TodayDayNum());
  EXPECT_EQ(FormatNowTime("hh:mm:ss").size(), 8u);
}

}  // namespace
