#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "metadata/ConvertJPeg.h"
#include "platform/jpeg/JpegReader.h"
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

TEST(ConvertJpegFile, ResizesEveryTestPhotoByMode) {
  struct ModeCase {
    std::uint8_t mode;
    Size wide, tall;  // for a photo at least as wide as high, and a higher one
  };
  const ModeCase modes[] = {
      {1, {566, 425}, {319, 425}},
      {2, {100, 75}, {100, 75}},
      {3, {100, 75}, {56, 75}},
  };
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
    for (const ModeCase& m : modes) {
      const std::string target = dir.File("out.jpg");
      ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(source, target, m.mode, 0, 0, 80)) << int{m.mode};
      EXPECT_EQ(DecodedSize(target), own.width >= own.height ? m.wide : m.tall) << int{m.mode};
    }
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
