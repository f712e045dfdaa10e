// The Batch menu's work over a folder's photos, one code at a time: side
// files written and put back, thumbnails in the browser's cache, file dates
// from the exposure time, and separation by flash and by GPS, moving or
// copying, never over another file.
#include "photos/batchmenu/BatchMenu.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/DosFunc.h"
#include "metadata/exif.h"
#include "photos/JPegUtils.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using BatchMenu::TSeparated;
using testsupport::ReadFileBytes;

class BatchMenuTest : public ::testing::Test {
 protected:
  std::string Add(const char* photo, const std::string& name) {
    const std::string path = dir_.File(name);
    fs::create_directories(fs::path(path).parent_path());
    fs::copy_file(testsupport::PhotoPath(photo), path);
    return path;
  }
  std::string AddPlain(const std::string& name) {
    platform::Bitmap picture;
    picture.width = 64;
    picture.height = 48;
    picture.pixels.assign(64 * 48 * 3, 90);
    EXPECT_TRUE(platform::WriteJpegFile(picture, dir_.File(name), 90));
    return dir_.File(name);
  }
  BatchMenu::TReport Run(int code, const std::vector<std::string>& photos, BatchMenu::TSeparation how = {}) {
    int steps = 0;
    const BatchMenu::TReport report = BatchMenu::Run(code, photos, how, [&steps] { ++steps; });
    EXPECT_EQ(steps, static_cast<int>(photos.size()));
    return report;
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
};

TEST_F(BatchMenuTest, SideFilesAreWrittenUnderLowerCasedNamesAndPutBackWithoutStampingDates) {
  const std::string photo = Add("Canon_40D.jpg", "Trip/IMG_1.JPG");
  const std::string plain = AddPlain("Trip/plain.jpg");
  const std::string side = Add("Canon_40D.jpg", "Trip/listed.exif");
  const std::string sideBytes = ReadFileBytes(side);
  BatchMenu::TReport report = Run(BatchMenu::kExtractExif, {photo, plain, side});
  EXPECT_EQ(report.Done, 1);
  EXPECT_TRUE(report.Failed.empty());
  // Only the name is lower-cased, never the folders above it.
  ASSERT_EQ(BatchMenu::SideFilePath(photo), dir_.File("Trip/exif/img_1.exif"));
  const std::string segment = ReadFileBytes(dir_.File("Trip/exif/img_1.exif"));
  // SOI, the photo's JFIF APP0 and its EXIF APP1.
  ASSERT_GT(segment.size(), 4u);
  EXPECT_EQ(segment.substr(0, 2), "\xFF\xD8");
  EXPECT_NE(segment.find(std::string("Exif\0\0", 6)), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_.File("Trip/exif/plain.exif")));
  EXPECT_FALSE(fs::exists(dir_.File("Trip/exif/listed.exif")));
  EXPECT_EQ(ReadFileBytes(side), sideBytes);

  // The photo loses its comment and its date; joining gives back the segment
  // as it was saved, dates and all.
  const std::string original = testsupport::Exiftool("-UserComment -DateTimeOriginal", photo);
  {
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(photo));
    reader.SetUserComment("changed");
    reader.SetDateTimeOriginal(testsupport::At(2020, 1, 2, 3, 4, 5));
    ASSERT_TRUE(reader.SaveChanges());
  }
  ASSERT_NE(testsupport::Exiftool("-UserComment -DateTimeOriginal", photo), original);
  report = Run(BatchMenu::kJoinExif, {photo, plain, side});
  EXPECT_EQ(report.Done, 1);
  EXPECT_TRUE(report.Failed.empty());
  EXPECT_EQ(testsupport::Exiftool("-UserComment -DateTimeOriginal", photo), original);
  EXPECT_EQ(ReadFileBytes(side), sideBytes);
}

TEST_F(BatchMenuTest, ThumbnailsGoIntoTheBrowsersCache) {
  const std::string withThumb = Add("Canon_40D.jpg", "With.JPG");
  const std::string without = AddPlain("without.jpg");
  const BatchMenu::TReport report = Run(BatchMenu::kSaveThumbnails, {withThumb, without});
  EXPECT_EQ(report.Done, 2);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(withThumb));
  EXPECT_EQ(JPegUtils::ThumbnailCacheFile(withThumb), dir_.File("thumbs/thumb_With.JPG"));
  EXPECT_EQ(ReadFileBytes(dir_.File("thumbs/thumb_With.JPG")), reader.ThumbnailBytes());
  // The one made from the photo is current, so the browser takes it as it is.
  EXPECT_TRUE(JPegUtils::IsCurrentThumbnail(without, JPegUtils::ThumbnailCacheFile(without)));
}

