#include "foundation/config/simplestrfunc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(SimpleStrFunc, EscapeAndUnescape) {
  const struct {
    std::string plain, stored;
  } cases[] = {
      {"a\nb", "\\?<a\\ab>?/"},
      {"C:\\dir", "C:\\dir"},
      {"tab\there\\x", "\\?<tab\\9here\\xx>?/"},
      {"\x1F\r\x01"s, "\\?<\\v\\d\\1>?/"},
      {"zero\0byte"s, "\\?<zero\\0byte>?/"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(simplestrfunc::EscapeValue(c.plain), c.stored) << c.plain;
    EXPECT_EQ(simplestrfunc::UnescapeValue(c.stored), c.plain) << c.stored;
  }
  EXPECT_EQ(simplestrfunc::EscapeValue("line\r\n"), "line");
  EXPECT_EQ(simplestrfunc::UnescapeValue("\\?<C:\\xdir>?/"), "C:\\dir");
  EXPECT_EQ(simplestrfunc::UnescapeValue("\\?<a\\!b\\>?/"), "ab");
  EXPECT_EQ(simplestrfunc::UnescapeValue("\\?<>?"), "\\?<>?");
}

TEST(SimpleStrFunc, HexTexts) {
  EXPECT_EQ(simplestrfunc::StreamToHex("\x01\xAB"), "HEX:01AB");
  std::string bytes = "x";
  EXPECT_EQ(simplestrfunc::HexToStream("HEX: 01AB ", bytes), 2u);
  EXPECT_EQ(bytes, "x\x01\xAB");
  bytes.clear();
  EXPECT_EQ(simplestrfunc::HexToStream("00ffZZ11", bytes), 2u);
  EXPECT_EQ(bytes, "\x00\xFF"s);
  EXPECT_EQ(simplestrfunc::HexToStream("HEX:", bytes), 0u);
}

TEST(SimpleStrFunc, ParseFloat) {
  const struct {
    const char* text;
    bool result;
    int64_t whole;
    double value;
  } cases[] = {
      {"42", true, 42, 42},    {"1,50", false, 2, 1.5}, {"2.000", true, 2, 2},
      {"0", true, 0, 0},       {"0.0", true, 0, 0},     {"abc", false, 0, 0},
      {"", false, 0, 0},       {"-2.5", false, -2, -2.5}, {"1e3", false, 1000, 1000},
      {"inf", false, 0, 0},
  };
  for (const auto& c : cases) {
    int64_t whole = -7;
    double value = -7;
    EXPECT_EQ(simplestrfunc::ParseFloat(c.text, whole, value), c.result) << c.text;
    EXPECT_EQ(whole, c.whole) << c.text;
    EXPECT_DOUBLE_EQ(value, c.value) << c.text;
  }
}

TEST(SimpleStrFunc, BooleanWordsKeepTheirStyle) {
  for (const char* yes : {"ON", "true", "Ano", "yes", "1", "-3"}) {
    EXPECT_TRUE(simplestrfunc::TextToBool(yes)) << yes;
  }
  for (const char* no : {"OFF", "no", "ne", "0", "maybe", ""}) {
    EXPECT_FALSE(simplestrfunc::TextToBool(no)) << no;
  }
  EXPECT_EQ(simplestrfunc::BoolToText("Ano", false), "Ne");
  EXPECT_EQ(simplestrfunc::BoolToText("off", true), "On");
  EXPECT_EQ(simplestrfunc::BoolToText("NO", true), "Yes");
  EXPECT_EQ(simplestrfunc::BoolToText("1", false), "0");
  EXPECT_EQ(simplestrfunc::BoolToText("maybe", false), "False");
  EXPECT_EQ(simplestrfunc::BoolToText("", true), "True");
}

}  // namespace
