// The gallery's images: when an existing thumbnail or resized photo stays,
// when it is made again, the trial's unsigned size rule, upright outputs,
// and the output names.
#include "gallery/generate/GalleryImages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "foundation/DosFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "metadata/ConvertJPeg.h"
#include "metadata/Orientation.h"
#include "metadata/exif.h"
#include "photos/JPegUtils.h"
#include "platform/jpeg/JpegReader.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using JPegUtils::kSitePhotoMode;
using JPegUtils::kSiteThumbMode;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

const auto kOld = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);

class SiteImages : public ::testing::Test {
 protected:
  void SetUp() override {
    photo_ = testsupport::CopyPhoto("gps_DSCN0010.jpg", photos_);
    fs::create_directories(Out());
  }

  std::string Out() const { return out_.File("th"); }
  std::string Target() const { return Out() + "/th_gps_dscn0010.jpg"; }

  // A checker of the photo folder; with known, one that knows the photo as
  // it is now.
  void Scan(bool known) {
    checker_.reset();
    fs::remove(photos_.File(ImageCRC::kCacheName));
    {
      TJPegChecker checker;
      checker.ScanDirectory(photos_.Path());
      if (known) {
        checker.IsChanged(0);
        checker.ConfirmOutputs(0);
      }
    }
    checker_ = std::make_unique<TJPegChecker>();
    checker_->ScanDirectory(photos_.Path());
  }

  bool Make(std::uint8_t mode, int orientation = 1, const std::string& source = {}) {
    encodings_ = 0;
    GalleryImages::TSiteImageRun run{project_, *checker_,
                                     [this](const std::string&, const std::string& level) {
                                       if (!level.empty()) ++encodings_;
                                     }};
    return GalleryImages::MakeSiteImage(photo_, source.empty() ? photo_ : source, Target(), mode,
                                        orientation, run);
  }

  // A target of size bytes that is no encoding of the photo, dated long ago.
  void PlaceTarget(int64_t size) {
    WriteFileBytes(Target(), std::string(static_cast<size_t>(size), 'x'));
    fs::last_write_time(Target(), kOld);
  }
  bool TargetKept(int64_t size) const {
    return DosFunc::GetFileSize64(Target()) == size && fs::last_write_time(Target()) == kOld &&
           ReadFileBytes(Target()) == std::string(static_cast<size_t>(size), 'x');
  }

  testsupport::TempDir photos_;
  testsupport::TempDir out_;
  std::string photo_;
  THtmlProject project_;
  std::unique_ptr<TJPegChecker> checker_;
  int encodings_ = 0;
};

