// A Canon maker note that an editing program moved within the EXIF segment
// without rewriting the offsets inside it: its values are read where they
// stand now, or, when no shift fits them, not shown at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "metadata/exif.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

uint32_t U16(const std::string& b, size_t at) {
  return uint8_t(b[at]) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
void Put32(std::string& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = char(v >> (8 * i));
}

// The TIFF offset of the entry of tag in the Intel IFD at ifd; 0 when none.
size_t EntryOf(const std::string& tiff, uint32_t ifd, uint16_t tag) {
  for (uint32_t i = 0; i < U16(tiff, ifd); ++i)
    if (U16(tiff, ifd + 2 + 12 * i) == tag) return ifd + 2 + 12 * i;
  return 0;
}

// The photo (SOI, Intel EXIF APP1, the rest) with its maker note moved to
// the end of the segment, as an editing program rewriting the segment moves
// it: the MakerNote entry points there, the old place is blanked, the
// offsets inside the note are those of the old place. edit may spoil the
// note first.
std::string WithNoteMoved(const std::string& jpeg,
                          const std::function<void(std::string&)>& edit = {}) {
  const size_t end = 4 + (size_t(uint8_t(jpeg[4])) << 8 | uint8_t(jpeg[5]));  // big-endian
  std::string tiff = jpeg.substr(12, end - 12);
  const size_t exifEntry = EntryOf(tiff, U32(tiff, 4), 34665);
  const size_t noteEntry = EntryOf(tiff, U32(tiff, exifEntry + 8), 37500);
  const uint32_t count = U32(tiff, noteEntry + 4), at = U32(tiff, noteEntry + 8);
  std::string note = tiff.substr(at, count);
  if (edit) edit(note);
  tiff.replace(at, count, count, '\0');
  tiff.resize((tiff.size() + 1) / 2 * 2, '\0');
  Put32(tiff, noteEntry + 8, uint32_t(tiff.size()));
  tiff += note;
  const size_t app1 = 8 + tiff.size();
  return jpeg.substr(0, 4) + char(app1 >> 8) + char(app1 & 255) + "Exif" + std::string(2, '\0') +
         tiff + jpeg.substr(end);
}

struct Read {
  uint8_t maker;
  std::multiset<std::string> rows;
};

Read ReadPhoto(const std::string& path) {
  TExifReader reader;
  EXPECT_TRUE(reader.ReadFromFile(path));
  return {reader.MakerNumber(), exifwrite::RowLines(reader.MakerRows(), {})};
}

// Both a note without a footer (its values found right behind its IFD) and
// one whose footer tells where it was written.
TEST(ExifMovedMakerNote, AMovedCanonNoteReadsAsBeforeAlsoAfterARebuild) {
  for (const char* name : {"canon-ixus.jpg", "t_22-canon_tags.jpg"}) {
    SCOPED_TRACE(name);
    testsupport::ScopedHome home;
    testsupport::TempDir dir;
    const std::string original = testsupport::PhotoPath(name);
    const std::string moved = dir.File("moved.jpg");
    WriteFileBytes(moved, WithNoteMoved(ReadFileBytes(original)));
    const Read before = ReadPhoto(original);
    ASSERT_FALSE(before.rows.empty());
    const Read after = ReadPhoto(moved);
    EXPECT_EQ(after.maker, 2);
    EXPECT_EQ(after.rows, before.rows);

    // What the camera wrote, as exiftool reads the original.
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(moved));
    EXPECT_EQ(reader.GetTagText(6, 6) + "\n", testsupport::Exiftool("-CanonImageType", original));
    EXPECT_EQ(reader.GetTagText(6, 7) + "\n",
              testsupport::Exiftool("-CanonFirmwareVersion", original));

    // A rebuild moves the note again; its values still read.
    reader.SetUserComment("moved twice");
    ASSERT_TRUE(reader.SaveChanges());
    EXPECT_EQ(ReadPhoto(moved).rows, before.rows);
  }
}

TEST(ExifMovedMakerNote, NoShiftFitsAndNoMakerRowsAreShown) {
  testsupport::TempDir dir;
  const std::string moved = dir.File("moved.jpg");
  // One value's offset points far away: no single shift puts every value
  // inside the note.
  WriteFileBytes(moved, WithNoteMoved(ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg")),
                                      [](std::string& note) {
                                        for (uint32_t i = 0; i < U16(note, 0); ++i) {
                                          const size_t entry = 2 + 12 * i;
                                          if (U32(note, entry + 4) > 4 && U16(note, entry) == 9)
                                            Put32(note, entry + 8, 0x40000000);
                                        }
                                      }));
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(moved));
  EXPECT_EQ(reader.GetMakerId(), 2);
  EXPECT_FALSE(reader.MakerNoteParsed());
  EXPECT_TRUE(reader.MakerRows().keys.empty());
}

}  // namespace
