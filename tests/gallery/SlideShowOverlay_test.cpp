// The overlay line, the display time, the menu's interval, the shortening
// of a long overlay and the package a player finds.
#include "gallery/slideshow/SlideShowOverlay.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "tests/support/TestSupport.h"

using namespace SlideShowOverlay;
using testsupport::At;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

TSlideInfoRec Info(bool exif, TDateTime date, const std::string& comment) {
  TSlideInfoRec info;
  info.ExifRead = exif;
  info.Digitized = date;
  info.Comment = comment;
  return info;
}

TEST(SlideShowOverlay, ComposesCounterDateAndComment) {
  const TDateTime when = At(2008, 5, 4, 16, 47, 24);
  struct Case {
    TSlideInfoRec info;
    int flags;
    std::string line;
  };
  const Case cases[] = {
      {Info(true, when, " Na horách\r\n"), kAll, "2/3   04.05.2008  16:47:24   Na horách"},
      {Info(true, when, "x"), kCounter, "2/3"},
      {Info(true, when, "x"), kExposure | kNote, "   04.05.2008  16:47:24   x"},
      {Info(true, At(2008, 5, 4), "x"), kAll, "2/3   x"},  // midnight: no date
      {Info(false, when, "x"), kAll, "2/3"},                // no EXIF: no date, no comment
      {Info(true, when, "  \r\n"), kAll, "2/3   04.05.2008  16:47:24"},
      {Info(true, when, ""), 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Compose(2, 3, c.info, c.flags).Line, c.line);
  }
  EXPECT_EQ(Compose(2, 3, Info(true, when, " a "), kAll).Comment, "a");
  EXPECT_EQ(Compose(2, 3, Info(true, when, " a "), kCounter).Comment, "");
}

TEST(SlideShowOverlay, DisplayTimeAddsReadingTime) {
  const int comment = StrFunc::ReadingTimeMs("Na horách");
  struct Case {
    TOverlay overlay;
    int time;
  };
  const Case cases[] = {
      {{"", ""}, 5000},
      {{"1/3", ""}, 5250},
      {{"1/3   04.05.2008  16:47:24", ""}, 6000},
      {{"1/3   Na horách", "Na horách"}, 5000 + comment + 250 + 500},
      {{"   Na horách", "Na horách"}, 5000 + comment + 250},  // trimmed, no double blank
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayTime(5000, c.overlay), c.time) << c.overlay.Line;
}

TEST(SlideShowOverlay, IntervalFromTheMenusSeconds) {
  const std::pair<const char*, int> cases[] = {
      {"5", 5000}, {" 12 ", 12000}, {"0", 1000}, {"1", 1000}, {"", 5000},
      {"abc", 5000}, {"2147483647", INT32_MAX}, {"-3", 1000},
  };
  for (const auto& [text, ms] : cases) EXPECT_EQ(IntervalMs(text), ms) << text;
}

TEST(SlideShowOverlay, LongOverlayLosesWholeCharactersUntilItFits) {
  const auto fitsIn = [](size_t characters) {
    return [characters](const std::string& text) { return Utf8::Length(text) <= characters; };
  };
  EXPECT_EQ(Shorten("short", fitsIn(5)), "short");
  // Five characters at a time, "..." after them.
  EXPECT_EQ(Shorten("ščřžýáíéůúabcd", fitsIn(12)), "ščřžýáíéů...");
  EXPECT_EQ(Shorten("ščřžýáíéůúabcd", fitsIn(11)), "ščřž...");
  EXPECT_TRUE(Utf8::IsValid(Shorten("ščřžýáíéůúabcd", fitsIn(12))));
  // Nothing fits: it ends with nothing left rather than going on.
  EXPECT_EQ(Shorten("abcdefghijkl", fitsIn(0)), "...");
}

TEST(SlideShowPackage, PlayerFindsItsPackage) {
  TempDir dir;
  const std::string own = dir.File("trip.run");
  WriteFileBytes(own, "player");
  using SlideShowPackage::PlayerPackagePath;
  EXPECT_EQ(PlayerPackagePath({}, own), own);
  EXPECT_EQ(PlayerPackagePath({dir.File("missing.ssp")}, own), own);
  EXPECT_EQ(PlayerPackagePath({dir.Path()}, own), own);  // a folder is no package
  WriteFileBytes(dir.File("trip.ssp"), "beside");
  EXPECT_EQ(PlayerPackagePath({}, own), dir.File("trip.ssp"));
  WriteFileBytes(dir.File("given.ssp"), "given");
  EXPECT_EQ(PlayerPackagePath({dir.File("given.ssp"), "more"}, own), dir.File("given.ssp"));
}

}  // namespace
