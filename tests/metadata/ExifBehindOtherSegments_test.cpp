// Photos whose EXIF APP1 stands behind other segments (an ICC profile, XMP,
// a JFIF APP0 and an ICC profile): the reader finds it, and every writer
// writes it where it stands, keeps every other segment as it was and never
// adds a second EXIF segment.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "metadata/exif.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using exifwrite::NewWarnings;
using testsupport::At;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

struct Segment {
  uint8_t marker = 0;
  size_t at = 0;
  std::string bytes;
  bool IsExif() const {
    return marker == 0xE1 && bytes.compare(4, 6, std::string("Exif\0\0", 6)) == 0;
  }
};

// The segments in front of the image data.
std::vector<Segment> LeadingSegments(const std::string& jpeg) {
  std::vector<Segment> segments;
  size_t at = 2;
  while (at + 4 <= jpeg.size() && uint8_t(jpeg[at]) == 0xFF && uint8_t(jpeg[at + 1]) != 0xDA) {
    const size_t length = size_t(uint8_t(jpeg[at + 2])) << 8 | uint8_t(jpeg[at + 3]);
    segments.push_back({uint8_t(jpeg[at + 1]), at, jpeg.substr(at, 2 + length)});
    at += 2 + length;
  }
  return segments;
}

Segment ExifOf(const std::string& jpeg) {
  for (const Segment& s : LeadingSegments(jpeg))
    if (s.IsExif()) return s;
  return {};
}

Segment FirstOf(const std::string& jpeg, uint8_t marker) {
  for (const Segment& s : LeadingSegments(jpeg))
    if (s.marker == marker) return s;
  return {};
}

// What no write may change: every other leading segment, and where among
// them the one EXIF segment stands.
struct Layout {
  std::vector<std::string> others;
  size_t exifIndex = 0;
  int exifSegments = 0;
  bool operator==(const Layout&) const = default;
};

Layout LayoutOf(const std::string& photo) {
  Layout layout;
  const std::vector<Segment> segments = LeadingSegments(ReadFileBytes(photo));
  for (size_t i = 0; i < segments.size(); ++i) {
    if (!segments[i].IsExif()) {
      layout.others.push_back(segments[i].bytes);
      continue;
    }
    layout.exifIndex = i;
    ++layout.exifSegments;
  }
  return layout;
}

