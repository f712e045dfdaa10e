#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <type_traits>

#include "foundation/DateFunc.h"
#include "metadata/exif.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/support/TestSupport.h"

using exiftest::Builder;
using exiftest::Ifd;

namespace {

// A photo head with the usual tags of every IFD the reader walks.
std::string RichJpeg(bool motorola, bool withApp0 = false) {
  Builder b(motorola);
  auto interop = std::make_shared<Ifd>();
  interop->entries = {b.Ascii(1, "R98"), b.Raw(2, 7, 4, "0100")};
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {
      b.Rational(33434, {{1, 125}}),
      b.Rational(33437, {{28, 10}}),
      b.Short(34855, {200}),
      b.Raw(36864, 7, 4, "0220"),
      b.Ascii(36867, "2008:05:30 15:56:01"),
      b.Ascii(36868, "2008:05:30 15:56:02"),
      b.Rational(37380, {{uint32_t(-2), 3}}, 10),
      b.Short(37385, {1}),
      b.Rational(37386, {{605, 100}}),
      b.Raw(37510, 7, 19, std::string("ASCII\0\0\0Hello world", 19)),
      b.Short(40962, {640}),
      b.Long(40963, {480}),
      b.Pointer(40965, interop),
  };
  auto gps = std::make_shared<Ifd>();
  gps->entries = {
      b.Ascii(1, "N"),
      b.Rational(2, {{50, 1}, {5, 1}, {3412, 100}}),
      b.Ascii(3, "E"),
      b.Rational(4, {{14, 1}, {2568, 100}, {0, 1}}),
      b.Raw(5, 1, 1, "\x01"),
      b.Rational(6, {{2345, 10}}),
      b.Ascii(29, "2008:05:30"),
  };
  auto ifd1 = std::make_shared<Ifd>();
  const std::string thumb = "\xFF\xD8thumbnail bytes\xFF\xD9";
  ifd1->entries = {b.Short(259, {6}), b.Long(513, {0}), b.Long(514, {uint32_t(thumb.size())})};
  // The thumbnail offset is known only once laid out: point it at a value
  // placed by a neighbouring entry.
  ifd1->entries.push_back(b.Raw(0xC4A5, 7, uint32_t(thumb.size()), thumb));
  Ifd ifd0;
  ifd0.entries = {
      b.Ascii(271, "Canon"),      b.Ascii(272, "Canon EOS 40D"), b.Short(274, {6}),
      b.Rational(282, {{72, 1}}), b.Ascii(305, "Firmware 1.0"),  b.Ascii(306, "2008:07:31 10:38:11"),
      b.Pointer(34665, exifIfd),  b.Pointer(34853, gps),
  };
  ifd0.next = ifd1;
  std::string jpeg = b.Jpeg(ifd0, withApp0);
  // Patch the thumbnail offset to where the 0xC4A5 value landed.
  const size_t at = jpeg.find("\xFF\xD8thumbnail");
  const size_t tiffStart = jpeg.find("Exif") + 6;
  const std::string offset = b.U32(uint32_t(at - tiffStart));
  const std::string tag513 = b.U16(513) + b.U16(4) + b.U32(1);
  jpeg.replace(jpeg.find(tag513) + 8, 4, offset);
  return jpeg;
}

// A typed value as text, numbers of one byte included.
template <class T>
std::string Show(const T& value) {
  std::ostringstream out;
  if constexpr (std::is_arithmetic_v<T>) out << +value;
  else out << value;
  return out.str();
}

class ExifReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes to a file and reads it.
  bool Read(const std::string& bytes, const std::string& name = "photo.jpg") {
    path_ = dir_.File(name);
    testsupport::WriteFileBytes(path_, bytes);
    return reader_.ReadFromFile(path_);
  }

  testsupport::TempDir dir_;
  std::string path_;
  TExifReader reader_;
};

