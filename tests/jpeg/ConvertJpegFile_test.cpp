#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "metadata/ConvertJPeg.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CopyPhoto;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Size& size) {
  return out << size.width << "x" << size.height;
}

// The stored size of a JPEG file, or 0 x 0 when it does not decode fully.
Size DecodedSize(const std::string& path) {
  platform::JpegReader reader;
  platform::Bitmap picture;
  if (!reader.OpenFile(path) || !reader.Decode(picture)) {
    return {};
  }
  return {picture.width, picture.height};
}

std::vector<std::string> TestPhotos() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(testsupport::DataDir() + "/photos")) {
    if (entry.path().extension() == ".jpg") {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// True when size has the shape of own within one pixel either way.
bool KeepsShape(const Size& size, const Size& own) {
  const double width = double(size.height) * own.width / own.height;
  const double height = double(size.width) * own.height / own.width;
  return std::abs(size.width - width) <= 1 && std::abs(size.height - height) <= 1;
}

// A grey photo that grows lighter from left to right (or from top to
// bottom), so that the part of it a picture shows can be read off the
// picture's edges.
platform::Bitmap Gradient(int width, int height, bool acrossTheWidth) {
  platform::Bitmap picture;
  picture.width = width;
  picture.height = height;
  const int length = acrossTheWidth ? width : height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.pixels.insert(picture.pixels.end(), 3,
                            static_cast<std::uint8_t>((2 * (acrossTheWidth ? x : y) + 1) * 255 / (2 * length)));
  return picture;
}

// The mean grey of column (or row) i of a picture.
double LineMean(const platform::Bitmap& b, int i, bool column) {
  double sum = 0;
  const int count = column ? b.height : b.width;
  for (int k = 0; k < count; ++k) {
    const size_t x = size_t(column ? i : k), y = size_t(column ? k : i);
    sum += b.pixels[(y * size_t(b.width) + x) * 3];
  }
  return sum / count;
}

platform::Bitmap Decoded(const std::string& path) {
  platform::JpegReader reader;
  platform::Bitmap picture;
  EXPECT_TRUE(reader.OpenFile(path) && reader.Decode(picture)) << path;
  return picture;
}

// Photos of every shape keep it: the site photo is fitted into 566 x 425
// and never enlarged, the small thumbnail into 100 x 75; the site thumbnail
// is exactly 100 x 75, the middle of the photo.
TEST(ConvertJpegFile, KeepsEveryPhotosShape) {
  const struct {
    const char* what;
    Size own, site;
  } cases[] = {
      {"4:3", {1600, 1200}, {566, 425}},    {"3:2", {1200, 800}, {566, 377}},
      {"16:9", {1600, 900}, {566, 318}},    {"panorama", {3000, 600}, {566, 113}},
      {"1:1", {800, 800}, {425, 425}},      {"3:4", {600, 800}, {319, 425}},
      {"2:3", {800, 1200}, {283, 425}},     {"small", {80, 60}, {80, 60}},
      {"small upright", {60, 90}, {60, 90}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // The thumbnail cuts the photo across its longer side, as a 4:3 box.
    const bool wider = c.own.width * 3 >= c.own.height * 4;
    const std::string source = dir.File("source.jpg");
    ASSERT_TRUE(platform::WriteJpegFile(Gradient(c.own.width, c.own.height, wider), source, 95));
    const std::string site = dir.File("site.jpg"), small = dir.File("small.jpg"), thumb = dir.File("th.jpg");
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, site, 1, 0, 0, 90));
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, small, 3, 0, 0, 90));
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, thumb, 2, 0, 0, 95));
    EXPECT_EQ(DecodedSize(site), c.site);
    EXPECT_TRUE(KeepsShape(DecodedSize(site), c.own)) << DecodedSize(site);
    const Size smallSize = DecodedSize(small);
    EXPECT_TRUE(KeepsShape(smallSize, c.own)) << smallSize;
    EXPECT_TRUE(smallSize.width == std::min(100, c.own.width) || smallSize.height == std::min(75, c.own.height))
        << smallSize;

    // Its first and last columns (rows) are where the largest 4:3 part in
    // the middle of the photo has its edges, its middle the photo's.
    const platform::Bitmap picture = Decoded(thumb);
    ASSERT_EQ((Size{picture.width, picture.height}), (Size{100, 75}));
    const double shown = wider ? c.own.height * 4.0 / 3 / c.own.width : c.own.width * 3.0 / 4 / c.own.height;
    const int lines = wider ? 100 : 75;
    const double half = shown / lines / 2;  // half a line of the picture, of the photo's length
    EXPECT_NEAR(LineMean(picture, 0, wider), 255 * ((1 - shown) / 2 + half), 3);
    EXPECT_NEAR(LineMean(picture, lines - 1, wider), 255 * ((1 + shown) / 2 - half), 3);
    EXPECT_NEAR((LineMean(picture, lines / 2 - 1, wider) + LineMean(picture, lines / 2, wider)) / 2, 127.5, 3);
  }
}

