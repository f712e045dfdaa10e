// Rebuilding segment files: the minimal segment, inserts and deletes in both
// byte orders, where new data goes, and refusal of damaged segments.
#include <gtest/gtest.h>

#include <memory>

#include "metadata/exif.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/support/TestSupport.h"

namespace {

using exiftest::Builder;
using exiftest::Ifd;
using testsupport::At;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

uint32_t U16At(const std::string& b, size_t at, bool motorola) {
  const uint8_t x = uint8_t(b[at]), y = uint8_t(b[at + 1]);
  return motorola ? uint32_t(x << 8 | y) : uint32_t(y << 8 | x);
}

uint32_t U32At(const std::string& b, size_t at, bool motorola) {
  const uint32_t hi = U16At(b, at + (motorola ? 0 : 2), motorola);
  const uint32_t lo = U16At(b, at + (motorola ? 2 : 0), motorola);
  return hi << 16 | lo;
}

// IFD0 with an out-of-line Make, the Exif IFD with an exposure time and a
// comment, and IFD1.
std::string SampleSegment(bool motorola) {
  const Builder b(motorola);
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Rational(33434, {{1, 250}}),
                      b.Raw(37510, 7, 20, std::string("ASCII\0\0\0old comment!", 20))};
  auto ifd1 = std::make_shared<Ifd>();
  ifd1->entries = {b.Short(259, {6}), b.Ascii(305, "thumbnail software")};
  Ifd ifd0;
  ifd0.entries = {b.Ascii(271, "Maker of cameras"), b.Pointer(34665, exifIfd)};
  ifd0.next = ifd1;
  return b.Jpeg(ifd0);
}

std::string ReadBack(const std::string& file, TExifReader& reader) {
  EXPECT_TRUE(reader.ReadFromFile(file));
  return reader.GetTagText(exif::kIfd0, 271) + "|" + reader.GetTagText(exif::kExifIfd, 33434) +
         "|" + reader.GetTagText(exif::kIfd1, 305);
}

TEST(ExifSegment, MinimalSegmentIsTheFixed398Bytes) {
  TempDir dir;
  const std::string file = dir.File("empty.seg");
  ASSERT_TRUE(exif::WriteEmptyExif(file));
  const std::string bytes = ReadFileBytes(file);
  ASSERT_EQ(bytes.size(), 398u);
  EXPECT_EQ(bytes.substr(0, 20), std::string("\xFF\xD8\xFF\xE1\x01\x8A" "Exif\0\0II*\0\x08\0\0\0", 20));
  EXPECT_EQ(bytes.substr(362, 8), std::string("\0\0\0\x48\0\0\0\x01", 8));
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(file));
  EXPECT_EQ(reader.Values().dateTime, At(2013, 10, 5, 7, 56, 3));
  EXPECT_EQ(reader.Values().dateTimeOriginal, At(2013, 10, 5, 7, 55, 56));
  EXPECT_EQ(reader.Values().dateTimeDigitized, At(2013, 10, 5, 7, 55, 57));
  EXPECT_EQ(reader.Values().pixelXDimension, 1000u);
  EXPECT_EQ(reader.Values().pixelYDimension, 663u);
  EXPECT_EQ(reader.GetTagText(exif::kExifIfd, 36864), "2.20");
}

TEST(ExifSegment, InsertAndDeleteKeepEveryOtherValueInBothByteOrders) {
  for (const bool motorola : {false, true}) {
    SCOPED_TRACE(motorola ? "MM" : "II");
    TempDir dir;
    const std::string file = dir.File("sample.seg");
    WriteFileBytes(file, SampleSegment(motorola));
    TExifReader reader;
    const std::string before = ReadBack(file, reader);
    const uint32_t length = reader.App1Length();

    // The comment goes: its entry and its 20 value bytes.
    ASSERT_TRUE(exif::DeleteTagFromSegment(file, exif::kExifIfd, 37510));
    EXPECT_EQ(ReadBack(file, reader), before);
    EXPECT_EQ(reader.App1Length(), length - 12 - 20);
    EXPECT_LT(reader.FindTagIndex(exif::kExifIfd, 37510), 0);

    // A comment merged into the Exif IFD and a new GPS IFD.
    TExifDataBlock comment = TExifDataBlock::ForKind(exif::kExifIfd);
    comment.AddString(37510, "new one");
    ASSERT_TRUE(exif::WriteBlockIntoSegment(file, comment));
    TExifDataBlock gps = TExifDataBlock::ForPointerTag(exif::kTagGpsPointer);
    gps.AddString(1, "S");
    gps.AddRationals(2, {10, 1, 20, 1, 30500, 1000});
    gps.AddString(3, "E");
    gps.AddRationals(4, {1, 1, 2, 1, 3, 1});
    ASSERT_TRUE(exif::WriteBlockIntoSegment(file, gps));

    EXPECT_EQ(ReadBack(file, reader), before);
    EXPECT_EQ(reader.Values().userComment, "new one");
    EXPECT_EQ(reader.GetLatitudeText(), "-10.341806");
    EXPECT_EQ(reader.GetLongitudeText(), "1.034167");
    int damage = -1;
    uint32_t size = 0, offset = 0, entry = 0;
    ASSERT_TRUE(exif::FindTagInSegment(file, exif::kIfd0, exif::kTagGpsPointer, damage, size,
                                       offset, entry));
    EXPECT_EQ(damage, exif::kDamageNone);
    // IFD0 stays sorted: the pointer follows the Exif pointer.
    EXPECT_EQ(entry, 8u + 2 + 2 * 12);
  }
}