TEST_F(ExifReaderTest, BothByteOrdersGiveTheSameRowsAndValues) {
  ASSERT_TRUE(Read(RichJpeg(false)));
  const TExifRows intelStd = reader_.StandardRows();
  const TExifRows intelMaker = reader_.MakerRows();
  const TExifValues intel = reader_.Values();
  EXPECT_TRUE(reader_.IsIntelOrder());

  ASSERT_TRUE(Read(RichJpeg(true)));
  EXPECT_FALSE(reader_.IsIntelOrder());
  EXPECT_EQ(reader_.StandardRows().keys, intelStd.keys);
  EXPECT_EQ(reader_.StandardRows().names, intelStd.names);
  EXPECT_EQ(reader_.StandardRows().texts, intelStd.texts);
  EXPECT_EQ(reader_.MakerRows().texts, intelMaker.texts);
  const TExifValues& m = reader_.Values();
  EXPECT_EQ(m.make, intel.make);
  EXPECT_EQ(m.dateTimeOriginal, intel.dateTimeOriginal);
  EXPECT_EQ(m.userComment, "Hello world");
  EXPECT_EQ(m.userComment, intel.userComment);
  EXPECT_EQ(m.pixelXDimension, 640u);
  EXPECT_EQ(m.pixelYDimension, intel.pixelYDimension);
  EXPECT_EQ(m.latitudeSec, intel.latitudeSec);
  EXPECT_EQ(m.thumbnailOffset, intel.thumbnailOffset);

  // A sample of the texts, the same in both orders.
  EXPECT_EQ(reader_.GetTagText(0, 274), "Right-Top");
  EXPECT_EQ(reader_.GetTagText(2, 33434), "1/125 s");
  EXPECT_EQ(reader_.GetTagText(2, 33437), "F2.8");
  EXPECT_EQ(reader_.GetTagText(2, 37380), "-0.666666666666667 (apex)");
  EXPECT_EQ(reader_.GetTagText(2, 37386), "6.05 mm");
  EXPECT_EQ(reader_.GetTagText(3, 2), "1.00");
  EXPECT_EQ(reader_.GetTagText(28, 2), "50\xC2\xB0 5' 34.120\"");
  // 14° 25.68' 0" folds into 14° 25' 40.8".
  EXPECT_EQ(reader_.GetTagText(28, 4), "14\xC2\xB0 25' 40.800\"");
  EXPECT_EQ(reader_.GetTagText(28, 5), "Below sea");
  EXPECT_EQ(reader_.GetTagText(28, 29), "2008-05-30");
  EXPECT_EQ(reader_.GetLatitudeText(), "50.092811");
  EXPECT_EQ(reader_.GetLongitudeText(), "14.428000");
  EXPECT_DOUBLE_EQ(reader_.GetAltitude(), -234.5);
  EXPECT_TRUE(reader_.Values().gpsValid);
  EXPECT_EQ(reader_.Values().gpsDay, DateFunc::DMYToDayNum(30, 5, 2008));
}

TEST_F(ExifReaderTest, TypedValuesAreKeptFromTheirTags) {
  using Values = TExifValues;
  struct ValueCase {
    uint8_t kind;
    std::function<exiftest::Entry(const Builder&)> entry;
    std::function<std::string(const Values&)> value;
    std::string expected;
  };
  const ValueCase cases[] = {
      {0, [](auto& b) { return b.Ascii(270, "desc"); },
       [](const Values& x) { return x.imageDescription; }, "desc"},
      {0, [](auto& b) { return b.Ascii(305, "fw 1.0"); },
       [](const Values& x) { return x.software; }, "fw 1.0"},
      {0, [](auto& b) { return b.Ascii(33432, "(c) me"); },
       [](const Values& x) { return x.copyright; }, "(c) me"},
      {0, [](auto& b) { return b.Rational(282, {{300, 100}}); },
       [](const Values& x) { return Show(x.xResolution); }, "3"},
      {0, [](auto& b) { return b.Rational(283, {{7, 2}}); },
       [](const Values& x) { return Show(x.yResolution); }, "3.5"},
      {1, [](auto& b) { return b.Short(256, {160}); },
       [](const Values& x) { return Show(x.thumbnailWidth); }, "160"},
      {1, [](auto& b) { return b.Long(257, {120}); },
       [](const Values& x) { return Show(x.thumbnailLength); }, "120"},
      {1, [](auto& b) { return b.Long(514, {5000}); },
       [](const Values& x) { return Show(x.thumbnailSize); }, "5000"},
      {2, [](auto& b) { return b.Rational(33434, {{1, 125}}); },
       [](const Values& x) { return x.exposureTimeText; }, "1/125 s"},
      {2, [](auto& b) { return b.Rational(33437, {{28, 10}}); },
       [](const Values& x) { return Show(x.fNumber); }, "2.8"},
      // Without an F-number, the aperture value gives it.
      {2, [](auto& b) { return b.Rational(37378, {{4, 1}}); },
       [](const Values& x) { return Show(x.fNumber); }, "4"},
      {2, [](auto& b) { return b.Short(34855, {400}); },
       [](const Values& x) { return Show(x.isoSpeed); }, "400"},
      {2, [](auto& b) { return b.Raw(36864, 7, 4, "0220"); },
       [](const Values& x) { return x.exifVersion; }, "2.20"},
      {2, [](auto& b) { return b.Raw(40960, 7, 4, "0100"); },
       [](const Values& x) { return x.flashPixVersion; }, "1.00"},
      {2, [](auto& b) { return b.Rational(37122, {{5, 1}}); },
       [](const Values& x) { return x.compressedBitsPerPixel; }, "5/1"},
      {2, [](auto& b) { return b.Short(37385, {16}); },
       [](const Values& x) { return Show(x.flash); }, "16"},
      {2, [](auto& b) { return b.Long(40962, {3000}); },
       [](const Values& x) { return Show(x.pixelXDimension); }, "3000"},
      {2, [](auto& b) { return b.Short(40963, {2000}); },
       [](const Values& x) { return Show(x.pixelYDimension); }, "2000"},
      {2, [](auto& b) { return b.Rational(41486, {{4000, 2}}); },
       [](const Values& x) { return Show(x.focalPlaneXResolution); }, "2000"},
      {3, [](auto& b) { return b.Raw(2, 7, 4, "0100"); },
       [](const Values& x) { return x.interopVersion; }, "1.00"},
      {3, [](auto& b) { return b.Ascii(4096, "Exif JPEG"); },
       [](const Values& x) { return x.relatedImageFileFormat; }, "Exif JPEG"},
      {3, [](auto& b) { return b.Raw(4097, 8, 1, b.U16(0xFFFB)); },
       [](const Values& x) { return Show(x.relatedImageWidth); }, "-5"},
      {3, [](auto& b) { return b.Long(4098, {480}); },
       [](const Values& x) { return Show(x.relatedImageLength); }, "480"},
      {28, [](auto& b) { return b.Raw(5, 1, 1, "\x01"); },
       [](const Values& x) { return Show(x.altitudeRef); }, "1"},
      {28, [](auto& b) { return b.Rational(6, {{2345, 10}}); },
       [](const Values& x) { return Show(x.altitude); }, "234.5"},
      {28, [](auto& b) { return b.Rational(7, {{14, 1}, {27, 1}, {7, 1}}); },
       [](const Values& x) { return DateFunc::FormatTimeOfDateTime("hh:mm:ss", x.gpsTime); },
       "14:27:07"},
      {28, [](auto& b) { return b.Ascii(29, "2008:05:30"); },
       [](const Values& x) { return Show(x.gpsDay); }, Show(DateFunc::DMYToDayNum(30, 5, 2008))},
  };
  for (bool motorola : {false, true}) {
    const Builder b(motorola);
    for (const ValueCase& c : cases) {
      const exiftest::Entry entry = c.entry(b);
      ASSERT_TRUE(Read(b.JpegWithEntry(c.kind, entry)));
      EXPECT_EQ(c.value(reader_.Values()), c.expected)
          << "kind " << int(c.kind) << " tag " << entry.tag << (motorola ? " MM" : " II");
    }
  }
}