// Every test photo, whatever its shape: the site photo within 566 x 425
// and its own size, touching the box unless it is smaller; the site
// thumbnail exactly 100 x 75; mode 0 without bounds its own size.
TEST(ConvertJpegFile, ResizesEveryTestPhotoByMode) {
  const std::vector<std::string> photos = TestPhotos();
  ASSERT_GE(photos.size(), 20u);
  TempDir dir;
  int tallPhotos = 0;
  for (const std::string& name : photos) {
    SCOPED_TRACE(name);
    const std::string source = CopyPhoto(name, dir);
    const Size own = DecodedSize(source);
    ASSERT_GT(own.width, 0);
    tallPhotos += own.height > own.width;
    const std::string target = dir.File("out.jpg");
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, target, 1, 0, 0, 80));
    const Size site = DecodedSize(target);
    EXPECT_TRUE(KeepsShape(site, own)) << site;
    EXPECT_TRUE(site.width == std::min(566, own.width) || site.height == std::min(425, own.height)) << site;
    EXPECT_LE(site.width, 566);
    EXPECT_LE(site.height, 425);
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, target, 2, 0, 0, 80));
    EXPECT_EQ(DecodedSize(target), (Size{100, 75}));
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, dir.File("own.jpg"), 0, 0, 0, 80));
    EXPECT_EQ(DecodedSize(dir.File("own.jpg")), own);
  }
  EXPECT_GE(tallPhotos, 2);
}

TEST(ConvertJpegFile, ModeZeroFitsTheBounds) {
  TempDir dir;
  struct BoundCase {
    const char* photo;
    int boundA, boundB;
    Size expected;
  };
  const BoundCase cases[] = {
      {"t_35-empty.jpg", -1600, 0, {1600, 1202}},  // 2164 x 1626 shrinks
      {"nikon-e950.jpg", -1600, 0, {800, 600}},    // fits: kept
      {"nikon-e950.jpg", 0, 1200, {1600, 1200}},   // enlarged
      {"Fujifilm_FinePix_E500.jpg", 0, 50, {29, 50}},  // 59 x 100, tall
  };
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(c.photo);
    const std::string source = CopyPhoto(c.photo, dir);
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, dir.File("out.jpg"), 0, c.boundA, c.boundB, 85));
    EXPECT_EQ(DecodedSize(dir.File("out.jpg")), c.expected);
  }
}

TEST(ConvertJpegFile, QualityAndInPlaceReplacement) {
  TempDir dir;
  const std::string source = CopyPhoto("gps_DSCN0010.jpg", dir);
  ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, dir.File("low.jpg"), 0, 0, 0, 10));
  ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, dir.File("high.jpg"), 0, 0, 0, 95));
  EXPECT_LT(fs::file_size(dir.File("low.jpg")) * 2, fs::file_size(dir.File("high.jpg")));

  ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, source, 1, 0, 0, 80));
  EXPECT_EQ(DecodedSize(source), (Size{566, 425}));
  EXPECT_EQ(FolderNames(dir.Path()),
            (std::vector<std::string>{"gps_DSCN0010.jpg", "high.jpg", "low.jpg"}));
}