TEST(ExifSegment, NewGpsIfdStandsInFrontOfMovedIfd1) {
  TempDir dir;
  const std::string photo = testsupport::CopyPhoto("Canon_PowerShot_S40.jpg", dir);
  const std::string seg = dir.File("seg");
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_FALSE(reader.HasGPS());
  ASSERT_TRUE(reader.ExportExifSegment(seg));
  const std::string old = ReadFileBytes(seg);
  const bool motorola = reader.ByteOrder() == exif::kMotorolaOrder;
  const size_t tiff = 12 + size_t(reader.Values().tiffShift);
  const uint32_t ifd0 = U32At(old, tiff + 4, motorola);
  const uint32_t oldIfd1 =
      U32At(old, tiff + ifd0 + 2 + 12 * U16At(old, tiff + ifd0, motorola), motorola);

  reader.SetLatitude(1, 2, true, 3);
  reader.SetLongitude(4, 5, true, 6);
  ASSERT_TRUE(reader.SaveChanges());
  ASSERT_TRUE(reader.ExportExifSegment(seg));
  const std::string now = ReadFileBytes(seg);
  const uint32_t count = U16At(now, tiff + ifd0, motorola);
  const uint32_t newIfd1 = U32At(now, tiff + ifd0 + 2 + 12 * count, motorola);
  EXPECT_EQ(uint32_t(reader.Values().gpsOffset), oldIfd1 + 12);
  // Count, the version and four entries, link, two coordinates.
  EXPECT_EQ(newIfd1, oldIfd1 + 12 + 2 + 5 * 12 + 4 + 2 * 24);
  EXPECT_EQ(now.size() - newIfd1, old.size() - oldIfd1);
}

// Canon and plain Nikon notes are Intel whatever the segment's order; the
// offsets in them that count from the TIFF header move in the note's order.
TEST(ExifSegment, OffsetsInAnIntelNoteMoveInEitherSegmentOrder) {
  const struct {
    const char* make;
    uint8_t kind;
    uint16_t tag;
  } notes[] = {{"Canon", exif::kCanonIfd, 6}, {"NIKON CORPORATION", exif::kNikon2Ifd, 4}};
  for (const bool motorola : {false, true}) {
    for (const auto& n : notes) {
      SCOPED_TRACE(testing::Message() << n.make << (motorola ? " MM" : " II"));
      const Builder b(motorola), intel(false);
      Ifd note;
      note.entries = {intel.Ascii(n.tag, "a text out of line")};
      exiftest::Entry makerNote = b.Raw(exif::kTagMakerNote, 7, 0, "");
      makerNote.make = [&](uint32_t at) { return intel.Serialize(note, at); };
      makerNote.count = uint32_t(makerNote.make(0).size());
      auto exifIfd = std::make_shared<Ifd>();
      exifIfd->entries = {makerNote};
      // The software text stands in front of the note, so taking it out
      // moves the note's value.
      Ifd ifd0;
      ifd0.entries = {b.Ascii(271, n.make), b.Ascii(305, "software in front of the note"),
                      b.Pointer(34665, exifIfd)};
      TempDir dir;
      const std::string file = dir.File("note.seg");
      WriteFileBytes(file, b.Jpeg(ifd0));
      TExifReader reader;
      ASSERT_TRUE(reader.ReadFromFile(file));
      ASSERT_EQ(reader.GetTagText(n.kind, n.tag), "a text out of line");

      ASSERT_TRUE(exif::DeleteTagFromSegment(file, exif::kIfd0, 305));
      ASSERT_TRUE(reader.ReadFromFile(file));
      EXPECT_LT(reader.FindTagIndex(exif::kIfd0, 305), 0);
      EXPECT_EQ(reader.GetTagText(n.kind, n.tag), "a text out of line");
      TExifDataBlock description = TExifDataBlock::ForKind(exif::kIfd0);
      description.AddString(270, "a description in front of the note");
      ASSERT_TRUE(exif::WriteBlockIntoSegment(file, description));
      ASSERT_TRUE(reader.ReadFromFile(file));
      EXPECT_EQ(reader.GetTagText(exif::kIfd0, 270), "a description in front of the note");
      EXPECT_EQ(reader.GetTagText(n.kind, n.tag), "a text out of line");
    }
  }
}

