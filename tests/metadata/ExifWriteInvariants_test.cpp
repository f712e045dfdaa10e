// Every kind of write on every test photo: the new values read back, and
// everything else the photo shows, its maker note and its thumbnail stay as
// they were; the photo still decodes, keeps its time and gains no
// validation warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "foundation/DosFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using exifwrite::NewWarnings;
using exifwrite::PhotoView;
using exifwrite::View;
using testsupport::At;

// The transplant writes the photo's real pixel size, which scaled-down test
// photos do not carry; the thumbnail's offset moves with the data before it
// (its bytes are compared instead).
const std::set<std::string> kPixelSize = {"2x40962", "2x40963", "1x513"};

std::set<std::string> With(std::set<std::string> keys) {
  keys.insert(kPixelSize.begin(), kPixelSize.end());
  return keys;
}

const std::set<std::string>& WarningsOf(const std::string& name) {
  static std::map<std::string, std::set<std::string>> cache;
  auto it = cache.find(name);
  if (it == cache.end())
    it = cache.emplace(name, exifwrite::ValidationWarnings(testsupport::PhotoPath(name))).first;
  return it->second;
}

std::filesystem::file_time_type ModifiedTime(const std::string& path) {
  return std::filesystem::last_write_time(path);
}

class ExifWriteInvariants : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    photo_ = testsupport::CopyPhoto(GetParam(), dir_);
    time_ = ModifiedTime(photo_);
  }

  // After a write: the photo keeps its time, nothing is left beside it or in
  // the temporary folder, and exiftool finds nothing new.
  void ExpectCleanWrite(const std::set<std::string>& expectedWarnings = {}) {
    EXPECT_EQ(ModifiedTime(photo_), time_);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
      (void)entry;
      ++files;
    }
    EXPECT_EQ(files, 1u) << "work files left beside the photo";
    const std::string temp = home_.Path() + "/tmp";
    if (std::filesystem::exists(temp))
      for (const auto& entry : std::filesystem::directory_iterator(temp))
        ADD_FAILURE() << "left in the temporary folder: " << entry.path();
    EXPECT_EQ(NewWarnings(WarningsOf(GetParam()), photo_, expectedWarnings),
              std::set<std::string>{});
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  std::string photo_;
  std::filesystem::file_time_type time_;
};

TEST_P(ExifWriteInvariants, DatesAreWrittenInPlace) {
  const std::set<std::string> dates = With({"0x306", "2x36867", "2x36868"});
  const PhotoView before = View(photo_, dates);
  const auto size = std::filesystem::file_size(photo_);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  const TExifValues old = reader.Values();
  const TDateTime when = At(2020, 2, 29, 13, 14, 15);
  reader.SetDateTime(when);
  reader.SetDateTimeOriginal(when);
  reader.SetDateTimeDigitized(when);
  ASSERT_TRUE(reader.SaveChanges());

  const TExifValues& now = reader.Values();
  EXPECT_EQ(now.dateTime, old.dateTimePos >= 1 ? when : old.dateTime);
  EXPECT_EQ(now.dateTimeOriginal, old.dateTimeOriginalPos >= 1 ? when : old.dateTimeOriginal);
  EXPECT_EQ(now.dateTimeDigitized, old.dateTimeDigitizedPos >= 1 ? when : old.dateTimeDigitized);
  EXPECT_EQ(std::filesystem::file_size(photo_), size);
  exifwrite::ExpectSameView(before, View(photo_, dates));
  ExpectCleanWrite();
}

