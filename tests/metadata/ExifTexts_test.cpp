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

struct TextCase {
  uint8_t kind;
  std::function<Entry(const Builder&)> entry;
  std::string expected;
};

// Reads a photo holding the one entry in the IFD of its kind, in the given
// byte order, and returns the entry's display text.
std::string TextOf(const TextCase& c, bool motorola, const testsupport::TempDir& dir) {
  const Builder b(motorola);
  const Entry entry = c.entry(b);
  const std::string path = dir.File("case.jpg");
  testsupport::WriteFileBytes(path, b.JpegWithEntry(c.kind, entry));
  TExifReader reader;
  reader.ReadFromFile(path);
  return reader.GetTagText(c.kind, entry.tag);
}

TEST(ExifTexts, TagTextsFollowTheTables) {
  const std::string deg = "\xC2\xB0";
  static const std::string kUnicode("UNICODE\0", 8);
  const TextCase cases[] = {
      {0, [](auto& b) { return b.Short(274, {3}); }, "Bottom-Right"},
      {0, [](auto& b) { return b.Short(296, {3}); }, "Centimeter"},
      {0, [](auto& b) { return b.Short(531, {2}); }, "Co-sited"},
      {1, [](auto& b) { return b.Short(531, {2}); }, "Datum point(0,0)"},
      {1, [](auto& b) { return b.Short(259, {7}); }, "Unknown compression method: 7"},
      {1, [](auto& b) { return b.Short(530, {2, 1}); }, "Horiz: 2, Vert: 1"},
      {1, [](auto& b) { return b.Short(284, {2}); }, "YCbCr is stored to separated planes"},
      {2, [](auto& b) { return b.Short(34850, {6}); }, "Program action(high-speed program)"},
      {2, [](auto& b) { return b.Short(34855, {400}); }, "400"},
      {2, [](auto& b) { return b.Short(37384, {99}); }, "Unknown: 99"},
      {2, [](auto& b) { return b.Short(37385, {7}); }, "flash fired with strobe return light"},
      {2, [](auto& b) { return b.Short(40961, {65535}); }, "Uncalibrated"},
      {0, [](auto& b) { return b.Short(50341, {1, 2, 3}); }, "1, 2, 3"},
      {0, [](auto& b) { return b.Rational(282, {{72, 1}}); }, "72"},
      {0, [](auto& b) { return b.Rational(282, {{300, 100}}); }, "3"},
      {0, [](auto& b) { return b.Rational(282, {{7, 2}}); }, "7/2"},
      {2, [](auto& b) { return b.Rational(33434, {{1, 125}}); }, "1/125 s"},
      {2, [](auto& b) { return b.Rational(33434, {{10, 40}}); }, "1/4 s"},
      {2, [](auto& b) { return b.Rational(33434, {{10, 25}}); }, "1/2 s"},  // 2.5, halves to even
      {2, [](auto& b) { return b.Rational(33434, {{3, 2}}); }, "1 + 1/2 s"},
      {2, [](auto& b) { return b.Rational(33434, {{1, 1}}); }, "1 s"},
      {2, [](auto& b) { return b.Rational(33434, {{15, 1}}); }, "15 s"},
      {2, [](auto& b) { return b.Rational(33437, {{56, 10}}); }, "F5.6"},
      {2, [](auto& b) { return b.Rational(37379, {{1, 8}}); }, "0.125 (apex)"},
      {2, [](auto& b) { return b.Rational(37382, {{1234, 100}}); }, "12.3400 m"},
      {2, [](auto& b) { return b.Rational(37382, {{105, 100}}); }, "105.000 cm"},
      {2, [](auto& b) { return b.Rational(37382, {{1, 3}}); }, "33.333 cm"},
      {2, [](auto& b) { return b.Rational(37386, {{605, 100}}); }, "6.05 mm"},
      {2, [](auto& b) { return b.Rational(37386, {{7, 0}}); }, "7/0"},
      {2, [](auto& b) { return b.Rational(37377, {{6, 1}}, 10); }, "1/64 s, 6 (apex)"},
      {2, [](auto& b) { return b.Rational(37380, {{uint32_t(-1), 3}}, 10); },
       "-0.333333333333333 (apex)"},
      {2, [](auto& b) { return b.Rational(41988, {{uint32_t(-1), 3}}, 10); }, "-1/3"},
      {2, [](auto& b) { return b.Raw(36864, 7, 4, "0210"); }, "2.10"},
      {2, [](auto& b) { return b.Raw(37121, 7, 4, std::string("\1\2\3\0", 4)); }, ""},
      {2, [](auto& b) { return b.Raw(37510, 7, 13, std::string("ASCII\0\0\0hello", 13)); },
       "hello"},
      {2, [](auto& b) { return b.Raw(37510, 7, 12, std::string("JIS\0\0\0\0\0text", 12)); },
       "JIS: text"},
      // UNICODE in the byte order of the photo, or of the mark in front.
      {2, [](auto& b) { return b.Raw(37510, 7, 14, kUnicode + b.U16(0x10D) + b.U16('a') + b.U16(0)); },
       "\xC4\x8D" "a"},
      {2, [](auto& b) { return b.Raw(37510, 7, 14, kUnicode + std::string("\xFE\xFF\x01\x0D\0a", 6)); },
       "\xC4\x8D" "a"},
      {2, [](auto& b) { return b.Raw(37510, 7, 14, kUnicode + std::string("\xFF\xFE\x0D\x01\x61\0", 6)); },
       "\xC4\x8D" "a"},
      {2, [](auto& b) { return b.Raw(37510, 7, 19, std::string("ASCII\0\0\0one\r\ntwo   ", 19)); },
       "one"},
      {2, [](auto& b) { return b.Raw(41000, 7, 8, "abcdefgh"); }, "Undefined"},
      {2, [](auto& b) { return b.Raw(41001, 13, 1, "abcd"); }, "Unknown data format: 13"},
      {2, [](auto& b) { return b.Raw(41002, 11, 1, b.U32(0x3FC00000)); }, "1.5"},
      {2, [](auto& b) { return b.Raw(41003, 12, 1, b.U64(0x3FB999999999999A)); },
       "0.1"},
      {2, [](auto& b) { return b.Raw(41004, 6, 2, "\xFF\x02"); }, "-1, 2"},
      {2, [](auto& b) { return b.Raw(41005, 8, 1, b.U16(0xFFFE)); }, "-2"},
      {3, [](auto& b) { return b.Long(4097, {1024}); }, "1024"},
      {28, [](auto& b) { return b.Ascii(1, "s"); }, "South latitude"},
      {28, [](auto& b) { return b.Ascii(3, "X"); }, "X (\?\?\?)"},
      {28, [](auto& b) { return b.Ascii(9, "V"); }, "Measurement is Interoperability"},
      {28, [](auto& b) { return b.Ascii(12, "N"); }, "Knots"},
      {28, [](auto& b) { return b.Ascii(16, "M"); }, "Magnetic direction"},
      {28, [](auto& b) { return b.Ascii(29, "2008:10:23"); }, "2008-10-23"},
      {28, [](auto& b) { return b.Raw(30, 6, 1, "\x01"); }, "Differential correction applied"},
      {28, [](auto& b) { return b.Raw(30, 6, 1, "\x05"); }, "5 (\?\?\?)"},
      {28, [=](auto& b) { return b.Rational(2, {{50, 1}, {5, 1}, {3412, 100}}); },
       "50" + deg + " 5' 34.120\""},
      {28, [=](auto& b) { return b.Rational(4, {{50, 1}, {5568, 100}, {0, 1}}); },
       "50" + deg + " 55' 40.800\""},
      {28, [=](auto& b) { return b.Rational(2, {{505, 10}, {0, 1}, {0, 1}}); },
       "50" + deg + " 30' 0.000\""},
      {28, [](auto& b) { return b.Rational(6, {{1234567, 1000}}); }, "1234.567m"},
      {28, [](auto& b) { return b.Rational(7, {{14, 1}, {27, 1}, {700, 100}}); }, "14:27:07"},
  };
  testsupport::TempDir dir;
  for (const TextCase& c : cases) {
    for (bool motorola : {false, true}) {
      const Entry e = c.entry(Builder(motorola));
      EXPECT_EQ(TextOf(c, motorola, dir), c.expected)
          << "kind " << int(c.kind) << " tag " << e.tag << (motorola ? " MM" : " II");
    }
  }
}

