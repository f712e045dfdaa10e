// The reader over real camera photos. Expected values were taken from what
// exiftool shows for each file.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "foundation/DateFunc.h"
#include "metadata/exif.h"
#include "tests/support/TestSupport.h"

namespace {

struct TagText {
  uint8_t kind;
  uint16_t tag;
  const char* text;
};

struct PhotoCase {
  const char* file;
  uint8_t makerNumber;  // from the maker note
  uint8_t makerId;      // GetMakerId: falls back to the Make text
  bool makerNoteParsed;
  const char* pictureDate;
  const char* latitude;  // "" when the photo has no valid position
  const char* longitude;
  std::vector<TagText> texts;
};

const PhotoCase kPhotos[] = {
    {"Canon_40D.jpg", 0, 2, false, "2008-05-30 15:56:01", "", "",
     {{2, 33434, "1/160 s"}, {2, 33437, "F7.1"}, {2, 37386, "135.00 mm"}}},
    {"Canon_PowerShot_S40.jpg", 2, 2, true, "2003-12-14 12:01:44", "", "",
     {{2, 33434, "1/500 s"}, {2, 37386, "21.31 mm"}, {6, 6, "IMG:PowerShot S40 JPEG"},
      {6, 1, "Normal"}, {6, 9, "Andreas Huggel"}}},
    {"canon-ixus.jpg", 2, 2, true, "2001-06-09 15:17:32", "", "",
     {{0, 272, "Canon DIGITAL IXUS"}, {2, 33434, "1/350 s"}, {6, 7, "Firmware Version 1.0"}}},
    {"t_22-canon_tags.jpg", 2, 2, true, "2007-11-29 16:16:21", "", "",
     {{0, 272, "Canon PowerShot SD300"}, {2, 33434, "1/6 s"}, {2, 33437, "F2.8"}}},
    {"Fujifilm_FinePix_E500.jpg", 6, 6, true, "2006-08-17 09:24:48", "", "",
     {{2, 33434, "1/80 s"}, {10, 0, "1.30"}, {10, 4096, "FINE"}, {10, 4112, "Off"},
      {10, 4128, "On"}}},
    {"fujifilm-finepix40i.jpg", 6, 6, true, "2000-08-04 18:22:57", "", "",
     {{2, 37386, "8.70 mm"}, {10, 4096, "NORMAL"}, {10, 4112, "On"}, {10, 4128, "Off"}}},
    {"Kodak_CX7530.jpg", 0, 7, false, "2005-08-13 09:47:23", "-0.371300", "36.056417",
     {{2, 33434, "1/250 s"}, {28, 1, "South latitude"}}},
    {"Konica_Minolta_DiMAGE_Z3.jpg", 9, 9, true, "2005-03-10 15:10:48", "", "",
     {{2, 33434, "1/40 s"}, {2, 33437, "F2.8"}, {2, 37386, "5.85 mm"}}},
    {"Nikon_D70.jpg", 0, 3, false, "2008-03-15 09:52:01", "", "",
     {{2, 33434, "1/200 s"}, {2, 33437, "F9"}}},
    {"nikon-e950.jpg", 3, 3, true, "2001-04-06 11:51:40", "", "",
     {{2, 33434, "1/77 s"}, {7, 4, "Color"}, {7, 5, "Contrast+"}, {7, 6, "ISO 80"}}},
    {"gps_DSCN0010.jpg", 4, 4, true, "2008-10-22 16:28:39", "43.467448", "11.885127",
     {{2, 33434, "1/75 s"}, {8, 4, "FINE"}, {8, 7, "AF-S"}, {28, 2, "43\xC2\xB0 28' 2.814\""},
      {28, 7, "14:27:07"}, {28, 29, "2008-10-23"}}},
    {"gps_DSCN0021.jpg", 4, 4, true, "2008-10-22 16:38:20", "43.467082", "11.884538",
     {{2, 33437, "F4.7"}, {28, 4, "11\xC2\xB0 53' 4.338\""}}},
    {"Olympus_C8080WZ.jpg", 0, 1, false, "2006-10-22 15:44:29", "", "",
     {{2, 33434, "1/160 s"}, {2, 37386, "15.80 mm"}}},
    {"olympus-c960.jpg", 1, 1, true, "2000-11-07 10:41:43", "", "",
     {{2, 33434, "1/345 s"}, {5, 513, "HQ"}, {5, 519, "SR874"}, {5, 516, "no digital zoom"}}},
    {"Panasonic_DMC-FZ30.jpg", 8, 8, true, "2008-07-16 11:33:20", "", "",
     {{2, 33434, "1/30 s"}, {2, 33437, "F3.2"}}},
    {"Pentax_K10D.jpg", 0, 16, false, "2008-05-04 16:47:24", "", "",
     {{2, 33437, "F11"}, {2, 37386, "90.00 mm"}}},
    {"Ricoh_Caplio_RR330.jpg", 0, 0, false, "2004-08-31 19:52:58", "", "",
     {{2, 33434, "1/33 s"}, {2, 33437, "F2.88"}}},
    {"Samsung_Digimax_i50_MP3.jpg", 0, 15, false, "2006-08-15 17:50:57", "", "",
     {{2, 33434, "1/6 s"}, {2, 37386, "6.60 mm"}}},
    {"Sony_HDR-HC3.jpg", 0, 11, false, "2007-06-15 04:42:32", "", "",
     {{2, 33434, "1/60 s"}, {2, 33437, "F4"}}},
    {"PaintTool_sample.jpg", 0, 0, false, "1900-01-01 00:00:00", "", "", {}},
    {"long_description.jpg", 0, 0, false, "2008-07-31 10:50:00", "", "", {}},
    {"t_35-empty.jpg", 0, 5, false, "2005-07-19 18:25:29", "", "",
     {{0, 272, "EX-Z750"}, {2, 33434, "1/250 s"}}},
    {"t_36-memory_error.jpg", 0, 5, false, "2002-04-21 00:30:33", "", "",
     {{0, 272, "EX-M2"}, {2, 37386, "7.50 mm"}}},
};

TEST(ExifPhotos, EachPhotoReadsAsExiftoolShowsIt) {
  TExifReader reader;
  for (const PhotoCase& p : kPhotos) {
    SCOPED_TRACE(p.file);
    ASSERT_TRUE(reader.ReadFromFile(testsupport::PhotoPath(p.file)));
    EXPECT_TRUE(reader.HasExif());
    EXPECT_EQ(reader.MakerNumber(), p.makerNumber);
    EXPECT_EQ(reader.GetMakerId(), p.makerId);
    EXPECT_EQ(reader.MakerNoteParsed(), p.makerNoteParsed);
    EXPECT_EQ(DateFunc::FormatDateTimeISO(reader.GetPictureDate()), p.pictureDate);
    const bool hasPosition = p.latitude[0] != '\0';
    EXPECT_EQ(reader.Values().gpsValid, hasPosition);
    if (hasPosition) {
      EXPECT_EQ(reader.GetLatitudeText(), p.latitude);
      EXPECT_EQ(reader.GetLongitudeText(), p.longitude);
    }
    for (const TagText& t : p.texts)
      EXPECT_EQ(reader.GetTagText(t.kind, t.tag), t.text) << int(t.kind) << "x" << t.tag;
    // The three lists of each group stay index-aligned.
    for (const TExifRows* rows : {&reader.StandardRows(), &reader.MakerRows()}) {
      EXPECT_EQ(rows->keys.size(), rows->names.size());
      EXPECT_EQ(rows->texts.size(), rows->names.size());
    }
  }
}

TEST(ExifPhotos, ThumbnailOfARealPhotoIsAJpeg) {
  TExifReader reader;
  testsupport::TempDir dir;
  ASSERT_TRUE(reader.ReadFromFile(testsupport::PhotoPath("gps_DSCN0010.jpg")));
  const std::string out = dir.File("thumb.jpg");
  ASSERT_TRUE(reader.SaveThumbnail(out));
  const std::string thumb = testsupport::ReadFileBytes(out);
  EXPECT_EQ(thumb.size(), 6702u);
  EXPECT_EQ(thumb.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(thumb.substr(thumb.size() - 2), "\xFF\xD9");
}

TEST(ExifPhotos, PhotoWithoutAnExifSegmentGivesFalse) {
  TExifReader reader;
  EXPECT_FALSE(reader.ReadFromFile(testsupport::PhotoPath("invalid_image00971.jpg")));
  EXPECT_TRUE(reader.StandardRows().keys.empty());
  EXPECT_EQ(reader.GetMakerId(), exif::kNothingRead);
}

// A JFIF APP0 and an ICC profile stand in front of their EXIF APP1 (at 1998).
TEST(ExifPhotos, ExifBehindJfifAndAnIccProfileIsRead) {
  TExifReader reader;
  for (const char* file : {"orientation_landscape_3.jpg", "orientation_portrait_6.jpg"}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(reader.ReadFromFile(testsupport::PhotoPath(file)));
    EXPECT_EQ(reader.Values().tiffShift, 1998 - 2);
    EXPECT_EQ(reader.ByteOrder(), exif::kMotorolaOrder);
    EXPECT_EQ(reader.Values().pixelXDimension, 600u);
    EXPECT_EQ(reader.Values().pixelYDimension, 450u);
  }
}

TEST(ExifPhotos, BrokenPhotosEndQuickly) {
  TExifReader reader;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i)
    for (const char* file : {"invalid_image00971.jpg", "t_35-empty.jpg", "t_36-memory_error.jpg"})
      reader.ReadFromFile(testsupport::PhotoPath(file));
  // Generous even under the sanitizers: sixty reads of a few kilobytes each.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