TEST_F(ExifReaderTest, RecordsEveryHeadLinkAndEntry) {
  ASSERT_TRUE(Read(RichJpeg(true)));
  TDataList& records = reader_.Records();
  int heads = 0, links = 0, entries = 0;
  for (int i = 0; i < records.Count(); ++i) {
    TExifEntryRecord r;
    ASSERT_TRUE(records.GetItem(i, &r));
    heads += r.recordType == kRecordHead;
    links += r.recordType == kRecordLink;
    entries += r.recordType == kRecordEntry;
    if (r.recordType == kRecordEntry && r.kind == 0 && r.tag == 274) {
      const uint16_t type = r.type;
      const uint32_t count = r.count, position = r.position;
      EXPECT_EQ(type, 3);
      EXPECT_EQ(count, 1u);
      const std::string file = testsupport::ReadFileBytes(path_);
      EXPECT_EQ(file.substr(position, 2), "\x01\x12");  // Motorola 274
    }
  }
  EXPECT_EQ(heads, 5);  // IFD0, Exif, Interop, GPS, IFD1
  EXPECT_EQ(links, 5);
  EXPECT_EQ(entries, 8 + 13 + 2 + 7 + 4);
}

TEST_F(ExifReaderTest, App0OfEighteenBytesShiftsEverything) {
  ASSERT_TRUE(Read(RichJpeg(false)));
  const TExifRows plain = reader_.StandardRows();
  const int32_t datePos = reader_.Values().dateTimeOriginalPos;
  ASSERT_TRUE(Read(RichJpeg(false, true)));
  EXPECT_EQ(reader_.Values().tiffShift, 18);
  EXPECT_EQ(reader_.StandardRows().texts, plain.texts);
  EXPECT_EQ(reader_.Values().dateTimeOriginalPos, datePos + 18);
  const std::string file = testsupport::ReadFileBytes(path_);
  EXPECT_EQ(file.substr(size_t(reader_.Values().dateTimeOriginalPos), 19), "2008:05:30 15:56:01");
}

