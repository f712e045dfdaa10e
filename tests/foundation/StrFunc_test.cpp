#include "foundation/StrFunc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

using namespace StrFunc;

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(StrFuncText, CaseTableMapsCzechAndSlovakLettersBothWays) {
  const std::string small = "áäĺčéěíďňóöřůúüýŕšťžľ abcz";
  const std::string capital = "ÁÄĹČÉĚÍĎŇÓÖŘŮÚÜÝŔŠŤŽĽ ABCZ";
  EXPECT_EQ(UpperCaseCz(small), capital);
  EXPECT_EQ(LowerCaseCz(capital), small);
  // Letters outside the table, digits, marks and stray bytes keep their form.
  const std::string others = "ôśźłąęÔŚŹŁĄĘ 09_ß\xff\xc3";
  EXPECT_EQ(UpperCaseCz(others), others);
  EXPECT_EQ(LowerCaseCz(others), others);
}

// The comparison orders as the capitals made by UpperCaseCz do.
TEST(StrFuncText, CompareUpperCaseCzOrdersAsTheCapitals) {
  const std::string names[] = {"", "a", "A", "ab", "Ab", "b", "č", "Č", "čb", "ž", "Žďár",
                               "žďár nad", "x\xff", "x\xc3", "X\xc3\xa1", "\xff", "zz"};
  const auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const std::string& a : names) {
    for (const std::string& b : names) {
      const int want = sign(UpperCaseCz(a).compare(UpperCaseCz(b)));
      EXPECT_EQ(sign(CompareUpperCaseCz(a, b)), want) << a << " " << b;
    }
  }
}

