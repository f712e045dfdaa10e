// Photo thumbnails, their cache folder, and pixel sizes with aspect classes.
#include "photos/JPegUtils.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/dialogs/InfoWindow.h"
#include "metadata/ConvertJPeg.h"
#include "metadata/Orientation.h"
#include "metadata/exif.h"
#include "platform/FileSystem.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/TestPhotos.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

Size JpegSize(const std::string& path) {
  platform::JpegReader reader;
  if (!reader.OpenFile(path)) return {};
  return {reader.Width(), reader.Height()};
}

bool Thumbnail(const std::string& photo, const std::string& dest) {
  TExifReader reader;
  reader.ReadFromFile(photo);
  return JPegUtils::ExtractThumbnail(reader, dest);
}

uint64_t Inode(const std::string& path) {
  platform::FileStatus st;
  return platform::StatPath(path, st) ? st.inode : 0;
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// The quantization tables of a JPEG's bytes, which its quality sets.
std::string QuantTables(const std::string& bytes) {
  const size_t at = bytes.find("\xFF\xDB");
  if (at == std::string::npos || at + 4 > bytes.size()) return std::string();
  const size_t length =
      static_cast<uint8_t>(bytes[at + 2]) * 256u + static_cast<uint8_t>(bytes[at + 3]);
  return bytes.substr(at, 2 + length);
}

// The tables a JPEG of the given quality has.
std::string QuantTablesOfQuality(int quality, const TempDir& dir) {
  platform::Bitmap dot;
  dot.width = dot.height = 8;
  dot.pixels.assign(8 * 8 * 3, 128);
  const std::string path = dir.File("q" + std::to_string(quality) + ".jpg");
  EXPECT_TRUE(platform::WriteJpegFile(dot, path, quality));
  return QuantTables(testsupport::ReadFileBytes(path));
}

TEST(JPegUtils, CacheThumbnailKeepsThePhotosShapeWithin160x120) {
  struct Case {
    int width, height;
    Size thumb;
  };
  const Case cases[] = {{1600, 1200, {160, 120}}, {300, 200, {160, 107}}, {1920, 1080, {160, 90}},
                        {200, 300, {80, 120}},    {300, 400, {90, 120}},  {250, 250, {120, 120}},
                        {121, 120, {121, 120}},   {40, 30, {40, 30}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    TempDir dir;
    const std::string photo = dir.File("photo.jpg");
    WritePhoto(photo, c.width, c.height);
    ASSERT_TRUE(Thumbnail(photo, dir.File("out.jpg")));
    const std::string cache = dir.File("thumbs/thumb_photo.jpg");
    EXPECT_EQ(JPegUtils::ThumbnailCacheFile(photo), cache);
    EXPECT_EQ(JpegSize(cache), c.thumb);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.File("out.jpg")), testsupport::ReadFileBytes(cache));
    // Baseline: a start-of-frame 0 segment, no progressive one.
    const std::string bytes = testsupport::ReadFileBytes(cache);
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);
    const std::string tables = QuantTables(bytes);
    EXPECT_EQ(tables, QuantTablesOfQuality(90, dir));
    EXPECT_NE(tables, QuantTablesOfQuality(91, dir));
  }
}

TEST(JPegUtils, EmbeddedThumbnailNeedsNoCacheFolder) {
  TempDir dir;
  const std::string photo = testsupport::CopyPhoto("canon-ixus.jpg", dir);
  ASSERT_TRUE(Thumbnail(photo, dir.File("out.jpg")));
  EXPECT_EQ(JpegSize(dir.File("out.jpg")), (Size{160, 120}));
  EXPECT_FALSE(fs::exists(dir.File("thumbs")));

  TExifReader nameless;
  EXPECT_FALSE(JPegUtils::ExtractThumbnail(nameless, dir.File("none.jpg")));
  EXPECT_FALSE(fs::exists(dir.File("none.jpg")));
}