TEST_F(ExifReaderTest, FilesWithoutTheSegmentGiveFalse) {
  const std::string good = RichJpeg(false);
  const std::string cases[] = {"", "not a photo", good.substr(0, 19),
                               std::string("\xFF\xD8\xFF\xE1\x00\x10" "Exif\0\0XX*\0", 16) +
                                   std::string(8, '\0')};
  for (const std::string& bytes : cases) {
    EXPECT_FALSE(Read(bytes)) << testing::PrintToString(bytes.substr(0, 24));
    EXPECT_FALSE(reader_.HasExif());
    EXPECT_EQ(reader_.FileName(), path_);
    EXPECT_TRUE(reader_.StandardRows().keys.empty());
    EXPECT_EQ(reader_.GetPictureDate(), exif::NullDate());
  }
  EXPECT_FALSE(reader_.ReadFromFile(dir_.File("missing.jpg")));
  EXPECT_EQ(reader_.FileName(), "");
  EXPECT_FALSE(reader_.ReadFromFile(""));
  EXPECT_EQ(reader_.MakerNumber(), exif::kNothingRead);
}

TEST_F(ExifReaderTest, DamagedOffsetsAreDroppedAndTheRestIsRead) {
  Builder b(false);
  auto gps = std::make_shared<Ifd>();
  gps->entries = {b.Ascii(1, "S")};
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Short(37385, {0})};
  auto ifd1 = std::make_shared<Ifd>();
  ifd1->entries = {b.Short(259, {6})};
  Ifd ifd0;
  // The Exif pointer twice, a text far outside the segment, and a count
  // whose size runs to gigabytes.
  ifd0.entries = {b.Ascii(271, "Maker"), b.Pointer(34665, exifIfd), b.Pointer(34665, exifIfd),
                  b.Pointer(34853, gps), b.Raw(272, 2, 100, ""), b.Raw(282, 5, 0x40000000, "")};
  ifd0.entries[4].forcedValue = 0x7FFFFFF0;
  ifd0.entries[5].forcedValue = 8;
  ifd0.next = ifd1;
  std::string jpeg = b.Jpeg(ifd0);
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.GetTagText(0, 271), "Maker");
  EXPECT_EQ(reader_.GetTagText(2, 37385), "flash did not fire");
  EXPECT_EQ(reader_.GetTagText(28, 1), "South latitude");
  EXPECT_EQ(reader_.GetTagText(1, 259), "JPEG compression");
  EXPECT_EQ(reader_.FindTagIndex(0, 272), -1);
  EXPECT_EQ(reader_.FindTagIndex(0, 282), -1);
  EXPECT_EQ(reader_.StandardRows().keys.size(), 3u);  // the Exif IFD walked once

  // IFD1 (count, one entry, link, then the EOI) now claims 5000 entries: it
  // is skipped as a whole, the rest is still read.
  const size_t ifd1Count = jpeg.size() - 2 - 18;
  jpeg[ifd1Count] = char(0x88);
  jpeg[ifd1Count + 1] = char(0x13);
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.FindTagIndex(1, 259), -1);
  EXPECT_EQ(reader_.GetTagText(28, 1), "South latitude");
}

TEST_F(ExifReaderTest, PointersWithoutAWholeNumberAreIgnored) {
  // Count 0, a RATIONAL and an ASCII "offset", each on one pointer at a time.
  const std::pair<uint32_t, uint16_t> forms[] = {{0, 4}, {1, 5}, {1, 2}};
  enum Bad { kExif, kInterop, kGps };
  for (bool motorola : {false, true}) {
    for (auto [count, type] : forms) {
      for (Bad bad : {kExif, kInterop, kGps}) {
        SCOPED_TRACE(testing::Message() << motorola << " " << count << " " << type << " " << bad);
        Builder b(motorola);
        auto interop = std::make_shared<Ifd>();
        interop->entries = {b.Ascii(1, "R98")};
        auto exifIfd = std::make_shared<Ifd>();
        exifIfd->entries = {b.Short(37385, {1}), b.Pointer(40965, interop)};
        auto gps = std::make_shared<Ifd>();
        gps->entries = {b.Ascii(1, "N")};
        // A bad GPS pointer names the Exif IFD, whose tags must not turn up
        // as GPS rows.
        Ifd ifd0;
        ifd0.entries = {b.Pointer(34665, exifIfd), b.Pointer(34853, bad == kGps ? exifIfd : gps)};
        exiftest::Entry& pointer =
            bad == kInterop ? exifIfd->entries[1] : ifd0.entries[bad == kExif ? 0 : 1];
        pointer.count = count;
        pointer.type = type;
        ASSERT_TRUE(Read(b.Jpeg(ifd0)));
        EXPECT_EQ(reader_.FindTagIndex(2, 37385) >= 0, bad != kExif);
        EXPECT_EQ(reader_.FindTagIndex(3, 1) >= 0, bad == kGps);
        EXPECT_EQ(reader_.HasGPS(), bad != kGps);
        EXPECT_EQ(reader_.FindTagIndex(28, 1) >= 0, bad != kGps);
        EXPECT_EQ(reader_.FindTagIndex(28, 37385), -1);
        // Nor does the pointer itself become a row.
        EXPECT_EQ(reader_.StandardRows().keys.size(), size_t(bad == kGps ? 2 : bad == kExif ? 0 : 1));
      }
    }
  }
}