TEST(StrFuncText, TrimAndRemoveBlanks) {
  EXPECT_EQ(Trim(std::string("\0\t a č\n b \r\n", 12)), "a č\n b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(RemoveBlanks(" 1 2\t3\n,5 "), "123,5");
}

TEST(StrFuncText, PaddingCountsCharactersAndCutsAt255) {
  struct Case {
    std::string got, want;
  };
  const Case cases[] = {
      {PadLeftS("ab", 5), "   ab"},
      {PadRightS("ab", 5), "ab   "},
      {PadLeftS("čř", 4), "  čř"},
      {PadRightCh("ž", '.', 3), "ž.."},
      {PadLeftCh("7", '0', 3), "007"},
      {PadLeftS("abcdef", 3), "abcdef"},
      {PadLeftS("ab", -4), "ab"},
      {PadLeftS("x", 1000), std::string(255, ' ')},
      {PadRightS(Repeat("ž", 300), 10), Repeat("ž", 255)},
      {StringOfCharS('-', 3), "---"},
      {StringOfCharS('-', -1), ""},
      {StringOfCharS('-', 100000), std::string(255, '-')},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(StrFuncText, LetterReplacementAndTranslation) {
  std::string s = "Abcab ž";
  ReplaceLetterCI(s, 'a', 'x');
  EXPECT_EQ(s, "xbcxb ž");
  ReplaceLetterCI(s, '\xc5', 'y');  // half of "ž": no character of its own
  EXPECT_EQ(s, "xbcxb ž");

  EXPECT_EQ(TranslateChars("abcab", "ab", "xy"), "xycxy");
  EXPECT_EQ(TranslateChars("čaj", "čč", "cx"), "caj");   // first occurrence counts
  EXPECT_EQ(TranslateChars("abc", "ab", "x"), "abc");    // unequal tables
  EXPECT_EQ(TranslateChars("ab", "ab", "x\xff"), "xb");  // a stray byte is no character to write
}

TEST(StrFuncText, IntegerAndHexTexts) {
  EXPECT_EQ(IntToStrS(-5), "-5");
  EXPECT_EQ(IntToStrS(std::numeric_limits<int32_t>::min()), "-2147483648");
  EXPECT_EQ(Int64ToStrS(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(WordToHex(0x1234ABCD), "ABCD");
  EXPECT_EQ(WordToHex(0xF), "000F");
  EXPECT_EQ(LongToHex(0xABCDEF), "00ABCDEF");
}

TEST(StrFuncText, ReadingTime) {
  struct Case {
    std::string text;
    int32_t ms;
  };
  const Case cases[] = {
      {"", 0},
      {" \r\n ", 0},
      {"x", 1300},
      {std::string(100, 'a'), 5030},
      {Repeat("ž", 100), 5030},  // characters, not bytes
      {"ab\r\ncd", 1670},        // 6 characters, 2 lines
      {"ab\ncd\rxy", 2150},      // 8 characters, 3 lines
      {"  " + std::string(7, 'a') + "  ", 1310},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadingTimeMs(c.text), c.ms) << c.text;
}

TEST(StrFuncExtensions, Groups) {
  EXPECT_TRUE(IsVideoExt(" mp4 "));
  EXPECT_TRUE(IsAudioExt("Webm"));
  EXPECT_TRUE(IsArchiveExt("gzip"));
  EXPECT_TRUE(IsDiskImageExt("AshDisc"));
  EXPECT_FALSE(IsVideoExt("jpg"));
  EXPECT_FALSE(IsAudioExt(""));
  for (const char* ext : {"tif", "BAK", "esp", "vmdk", "zip", "m2ts", "flac"}) {
    EXPECT_TRUE(IsBulkDataExt(ext)) << ext;
  }
  EXPECT_FALSE(IsBulkDataExt("jpg"));
  EXPECT_FALSE(IsBulkDataExt("mp"));
}

// A DOS stamp: date in the high word, time in the low word.
uint32_t Stamp(int year, int month, int day, int hour, int minute, int twoSeconds) {
  const uint32_t date = static_cast<uint32_t>(((year - 1980) << 9) | (month << 5) | day);
  const uint32_t time = static_cast<uint32_t>((hour << 11) | (minute << 5) | twoSeconds);
  return (date << 16) | time;
}

TEST(StrFuncDosStamp, InvalidStampsAreClampedOrFallBack) {
  struct Case {
    uint32_t stamp;
    int y, mo, d, h, mi, s;
  };
  const Case cases[] = {
      {Stamp(2003, 5, 17, 13, 45, 29), 2003, 5, 17, 13, 45, 58},  // valid as it stands
      {Stamp(1999, 14, 10, 8, 0, 0), 1999, 12, 10, 8, 0, 0},      // month 14
      {Stamp(2001, 2, 31, 0, 0, 0), 2001, 2, 28, 0, 0, 0},
      {Stamp(2004, 2, 31, 0, 0, 0), 2004, 2, 29, 0, 0, 0},
      {Stamp(2100, 2, 30, 0, 0, 0), 2100, 2, 28, 0, 0, 0},  // 2100 is not a leap year
      {Stamp(2006, 9, 31, 31, 63, 31), 2006, 9, 30, 23, 59, 59},
      {Stamp(1983, 13, 5, 10, 0, 0), 1983, 1, 1, 0, 0, 0},  // month past 12 before 1985
      {Stamp(1980, 2, 30, 10, 0, 0), 1980, 1, 1, 0, 0, 0},  // anything broken in 1980
      {Stamp(2003, 0, 5, 10, 0, 0), 1980, 1, 1, 0, 0, 0},   // month 0
      {Stamp(2003, 5, 0, 10, 0, 0), 1980, 1, 1, 0, 0, 0},   // day 0
      {0xFFFFFFFF, 2107, 12, 31, 23, 59, 59},
  };
  for (const Case& c : cases) {
    TDateTime want = 0;
    ASSERT_TRUE(DateTime::TryEncodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s, 0, want));
    EXPECT_NEAR(FileDateToDateTimeSafe(c.stamp), want, 1e-9) << std::hex << c.stamp;
  }
  TDateTime v = 0;
  EXPECT_FALSE(DosDateTimeClamped(Stamp(2003, 0, 5, 0, 0, 0), v));
  EXPECT_FALSE(DosDateTimeClamped(Stamp(2003, 5, 0, 0, 0, 0), v));
}

}  // namespace