TEST(ExifTexts, TagNames) {
  EXPECT_EQ(exif::GetTagName(0, 271, false), "Manufacturer of Digicam");
  EXPECT_EQ(exif::GetTagName(1, 279, false), "Thumbnail Strip Byte Conunts");
  EXPECT_EQ(exif::GetTagName(10, 4352, false), "Fuji Continuous  Take/Bracket mode");
  EXPECT_EQ(exif::GetTagName(28, 11, false), "GPS DOP (degree of precision)");
  EXPECT_EQ(exif::GetTagName(0, 50341, false), "0xC4A5");
  EXPECT_EQ(exif::GetTagName(0, 50341, true), "");
  EXPECT_EQ(exif::GetTagName(12, 1, false), "0x0001");
  // Further IFDs borrow names: IFD0 first, then IFD1, Exif, Interop 1 and 2.
  EXPECT_EQ(exif::GetTagName(29, 282, false), "X-Resolution");
  EXPECT_EQ(exif::GetTagName(29, 513, false), "Thumbnail JpegIFOffset");
  EXPECT_EQ(exif::GetTagName(29, 33434, false), "Exposure Time");
  EXPECT_EQ(exif::GetTagName(29, 2, false), "Interoperability Version");
  EXPECT_EQ(exif::GetTagName(29, 4096, false), "0x1000");
}

