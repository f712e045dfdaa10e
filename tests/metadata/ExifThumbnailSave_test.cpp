#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "metadata/exif.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// A thumbnail saved where a file stands replaces it whole: a save that fails
// half-way leaves the old file as it was, and a link there is replaced, never
// written through.
TEST(ExifThumbnailSave, ReplacesTheOldFileWhole) {
  TExifReader reader;
  TempDir dir;
  ASSERT_TRUE(reader.ReadFromFile(testsupport::PhotoPath("gps_DSCN0010.jpg")));
  const std::string thumb = dir.File("thumb.jpg");
  WriteFileBytes(thumb, "precious");
  {
    testsupport::ScopedFileSizeLimit limit(100);
    EXPECT_FALSE(reader.SaveThumbnail(thumb));
  }
  EXPECT_EQ(ReadFileBytes(thumb), "precious");
  EXPECT_EQ(DosFunc::FindFiles(dir.Path(), false), std::vector<std::string>{"thumb.jpg"});

  WriteFileBytes(dir.File("outside.jpg"), "keep");
  ASSERT_EQ(symlink(dir.File("outside.jpg").c_str(), dir.File("link.jpg").c_str()), 0);
  ASSERT_TRUE(reader.SaveThumbnail(dir.File("link.jpg")));
  EXPECT_FALSE(DosFunc::IsReparsePoint(dir.File("link.jpg")));
  EXPECT_EQ(ReadFileBytes(dir.File("link.jpg")).size(), 6702u);
  EXPECT_EQ(ReadFileBytes(dir.File("outside.jpg")), "keep");
}

}  // namespace