TEST(JPegUtils, CacheIsMadeOnceAndReusedWhileThePhotoIsUnchanged) {
  TempDir dir;
  const std::string photo = dir.File("IMG_0815.JPG");
  const std::string cache = dir.File("thumbs/thumb_IMG_0815.JPG");
  WritePhoto(photo, 300, 200);
  ASSERT_TRUE(Thumbnail(photo, dir.File("first.jpg")));
  const uint64_t made = Inode(cache);
  ASSERT_NE(made, 0u);

  ASSERT_TRUE(Thumbnail(photo, dir.File("second.jpg")));
  EXPECT_EQ(Inode(cache), made);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("second.jpg")), testsupport::ReadFileBytes(cache));
  // Asked for the cache file itself: nothing is copied or made.
  ASSERT_TRUE(Thumbnail(photo, cache));
  EXPECT_EQ(Inode(cache), made);

  // An edited photo gets a new thumbnail.
  WritePhoto(photo, 200, 300);
  ASSERT_TRUE(Thumbnail(photo, dir.File("third.jpg")));
  EXPECT_NE(Inode(cache), made);
  EXPECT_EQ(JpegSize(dir.File("third.jpg")), (Size{80, 120}));
}

// A cache thumbnail an older version made, stretched to 160 x 120 whatever
// the photo's shape, is made again with the photo's shape; its record of
// the photo still matches.
TEST(JPegUtils, AStretchedCacheThumbnailIsMadeAgain) {
  TempDir dir;
  const std::string photo = dir.File("photo.jpg");
  const std::string cache = dir.File("thumbs/thumb_photo.jpg");
  WritePhoto(photo, 300, 200);
  ASSERT_TRUE(Thumbnail(photo, dir.File("first.jpg")));
  platform::JpegReader made;
  made.KeepComments();
  ASSERT_TRUE(made.OpenFile(cache));
  const std::string record = made.Comment();
  ASSERT_FALSE(record.empty());
  platform::Bitmap stretched;
  stretched.width = 160;
  stretched.height = 120;
  stretched.pixels.assign(160 * 120 * 3, 90);
  ASSERT_TRUE(platform::WriteJpegFile(stretched, cache, 90, false, record));
  EXPECT_FALSE(JPegUtils::IsCurrentThumbnail(photo, cache));

  ASSERT_TRUE(Thumbnail(photo, dir.File("second.jpg")));
  EXPECT_EQ(JpegSize(cache), (Size{160, 107}));
  EXPECT_TRUE(JPegUtils::IsCurrentThumbnail(photo, cache));
}

TEST(JPegUtils, ACacheFileCutOffAfterItsHeaderIsMadeAgain) {
  TempDir dir;
  const std::string photo = dir.File("photo.jpg");
  const std::string cache = dir.File("thumbs/thumb_photo.jpg");
  WritePhoto(photo, 300, 200);
  ASSERT_TRUE(Thumbnail(photo, dir.File("first.jpg")));
  const std::string whole = testsupport::ReadFileBytes(cache);
  // Its record of the photo stays, the picture data ends early.
  const size_t scan = whole.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  testsupport::WriteFileBytes(cache, whole.substr(0, scan + 40));
  EXPECT_FALSE(JPegUtils::IsCurrentThumbnail(photo, cache));

  ASSERT_TRUE(Thumbnail(photo, dir.File("second.jpg")));
  EXPECT_EQ(testsupport::ReadFileBytes(cache), whole);
  EXPECT_TRUE(JPegUtils::IsCurrentThumbnail(photo, cache));
}

