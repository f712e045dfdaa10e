#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/StrFunc.h"

namespace {

using namespace StrFunc;

TEST(StrFuncMasks, StarAndQuestionMark) {
  struct Case {
    const char* text;
    const char* mask;
    bool caseSensitive;
    bool match;
  };
  const Case cases[] = {
      {"thumb_x.jpg", "THUMB_*.JPG", false, true},
      {"xa.jpg", "A*.JPG", false, false},
      {"abc", "a?c", false, true},
      {"ab", "a?c", false, false},
      {"abc", "ABC", true, false},
      {"čaj.jpg", "ČAJ.JPG", false, true},
      {"ž", "?", false, true},  // one character, two bytes
      {"a.jpg.jpg", "*.jpg", false, true},
      {"a.jpg.png", "*.jpg", false, false},
      {"a", "a*a", false, false},
      {"aXbXc", "*X*X*", false, true},
      {"abXcd", "a*X*X*", false, false},
      {"", "*", false, true},
      {"", "", false, true},
      {"x", "", false, false},
      {"noext", "*.*", false, false},
      {"\xfe", "\xff", false, false},  // stray bytes stay apart
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesMask(c.text, c.mask, c.caseSensitive), c.match) << c.text << " ~ " << c.mask;
  }
}

TEST(StrFuncSwitches, FoundWithAnyMarkAndCase) {
  struct Case {
    std::vector<std::string> args;
    bool allowValue;
    int index;
  };
  const Case cases[] = {
      {{"photo.jpg", "/gpsview"}, false, 2},
      {{"-GpsView"}, false, 1},
      {{"--gpsview"}, false, 1},
      {{"\\gpsview"}, false, 1},
      {{" / gpsview "}, false, 1},
      {{"/gpsview=1"}, true, 1},
      {{"/gpsview=1"}, false, 0},
      {{"gpsview"}, false, 0},
      {{"---gpsview"}, false, 0},
      {{"", "/gpsset", "-gpsview", "/gpsview"}, false, 3},
      {{}, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindCmdLineSwitch(c.args, "GPSVIEW", c.allowValue), c.index)
        << (c.args.empty() ? "" : c.args[0]);
  }
  EXPECT_EQ(FindCmdLineSwitch({"/čas"}, " Čas ", false), 1);
  EXPECT_EQ(FindCmdLineSwitch({"/", "-"}, "", false), 0);
  EXPECT_FALSE(HasCmdLineSwitch("GPSVIEW", true));  // the test program has no such argument
}

}  // namespace