TEST_F(ExifReaderTest, SignedGpsRationalsReadAsUnsignedWhenNotNegative) {
  for (bool motorola : {false, true}) {
    SCOPED_TRACE(motorola);
    Builder b(motorola);
    auto gps = std::make_shared<Ifd>();
    gps->entries = {b.Ascii(1, "N"),
                    b.Rational(2, {{50, 1}, {5, 1}, {3412, 100}}, 10),
                    b.Ascii(3, "E"),
                    b.Rational(4, {{14, 1}, {2568, 100}, {0, 1}}, 10),
                    b.Raw(5, 1, 1, std::string(1, '\0')),
                    b.Rational(6, {{2345, 10}}, 10)};
    Ifd ifd0;
    ifd0.entries = {b.Pointer(34853, gps)};
    ASSERT_TRUE(Read(b.Jpeg(ifd0)));
    EXPECT_TRUE(reader_.Values().gpsValid);
    EXPECT_EQ(reader_.GetLatitudeText(), "50.092811");
    EXPECT_EQ(reader_.GetLongitudeText(), "14.428000");
    EXPECT_DOUBLE_EQ(reader_.GetAltitude(), 234.5);
    EXPECT_EQ(reader_.GetTagText(28, 2), "50\xC2\xB0 5' 34.120\"");
    EXPECT_EQ(reader_.GetTagText(28, 6), "234.500m");

    // The edited position goes back into the signed entries.
    reader_.SetLatitude(10, 20, true, 30);
    ASSERT_TRUE(reader_.SaveChanges());
    EXPECT_EQ(reader_.GetTagText(28, 2), "10\xC2\xB0 20' 30.000\"");

    // A negative part leaves the value signed: shown as it stands, not read.
    gps->entries[1] = b.Rational(2, {{uint32_t(-50), 1}, {5, 1}, {3412, 100}}, 10);
    ASSERT_TRUE(Read(b.Jpeg(ifd0)));
    EXPECT_FALSE(reader_.Values().gpsValid);
    EXPECT_EQ(reader_.Values().latitudeDeg, -1);
    EXPECT_EQ(reader_.GetTagText(28, 2), "-50/1, 5/1, 3412/100");
  }
}

// The writer puts the photo's pixel size where the reader found it; the same
// tag number in an IFD read later must not move that place.
TEST_F(ExifReaderTest, PixelSizePlacesComeFromTheExifIfdOnly) {
  Builder b(false);
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Long(40962, {640}), b.Short(40963, {480})};
  auto gps = std::make_shared<Ifd>();
  gps->entries = {b.Long(40962, {1}), b.Long(40963, {2})};
  Ifd ifd0;
  ifd0.entries = {b.Pointer(34665, exifIfd), b.Pointer(34853, gps)};
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  const std::string file = testsupport::ReadFileBytes(path_);
  ASSERT_GT(reader_.Values().pixelXPos, 0);
  ASSERT_GT(reader_.Values().pixelYPos, 0);
  EXPECT_EQ(file.substr(size_t(reader_.Values().pixelXPos), 4), b.U32(640));
  EXPECT_EQ(file.substr(size_t(reader_.Values().pixelYPos), 2), b.U16(480));
}

TEST_F(ExifReaderTest, LinksEndAfterTheFurtherIfd) {
  Builder b(true);
  // IFD1 links to a further IFD whose own link points back at IFD0.
  auto further = std::make_shared<Ifd>();
  further->entries = {b.Ascii(270, "further")};
  auto ifd1 = std::make_shared<Ifd>();
  ifd1->entries = {b.Short(259, {1})};
  ifd1->next = further;
  Ifd ifd0;
  ifd0.entries = {b.Ascii(270, "first")};
  ifd0.next = ifd1;
  std::string jpeg = b.Jpeg(ifd0);
  // The further IFD's link (the 4 bytes before its data) points to IFD0.
  const size_t link = jpeg.rfind("further") - 4;
  jpeg.replace(link, 4, b.U32(8));
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.GetTagText(0, 270), "first");
  EXPECT_EQ(reader_.GetTagText(1, 259), "No compression");
  EXPECT_EQ(reader_.GetTagText(29, 270), "further");
  EXPECT_EQ(exif::GetTagName(29, 270, false), "Image Description");
  EXPECT_EQ(reader_.StandardRows().keys.size(), 3u);
}