std::string XmpSegment() {
  const std::string body =
      std::string("http://ns.adobe.com/xap/1.0/\0", 29) +
      "<?xpacket begin='\xEF\xBB\xBF' id='W5M0MpCehiHzreSzNTczkc9d'?>"
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
      "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'/></x:xmpmeta><?xpacket end='w'?>";
  const size_t length = body.size() + 2;
  return std::string("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + body;
}

std::string IccSegment() {
  return FirstOf(ReadFileBytes(testsupport::PhotoPath("orientation_portrait_6.jpg")), 0xE2).bytes;
}

std::string InFrontOfExif(const std::string& jpeg, const std::string& segment) {
  std::string out = jpeg;
  return out.insert(ExifOf(jpeg).at, segment);
}

struct Arrangement {
  const char* name;
  const char* photo;  // the test photo it is made from
  std::function<std::string(const std::string&)> make;
};

const Arrangement kArrangements[] = {
    {"IccBeforeExif", "gps_DSCN0010.jpg",
     [](const std::string& j) { return InFrontOfExif(j, IccSegment()); }},
    {"JfifXmpExif", "Canon_40D.jpg",
     [](const std::string& j) { return InFrontOfExif(j, XmpSegment()); }},
    // Its own ICC profile moved in front of its EXIF (a Motorola segment).
    {"JfifIccExif", "Nikon_D70.jpg",
     [](const std::string& j) {
       const Segment icc = FirstOf(j, 0xE2);
       std::string out = j;
       return InFrontOfExif(out.erase(icc.at, icc.bytes.size()), icc.bytes);
     }},
    // A real photo laid out so.
    {"RealJfifIccExif", "orientation_portrait_6.jpg", [](const std::string& j) { return j; }},
};

// The pixel size is put right by every rebuild; the scaled-down test photos
// do not carry it.
const std::set<std::string> kPixelSize = {"2x40962", "2x40963"};

class ExifBehindOtherSegments : public ::testing::TestWithParam<Arrangement> {
 protected:
  void SetUp() override {
    original_ = testsupport::PhotoPath(GetParam().photo);
    photo_ = dir_.File("photo.jpg");
    WriteFileBytes(photo_, GetParam().make(ReadFileBytes(original_)));
    layout_ = LayoutOf(photo_);
    ASSERT_EQ(layout_.exifSegments, 1);
    ASSERT_GT(layout_.exifIndex, 0u);
    warnings_ = exifwrite::ValidationWarnings(photo_);
  }

  // The segments stand as before; the photo decodes and gains no warning.
  void ExpectSegmentsKept(const std::set<std::string>& expectedWarnings = {}) {
    EXPECT_TRUE(LayoutOf(photo_) == layout_) << "a segment moved, changed or was added";
    uint32_t width = 0, height = 0;
    EXPECT_TRUE(exif::GetJpegPixelSize(photo_, width, height));
    EXPECT_EQ(NewWarnings(warnings_, photo_, expectedWarnings), std::set<std::string>{});
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  std::string original_, photo_;
  Layout layout_;
  std::set<std::string> warnings_;
};

TEST_P(ExifBehindOtherSegments, ReadsAsWhereItWasMadeFrom) {
  TExifReader arranged, plain;
  ASSERT_TRUE(arranged.ReadFromFile(photo_));
  ASSERT_TRUE(plain.ReadFromFile(original_));
  EXPECT_EQ(arranged.Values().tiffShift, int32_t(ExifOf(ReadFileBytes(photo_)).at) - 2);
  EXPECT_EQ(exifwrite::RowLines(arranged.StandardRows(), {}),
            exifwrite::RowLines(plain.StandardRows(), {}));
  EXPECT_EQ(exifwrite::RowLines(arranged.MakerRows(), {}),
            exifwrite::RowLines(plain.MakerRows(), {}));
  const std::string bytes = ReadFileBytes(photo_);
  EXPECT_EQ(bytes.substr(size_t(arranged.Values().pixelXPos), 4),
            ReadFileBytes(original_).substr(size_t(plain.Values().pixelXPos), 4));
}

TEST_P(ExifBehindOtherSegments, EveryEditIsWrittenWhereTheExifStands) {
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  const bool hadGps = reader.Values().gpsValid;

  // Rebuilt: a comment and a new position, with the real pixel size.
  reader.SetUserComment("behind the others");
  reader.SetLatitude(49, 12, true, 12.5);
  reader.SetLongitude(16, 35, false, 30.0);
  const bool datesInPlace = reader.CanWriteDates();
  reader.SetDateTimeOriginal(At(2020, 2, 29, 13, 14, 15));
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_EQ(reader.Values().userComment, "behind the others");
  EXPECT_EQ(reader.GetLatitudeText(), "49.203472");
  if (datesInPlace) {
    EXPECT_EQ(reader.Values().dateTimeOriginal, At(2020, 2, 29, 13, 14, 15));
  }
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(exif::GetJpegPixelSize(photo_, width, height));
  EXPECT_EQ(reader.Values().pixelXDimension, width);
  EXPECT_EQ(reader.Values().pixelYDimension, height);
  if (!hadGps) {
    EXPECT_EQ(testsupport::Exiftool("-GPSVersionID", photo_), "2 2 0 0\n");
  }
  ExpectSegmentsKept();

  // In place: the entries exist now.
  const auto size = fs::file_size(photo_);
  reader.SetLatitude(10, 0, false, 1.0);
  reader.SetLongitude(20, 30, true, 59.999);
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_EQ(reader.GetLatitudeText(), "-10.000278");
  EXPECT_EQ(fs::file_size(photo_), size);
  ExpectSegmentsKept();

  // Side file out, the comment taken away, the side file back in.
  const std::string side = dir_.File("photo.exif");
  ASSERT_TRUE(reader.ExportExifSegment(side));
  const std::string saved = ReadFileBytes(photo_);
  reader.SetUserComment("");
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_LT(reader.FindTagIndex(exif::kExifIfd, 37510), 0);
  ExpectSegmentsKept();
  ASSERT_TRUE(reader.ImportExifSegment(side, false));
  EXPECT_TRUE(ReadFileBytes(photo_) == saved);
}

// A side file of another photo (SOI, JFIF APP0, APP1) puts its APP1 where
// this photo's stands; its APP0 does not join the photo's segments.
TEST_P(ExifBehindOtherSegments, TransplantPutsTheSegmentWhereTheExifStands) {
  testsupport::TempDir other;
  const std::string donor = testsupport::CopyPhoto("Canon_40D.jpg", other);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(donor));
  const std::string side = other.File("donor.exif");
  ASSERT_TRUE(reader.ExportExifSegment(side));
  ASSERT_EQ(ReadFileBytes(side).substr(2, 2), "\xFF\xE0");
  const std::set<std::string> donorWarnings = exifwrite::ValidationWarnings(donor);

  ASSERT_TRUE(exif::TransplantExif(photo_, side, false));
  TExifReader after;
  ASSERT_TRUE(after.ReadFromFile(photo_));
  EXPECT_EQ(exifwrite::RowLines(after.StandardRows(), kPixelSize),
            exifwrite::RowLines(reader.StandardRows(), kPixelSize));
  EXPECT_TRUE(LayoutOf(photo_).others == layout_.others);
  EXPECT_EQ(LayoutOf(photo_).exifIndex, layout_.exifIndex);
  EXPECT_EQ(LayoutOf(photo_).exifSegments, 1);
  EXPECT_EQ(NewWarnings(warnings_, photo_, donorWarnings), std::set<std::string>{});
}

TEST_P(ExifBehindOtherSegments, NoSecondExifSegmentIsAdded) {
  const std::string before = ReadFileBytes(photo_);
  EXPECT_FALSE(exif::AddEmptyExif(photo_));
  EXPECT_TRUE(ReadFileBytes(photo_) == before);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  EXPECT_TRUE(reader.EnsureExif());
  EXPECT_TRUE(ReadFileBytes(photo_) == before);
  TExifDataBlock comment = TExifDataBlock::ForKind(exif::kExifIfd);
  comment.AddString(37510, "inserted");
  ASSERT_TRUE(reader.InsertDataBlock(comment));
  EXPECT_EQ(reader.Values().userComment, "inserted");
  ExpectSegmentsKept();
  ASSERT_TRUE(reader.DeleteTag(exif::kExifIfd, 37510));
  EXPECT_LT(reader.FindTagIndex(exif::kExifIfd, 37510), 0);
  ExpectSegmentsKept();
}

void PrintTo(const Arrangement& a, std::ostream* out) { *out << a.name; }

std::string ArrangementName(const ::testing::TestParamInfo<Arrangement>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Arrangements, ExifBehindOtherSegments,
                         ::testing::ValuesIn(kArrangements), ArrangementName);

// Segments the reader walks past to the EXIF APP1, and heads where it stops.
TEST(ExifApp1Place, ReaderFindsTheApp1AmongTheLeadingSegments) {
  exiftest::Builder b(false);
  exiftest::Ifd ifd0;
  ifd0.entries = {b.Ascii(271, "Maker"), b.Ascii(306, "2001:02:03 04:05:06")};
  const std::string plain = b.Jpeg(ifd0);
  const auto segment = [](uint8_t marker, const std::string& body) {
    const size_t length = body.size() + 2;
    return std::string("\xFF", 1) + char(marker) + char(length >> 8) + char(length & 0xFF) + body;
  };
  const std::string app0 = segment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0xx", 16));
  const auto repeated = [&](int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += segment(0xED, "x");
    return s;
  };
  struct Case {
    const char* name;
    std::string front;  // what stands between the SOI and the APP1
    bool found;
  };
  const Case cases[] = {
      {"APP0 of 20 bytes", app0, true},
      {"XMP", XmpSegment(), true},
      {"comment, tables, frame", segment(0xFE, "hello") + segment(0xDB, std::string(65, '\1')) +
                                     segment(0xC0, std::string(15, '\2')), true},
      {"64 segments", repeated(63), true},
      {"65 segments", repeated(65), false},
      {"behind the scan", segment(0xDA, "scan"), false},
      {"behind a marker without length", "\xFF\xD0", false},
      {"behind an APP2 of length 1", std::string("\xFF\xE2\x00\x01", 4), false},
  };
  testsupport::TempDir dir;
  TExifReader reference;
  const std::string path = dir.File("photo.jpg");
  WriteFileBytes(path, plain);
  ASSERT_TRUE(reference.ReadFromFile(path));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(path, plain.substr(0, 2) + c.front + plain.substr(2));
    TExifReader reader;
    EXPECT_EQ(reader.ReadFromFile(path), c.found);
    if (!c.found) continue;
    EXPECT_EQ(reader.Values().tiffShift, int32_t(c.front.size()));
    EXPECT_EQ(reader.StandardRows().texts, reference.StandardRows().texts);
    EXPECT_EQ(ReadFileBytes(path).substr(size_t(reader.Values().dateTimePos), 19),
              "2001:02:03 04:05:06");
  }
}

}  // namespace
