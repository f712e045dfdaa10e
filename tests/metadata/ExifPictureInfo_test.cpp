// Reading only what a list of photos shows gives what the whole read gives.
#include <gtest/gtest.h>

#include "metadata/exif.h"
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