TEST_F(ExifReaderTest, AsciiValuesInlineOrOutOfLine) {
  Builder b(false);
  Ifd ifd0;
  // "N" and three NULs inline; a short text with a control byte is an offset.
  ifd0.entries = {b.Raw(270, 2, 4, std::string("N\0\0\0", 4)),
                  b.Raw(271, 2, 2, std::string("\x01\x00", 2)),
                  b.Ascii(305, "two\r\nlines  ")};
  std::string jpeg = b.Jpeg(ifd0);
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.GetTagText(0, 270), "N");
  // Offset 1 reads the two bytes "I*" of the TIFF header.
  EXPECT_EQ(reader_.GetTagText(0, 271), "I*");
  EXPECT_EQ(reader_.GetTagText(0, 305), "two lines");
}

TEST_F(ExifReaderTest, AsciiTextEndsAtItsFirstNul) {
  Builder b(false);
  Ifd ifd0;
  ifd0.entries = {b.Raw(271, 2, 4, std::string("AB\0C", 4)),
                  b.Raw(272, 2, 9, std::string("ION230\0F\0", 9))};
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  EXPECT_EQ(reader_.GetTagText(0, 271), "AB");
  EXPECT_EQ(reader_.GetTagText(0, 272), "ION230");
  EXPECT_EQ(reader_.Values().model, "ION230");
}

TEST_F(ExifReaderTest, ALongTextIsReadToItsEndOrToTheEndOfTheSegment) {
  Builder b(false);
  std::string description;
  for (int i = 0; i < 40; ++i) description += "Soldiers walk to the ramp " + std::to_string(i) + ". ";
  ASSERT_GT(description.size(), 1000u);
  description.pop_back();
  Ifd ifd0;
  ifd0.entries = {b.Ascii(270, description), b.Ascii(305, "GIMP 2.4.5")};
  std::string jpeg = b.Jpeg(ifd0);
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.GetTagText(0, 270), description);
  EXPECT_EQ(reader_.Values().imageDescription, description);

  // A count that runs past the segment reads what the segment holds.
  const std::string count = b.U16(270) + b.U16(2) + b.U32(uint32_t(description.size() + 1));
  jpeg.replace(jpeg.find(count) + 4, 4, b.U32(1000000));
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.GetTagText(0, 270), description);
  EXPECT_EQ(reader_.GetTagText(0, 305), "GIMP 2.4.5");
}

TEST_F(ExifReaderTest, PictureDateFallsBackAndDatesShowFixedFormat) {
  Builder b(false);
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Ascii(36867, "0000:00:00 00:00:00")};
  Ifd ifd0;
  ifd0.entries = {b.Ascii(306, "2008/07/31 10:38:11"), b.Pointer(34665, exifIfd)};
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  TDateTime expected;
  ASSERT_TRUE(DateTime::TryEncodeDateTime(2008, 7, 31, 10, 38, 11, 0, expected));
  EXPECT_EQ(reader_.GetPictureDate(), expected);
  EXPECT_EQ(reader_.GetTagText(0, 306), "31.07.2008  10:38:11   Thursday");
  EXPECT_EQ(reader_.GetTagText(2, 36867), "01.01.1900  00:00:00   Monday");
  EXPECT_TRUE(reader_.CanWriteDates());  // 20 bytes out of line
  EXPECT_EQ(reader_.Values().dateTimePos,
            int32_t(testsupport::ReadFileBytes(path_).find("2008/07/31")));
}

// The fraction of the second orders a burst: SubSecTimeOriginal, else
// SubSecTime, each only from the digits it begins with; the lean read of a
// list gives the same.
TEST_F(ExifReaderTest, SubSecTimeIsTheOriginalsElseTheFileTimes) {
  struct Case {
    const char* original;  // nullptr: no such tag
    const char* subSec;
    const char* expected;
  };
  const Case cases[] = {
      {"05", "9", "05"},      {nullptr, "123", "123"}, {" 7 ", nullptr, "7"},
      {"", "42", "42"},       {"x1", "3", "3"},        {"12ab", nullptr, "12"},
      {nullptr, nullptr, ""}, {"  ", "   ", ""},
  };
  for (bool motorola : {false, true}) {
    const Builder b(motorola);
    for (const Case& c : cases) {
      auto exifIfd = std::make_shared<Ifd>();
      exifIfd->entries = {b.Ascii(36867, "2013:10:05 10:00:00")};
      if (c.subSec) exifIfd->entries.push_back(b.Ascii(37520, c.subSec));
      if (c.original) exifIfd->entries.push_back(b.Ascii(37521, c.original));
      Ifd ifd0;
      ifd0.entries = {b.Pointer(34665, exifIfd)};
      ASSERT_TRUE(Read(b.Jpeg(ifd0)));
      EXPECT_EQ(reader_.GetSubSecTime(), c.expected) << (c.original ? c.original : "-") << " "
                                                     << (c.subSec ? c.subSec : "-");
      TExifReader lean;
      ASSERT_TRUE(lean.ReadPictureInfo(path_));
      EXPECT_EQ(lean.GetSubSecTime(), c.expected);
    }
  }
}