TEST_F(BatchMenuTest, FileDatesFollowTheExposureTimeAndPhotosWithoutDateKeepTheirs) {
  const std::string dated = Add("Canon_40D.jpg", "dated.jpg");
  const std::string plain = AddPlain("plain.jpg");
  const std::string side = Add("Canon_40D.jpg", "side.exif");
  const TDateTime old = testsupport::At(2011, 11, 11, 11, 11, 10);
  for (const std::string& file : {dated, plain, side}) DosFunc::SetFileDateTime(file, old);
  const BatchMenu::TReport report = Run(BatchMenu::kFileDateByExposure, {dated, plain, side});
  EXPECT_EQ(report.Done, 1);
  EXPECT_TRUE(report.Failed.empty());
  EXPECT_EQ(DosFunc::GetFileDateTime(dated), testsupport::At(2008, 5, 30, 15, 56, 1));
  EXPECT_EQ(DosFunc::GetFileDateTime(plain), old);
  EXPECT_EQ(DosFunc::GetFileDateTime(side), old);
}

TEST_F(BatchMenuTest, SeparationSortsByFlashAndByGpsMovingOrCopying) {
  const struct {
    const char* photo;
    int code;
    const char* folder;
  } cases[] = {
      {"Canon_40D.jpg", BatchMenu::kSeparateByFlash, "flash"},
      {"Nikon_D70.jpg", BatchMenu::kSeparateByFlash, "noflash"},
      {"PaintTool_sample.jpg", BatchMenu::kSeparateByFlash, "unknown"},
      {"gps_DSCN0010.jpg", BatchMenu::kSeparateByGps, "gps"},
      {"Nikon_D70.jpg", BatchMenu::kSeparateByGps, "nogps"},
      {"Canon_40D.jpg", BatchMenu::kSeparateByGps, "unkwn-gps"},
  };
  for (const bool move : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.photo) + (move ? " moved" : " copied"));
      testsupport::TempDir target;
      const std::string photo = Add(c.photo, std::string(move ? "m/" : "c/") + c.folder + c.photo);
      const std::string bytes = ReadFileBytes(photo);
      const BatchMenu::TReport report = Run(c.code, {photo}, {target.Path(), move});
      EXPECT_EQ(report.Done, 1);
      const std::string placed = target.File(std::string(c.folder) + "/" + fs::path(photo).filename().string());
      EXPECT_EQ(ReadFileBytes(placed), bytes);
      EXPECT_EQ(fs::exists(photo), !move);
    }
  }
}

// Cameras write the whole flash field: "off, did not fire" (16), "auto, did
// not fire" (24), "on, fired" (9); a value the EXIF standard leaves undefined
// (2) tells nothing.
TEST_F(BatchMenuTest, FlashSeparationTakesTheFiredBitOfEveryDefinedValue) {
  const struct {
    int flash;
    const char* folder;
  } cases[] = {{16, "noflash"}, {24, "noflash"}, {9, "flash"}, {2, "unknown"}};
  std::vector<std::string> photos;
  std::string command = "exiftool";
  for (const auto& c : cases) {
    photos.push_back(Add("Canon_40D.jpg", "flash-" + std::to_string(c.flash) + ".jpg"));
    command += std::string(photos.size() > 1 ? " -execute" : "") + " -Flash#=" +
               std::to_string(c.flash) + " '" + photos.back() + "'";
  }
  ASSERT_EQ(testsupport::CommandOutput(command + " -common_args -q -overwrite_original"), "");
  testsupport::TempDir target;
  const BatchMenu::TReport report = Run(BatchMenu::kSeparateByFlash, photos, {target.Path(), true});
  EXPECT_EQ(report.Done, 4);
  for (size_t i = 0; i < photos.size(); ++i)
    EXPECT_TRUE(fs::exists(target.File(std::string(cases[i].folder) + "/" +
                                       fs::path(photos[i]).filename().string())))
        << cases[i].flash;
}

TEST_F(BatchMenuTest, SeparationNeverReplacesAFileNorMovesAPhotoOntoItself) {
  testsupport::TempDir target;
  fs::create_directories(target.File("flash"));
  testsupport::WriteFileBytes(target.File("flash/a.jpg"), "another a");
  testsupport::WriteFileBytes(target.File("flash/B.JPG"), "another b");
  const std::string a = Add("Canon_40D.jpg", "a.jpg");
  const std::string b = Add("Canon_40D.jpg", "b.jpg");
  for (const bool move : {true, false}) {
    const BatchMenu::TReport report = Run(BatchMenu::kSeparateByFlash, {a, b}, {target.Path(), move});
    EXPECT_EQ(report.NameTaken, (std::vector<std::string>{a, b}));
    EXPECT_EQ(report.Done, 0);
    EXPECT_EQ(ReadFileBytes(target.File("flash/a.jpg")), "another a");
    EXPECT_EQ(ReadFileBytes(target.File("flash/B.JPG")), "another b");
    EXPECT_TRUE(fs::exists(a) && fs::exists(b));
  }
  // A photo already where it would go stays there, whole.
  const std::string inPlace = Add("Canon_40D.jpg", "flash/c.jpg");
  const std::string bytes = ReadFileBytes(inPlace);
  TExifReader reader;
  reader.ReadFromFile(inPlace);
  for (const bool move : {true, false}) {
    EXPECT_EQ(BatchMenu::SeparateByFlash(inPlace, reader, {dir_.Path(), move}), TSeparated::kInPlace);
    EXPECT_EQ(ReadFileBytes(inPlace), bytes);
  }
}

}  // namespace