TEST(JPegUtils, PhotoRenamedOntoAnOlderNameNeverShowsTheOldThumbnail) {
  TempDir dir;
  const std::string a = dir.File("a.jpg");
  const std::string b = dir.File("b.jpg");
  WritePhoto(a, 300, 200, 1);
  ASSERT_TRUE(Thumbnail(a, dir.File("out.jpg")));
  const std::string cache = dir.File("thumbs/thumb_a.jpg");
  const std::string old = testsupport::ReadFileBytes(cache);

  // b has the same shape and, as a rename keeps it, a's very time; only its
  // size tells it apart.
  WritePhoto(b, 300, 200, 2);
  platform::FileStatus st;
  ASSERT_TRUE(platform::StatPath(a, st));
  ASSERT_TRUE(platform::SetModifiedTimeExact(b, st.modifiedSeconds, st.modifiedNanoseconds));
  ASSERT_NE(fs::file_size(a), fs::file_size(b));
  fs::remove(a);
  fs::rename(b, a);

  ASSERT_TRUE(Thumbnail(a, dir.File("out.jpg")));
  EXPECT_NE(testsupport::ReadFileBytes(cache), old);

  // An older photo of another shape, renamed onto the name.
  WritePhoto(b, 200, 300, 3);
  ASSERT_TRUE(platform::SetModifiedTime(b, st.modifiedSeconds - 86400));
  fs::remove(a);
  fs::rename(b, a);
  ASSERT_TRUE(Thumbnail(a, dir.File("out.jpg")));
  EXPECT_EQ(JpegSize(dir.File("out.jpg")), (Size{80, 120}));
}

TEST(JPegUtils, NamesDifferingOnlyInCaseKeepTheirOwnThumbnails) {
  TempDir dir;
  WritePhoto(dir.File("IMG_1.JPG"), 300, 200);
  WritePhoto(dir.File("img_1.jpg"), 200, 300);
  ASSERT_TRUE(Thumbnail(dir.File("IMG_1.JPG"), dir.File("upper.out")));
  ASSERT_TRUE(Thumbnail(dir.File("img_1.jpg"), dir.File("lower.out")));
  EXPECT_EQ(Names(dir.File("thumbs")), (std::vector<std::string>{"thumb_IMG_1.JPG", "thumb_img_1.jpg"}));
  EXPECT_EQ(JpegSize(dir.File("upper.out")), (Size{160, 107}));
  EXPECT_EQ(JpegSize(dir.File("lower.out")), (Size{80, 120}));

  // A name given in another case than on disk means the photo that exists.
  WritePhoto(dir.File("Dovolena.jpg"), 300, 200);
  EXPECT_EQ(JPegUtils::ThumbnailCacheFile(dir.File("DOVOLENA.JPG")), dir.File("thumbs/thumb_Dovolena.jpg"));
}

TEST(JPegUtils, FailedSaveLeavesNoPartialAndNoOutdatedThumbnail) {
  TempDir dir;
  const std::string photo = dir.File("photo.jpg");
  WritePhoto(photo, 300, 200);
  ASSERT_TRUE(Thumbnail(photo, dir.File("out.jpg")));
  WritePhoto(photo, 600, 400, 1);
  {
    testsupport::ScopedFileSizeLimit limit(1024);
    EXPECT_FALSE(Thumbnail(photo, dir.File("out2.jpg")));
  }
  EXPECT_EQ(Names(dir.File("thumbs")), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(dir.File("out2.jpg")));

  // A damaged photo gets no thumbnail file at all.
  const std::string damaged = dir.File("damaged.jpg");
  const std::string whole = testsupport::ReadFileBytes(photo);
  testsupport::WriteFileBytes(damaged, whole.substr(0, whole.size() / 2));
  EXPECT_FALSE(JPegUtils::CreateThumbnailFile(damaged, dir.File("thumbs/thumb_damaged.jpg")));
  EXPECT_FALSE(Thumbnail(damaged, dir.File("out3.jpg")));
  EXPECT_EQ(Names(dir.File("thumbs")), std::vector<std::string>{});

  // A link in place of the cache folder is replaced, never written through.
  fs::remove(dir.File("thumbs"));
  fs::create_directory(dir.File("elsewhere"));
  fs::create_directory_symlink(dir.File("elsewhere"), dir.File("thumbs"));
  ASSERT_TRUE(Thumbnail(photo, dir.File("out4.jpg")));
  EXPECT_FALSE(fs::is_symlink(dir.File("thumbs")));
  EXPECT_TRUE(fs::is_empty(dir.File("elsewhere")));
}