TEST_F(ExifReaderTest, MultiLineTextsKeepTheListsAligned) {
  Builder b(false);
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Rational(37378, {{4, 1}}),
                      b.Raw(40964, 7, 12, "sound\r\n     "),
                      b.Raw(41000, 7, 1, "x")};
  Ifd ifd0;
  ifd0.entries = {b.Pointer(34665, exifIfd)};
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  const TExifRows& rows = reader_.StandardRows();
  ASSERT_EQ(rows.keys.size(), rows.names.size());
  ASSERT_EQ(rows.texts.size(), rows.names.size());
  EXPECT_EQ(rows.names[0], "Aperture Value");
  EXPECT_EQ(rows.texts[0], "4 (apex)");
  EXPECT_EQ(rows.keys[1], std::string(1, '\0'));
  EXPECT_EQ(rows.names[1], "F-Number from aperture");
  EXPECT_EQ(rows.texts[1], "F4");
  EXPECT_DOUBLE_EQ(reader_.Values().fNumber, 4);
  EXPECT_EQ(reader_.GetTagText(2, 40964), "sound");
  EXPECT_EQ(reader_.GetTagText(2, 41000), "Undefined");
}

TEST_F(ExifReaderTest, HidingUnnamedTags) {
  Builder b(false);
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Short(37384, {99})};
  Ifd ifd0;
  ifd0.entries = {b.Short(50341, {7}), b.Pointer(34665, exifIfd)};
  const std::string jpeg = b.Jpeg(ifd0);
  ASSERT_TRUE(Read(jpeg));
  EXPECT_EQ(reader_.StandardRows().names[0], "0xC4A5");
  EXPECT_EQ(reader_.GetTagText(2, 37384), "Unknown: 99");
  reader_.SetHideUnnamedTags(true);
  ASSERT_TRUE(Read(jpeg));
  EXPECT_TRUE(reader_.HideUnnamedTags());
  EXPECT_TRUE(reader_.StandardRows().keys.empty());
}

TEST_F(ExifReaderTest, SoftwareAndCopyrightFollowTheModel) {
  Builder b(false);
  auto exifIfd = std::make_shared<Ifd>();
  exifIfd->entries = {b.Ascii(36867, "2001:02:03 04:05:06"), b.Ascii(36868, "2001:02:03 04:05:07")};
  Ifd ifd0;
  ifd0.entries = {b.Ascii(270, "desc"),  b.Ascii(271, "make"), b.Ascii(272, "model"),
                  b.Short(274, {1}),     b.Short(296, {2}),    b.Ascii(305, "soft"),
                  b.Ascii(306, "2001:02:03 04:05:08"), b.Ascii(33432, "(c)"),
                  b.Pointer(34665, exifIfd)};
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  const std::vector<std::string> expected = {"0x270",   "0x271",   "0x272",   "0x305",
                                             "0x33432", "0x274",   "0x296",   "2x36868",
                                             "2x36867", "0x306"};
  EXPECT_EQ(reader_.StandardRows().keys, expected);

  // Software ahead of a Model that stands last goes to the end.
  ifd0.entries = {b.Ascii(305, "soft"), b.Ascii(272, "model")};
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  EXPECT_EQ(reader_.StandardRows().keys, (std::vector<std::string>{"0x272", "0x305"}));
}

TEST_F(ExifReaderTest, ThumbnailIsSavedOnlyFromInsideTheSegment) {
  ASSERT_TRUE(Read(RichJpeg(false)));
  const std::string out = dir_.File("thumb.jpg");
  ASSERT_TRUE(reader_.SaveThumbnail(out));
  EXPECT_EQ(testsupport::ReadFileBytes(out), "\xFF\xD8thumbnail bytes\xFF\xD9");
  EXPECT_EQ(reader_.ThumbnailBytes(), "\xFF\xD8thumbnail bytes\xFF\xD9");

  Builder b(false);
  auto ifd1 = std::make_shared<Ifd>();
  ifd1->entries = {b.Long(513, {8}), b.Long(514, {100000})};
  Ifd ifd0;
  ifd0.entries = {b.Ascii(270, "x")};
  ifd0.next = ifd1;
  ASSERT_TRUE(Read(b.Jpeg(ifd0)));
  const std::string bad = dir_.File("bad.jpg");
  EXPECT_FALSE(reader_.SaveThumbnail(bad));
  EXPECT_FALSE(std::filesystem::exists(bad));
  EXPECT_EQ(reader_.ThumbnailBytes(), "");
}