TEST(ExifTexts, GeneralFormatRoundsHalvesToEven) {
  const struct {
    double value;
    int precision;
    const char* expected;
  } cases[] = {
      {2.8, 5, "2.8"},         {0.125, 2, "0.12"},     {0.375, 2, "0.38"},
      {2.5, 1, "2"},           {3.5, 1, "4"},          {100, 5, "100"},
      {123456, 5, "1.2346E5"}, {99999.5, 5, "1E5"},    {0.0001, 7, "0.0001"},
      {0.00001, 7, "1E-5"},    {0.0000442615029219009, 15, "4.42615029219009E-5"},
      {0.000001, 7, "1E-6"},   {-1.5e-7, 15, "-1.5E-7"}, {1.0 / 3, 15, "0.333333333333333"},
      {0, 7, "0"},             {5.0215, 5, "5.0215"},  {2.7320508, 5, "2.7321"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(exif::FormatGeneral(c.value, c.precision), c.expected) << c.value;
}

TEST(ExifTexts, DatesParseStrictlyAndShowInOneFormat) {
  TDateTime value;
  ASSERT_TRUE(DateTime::TryEncodeDateTime(2000, 2, 29, 23, 59, 58, 0, value));
  EXPECT_EQ(exif::ParseExifDate(" 2000:02:29 23:59:58 "), value);
  EXPECT_EQ(exif::ParseExifDate("2000/02/29 23:59:58"), value);
  for (const char* bad : {"", "2001:02:29 10:00:00", "2000:02:29", "2000:02:29 24:00:00",
                          "2000:0x:29 10:00:00", "    :  :     :  :  "})
    EXPECT_EQ(exif::ParseExifDate(bad), exif::NullDate()) << bad;
  EXPECT_EQ(exif::FormatDisplayDate(value), "29.02.2000  23:59:58   Tuesday");
  EXPECT_TRUE(exif::IsNullDate(exif::NullDate()));
  ASSERT_TRUE(DateTime::TryEncodeDateTime(2000, 1, 1, 0, 0, 0, 0, value));
  EXPECT_TRUE(exif::IsNullDate(value));
  ASSERT_TRUE(DateTime::TryEncodeDateTime(2001, 1, 1, 0, 0, 0, 0, value));
  EXPECT_FALSE(exif::IsNullDate(value));
}

}  // namespace
