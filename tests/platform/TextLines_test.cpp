#include "platform/TextLines.h"

#include <gtest/gtest.h>

namespace {

using platform::JoinLines;
using platform::LineBreaks;
using platform::SplitLines;
using Lines = std::vector<std::string>;

TEST(TextLines, SplitAtEveryKindOfBreak) {
  const struct {
    std::string_view text;
    Lines afterEach, between;
  } cases[] = {
      {"", {}, {""}},
      {"a", {"a"}, {"a"}},
      {"a\r\nb\r\n", {"a", "b"}, {"a", "b", ""}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}, {"a", "b", "c", "d"}},
      {"\r\n", {""}, {"", ""}},
      {"\n\r", {"", ""}, {"", "", ""}},
      {"a\r\r\nb", {"a", "", "b"}, {"a", "", "b"}},
      {"a\n\r\nb\r", {"a", "", "b"}, {"a", "", "b", ""}},
      {" x \t\r\n\r\n", {" x \t", ""}, {" x \t", "", ""}},
      {std::string_view("a\0b\nc", 5), {std::string("a\0b", 3), "c"}, {std::string("a\0b", 3), "c"}},
  };
  for (const auto& c : cases) {
    const std::string shown(c.text);
    EXPECT_EQ(SplitLines(c.text), c.afterEach) << shown;
    EXPECT_EQ(SplitLines(c.text, LineBreaks::kAfterEach), c.afterEach) << shown;
    EXPECT_EQ(SplitLines(c.text, LineBreaks::kBetween), c.between) << shown;
  }
}

TEST(TextLines, JoinWithCrLfAfterEachOrBetween) {
  const struct {
    Lines lines;
    std::string afterEach, between;
  } cases[] = {
      {{}, "", ""},
      {{""}, "\r\n", ""},
      {{"", ""}, "\r\n\r\n", "\r\n"},
      {{"", "b"}, "\r\nb\r\n", "\r\nb"},
      {{"a", "b", ""}, "a\r\nb\r\n\r\n", "a\r\nb\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JoinLines(c.lines), c.afterEach) << c.between;
    EXPECT_EQ(JoinLines(c.lines, LineBreaks::kBetween), c.between) << c.between;
    EXPECT_EQ(SplitLines(JoinLines(c.lines)), c.lines) << c.between;
    EXPECT_EQ(SplitLines(JoinLines(c.lines, LineBreaks::kBetween), LineBreaks::kBetween),
              c.lines.empty() ? Lines{""} : c.lines)
        << c.between;
  }
}

}  // namespace