TEST_F(ExifReaderTest, SettersRaiseChangedFlagsOnlyForRealChanges) {
  ASSERT_TRUE(Read(RichJpeg(false)));
  reader_.SetLatitude(50, 5, true, 34.12 + 0.0005);
  EXPECT_FALSE(reader_.Values().latitudeChanged);
  reader_.SetLatitude(50, 5, false, 34.12);
  EXPECT_TRUE(reader_.Values().latitudeChanged);
  EXPECT_EQ(reader_.Values().latitudeRef, "S");
  reader_.SetAltitude(-234.504);
  EXPECT_FALSE(reader_.Values().altitudeChanged);
  reader_.SetAltitude(0.125);
  EXPECT_TRUE(reader_.Values().altitudeChanged);
  EXPECT_DOUBLE_EQ(reader_.GetAltitude(), 0.12);  // halves to even
  const TDateTime original = reader_.Values().dateTimeOriginal;
  reader_.SetDateTimeOriginal(original);
  EXPECT_FALSE(reader_.Values().dateTimeOriginalChanged);
  reader_.SetDateTimeOriginal(original + 1);
  EXPECT_TRUE(reader_.Values().dateTimeOriginalChanged);
  ASSERT_TRUE(Read(RichJpeg(false)));
  EXPECT_FALSE(reader_.Values().dateTimeOriginalChanged);
}

// A re-read takes the photo's values from the file again and keeps every
// pending edit with its changed flag.
TEST_F(ExifReaderTest, ReloadKeepsEveryPendingEdit) {
  ASSERT_TRUE(Read(RichJpeg(false)));
  const TDateTime day = reader_.Values().dateTime + 3;
  reader_.SetDateTime(day);
  reader_.SetDateTimeOriginal(day + 1);
  reader_.SetDateTimeDigitized(day + 2);
  reader_.SetUserComment("first line\r\nsecond line");
  reader_.SetLatitude(10, 20, false, 30.5);
  reader_.SetLongitude(40, 50, false, 1.25);
  reader_.SetAltitude(-12.5);
  // The file changes meanwhile: the model is read anew.
  std::string other = RichJpeg(false);
  other.replace(other.find("Canon EOS 40D"), 13, "Other EOS 40D");
  testsupport::WriteFileBytes(path_, other);

  reader_.Reload();
  const TExifValues& v = reader_.Values();
  EXPECT_EQ(v.model, "Other EOS 40D");
  EXPECT_EQ(v.userComment, "Hello world");
  EXPECT_EQ(v.dateTime, day);
  EXPECT_EQ(v.dateTimeOriginal, day + 1);
  EXPECT_EQ(v.dateTimeDigitized, day + 2);
  EXPECT_TRUE(v.dateTimeChanged && v.dateTimeOriginalChanged && v.dateTimeDigitizedChanged);
  EXPECT_EQ(reader_.GetUserComment(), "first line\r\nsecond line\r\n");
  EXPECT_EQ(reader_.GetLatitudeText(), "-10.341806");
  EXPECT_EQ(reader_.GetLongitudeText(), "-40.833681");
  EXPECT_DOUBLE_EQ(reader_.GetAltitude(), -12.5);
  EXPECT_TRUE(v.latitudeChanged && v.longitudeChanged && v.altitudeChanged);
}

TEST_F(ExifReaderTest, FlashStateReadsBitZeroOfUnlistedValues) {
  const std::pair<uint16_t, uint8_t> cases[] = {{0, 0}, {1, 1}, {5, 1}, {7, 1},
                                                {16, 0}, {24, 0}, {25, 1}, {0x59, 1}};
  for (auto [value, state] : cases) {
    Builder b(false);
    auto exifIfd = std::make_shared<Ifd>();
    exifIfd->entries = {b.Short(37385, {value})};
    Ifd ifd0;
    ifd0.entries = {b.Pointer(34665, exifIfd)};
    ASSERT_TRUE(Read(b.Jpeg(ifd0)));
    EXPECT_EQ(reader_.GetFlashState(), state) << value;
  }
  ASSERT_TRUE(Read(Builder(false).Jpeg(Ifd{})));
  EXPECT_EQ(reader_.GetFlashState(), 255);
}

// A pipe named like a photo in a photo folder must not stall the browser.
TEST(ExifReaderFiles, PipeNamedLikeAPhotoIsRefusedWithoutWaiting) {
  testsupport::TempDir dir;
  const std::string pipe = dir.File("IMG_0001.JPG");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  TExifReader reader;
  EXPECT_FALSE(reader.ReadFromFile(pipe));
}

}  // namespace