// The photo decoded whole, turned as orientation says and cut to
// width x height.
platform::Bitmap Reference(const std::string& photo, int orientation, int width, int height) {
  platform::JpegReader reader;
  platform::Bitmap picture;
  if (reader.OpenFile(photo) && reader.Decode(picture)) {
    Orientation::TurnUpright(picture, orientation);
    ConvertJPeg::FillBitmap(picture, width, height);
  }
  return picture;
}

// The mean difference of two bitmaps of one size, per pixel over the three
// colours.
double Difference(const platform::Bitmap& a, const platform::Bitmap& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 765;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(a.pixels[i] - b.pixels[i]);
  return sum * 3 / static_cast<double>(a.pixels.size());
}

// The pickers show a photo's thumbnail as the photo stands upright, though
// it is stored (in the cache, as in EXIF) turned as the photo is.
TEST(JPegUtils, ThumbnailPictureStandsUprightAsThePhotosOrientationSays) {
  TempDir dir;
  for (const auto& [name, orientation] :
       {std::pair{"orientation_landscape_3.jpg", 3}, std::pair{"orientation_portrait_6.jpg", 6}}) {
    SCOPED_TRACE(name);
    const std::string photo = testsupport::CopyPhoto(name, dir);
    platform::Bitmap picture;
    ASSERT_TRUE(JPegUtils::ThumbnailPicture(photo, 100, 75, picture));
    EXPECT_EQ((Size{picture.width, picture.height}), (Size{100, 75}));
    const double upright = Difference(picture, Reference(photo, orientation, 100, 75));
    EXPECT_LT(upright, 30);
    EXPECT_GT(Difference(picture, Reference(photo, 1, 100, 75)), 2 * upright);
  }
}

// The mean grey of row y of a picture.
double RowGrey(const platform::Bitmap& b, int y) {
  double sum = 0;
  for (size_t i = 0; i < size_t(b.width) * 3; ++i) sum += b.pixels[size_t(y) * size_t(b.width) * 3 + i];
  return sum / (b.width * 3);
}

// The pickers' pictures: the embedded thumbnail without touching the
// folder, else the cache made once; always the size asked, cut from the
// thumbnail's middle.
TEST(JPegUtils, ThumbnailPictureIsCutFromTheEmbeddedThumbnailOrTheCache) {
  TempDir dir;
  platform::Bitmap picture;
  const std::string embedded = testsupport::CopyPhoto("canon-ixus.jpg", dir);
  ASSERT_TRUE(JPegUtils::ThumbnailPicture(embedded, 100, 75, picture));
  EXPECT_EQ((Size{picture.width, picture.height}), (Size{100, 75}));
  EXPECT_EQ(picture.pixels.size(), 100u * 75u * 3u);
  EXPECT_FALSE(fs::exists(dir.File("thumbs")));

  const std::string plain = dir.File("tall.jpg");
  WriteGradientPhoto(plain, 200, 300);
  ASSERT_TRUE(JPegUtils::ThumbnailPicture(plain, 100, 75, picture));
  EXPECT_EQ((Size{picture.width, picture.height}), (Size{100, 75}));
  const std::string cache = dir.File("thumbs/thumb_tall.jpg");
  EXPECT_EQ(JpegSize(cache), (Size{80, 120}));
  // The cell shows the middle 60 of the 120 rows, undistorted.
  EXPECT_NEAR(RowGrey(picture, 0), 255 * (30.5 / 120), 4);
  EXPECT_NEAR(RowGrey(picture, 74), 255 * (89.6 / 120), 4);
  const uint64_t made = Inode(cache);
  ASSERT_TRUE(JPegUtils::ThumbnailPicture(plain, 100, 75, picture));
  EXPECT_EQ(Inode(cache), made);

  const std::string whole = testsupport::ReadFileBytes(plain);
  testsupport::WriteFileBytes(dir.File("damaged.jpg"), whole.substr(0, whole.size() / 2));
  for (const std::string& bad : {dir.File("damaged.jpg"), dir.File("missing.jpg")}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(JPegUtils::ThumbnailPicture(bad, 100, 75, picture));
    EXPECT_EQ(picture.width, 0);
    EXPECT_TRUE(picture.pixels.empty());
  }
}

