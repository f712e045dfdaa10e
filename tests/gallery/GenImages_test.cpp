#include "gallery/generate/GenImages.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

struct ImageCase {
  const char* name;
  const char* format;
  int width;
  int height;
  int colourTable;    // entries of the GIF's global colour table; 0 for JPEG
  QRgb transparent;   // the colour of the transparent corner; 0 when opaque
  QRgb centre;        // an opaque colour the middle pixel must have; 0 = any
};

const ImageCase kImages[] = {
    {"left.gif", "gif", 20, 20, 16, qRgb(0xBF, 0xBF, 0xBF), 0},
    {"right.gif", "gif", 20, 20, 16, qRgb(0xBF, 0xBF, 0xBF), 0},
    {"left2.gif", "gif", 31, 31, 256, qRgb(0xC0, 0xC0, 0xC0), 0},
    {"right2.gif", "gif", 31, 31, 256, qRgb(0xC0, 0xC0, 0xC0), 0},
    {"film.jpg", "jpeg", 100, 18, 0, 0, 0},
    {"bkgr.gif", "gif", 7, 7, 256, 0, qRgb(0x08, 0x18, 0x38)},
    {"white31.gif", "gif", 31, 31, 2, 0, qRgb(0xFF, 0xFF, 0xFF)},
};

// The size of a GIF's global colour table, from its screen descriptor.
int GifColourTable(const std::string& bytes) {
  const auto flags = static_cast<unsigned char>(bytes.at(10));
  return (flags & 0x80) ? 2 << (flags & 7) : 0;
}

TEST(GenImages, WritesSevenImagesThatDecodeAsStated) {
  testsupport::TempDir dir;
  ASSERT_TRUE(GenImages::WriteGalleryImages(dir.Path()));
  for (const ImageCase& c : kImages) {
    SCOPED_TRACE(c.name);
    const std::string bytes = testsupport::ReadFileBytes(dir.File(c.name));
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    EXPECT_EQ(reader.format(), QByteArray(c.format));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.height(), c.height);
    if (c.colourTable != 0) {
      EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
      EXPECT_EQ(GifColourTable(bytes), c.colourTable);
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb corner = argb.pixel(0, 0);
    if (c.transparent != 0) {
      EXPECT_EQ(qAlpha(corner), 0);
      EXPECT_EQ(qRgb(qRed(corner), qGreen(corner), qBlue(corner)), c.transparent);
      const QRgb middle = argb.pixel(c.width / 2, c.height / 2);
      EXPECT_EQ(qAlpha(middle), 255);
    } else {
      EXPECT_FALSE(image.hasAlphaChannel());
    }
    if (c.centre != 0) {
      EXPECT_EQ(argb.pixel(c.width / 2, c.height / 2), c.centre);
    }
  }
}

TEST(GenImages, FilmEdgeIsProgressiveJfifAt96Dpi) {
  testsupport::TempDir dir;
  ASSERT_TRUE(GenImages::GenOkrajFilmuJpg(dir.File("film.jpg")));
  const std::string bytes = testsupport::ReadFileBytes(dir.File("film.jpg"));
  // SOI, then APP0 "JFIF\0" version 1.01, density in dots per inch, 96 x 96.
  ASSERT_GE(bytes.size(), 20u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xD8\xFF\xE0", 4));
  EXPECT_EQ(bytes.substr(6, 5), std::string("JFIF\0", 5));
  EXPECT_EQ(bytes.substr(11, 7), std::string("\x01\x01\x01\x00\x60\x00\x60", 7));
  // A progressive frame header (SOF2) with three components.
  const size_t sof = bytes.find("\xFF\xC2");
  ASSERT_NE(sof, std::string::npos);
  EXPECT_EQ(bytes.at(sof + 9), 3);
}

TEST(GenImages, RewritesOtherFilesKeepsItsOwnAndFailsWhereNoFolderCanBe) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("left.gif"), std::string(5000, 'x'));
  ASSERT_TRUE(GenImages::WriteGalleryImages(dir.Path()));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("left.gif")).substr(0, 6), "GIF89a");
  EXPECT_LT(testsupport::ReadFileBytes(dir.File("left.gif")).size(), 5000u);
  // Images that hold their bytes already keep their files and dates.
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  for (const char* name : GenImages::kImageNames) std::filesystem::last_write_time(dir.File(name), old);
  const auto folderTime = std::filesystem::last_write_time(dir.Path());
  ASSERT_TRUE(GenImages::WriteGalleryImages(dir.Path()));
  for (const char* name : GenImages::kImageNames) EXPECT_EQ(std::filesystem::last_write_time(dir.File(name)), old);
  EXPECT_EQ(std::filesystem::last_write_time(dir.Path()), folderTime);
  EXPECT_FALSE(GenImages::WriteGalleryImages(dir.File("left.gif")));
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

TEST(GenImages, AFailedWriteLeavesTheOldFileWholeAndNoWorkFile) {
  testsupport::TempDir dir;
  const std::string old = "the left arrow of an earlier run";
  testsupport::WriteFileBytes(dir.File("left.gif"), old);
  {
    // Smaller than any of the images: every write runs out of room.
    testsupport::ScopedFileSizeLimit limit(16);
    EXPECT_FALSE(GenImages::GenLeftGif(dir.File("left.gif")));
    EXPECT_FALSE(GenImages::WriteGalleryImages(dir.Path()));
  }
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("left.gif")), old);
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"left.gif"});
}

TEST(GenImages, ALinkAtAnImageIsReplacedNeverWrittenThrough) {
  testsupport::TempDir dir;
  testsupport::TempDir outside;
  testsupport::WriteFileBytes(outside.File("victim"), "keep me");
  std::filesystem::create_symlink(outside.File("victim"), dir.File("left.gif"));
  ASSERT_TRUE(GenImages::WriteGalleryImages(dir.Path()));
  EXPECT_FALSE(std::filesystem::is_symlink(dir.File("left.gif")));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("left.gif")).substr(0, 6), "GIF89a");
  EXPECT_EQ(testsupport::ReadFileBytes(outside.File("victim")), "keep me");
}

}  // namespace