TEST(ExifSegment, DamagedStandardIfdIsNeverRewritten) {
  const Builder b(false);
  struct Case {
    const char* name;
    exiftest::Entry entry;
  };
  exiftest::Entry outside = b.Ascii(305, "points outside the segment");
  outside.forcedValue = 60000;
  const Case cases[] = {{"value outside", outside},
                        {"unknown type", b.Raw(305, 13, 8, std::string(8, 'x'))}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string file = dir.File("bad.seg");
    Ifd ifd0;
    ifd0.entries = {b.Ascii(271, "Maker"), c.entry};
    WriteFileBytes(file, b.Jpeg(ifd0));
    const std::string before = ReadFileBytes(file);
    TExifDataBlock block = TExifDataBlock::ForKind(exif::kIfd0);
    block.AddString(270, "description");
    EXPECT_FALSE(exif::InsertDataBlockInSegment(file, block));
    EXPECT_FALSE(exif::DeleteTagFromSegment(file, exif::kIfd0, 271));
    EXPECT_EQ(ReadFileBytes(file), before);
  }
}

TEST(ExifSegment, SegmentOverAnApp1IsRefused) {
  const Builder b(true);
  Ifd ifd0;
  ifd0.entries = {b.Ascii(270, std::string(65480, 'd'))};
  TempDir dir;
  const std::string file = dir.File("full.seg");
  WriteFileBytes(file, b.Jpeg(ifd0));
  const std::string before = ReadFileBytes(file);
  TExifDataBlock block = TExifDataBlock::ForPointerTag(exif::kTagGpsPointer);
  block.AddString(1, "N");
  block.AddRationals(2, {1, 1, 2, 1, 3, 1});
  EXPECT_FALSE(exif::InsertDataBlockInSegment(file, block));
  EXPECT_EQ(ReadFileBytes(file), before);
}

// Damaged segments of real photos: every rewrite ends, leaves a segment
// that reads again or the file as it was, and never touches memory it
// should not (the sanitizers watch).
TEST(ExifSegment, MutatedSegmentsAreRewrittenSafelyOrNotAtAll) {
  TempDir dir;
  uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (const char* name : {"Canon_40D.jpg", "Nikon_D70.jpg", "Fujifilm_FinePix_E500.jpg",
                           "gps_DSCN0010.jpg", "Olympus_C8080WZ.jpg"}) {
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(testsupport::PhotoPath(name)));
    const std::string seg = dir.File("seg");
    ASSERT_TRUE(reader.ExportExifSegment(seg));
    const std::string original = ReadFileBytes(seg);
    for (int round = 0; round < 60; ++round) {
      std::string bytes = original;
      for (int i = 0; i < 4; ++i) bytes[20 + next() % (bytes.size() - 20)] = char(next());
      WriteFileBytes(seg, bytes);
      TExifDataBlock gps = TExifDataBlock::ForPointerTag(exif::kTagGpsPointer);
      gps.AddString(1, "N");
      gps.AddRationals(2, {1, 1, 2, 1, 3, 1});
      const bool inserted = exif::WriteBlockIntoSegment(seg, gps);
      const bool deleted = exif::DeleteTagFromSegment(seg, exif::kIfd0, 271);
      TExifReader again;
      if (inserted || deleted) {
        EXPECT_TRUE(again.ReadFromFile(seg));
      } else {
        EXPECT_EQ(ReadFileBytes(seg), bytes);
      }
    }
  }
}

struct RationalCase {
  double seconds, metres;
  uint32_t secNum, secDen, altNum, altDen;
};

TEST(ExifSegment, GpsRationalsAreWholeWhereTheyCanBe) {
  const RationalCase cases[] = {{12.5, 245.0, 12500, 1000, 245, 1},
                                {30.0, 245.37, 30, 1, 24537, 100},
                                // Halves go to the even neighbour.
                                {0.0625, 0.0, 62, 1000, 0, 1},
                                {0.1875, 0.01, 188, 1000, 1, 100}};
  for (const RationalCase& c : cases) {
    SCOPED_TRACE(c.seconds);
    TempDir dir;
    testsupport::ScopedHome home;
    const std::string photo = testsupport::CopyPhoto("gps_DSCN0010.jpg", dir);
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(photo));
    reader.SetLatitude(50, 4, true, c.seconds);
    reader.SetAltitude(c.metres);
    ASSERT_TRUE(reader.SaveChanges());
    const std::string bytes = ReadFileBytes(photo);
    const bool motorola = !reader.IsIntelOrder();
    const size_t lat = size_t(reader.Values().latitudePos), alt = size_t(reader.Values().altitudePos);
    EXPECT_EQ(U32At(bytes, lat + 16, motorola), c.secNum);
    EXPECT_EQ(U32At(bytes, lat + 20, motorola), c.secDen);
    EXPECT_EQ(U32At(bytes, alt, motorola), c.altNum);
    EXPECT_EQ(U32At(bytes, alt + 4, motorola), c.altDen);
  }
}

}  // namespace