TEST(JPegUtils, InformationWindowNamesThePhotoWhileItsThumbnailIsMade) {
  WindowTestApp();
  TempDir dir;
  const std::string photo = dir.File("IMG_0815.JPG");
  WritePhoto(photo, 300, 200);
  QString shown;
  QTimer::singleShot(0, [&] {
    if (TInfoWind* info = InfoWindow::Current()) shown = info->Label1->text();
  });
  ASSERT_TRUE(JPegUtils::CreateThumbnailFile(photo, dir.File("t.jpg")));
  EXPECT_EQ(shown, "Generování náhledu (img_0815) ...");
  EXPECT_EQ(InfoWindow::Current(), nullptr);
}

TEST(JPegUtils, JpegSizeOfTheTestPhotosAndOfDamagedOnes) {
  struct Case {
    const char* photo;
    int width, height, aspect;
  };
  const Case cases[] = {
      {"canon-ixus.jpg", 640, 480, 133},         {"Canon_40D.jpg", 100, 68, 147},
      {"Fujifilm_FinePix_E500.jpg", 59, 100, 169}, {"Sony_HDR-HC3.jpg", 100, 64, 156},
      {"t_22-canon_tags.jpg", 1600, 1200, 133},  {"Nikon_D70.jpg", 100, 66, 152},
  };
  for (const Case& c : cases) {
    int width = -1, height = -1, aspect = -1;
    EXPECT_TRUE(JPegUtils::GetJpegSize(testsupport::PhotoPath(c.photo), width, height, aspect))
        << c.photo;
    EXPECT_EQ(width, c.width) << c.photo;
    EXPECT_EQ(height, c.height) << c.photo;
    EXPECT_EQ(aspect, c.aspect) << c.photo;
  }

  TempDir dir;
  const std::string whole = testsupport::ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg"));
  testsupport::WriteFileBytes(dir.File("cut.jpg"), whole.substr(0, whole.size() * 2 / 3));
  std::string endInData = whole;
  endInData.replace(whole.size() * 3 / 4, 2, "\xFF\xD9");
  testsupport::WriteFileBytes(dir.File("ended.jpg"), endInData);
  testsupport::WriteFileBytes(dir.File("text.jpg"), "not a photo");
  for (const char* bad : {"cut.jpg", "ended.jpg", "text.jpg", "missing.jpg"}) {
    int width = -1, height = -1, aspect = -1;
    EXPECT_FALSE(JPegUtils::GetJpegSize(dir.File(bad), width, height, aspect)) << bad;
    EXPECT_EQ(width + height + aspect, 0) << bad;
  }
}

TEST(JPegUtils, AspectClassesNameTheWideScreenRatios) {
  struct Case {
    int width, height, aspect;
  };
  const Case cases[] = {
      {1920, 1200, 160}, {4000, 2500, 160}, {1200, 1920, 160}, {1920, 1080, 178},
      {1600, 1200, 133}, {3000, 2000, 150}, {1000, 1000, 100}, {0, 100, 0},
      {900, 800, 112},   // 112.5: halves go to the even neighbour
      {1100, 800, 138},  // 137.5
      {1590, 1000, 159}, {1610, 1000, 161}, {1770, 1000, 177}, {1790, 1000, 179},
  };
  for (const Case& c : cases)
    EXPECT_EQ(JPegUtils::AspectClass(c.width, c.height), c.aspect) << c.width << "x" << c.height;
}

}  // namespace
