// Writes that cannot succeed leave the photo exactly as it was, with its
// time, and report the failure.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempDir;

struct PhotoState {
  std::string bytes;
  fs::file_time_type time;
  bool operator==(const PhotoState&) const = default;
};

PhotoState StateOf(const std::string& path) {
  return {ReadFileBytes(path), fs::last_write_time(path)};
}

size_t FilesIn(const std::string& dir) {
  size_t n = 0;
  for (const auto& entry : fs::directory_iterator(dir)) n += entry.is_regular_file() ? 1u : 0u;
  return n;
}

// A comment, a date and a position: every kind of write at once.
void EditEverything(TExifReader& reader) {
  reader.SetUserComment("will not be written");
  reader.SetDateTimeOriginal(testsupport::At(2021, 1, 2, 3, 4, 5));
  reader.SetLatitude(1, 2, true, 3);
  reader.SetLongitude(4, 5, true, 6);
}

class ExifWriteFailure : public ::testing::Test {
 protected:
  testsupport::ScopedHome home_;
  TempDir dir_;
};

TEST_F(ExifWriteFailure, ReadOnlyPhotoIsLeftAlone) {
  const std::string photo = testsupport::CopyPhoto("Canon_40D.jpg", dir_);
  ASSERT_EQ(chmod(photo.c_str(), 0444), 0);
  const PhotoState before = StateOf(photo);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  EditEverything(reader);
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_TRUE(StateOf(photo) == before);
  EXPECT_EQ(fs::status(photo).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
  // The edits are still pending for a later try.
  EXPECT_TRUE(reader.Values().dateTimeOriginalChanged);
  EXPECT_EQ(reader.GetUserComment(), "will not be written\r\n");
}

TEST_F(ExifWriteFailure, PhotoThatDoesNotDecodeIsLeftAlone) {
  const std::string photo = dir_.File("cut.jpg");
  const std::string whole = ReadFileBytes(testsupport::PhotoPath("Nikon_D70.jpg"));
  testsupport::WriteFileBytes(photo, whole.substr(0, whole.size() / 2));
  const PhotoState before = StateOf(photo);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  reader.SetUserComment("needs a rebuild");
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_TRUE(StateOf(photo) == before);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

TEST_F(ExifWriteFailure, FullSegmentIsLeftAlone) {
  const std::string photo = testsupport::CopyPhoto("Canon_PowerShot_S40.jpg", dir_);
  // Fill the segment up to its limit with a long description.
  const std::string fill = "exiftool -q -overwrite_original -ImageDescription=" +
                           std::string(58400, 'x') + " '" + photo + "'";
  ASSERT_EQ(std::system(fill.c_str()), 0);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_GT(reader.App1Length(), 65535 - 140);
  // A save without edits puts in the real pixel size, which this scaled-down
  // photo lacks; after it, only the position is pending.
  ASSERT_TRUE(reader.SaveChanges());
  const PhotoState before = StateOf(photo);
  // A new GPS IFD needs more than 140 bytes.
  reader.SetLatitude(1, 2, true, 3);
  reader.SetLongitude(4, 5, true, 6);
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_TRUE(StateOf(photo) == before);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

// A GPS IFD without a complete position is replaced by a new one; when that
// does not fit, the old one (here an altitude and a latitude) stays.
TEST_F(ExifWriteFailure, IncompleteGpsStaysWhenTheNewOneDoesNotFit) {
  const std::string photo = testsupport::CopyPhoto("Canon_PowerShot_S40.jpg", dir_);
  const std::string fill = "exiftool -q -overwrite_original -GPSAltitude=100 -GPSAltitudeRef=0 "
                           "-GPSLatitude=10 -ImageDescription=" + std::string(58310, 'x') +
                           " '" + photo + "'";
  ASSERT_EQ(std::system(fill.c_str()), 0);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_TRUE(reader.HasGPS());
  ASSERT_FALSE(reader.Values().gpsValid);
  ASSERT_TRUE(reader.SaveChanges());
  const PhotoState before = StateOf(photo);
  // Unhooking the old GPS IFD frees 12 bytes; the new one needs more.
  ASSERT_GT(reader.App1Length(), 65535 - 120);
  reader.SetLatitude(1, 2, true, 3);
  reader.SetLongitude(4, 5, true, 6);
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_TRUE(StateOf(photo) == before);
  EXPECT_TRUE(reader.HasGPS());
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

// Dates whose value offsets point at the TIFF header, into an IFD's entry
// table or at another value (the description's, at 38) are never written.
TEST_F(ExifWriteFailure, DateThatPointsAtTheStructureOrAnotherValueIsNotWritten) {
  for (const uint32_t offset : {0u, 8u, 20u, 38u, 40u}) {
    exiftest::Builder b(false);
    exiftest::Ifd ifd0;
    ifd0.entries.push_back(b.Ascii(270, "a description long enough"));
    ifd0.entries.push_back(b.Ascii(306, "2001:02:03 04:05:06"));
    ifd0.entries[1].forcedValue = offset;
    const std::string photo = dir_.File("forced" + std::to_string(offset) + ".jpg");
    testsupport::WriteFileBytes(photo, b.Jpeg(ifd0));
    const PhotoState before = StateOf(photo);
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(photo));
    ASSERT_GE(reader.Values().dateTimePos, 1);
    reader.SetDateTime(testsupport::At(2021, 1, 2, 3, 4, 5));
    EXPECT_FALSE(reader.SaveChanges()) << offset;
    EXPECT_TRUE(StateOf(photo) == before) << offset;
  }
}

// An EXIF APP1 that does not read (its TIFF header is broken) still stands
// behind the JFIF APP0 and the ICC APP2: the photo is refused rather than
// given a second EXIF segment.
TEST_F(ExifWriteFailure, ExifThatDoesNotReadGetsNoSecondSegment) {
  const std::string photo = dir_.File("broken.jpg");
  std::string bytes = ReadFileBytes(testsupport::PhotoPath("orientation_landscape_3.jpg"));
  ASSERT_EQ(bytes.compare(1998 + 10, 4, std::string("MM\0*", 4)), 0);
  bytes.replace(1998 + 10, 2, "XX");
  testsupport::WriteFileBytes(photo, bytes);
  const PhotoState before = StateOf(photo);
  TExifReader reader;
  EXPECT_FALSE(reader.ReadFromFile(photo));
  EditEverything(reader);
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_FALSE(reader.EnsureExif());
  EXPECT_FALSE(exif::AddEmptyExif(photo));
  EXPECT_TRUE(StateOf(photo) == before);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u);
}

TEST_F(ExifWriteFailure, TransplantRefusesWhatIsNoJpegOrNoSegment) {
  const std::string photo = testsupport::CopyPhoto("Canon_40D.jpg", dir_);
  const std::string segment = dir_.File("good.exif");
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_TRUE(reader.ExportExifSegment(segment));
  const std::string notJpeg = dir_.File("text.jpg");
  testsupport::WriteFileBytes(notJpeg, "not a photo at all");
  const std::string notSegment = dir_.File("bad.exif");
  testsupport::WriteFileBytes(notSegment, ReadFileBytes(photo).substr(0, 100));

  const PhotoState notJpegBefore = StateOf(notJpeg), photoBefore = StateOf(photo);
  EXPECT_FALSE(exif::TransplantExif(notJpeg, segment, false));
  EXPECT_FALSE(exif::TransplantExif(photo, notSegment, false));
  EXPECT_FALSE(exif::TransplantExif(photo, dir_.File("missing.exif"), false));
  EXPECT_TRUE(StateOf(notJpeg) == notJpegBefore);
  EXPECT_TRUE(StateOf(photo) == photoBefore);
  EXPECT_EQ(FilesIn(dir_.Path()), 4u);
}

// A side file's APP0 must be the 18-byte JFIF one its APP1 follows; with any
// other length the APP0 would swallow the head of the APP1 in the photo.
TEST_F(ExifWriteFailure, TransplantRefusesAnApp0OfAnotherLength) {
  const std::string photo = testsupport::CopyPhoto("Canon_40D.jpg", dir_);
  const std::string segment = dir_.File("long-app0.exif");
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_TRUE(reader.ExportExifSegment(segment));
  const std::string app1 = ReadFileBytes(segment).substr(2);
  testsupport::WriteFileBytes(
      segment, std::string("\xFF\xD8\xFF\xE0\x00\x20JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20) + app1);
  const PhotoState before = StateOf(photo);
  EXPECT_FALSE(exif::TransplantExif(photo, segment, false));
  EXPECT_TRUE(StateOf(photo) == before);
}

}  // namespace
