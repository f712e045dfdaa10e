// The status line's stack of borrowed texts, and the camera combo's items.
#include "photos/StatusStack.h"

#include <gtest/gtest.h>

#include "photos/CameraTypes.h"

namespace {

TEST(StatusStack, LongOperationsPushTheirTextAndPopItWithAnEmptyOne) {
  TStatusStack status;
  const struct {
    const char* set;
    const char* shown;
  } steps[] = {{"", ""},           {" ready ", "ready"}, {"loading", "loading"},
               {"reading", "reading"}, {"  ", "loading"}, {"", "ready"},
               {"", ""},           {"", ""}};
  for (const auto& s : steps) EXPECT_EQ(status.Set(s.set), s.shown) << s.set;
}

TEST(StatusStack, TheLastWordOfAFinishedWorkTakesThePlaceOfTheTextShown) {
  TStatusStack status;
  status.Set("ready");
  EXPECT_EQ(status.Say(" Gallery generated "), "Gallery generated");
  // A later operation borrows the line and gives the word back.
  EXPECT_EQ(status.Set("reading"), "reading");
  EXPECT_EQ(status.Set(""), "Gallery generated");
  // The word took the place of "ready": nothing more is pushed.
  EXPECT_EQ(status.Set(""), "");
}

TEST(CameraTypes, MakerNumbersMapOntoTheComboItems) {
  const struct {
    int maker;
    int item;
    const char* caption;
  } cases[] = {{0, 1, "Obecný EXIF"}, {1, 2, "Olympus"},  {2, 5, "Canon"},     {3, 4, "Nikon"},
               {4, 4, "Nikon"},       {5, 9, "Casio"},    {6, 8, "Fuji"},      {7, 6, "Kodak"},
               {8, 3, "Panasonic"},   {9, 7, "Minolta"},  {10, 10, "Hewlett Packard"},
               {17, 17, "Ricoh"},     {23, 23, "Microsoft"}, {24, 0, "EXIF struktura nenalezena"},
               {0x82, 5, "Canon"},    {200, 0, "EXIF struktura nenalezena"}};
  for (const auto& c : cases) {
    EXPECT_EQ(CameraTypes::ItemOfMaker(c.maker), c.item) << c.maker;
    EXPECT_EQ(CameraTypes::ItemCaption(c.item), c.caption) << c.maker;
  }
}

}  // namespace
