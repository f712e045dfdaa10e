// Reading only what a list of photos shows, or a batch pass dates by, gives
// what the whole read gives.
#include <gtest/gtest.h>

#include "metadata/exif.h"
#include "metadata/exifSegmentPlace.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/support/TestSupport.h"

namespace {

void ExpectSamePictureInfo(const std::string& path) {
  TExifReader whole;
  TExifReader lean;
  EXPECT_EQ(lean.ReadPictureInfo(path), whole.ReadFromFile(path)) << path;
  EXPECT_EQ(lean.FileName(), whole.FileName()) << path;
  EXPECT_EQ(lean.HasExif(), whole.HasExif()) << path;
  EXPECT_EQ(lean.GetPictureDate(), whole.GetPictureDate()) << path;
  EXPECT_EQ(lean.GetSubSecTime(), whole.GetSubSecTime()) << path;
  EXPECT_EQ(lean.Values().dateTime, whole.Values().dateTime) << path;
  EXPECT_EQ(lean.Values().dateTimeOriginal, whole.Values().dateTimeOriginal) << path;
  EXPECT_EQ(lean.Values().dateTimeDigitized, whole.Values().dateTimeDigitized) << path;
  EXPECT_EQ(lean.CanWriteDates(), whole.CanWriteDates()) << path;
  EXPECT_EQ(lean.Values().userCommentLines, whole.Values().userCommentLines) << path;
  EXPECT_TRUE(lean.MakerRows().names.empty()) << path;
  EXPECT_EQ(lean.Records().Count(), 0) << path;
}

TEST(ExifPictureInfo, DatesAndCommentAreThoseOfTheWholeRead) {
  for (const std::string& photo : exifwrite::ExifPhotos())
    ExpectSamePictureInfo(testsupport::PhotoPath(photo));
  for (const char* damaged : {"invalid_image00971.jpg", "t_35-empty.jpg", "t_36-memory_error.jpg",
                              "orientation_portrait_6.jpg", "no-such-photo.jpg"})
    ExpectSamePictureInfo(testsupport::PhotoPath(damaged));
}

// The segment behind a segment longer than the first read, and photos cut
// inside their segment or its header.
TEST(ExifPictureInfo, PhotosWhoseFirstBytesDoNotHoldTheSegmentReadTheSame) {
  testsupport::TempDir dir;
  const std::string photo = testsupport::ReadFileBytes(testsupport::PhotoPath("gps_DSCN0010.jpg"));
  const std::string app2 = "\xFF\xE2\x13\x8A" + std::string(5000, 'i');
  testsupport::WriteFileBytes(dir.File("behind.jpg"), photo.substr(0, 2) + app2 + photo.substr(2));
  testsupport::WriteFileBytes(dir.File("cut.jpg"), photo.substr(0, 3000));
  testsupport::WriteFileBytes(dir.File("header_cut.jpg"), photo.substr(0, 12));
  for (const char* name : {"behind.jpg", "cut.jpg", "header_cut.jpg"})
    ExpectSamePictureInfo(dir.File(name));
  TExifReader lean;
  ASSERT_TRUE(lean.ReadPictureInfo(dir.File("behind.jpg")));
  EXPECT_EQ(lean.Values().tiffShift, 5004);
}

TEST(ExifPictureInfo, TheSegmentIsFoundInTheFirstBytesOrTheyCannotTell) {
  const std::string photo = testsupport::ReadFileBytes(testsupport::PhotoPath("Canon_40D.jpg"));
  exif::TApp1Place place;
  EXPECT_EQ(exif::FindExifApp1InHead(photo.substr(0, 4096), false, place), exif::TApp1Search::Found);
  EXPECT_EQ(place.at, 20u);
  EXPECT_EQ(place.length, 2476u);
  EXPECT_EQ(exif::FindExifApp1InHead(photo.substr(0, 25), false, place),
            exif::TApp1Search::BeyondHead);
  EXPECT_EQ(exif::FindExifApp1InHead(photo.substr(0, 25), true, place),
            exif::TApp1Search::NotThere);
  EXPECT_EQ(exif::FindExifApp1InHead("", false, place), exif::TApp1Search::BeyondHead);
  EXPECT_EQ(exif::FindExifApp1InHead("", true, place), exif::TApp1Search::NotThere);
  EXPECT_EQ(exif::FindExifApp1InHead("\x89PNG", false, place), exif::TApp1Search::NotThere);
}

TEST(ExifPictureInfo, AWrittenCommentReadsTheSame) {
  testsupport::TempDir dir;
  const std::string photo = testsupport::CopyPhoto("canon-ixus.jpg", dir);
  TExifReader writer;
  ASSERT_TRUE(writer.ReadFromFile(photo));
  writer.SetUserComment("Výlet na Sněžku\r\ndruhý den");
  ASSERT_TRUE(writer.SaveChanges());
  ExpectSamePictureInfo(photo);
  TExifReader lean;
  lean.ReadPictureInfo(photo);
  EXPECT_EQ(lean.Values().userCommentLines,
            (std::vector<std::string>{"Výlet na Sněžku", "druhý den"}));
}

}  // namespace
