#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "metadata/exif.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/support/TestSupport.h"

using exiftest::Builder;
using exiftest::Entry;
using exiftest::Ifd;

namespace {

class ExifMakerNoteTest : public ::testing::Test {
 protected:
  // Reads a photo whose Exif IFD holds the maker note made by note (given the
  // note's TIFF offset) and, after it, a Flash tag.
  bool Read(bool motorola, const std::string& make,
            std::function<std::string(uint32_t at)> note) {
    const Builder b(motorola);
    Entry makerNote = b.Raw(37500, 7, 0, "");
    makerNote.make = note;
    auto exifIfd = std::make_shared<Ifd>();
    exifIfd->entries = {makerNote, b.Short(37385, {1})};
    Ifd ifd0;
    ifd0.entries = {b.Ascii(271, make), b.Pointer(34665, exifIfd)};
    const std::string path = dir_.File("note.jpg");
    testsupport::WriteFileBytes(path, b.Jpeg(ifd0));
    return reader_.ReadFromFile(path);
  }

  testsupport::TempDir dir_;
  TExifReader reader_;
};

// An Olympus IFD of a firmware text (out of line) and the JPEG quality.
Ifd OlympusIfd(const Builder& b) {
  Ifd ifd;
  ifd.entries = {b.Short(513, {3}), b.Ascii(519, "FW123456")};
  return ifd;
}

TEST_F(ExifMakerNoteTest, OlympusNoteWithByteOrderCountsFromTheNote) {
  for (bool motorola : {false, true}) {
    ASSERT_TRUE(Read(motorola, "OLYMPUS", [](uint32_t) {
      const Builder intel(false);
      return std::string("OLYMPUS\0II\3\0", 12) + intel.Serialize(OlympusIfd(intel), 12);
    }));
    EXPECT_EQ(reader_.MakerNumber(), 1);
    EXPECT_TRUE(reader_.MakerNoteParsed());
    EXPECT_EQ(reader_.GetTagText(5, 513), "SHQ");
    EXPECT_EQ(reader_.GetTagText(5, 519), "FW123456");
    EXPECT_EQ(reader_.Values().olympusFirmware, "FW123456");
    // The file's own order is back for the tags after the note.
    EXPECT_EQ(reader_.GetTagText(2, 37385), "flash fired");
    EXPECT_EQ(reader_.IsIntelOrder(), !motorola);
  }
}

TEST_F(ExifMakerNoteTest, OldOlympusNoteStartsAtByteEight) {
  for (bool motorola : {false, true}) {
    ASSERT_TRUE(Read(motorola, "OLYMPUS", [motorola](uint32_t at) {
      const Builder b(motorola);
      return std::string("OLYMP\0\1\0", 8) + b.Serialize(OlympusIfd(b), at + 8);
    }));
    EXPECT_EQ(reader_.MakerNumber(), 1);
    EXPECT_EQ(reader_.GetTagText(5, 519), "FW123456");
  }
}

TEST_F(ExifMakerNoteTest, FujifilmNoteIsIntelInAMotorolaFile) {
  ASSERT_TRUE(Read(true, "FUJIFILM", [](uint32_t) {
    const Builder intel(false);
    Ifd ifd;
    ifd.entries = {intel.Raw(0, 7, 4, "0130"), intel.Ascii(4096, "FINE    "),
                   intel.Short(4128, {1})};
    return std::string("FUJIFILM\x0C\0\0\0", 12) + intel.Serialize(ifd, 12);
  }));
  EXPECT_EQ(reader_.MakerNumber(), 6);
  EXPECT_EQ(reader_.GetTagText(10, 0), "1.30");
  EXPECT_EQ(reader_.Values().fujifilmVersion, "1.30");
  EXPECT_EQ(reader_.GetTagText(10, 4096), "FINE");
  EXPECT_EQ(reader_.GetTagText(10, 4128), "On");
  EXPECT_FALSE(reader_.IsIntelOrder());
  EXPECT_EQ(reader_.GetTagText(2, 37385), "flash fired");
}

TEST_F(ExifMakerNoteTest, PlainIfdNotesNeedTheMakeAndAnEndingLink) {
  const auto casio = [](uint32_t at) {
    const Builder b(true);
    Ifd ifd;
    ifd.entries = {b.Short(0, {1}), b.Short(1, {2}), b.Long(6, {1500}), b.Long(10, {65536})};
    return b.Serialize(ifd, at);
  };
  ASSERT_TRUE(Read(true, "CASIO COMPUTER CO.,LTD", casio));
  EXPECT_EQ(reader_.MakerNumber(), 5);
  EXPECT_EQ(reader_.FindTagIndex(9, 0), -1);
  EXPECT_EQ(reader_.GetTagText(9, 1), "Panorama");
  EXPECT_EQ(reader_.GetTagText(9, 6), "150 cm");
  EXPECT_DOUBLE_EQ(reader_.Values().casioObjectDistance, 1.5);
  EXPECT_EQ(reader_.GetTagText(9, 10), "No digital zoom");

  // The same note under another Make is not walked.
  ASSERT_TRUE(Read(true, "Somebody", casio));
  EXPECT_EQ(reader_.MakerNumber(), 0);
  EXPECT_TRUE(reader_.MakerRows().keys.empty());

  // A Canon note of 256 entries or with a next link is not a plain IFD.
  const Builder intel(false);
  ASSERT_TRUE(Read(false, "Canon", [&](uint32_t) { return intel.U16(300) + std::string(64, '\0'); }));
  EXPECT_EQ(reader_.MakerNumber(), 0);
  EXPECT_EQ(reader_.GetMakerId(), 2);
  ASSERT_TRUE(Read(false, "Canon", [&](uint32_t) {
    return intel.U16(1) + intel.U16(8) + intel.U16(2) + intel.U32(4) + "abcd" + intel.U32(99);
  }));
  EXPECT_EQ(reader_.MakerNumber(), 0);
}

TEST_F(ExifMakerNoteTest, IntelNoteInAMotorolaFileIsWalkedAsIntel) {
  const struct {
    const char* make;
    uint8_t maker;
    uint8_t kind;
    uint16_t tag;
    const char* text;
  } cases[] = {{"Canon", 2, 6, 6, "IMG:PowerShot JPEG"}, {"NIKON CORPORATION", 4, 8, 4, "FINE"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(Read(true, c.make, [&](uint32_t at) {
      const Builder intel(false);
      Ifd ifd;
      ifd.entries = {intel.Ascii(c.tag, c.text)};
      return intel.Serialize(ifd, at);
    }));
    EXPECT_EQ(reader_.MakerNumber(), c.maker) << c.make;
    EXPECT_TRUE(reader_.MakerNoteParsed());
    EXPECT_EQ(reader_.GetTagText(c.kind, c.tag), c.text);
    EXPECT_FALSE(reader_.IsIntelOrder());
    EXPECT_EQ(reader_.GetTagText(2, 37385), "flash fired");
  }
}

TEST_F(ExifMakerNoteTest, HeaderOnlyMakers) {
  const struct {
    const char* header;
    const char* make;
    uint8_t maker;
  } cases[] = {
      {"KDK INFO________", "Kodak", 7},   {"KODAK___________", "", 7},
      {"RICOH\0\0\0________", "", 17},   {"  AGFA__________", "", 19},
      {"SAMSUNG_________", "", 15},       {"F5______________", "NUCAM", 20},
      {"FX______________", "NUCAM", 0},   {"PENTAX __________", "", 16},
      {"ASAHI___________", "", 16},       {"nothing known___", "", 0},
  };
  for (const auto& c : cases) {
    const std::string header(c.header, 16);
    ASSERT_TRUE(Read(false, c.make, [&](uint32_t) { return header; }));
    EXPECT_EQ(reader_.MakerNumber(), c.maker) << c.header;
    EXPECT_FALSE(reader_.MakerNoteParsed());
    EXPECT_TRUE(reader_.MakerRows().keys.empty());
  }
}

}  // namespace
