// The Flash tag of camera photos rewritten with exiftool, in both byte
// orders: every value the EXIF standard defines has its text (the row of the
// main window and of the gallery's pages) and gives the flash state from its
// "fired" bit; a missing tag or an undefined value is unknown.
#include <gtest/gtest.h>

#include "metadata/exif.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr int kNoTag = -1;

struct FlashCase {
  int value;         // kNoTag: the tag taken out
  const char* text;  // shown unless unnamed tags are hidden; "" for no row
  bool hiddenRow;    // the row also when unnamed tags are hidden
  uint8_t state;
};

const FlashCase kCases[] = {
    {0, "flash did not fire", true, 0},
    {1, "flash fired", true, 1},
    {5, "flash fired without strobe return light", true, 1},
    {7, "flash fired with strobe return light", true, 1},
    {9, "flash fired, compulsory flash firing", true, 1},
    {13, "flash fired, compulsory flash firing, without strobe return light", true, 1},
    {15, "flash fired, compulsory flash firing, with strobe return light", true, 1},
    {16, "flash did not fire, compulsory flash suppression", true, 0},
    {24, "flash did not fire, auto mode", true, 0},
    {25, "flash fired, auto mode", true, 1},
    {29, "flash fired, auto mode, without strobe return light", true, 1},
    {31, "flash fired, auto mode, with strobe return light", true, 1},
    {32, "no flash function", true, 0},
    {65, "flash fired, red-eye reduction mode", true, 1},
    {69, "flash fired, red-eye reduction mode, without strobe return light", true, 1},
    {71, "flash fired, red-eye reduction mode, with strobe return light", true, 1},
    {73, "flash fired, compulsory flash firing, red-eye reduction mode", true, 1},
    {77, "flash fired, compulsory flash firing, red-eye reduction mode, without strobe return light",
     true, 1},
    {79, "flash fired, compulsory flash firing, red-eye reduction mode, with strobe return light",
     true, 1},
    {89, "flash fired, auto mode, red-eye reduction mode", true, 1},
    {93, "flash fired, auto mode, red-eye reduction mode, without strobe return light", true, 1},
    {95, "flash fired, auto mode, red-eye reduction mode, with strobe return light", true, 1},
    // Values the standard leaves undefined, whatever their bits say.
    {2, "Unknown: 2", false, 255},
    {8, "Unknown: 8", false, 255},
    {80, "Unknown: 80", false, 255},
    {kNoTag, "", false, 255},
};

std::string Name(const std::string& photo, int value) {
  return photo + "-" + (value == kNoTag ? std::string("none") : std::to_string(value)) + ".jpg";
}

TEST(ExifFlash, EveryDefinedValueHasItsTextAndItsFiredBit) {
  testsupport::TempDir dir;
  // Canon_40D holds Intel order, Fujifilm_FinePix_E500 Motorola order. One
  // exiftool run writes every copy.
  const char* photos[] = {"Canon_40D", "Fujifilm_FinePix_E500"};
  std::string command = "exiftool";
  bool first = true;
  for (const char* photo : photos) {
    for (const FlashCase& c : kCases) {
      const std::string copy = dir.File(Name(photo, c.value));
      testsupport::WriteFileBytes(copy, testsupport::ReadFileBytes(
                                            testsupport::PhotoPath(std::string(photo) + ".jpg")));
      command += std::string(first ? "" : " -execute") +
                 (c.value == kNoTag ? " -Flash=" : " -Flash#=" + std::to_string(c.value)) + " '" +
                 copy + "'";
      first = false;
    }
  }
  ASSERT_EQ(testsupport::CommandOutput(command + " -common_args -q -overwrite_original"), "");
  // What the copies hold, one line each ("-" for no tag).
  std::string listed = "exiftool -T -n -Flash", expected;
  for (const char* photo : photos) {
    for (const FlashCase& c : kCases) {
      listed += " '" + dir.File(Name(photo, c.value)) + "'";
      expected += (c.value == kNoTag ? std::string("-") : std::to_string(c.value)) + "\n";
    }
  }
  ASSERT_EQ(testsupport::CommandOutput(listed), expected);

  for (const char* photo : photos) {
    for (const FlashCase& c : kCases) {
      const std::string copy = dir.File(Name(photo, c.value));
      SCOPED_TRACE(Name(photo, c.value));
      for (const bool hide : {false, true}) {
        TExifReader reader;
        reader.SetHideUnnamedTags(hide);
        ASSERT_TRUE(reader.ReadFromFile(copy));
        EXPECT_EQ(reader.GetTagText(exif::kExifIfd, exif::photo::kFlash),
                  hide && !c.hiddenRow ? "" : c.text)
            << (hide ? "hidden" : "shown");
        EXPECT_EQ(reader.GetFlashState(), c.state);
      }
    }
  }
}

}  // namespace