TEST_P(ExifWriteInvariants, GpsIsAddedThenChangedInPlace) {
  const std::set<std::string> gps = With({"28x"});
  const PhotoView before = View(photo_, gps);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  const bool hadGps = reader.Values().gpsValid;
  const std::string version = testsupport::Exiftool("-GPSVersionID", photo_);
  reader.SetLatitude(49, 12, true, 12.5);
  reader.SetLongitude(16, 35, false, 30.0);
  reader.SetAltitude(245.37);
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_EQ(reader.GetLatitudeText(), "49.203472");
  EXPECT_EQ(reader.GetLongitudeText(), "-16.591667");
  EXPECT_DOUBLE_EQ(reader.GetAltitude(), 245.37);
  exifwrite::ExpectSameView(before, View(photo_, gps));
  // A new GPS IFD names its version; an existing one keeps its own.
  EXPECT_EQ(testsupport::Exiftool("-GPSVersionID", photo_), hadGps ? version : "2 2 0 0\n");
  ExpectCleanWrite();

  // The entries exist now: a second edit overwrites their values in place.
  const auto size = std::filesystem::file_size(photo_);
  reader.SetLatitude(10, 0, false, 1.0);
  reader.SetLongitude(20, 30, true, 59.999);
  reader.SetAltitude(-3);
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_EQ(reader.GetLatitudeText(), "-10.000278");
  EXPECT_EQ(reader.GetLongitudeText(), "20.516666");
  EXPECT_DOUBLE_EQ(reader.GetAltitude(), -3);
  EXPECT_EQ(std::filesystem::file_size(photo_), size);
  exifwrite::ExpectSameView(before, View(photo_, gps));
  ExpectCleanWrite();
}

TEST_P(ExifWriteInvariants, CommentIsAddedChangedAndRemoved) {
  const std::set<std::string> comment = With({"2x37510"});
  const PhotoView before = View(photo_, comment);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  for (const std::string text : {"Trip to the hills", "P\xC5\x99\xC3\xAD\x6C\x69\xC5\xA1 lines\r\ntwo", ""}) {
    SCOPED_TRACE(text);
    reader.SetUserComment(text);
    ASSERT_TRUE(reader.SaveChanges());
    EXPECT_EQ(reader.Values().userComment, text);
    if (text.empty()) {
      EXPECT_LT(reader.FindTagIndex(exif::kExifIfd, 37510), 0);
    }
    exifwrite::ExpectSameView(before, View(photo_, comment));
    ExpectCleanWrite();
  }
}

TEST_P(ExifWriteInvariants, SideFileExportAndImportRestoreTheSegment) {
  const PhotoView before = View(photo_, kPixelSize);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  testsupport::TempDir sideDir;
  const std::string side = sideDir.File("photo.exif");
  ASSERT_TRUE(reader.ExportExifSegment(side));
  const std::string segment = testsupport::ReadFileBytes(side);
  EXPECT_EQ(segment.size(), size_t(reader.App1Length()) + 4 + size_t(reader.Values().tiffShift));
  EXPECT_EQ(testsupport::ReadFileBytes(photo_).compare(0, segment.size(), segment), 0);

  reader.SetUserComment("changed in between");
  ASSERT_TRUE(reader.SaveChanges());
  ASSERT_TRUE(reader.ImportExifSegment(side, false));
  exifwrite::ExpectSameView(before, View(photo_, kPixelSize));
  EXPECT_EQ(testsupport::ReadFileBytes(photo_).size(),
            std::filesystem::file_size(testsupport::PhotoPath(GetParam())));
  ExpectCleanWrite();
}

TEST_P(ExifWriteInvariants, TransplantGivesAnotherPhotoThisSegment) {
  const PhotoView donor = View(photo_, kPixelSize);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo_));
  testsupport::TempDir other;
  const std::string side = other.File("donor.exif");
  ASSERT_TRUE(reader.ExportExifSegment(side));
  const std::string target = testsupport::CopyPhoto("olympus-c960.jpg", other);
  const PhotoView targetBefore = View(target, kPixelSize);

  ASSERT_TRUE(exif::TransplantExif(target, side, false));
  PhotoView after = View(target, kPixelSize);
  EXPECT_EQ(after.width, targetBefore.width);
  EXPECT_EQ(after.height, targetBefore.height);
  after.width = donor.width;
  after.height = donor.height;
  exifwrite::ExpectSameView(donor, after);
}

std::string PhotoName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(0, info.param.find('.'));
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Photos, ExifWriteInvariants, ::testing::ValuesIn(exifwrite::ExifPhotos()),
                         PhotoName);

}  // namespace
