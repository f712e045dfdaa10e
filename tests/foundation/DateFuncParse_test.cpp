#include <gtest/gtest.h>

#include "foundation/DateFunc.h"

namespace {

using namespace DateFunc;

const int32_t kFeb1 = DMYToDayNum(1, 2, 2007);

struct DateCase {
  const char* pattern;
  const char* text;
  int32_t expected;
};

TEST(DateFuncParse, DatesByPattern) {
  const DateCase cases[] = {
      {"dd.mm.yyyy", "01.02.2007", kFeb1},
      {"dd.mm.yyyy", "1.2.2007", kFeb1},  // aligned to 01.02.2007
      {"dd.mm.yyyy", " 1. 2.2007", kFeb1},
      {"mm/dd/yyyy", "2/1/2007", kFeb1},
      {"yyyymmdd", "20070201", kFeb1},
      {"dd.mm.yy", "1.2.07", kFeb1},
      {"dd.mm.yy", "1.2.49", DMYToDayNum(1, 2, 2049)},
      {"dd.mm.yy", "1.2.50", DMYToDayNum(1, 2, 1950)},
      {"dd. nnnnnnnn yyyy", "01. Únor     2007", kFeb1},
      {"dd. nnnnnnnn yyyy", "01. ÚNOR     2007", kFeb1},
      {"dd. nnn yyyy", "01. srp 2007", DMYToDayNum(1, 8, 2007)},
      {"dd. nnn yyyy", "01. úno 2007", kFeb1},
      {"dd. nnnnnnnn yyyy", "01. červenec 2007", DMYToDayNum(1, 7, 2007)},
      {"dd. nnnnnnnn yyyy", "01. Srp      2007", -1},  // the name is cut to the field
      {"dd.mm.yyyy", "31.02.2007", -1},
      {"dd.mm.yyyy", "01.  .2007", -1},  // an empty field
      {"dd.mm.yyyy", "01.ab.2007", -1},
      {"dd.mm.yyyy", "1/2/2007", -1},  // "/" is not in the pattern
      {"yyyymmdd", "2007021", -1},     // too short: the defaults
      {"yyyy", "2007", -1},            // no month
      {"dd.mm.yyyy", "", -1},
  };
  for (const DateCase& c : cases)
    EXPECT_EQ(StrToDayNum(c.pattern, c.text), c.expected) << c.pattern << " / " << c.text;
}

TEST(DateFuncParse, TimesByPattern) {
  struct TimeCase {
    const char* pattern;
    const char* text;
    int32_t expected;
  };
  const TimeCase cases[] = {
      {"hh:mm:ss", "07:30:05", 27005}, {"hh:mm:ss", "7:30:05", 27005}, {"hhmmss", "073005", 27005},
      {"hh:mm", "23:60", 0},  // minute 60 is accepted
      {"hh:mm", "24:00", -1},          {"hh:mm", "07:3x", -1},         {"hh:mm t", "12:30 a", 1800},
      {"hh:mm t", "12:30 p", 45000},   {"hh:mm t", "01:00 P", 46800},  {"hh:mm t", "01:00  ", 3600},
      {"hh:mm t", "00:30 a", -1},      {"hh:mm t", "13:00 p", -1},     {"hh:mm t", "01:00 x", -1},
      {"hh:mm te", "01:00 pm", 46800}, {"hh:mm te", "01:00 px", -1},
  };
  for (const TimeCase& c : cases)
    EXPECT_EQ(StrToSeconds(c.pattern, c.text), c.expected) << c.pattern << " / " << c.text;
}

TEST(DateFuncParse, StrictVariantsFormatBack) {
  EXPECT_EQ(StrToDayNumStrict("dd.mm.yyyy", "01.02.2007"), kFeb1);
  EXPECT_EQ(StrToDayNumStrict("dd.mm.yyyy", "1.2.2007"), -1);
  EXPECT_EQ(StrToDayNumStrict("yyyy-mm-dd", "2007-02-01x"), -1);
  EXPECT_EQ(StrToSecondsStrict("hh:mm te", "01:00 pm"), 46800);
  EXPECT_EQ(StrToSecondsStrict("hh:mm", "7:30"), -1);
  EXPECT_EQ(StrToSecondsStrict("hh:mm", "00:00"), 0);
}

TEST(DateFuncParse, DatesInAnyUsualForm) {
  for (const char* text : {"2007-02-01", "01.02.2007", "20070201", "1.2.2007", "2007/2/1",
                           " 1 , 2 , 07 ", "1_2_2007", "1\\2\\2007"})
    EXPECT_EQ(StrToDayNumAuto(text), kFeb1) << text;
  EXPECT_EQ(StrToDayNumAuto("2/13/2007"), DMYToDayNum(13, 2, 2007));  // month first
  for (const char* text : {"31.02.2007", "1.2", "1.2.2007.5", "a.b.c", "", "1600-01-01"})
    EXPECT_EQ(StrToDayNumAuto(text), -1) << text;
}

TEST(DateFuncParse, TimesInAnyUsualForm) {
  struct TimeCase {
    const char* text;
    int32_t expected;
  };
  const TimeCase cases[] = {
      {"07.30", 27000},   {"07:30:00", 27000}, {"073000", 27000}, {"7:30:0", 27000},
      {"25:00:00", 3600}, {"7-30-5", 27005},   {"7.30", -1},      {"25:00", -1},
      {"", -1},           {"7:x:0", -1},
  };
  for (const TimeCase& c : cases) EXPECT_EQ(StrToSecondsAuto(c.text), c.expected) << c.text;
}

TEST(DateFuncParse, DateTimeText) {
  EXPECT_EQ(FormatDateTimeISO(StrToDateTimeS("2007-02-01 07:30")), "2007-02-01 07:30:00");
  EXPECT_EQ(FormatDateTimeISO(StrToDateTimeS("1.2.2007")), "2007-02-01 00:00:00");
  EXPECT_EQ(FormatDateTimeISO(StrToDateTimeS("2007-02-01 soon")), "2007-02-01 00:00:00");
  EXPECT_EQ(StrToDateTimeS("soon 07:30"), 0);
  EXPECT_EQ(StrToDateTimeS(""), 0);
}

}  // namespace