TEST_F(SiteImages, KeepBoxOnKeepsATargetInsideItsBand) {
  const struct {
    const char* what;
    bool known;
    std::uint8_t mode;
    int64_t size;
    bool kept;
  } cases[] = {
      {"thumbnail of 2700 bytes within 2560 +- 512", true, kSiteThumbMode, 2700, true},
      {"thumbnail of 3100 bytes", true, kSiteThumbMode, 3100, false},
      {"photo of 41.5 KB within 40 +- 2 KB", true, kSitePhotoMode, 41 * 1024 + 512, true},
      {"photo of 43 KB", true, kSitePhotoMode, 43 * 1024, false},
      {"a photo the checker does not know", false, kSiteThumbMode, 2700, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scan(c.known);
    PlaceTarget(c.size);
    EXPECT_TRUE(Make(c.mode));
    EXPECT_EQ(TargetKept(c.size), c.kept);
    EXPECT_EQ(encodings_ == 0, c.kept);
  }
}

TEST_F(SiteImages, AMissingTargetIsMadeFromTheProjectsQualityAndARepeatKeepsTheFile) {
  Scan(true);
  project_.TbCompression = 5;  // quality 95: far too large for 2560 bytes
  const THtmlProject settings = project_;
  EXPECT_TRUE(Make(kSiteThumbMode));
  platform::JpegReader reader;
  ASSERT_TRUE(reader.OpenFile(Target()));
  EXPECT_EQ(reader.Width(), 100);
  EXPECT_EQ(reader.Height(), 75);
  EXPECT_GT(encodings_, 1);
  // What the search came to stays with this image: the next one starts
  // from the project's settings again.
  EXPECT_EQ(project_.TbCompression, settings.TbCompression);
  EXPECT_EQ(project_.ThumbQualityStep, settings.ThumbQualityStep);
  // The search ended inside the band: next time the thumbnail stays.
  const int64_t size = DosFunc::GetFileSize64(Target());
  ASSERT_TRUE(size >= 2560 - 512 && size <= 2560 + 512) << size;
  fs::last_write_time(Target(), kOld);
  EXPECT_TRUE(Make(kSiteThumbMode));
  EXPECT_EQ(encodings_, 0);
  // A photo that counts as changed is searched again, into the same bytes:
  // the file keeps its date.
  Scan(false);
  EXPECT_TRUE(Make(kSiteThumbMode));
  EXPECT_GT(encodings_, 1);
  EXPECT_EQ(DosFunc::GetFileSize64(Target()), size);
  EXPECT_EQ(fs::last_write_time(Target()), kOld);
}

TEST_F(SiteImages, KeepBoxOffReplacesOnlyBySizeTakenUnsigned) {
  project_.KeepTbMaxSize = false;
  Scan(true);
  // What the trial comes out as.
  ASSERT_TRUE(Make(kSiteThumbMode));
  const int64_t trial = DosFunc::GetFileSize64(Target());
  const struct {
    const char* what;
    int64_t target;
    bool kept;
  } cases[] = {
      {"trial 1500 bytes smaller: dropped", trial + 1500, true},
      {"trial 2048 bytes smaller: dropped", trial + 2048, true},
      {"trial 2049 bytes smaller: replaces", trial + 2049, false},
      {"trial 10 bytes larger: replaces", trial - 10, false},
      {"trial of the same size: dropped", trial, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PlaceTarget(c.target);
    EXPECT_TRUE(Make(kSiteThumbMode));
    EXPECT_EQ(TargetKept(c.target), c.kept);
    if (!c.kept) {
      EXPECT_EQ(DosFunc::GetFileSize64(Target()), trial);
    }
    EXPECT_FALSE(fs::exists(Target() + GalleryLayout::kTrialExt));
  }
}

TEST_F(SiteImages, FailuresLeaveTheTarget) {
  Scan(true);
  PlaceTarget(2700);
  project_.TbMaxSize = "25x0";
  EXPECT_FALSE(Make(kSiteThumbMode));
  EXPECT_TRUE(TargetKept(2700));
  project_.TbMaxSize = "2560";
  project_.KeepTbMaxSize = false;
  WriteFileBytes(photos_.File("broken.jpg"), "no JPEG");
  EXPECT_FALSE(Make(kSiteThumbMode, 1, photos_.File("broken.jpg")));
  EXPECT_TRUE(TargetKept(2700));
  EXPECT_FALSE(fs::exists(Target() + GalleryLayout::kTrialExt));
}

// The mean difference of two pictures of one size, per colour value.
double Difference(const platform::Bitmap& a, const platform::Bitmap& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 255;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(a.pixels[i] - b.pixels[i]);
  return sum / static_cast<double>(a.pixels.size());
}

platform::Bitmap Decoded(const std::string& path) {
  platform::JpegReader decoder;
  platform::Bitmap picture;
  EXPECT_TRUE(decoder.OpenFile(path) && decoder.Decode(picture)) << path;
  return picture;
}

TEST_F(SiteImages, AreUprightForTurnedPhotosAndTheirThumbnails) {
  for (const char* name : {"orientation_landscape_3.jpg", "orientation_portrait_6.jpg"}) {
    SCOPED_TRACE(name);
    photo_ = testsupport::CopyPhoto(name, photos_);
    Scan(false);
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(photo_));
    const int orientation = reader.GetOrientation();
    const std::string thumbnail = out_.File("thumbnail.jpg");
    ASSERT_TRUE(JPegUtils::ExtractThumbnail(reader, thumbnail));
    fs::remove(Target());
    ASSERT_TRUE(Make(kSitePhotoMode, orientation, photo_));
    const platform::Bitmap photo = Decoded(Target());
    EXPECT_EQ(photo.width, orientation == 6 ? 319 : 566);
    // The bright sky is at the top: the top rows outshine the bottom ones.
    double top = 0, bottom = 0;
    const size_t row = size_t(photo.width) * 3, rows = size_t(photo.height) / 4;
    for (size_t i = 0; i < row * rows; ++i) top += photo.pixels[i];
    for (size_t i = photo.pixels.size() - row * rows; i < photo.pixels.size(); ++i) bottom += photo.pixels[i];
    EXPECT_GT(top, bottom * 1.15);

    // The thumbnail is the middle of the upright photo, not of one on its
    // side or its head.
    fs::remove(Target());
    ASSERT_TRUE(Make(kSiteThumbMode, orientation, thumbnail));
    const platform::Bitmap cut = Decoded(Target());
    platform::Bitmap middle = photo;
    ConvertJPeg::FillBitmap(middle, 100, 75);
    platform::Bitmap turned = middle;
    Orientation::TurnUpright(turned, 3);
    EXPECT_LT(Difference(cut, middle), 20);
    EXPECT_GT(Difference(cut, turned), 2 * Difference(cut, middle));
  }
}

TEST(GalleryLayout, NamesLowerCaseTheFileNameOnly) {
  EXPECT_EQ(GalleryLayout::PageFileName(1), "page0001.htm");
  EXPECT_EQ(GalleryLayout::PageFileName(12345), "page12345.htm");
  EXPECT_EQ(GalleryLayout::ThumbnailName("/Fotky/ŠUMAVA.JPG"), "th_šumava.jpg");
  EXPECT_EQ(GalleryLayout::SitePhotoName("IMG_1.JPG"), "img_1.jpg");
  EXPECT_EQ(GalleryLayout::ExifPageName("IMG_1.JPG"), "exif_img_1.htm");
  EXPECT_EQ(GalleryLayout::PhotoPageName("A.b.JPG"), "a.b.htm");
  EXPECT_EQ(GalleryLayout::OutputPath("/Web/Trip/", "th", "th_a.jpg"), "/Web/Trip/th/th_a.jpg");
}

}  // namespace