TEST(ConvertJpegFile, FailureLeavesTheTargetAsItWas) {
  TempDir dir;
  const std::string good = ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg"));
  std::string markerInData = good;
  markerInData.replace(good.size() * 3 / 4, 2, "\xFF\xD9");
  WriteFileBytes(dir.File("truncated.jpg"), good.substr(0, good.size() * 2 / 3));
  WriteFileBytes(dir.File("corrupt.jpg"), markerInData);
  WriteFileBytes(dir.File("text.jpg"), "not a jpeg");
  WriteFileBytes(dir.File("target.jpg"), "previous result");

  for (const char* source : {"truncated.jpg", "corrupt.jpg", "text.jpg", "missing.jpg"}) {
    SCOPED_TRACE(source);
    EXPECT_FALSE(ConvertJPeg::ConvertJpegFile(dir.File(source), dir.File("target.jpg"), 1, 0, 0, 80));
    EXPECT_FALSE(ConvertJPeg::ConvertJpegFile(dir.File(source), dir.File("new.jpg"), 2, 0, 0, 80));
  }
  const std::string source = CopyPhoto("canon-ixus.jpg", dir);
  // A size no JPEG can hold, and a target that cannot be written.
  EXPECT_FALSE(ConvertJPeg::ConvertJpegFile(source, dir.File("target.jpg"), 0, 70000, 70000, 80));
  EXPECT_FALSE(ConvertJPeg::ConvertJpegFile(source, dir.File("no/such/folder.jpg"), 1, 0, 0, 80));

  EXPECT_EQ(ReadFileBytes(dir.File("target.jpg")), "previous result");
  EXPECT_EQ(FolderNames(dir.Path()),
            (std::vector<std::string>{"canon-ixus.jpg", "corrupt.jpg", "target.jpg", "text.jpg",
                                      "truncated.jpg"}));
}

// The mean brightness of the picture's four edge bands (a quarter of its
// height or width): top, bottom, left, right.
std::vector<double> EdgeBrightness(const platform::Bitmap& b) {
  std::vector<double> sums(4, 0), counts(4, 0);
  for (int y = 0; y < b.height; ++y) {
    for (int x = 0; x < b.width; ++x) {
      const size_t at = (size_t(y) * size_t(b.width) + size_t(x)) * 3;
      const double grey = (b.pixels[at] + b.pixels[at + 1] + b.pixels[at + 2]) / 3.0;
      const bool band[] = {y < b.height / 4, y >= b.height * 3 / 4, x < b.width / 4,
                           x >= b.width * 3 / 4};
      for (size_t i = 0; i < 4; ++i) {
        if (band[i]) sums[i] += grey, counts[i] += 1;
      }
    }
  }
  for (size_t i = 0; i < 4; ++i) sums[i] /= counts[i];
  return sums;
}

TEST(LoadForMode, StandsThePhotoUprightBeforeTheModeSizesIt) {
  // Both photos show a bright sky at the top when upright.
  const struct {
    const char* photo;
    int orientation;
    Size site;
  } cases[] = {
      {"orientation_landscape_3.jpg", 3, {566, 425}},
      {"orientation_portrait_6.jpg", 6, {319, 425}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.photo);
    platform::Bitmap picture;
    ASSERT_TRUE(ConvertJPeg::LoadForMode(testsupport::PhotoPath(c.photo), 1, 0, 0, c.orientation,
                                         picture));
    EXPECT_EQ((Size{picture.width, picture.height}), c.site);
    const std::vector<double> edges = EdgeBrightness(picture);
    EXPECT_EQ(std::max_element(edges.begin(), edges.end()) - edges.begin(), 0);
    ASSERT_TRUE(ConvertJPeg::LoadForMode(testsupport::PhotoPath(c.photo), 2, 0, 0, c.orientation,
                                         picture));
    EXPECT_EQ((Size{picture.width, picture.height}), (Size{100, 75}));
  }
  // As stored, the portrait lies on its side and the other stands on its head.
  platform::Bitmap stored;
  ASSERT_TRUE(ConvertJPeg::LoadForMode(testsupport::PhotoPath("orientation_portrait_6.jpg"), 1, 0,
                                       0, 1, stored));
  EXPECT_EQ((Size{stored.width, stored.height}), (Size{566, 425}));
  const std::vector<double> edges = EdgeBrightness(stored);
  EXPECT_NE(std::max_element(edges.begin(), edges.end()) - edges.begin(), 0);
  EXPECT_FALSE(ConvertJPeg::LoadForMode(testsupport::PhotoPath("README.md"), 1, 0, 0, 1, stored));
  EXPECT_TRUE(stored.pixels.empty());
}

}  // namespace
