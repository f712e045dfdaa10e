#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "foundation/StrFunc.h"

namespace {

using namespace StrFunc;

TEST(StrFuncNumbers, IntegerTexts) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  };
  const Case cases[] = {
      {"123", true, 123},
      {"-42", true, -42},
      {"+7", true, 7},
      {"$ff", true, 255},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},
      {"$100000000", false, 0},
      {"12a", false, 0},
      {" 1", false, 0},
      {"", false, 0},
      {"$", false, 0},
      {"-", false, 0},
      {"1.5", false, 0},
      {"+-1", false, 0},
  };
  for (const Case& c : cases) {
    int32_t v = 99;
    EXPECT_EQ(TryStrToIntS(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(StrFuncNumbers, FloatTextsTakeCommaOrPoint) {
  struct Case {
    const char* text;
    bool okDouble;  // TryStrToFloatS
    bool okExt;     // TryStrToExtS
    double value;
  };
  const Case cases[] = {
      {"3,5", true, true, 3.5},
      {"3.5", true, true, 3.5},
      {" -0.25e1 ", true, true, -2.5},
      {".5", true, true, 0.5},
      {"1 234,5", true, false, 1234.5},
      {"1,234.5", false, false, 0},
      {"1.234,5", false, false, 0},
      {"1,2,3", false, false, 0},
      {"abc", false, false, 0},
      {"inf", false, false, 0},
      {"nan", false, false, 0},
      {"1e99999", false, false, 0},
      {"", false, false, 0},
      {"-", false, false, 0},
  };
  for (const Case& c : cases) {
    double d = 99;
    EXPECT_EQ(TryStrToFloatS(c.text, d), c.okDouble) << c.text;
    EXPECT_EQ(d, c.okDouble ? c.value : 0) << c.text;
    long double e = 99;
    EXPECT_EQ(TryStrToExtS(c.text, e), c.okExt) << c.text;
    EXPECT_EQ(e, c.okExt ? c.value : 0) << c.text;
  }
}

TEST(StrFuncNumbers, RoundingHalvesToEven) {
  EXPECT_EQ(RoundToInt64(2.5L), 2);
  EXPECT_EQ(RoundToInt64(3.5L), 4);
  EXPECT_EQ(RoundToInt64(-2.5L), -2);
  EXPECT_EQ(RoundToInt64(2.5000001L), 3);
  EXPECT_EQ(RoundToInt64(40000.5L), 40000);
  EXPECT_EQ(RoundToInt64(-9223372036854775808.0L), INT64_MIN);
  EXPECT_EQ(RoundToInt64(9223372036854775808.0L), 0);
  EXPECT_EQ(RoundToInt64(std::numeric_limits<long double>::quiet_NaN()), 0);
  EXPECT_EQ(RoundToInt64(-std::numeric_limits<long double>::infinity()), 0);

  EXPECT_DOUBLE_EQ(RoundTo(2, 1.125), 1.12);
  EXPECT_DOUBLE_EQ(RoundTo(2, 1.375), 1.38);
  EXPECT_DOUBLE_EQ(RoundTo(0, -2.5), -2);
  EXPECT_DOUBLE_EQ(RoundTo(3, 0.0004), 0);
  EXPECT_DOUBLE_EQ(RoundTo(255, 1.5), 1.5);
  EXPECT_DOUBLE_EQ(RoundTo(200, 1e300), 1e300);
}

TEST(StrFuncNumbers, DegreesAsDecimalText) {
  EXPECT_EQ(DegMinSecToStr(50, 5, 0, false), "50.083333");
  EXPECT_EQ(DegMinSecToStr(50, 5, 0, true), "-50.083333");
  EXPECT_EQ(DegMinSecToStr(14, 30, 0, false), "14.500000");
  EXPECT_EQ(DegMinSecToStr(0, 0, 0.36, false), "0.000100");

  struct Case {
    const char* text;
    bool ok;
    int32_t deg, min;
    double sec;
    bool negative;
  };
  const Case cases[] = {
      {"-14.5", true, 14, 30, 0, true},     {"50,25", true, 50, 15, 0, false},
      {" 1 4.5\t", true, 14, 30, 0, false}, {"0.0125", true, 0, 0, 45, false},
      {"", false, 0, 0, 0, false},          {"abc", false, 0, 0, 0, false},
      {"-1e300", false, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    int32_t deg = 9, min = 9;
    double sec = 9;
    bool negative = true;
    EXPECT_EQ(StrToDegMinSec(c.text, deg, min, sec, negative), c.ok) << c.text;
    EXPECT_EQ(deg, c.deg) << c.text;
    EXPECT_EQ(min, c.min) << c.text;
    EXPECT_NEAR(sec, c.sec, 1e-9) << c.text;
    EXPECT_EQ(negative, c.negative) << c.text;
  }
}

TEST(StrFuncNumbers, PictureFormatting) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  struct Case {
    const char* picture;
    long double value;
    std::string want;
  };
  const Case cases[] = {
      {"####.##", 3.14159L, "   3.14"},
      {"####.##", -3.14159L, "  -3.14"},
      {"####.##", 123456, "****.**"},
      {"####.##", -123.4L, "-123.40"},
      {"####.##", -1234.5L, "****.**"},  // no room for the sign
      {"####.##", nan, "****.**"},
      {"####.###", 0.5L, "   0.500"},
      {"#.##", 0.756L, "0.76"},
      {"##.###", 5, " 5.000"},
      {"#######.###", 1234567.5L, "1234567.500"},
      {"###############.######", 50.0833333333L, "             50.083333"},
      {"x = ##.# m", 2.26L, "x =  2.3 m"},
      {"@@@@.##", 3.14L, "0003.14"},
      {"****.##", 3.14L, "***3.14"},
      {"$$$$.##", 3.14L, "  $3.14"},
      {"$$$$.##", -3.14L, " -$3.14"},
      {"+###.##", 3.14L, "+  3.14"},
      {"+###.##", -3.14L, "-  3.14"},
      {"###.##-", 3.14L, "  3.14 "},
      {"###.##-", -3.14L, "  3.14-"},
      {"+#.#", -123, "-*.*"},
      {"#,###.##", 1234.5L, "1,234.50"},
      {"#,###.##", -5, "   -5.00"},
      {"#.####################", 0.5L, "0.50000000000000000000"},
      {"#.##E+@@", 12345, "1.23E+04"},
      {"-#.##E+@@", -0.00012345L, "-1.23E-04"},
      {"#.##E+@@", -0.00012345L, "*.**E+**"},  // no room for the sign
      {"#.#E@", 1e123L, "*.*E*"},
      {"no picture", 1, "no picture"},
      {"", 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.picture, c.value), c.want) << c.picture;

  // A picture is a short string: its first 255 characters count.
  const std::string cut = FormatNumber(std::string(300, '#'), 1);
  EXPECT_EQ(cut, std::string(254, ' ') + "1");
  EXPECT_EQ(FormatNumber(std::string(255, '#'), 1e4000L), std::string(255, '*'));
}

}  // namespace
