// Re-encoding to a target size: the same bytes as a file-by-file encoding,
// the quality search over its edge cases and its ends, what goes back into
// the settings, and an unchanged result keeping its file.
#include "gallery/generate/TargetSize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "metadata/ConvertJPeg.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using JPegUtils::kSitePhotoMode;
using JPegUtils::kSiteThumbMode;
using JPegUtils::TCompressSettings;
using testsupport::ReadFileBytes;

constexpr char kPhoto[] = "gps_DSCN0010.jpg";

// The sizes of every quality's encoding of the photo for mode, by quality.
std::vector<int64_t> SizesByQuality(std::uint8_t mode) {
  platform::Bitmap picture;
  EXPECT_TRUE(ConvertJPeg::LoadForMode(testsupport::PhotoPath(kPhoto), mode, 0, 0, 1, picture));
  std::vector<int64_t> sizes(100, -1);
  std::string jpeg;
  for (int q = 1; q <= 99; ++q) sizes[size_t(q)] = JPegUtils::SaveWithQuality(picture, q, jpeg);
  return sizes;
}

struct TRun {
  bool ok = false;
  std::vector<int> qualities;  // tried, in order
  std::vector<std::string> what;
  TCompressSettings after;
  int64_t size = -1;
};

class TargetSize : public ::testing::Test {
 protected:
  TRun Compress(TCompressSettings settings, std::uint8_t mode = kSiteThumbMode) {
    TRun run;
    const JPegUtils::TCompressInfo info = [&run](const std::string& what, const std::string& level) {
      run.what.push_back(what);
      if (!level.empty()) run.qualities.push_back(100 - std::stoi(level.substr(level.rfind(' '))));
    };
    run.ok = JPegUtils::CompressToTargetSize(testsupport::PhotoPath(kPhoto), Target(), mode, 1,
                                             settings, info);
    run.after = settings;
    run.size = DosFunc::GetFileSize64(Target());
    return run;
  }
  std::string Target() const { return dir_.File("th_out.jpg"); }

  testsupport::TempDir dir_;
};

TEST_F(TargetSize, WritesTheBytesOfAFileByFileEncoding) {
  for (const std::uint8_t mode : {kSitePhotoMode, kSiteThumbMode}) {
    for (const int quality : {1, 55, 99}) {
      SCOPED_TRACE(quality);
      ASSERT_TRUE(Compress({100 - quality, false, "40", "2", 10}, mode).ok);
      const std::string reference = dir_.File("reference.jpg");
      ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(testsupport::PhotoPath(kPhoto), reference, mode, 0,
                                               0, static_cast<std::uint8_t>(quality)));
      EXPECT_TRUE(ReadFileBytes(Target()) == ReadFileBytes(reference));
    }
  }
}

TEST_F(TargetSize, SearchesTheQualityAndEndsAtEveryEdge) {
  const std::vector<int64_t> sizes = SizesByQuality(kSiteThumbMode);
  // The widest gap between two neighbouring qualities above 30.
  int gap = 31;
  for (int q = 31; q < 98; ++q)
    if (sizes[size_t(q + 1)] - sizes[size_t(q)] > sizes[size_t(gap + 1)] - sizes[size_t(gap)]) gap = q;
  const int64_t inGap = (sizes[size_t(gap)] + sizes[size_t(gap + 1)]) / 2;
  ASSERT_GT(sizes[size_t(gap + 1)] - sizes[size_t(gap)], 2);
  const auto text = [](int64_t value) { return std::to_string(value); };

  const struct {
    const char* what;
    TCompressSettings settings;
    std::vector<int> firstTried;  // the qualities tried first
    int quality;                  // the last one, whose encoding stays
    int maxTries;
  } cases[] = {
      {"keep box off: one encoding", {25, false, "1", "0", 6}, {75}, 75, 1},
      {"inside the band at once", {25, true, text(sizes[75]), "0", 6}, {75}, 75, 1},
      {"between two neighbouring qualities: the direction changes once the step is 1",
       {100 - 75, true, text(inGap), "0", 10}, {75}, -1, 14},
      {"too large even at 1", {25, true, "1", "0", 6}, {75, 69, 63}, 1, 20},
      {"too small even at 99", {25, true, "100000000", "0", 6}, {75, 81, 87}, 99, 5},
      {"position 100 is quality 1", {100, false, "1", "0", 6}, {1}, 1, 1},
      {"position 0 is quality 99", {0, false, "1", "0", 6}, {99}, 99, 1},
      {"positions beyond the range", {250, false, "1", "0", 6}, {1}, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TRun run = Compress(c.settings);
    ASSERT_TRUE(run.ok);
    ASSERT_GE(run.qualities.size(), c.firstTried.size());
    EXPECT_TRUE(std::equal(c.firstTried.begin(), c.firstTried.end(), run.qualities.begin()));
    EXPECT_LE(run.qualities.size(), size_t(c.maxTries));
    const int last = run.qualities.back();
    if (c.quality != -1) {
      EXPECT_EQ(last, c.quality);
    }
    EXPECT_EQ(run.after.Compression, 100 - last);
    EXPECT_EQ(run.size, sizes[size_t(last)]);
    EXPECT_TRUE(std::all_of(run.qualities.begin(), run.qualities.end(),
                            [](int q) { return q >= 1 && q <= 99; }));
    EXPECT_EQ(run.what.back(), "");
    EXPECT_EQ(run.what.front(), "Komprese th_out");
  }
  // The gap case ends on one side of the gap, after trying both.
  const TRun gapRun = Compress({25, true, text(inGap), "0", 10});
  const size_t n = gapRun.qualities.size();
  ASSERT_GE(n, 2u);
  EXPECT_EQ(std::min(gapRun.qualities[n - 1], gapRun.qualities[n - 2]), gap);
  EXPECT_EQ(std::max(gapRun.qualities[n - 1], gapRun.qualities[n - 2]), gap + 1);
  EXPECT_EQ(gapRun.after.Step, 2);
}

TEST_F(TargetSize, StepsGoBackRaisedToTheirLeastAndFailuresChangeNothing) {
  EXPECT_EQ(Compress({25, false, "1", "0", 1}, kSitePhotoMode).after.Step, 4);
  EXPECT_EQ(Compress({25, false, "1", "0", 1}, kSiteThumbMode).after.Step, 2);
  EXPECT_EQ(Compress({25, false, "1", "0", 9}, kSiteThumbMode).after.Step, 9);

  const std::string before = ReadFileBytes(Target());
  for (const TCompressSettings& bad : {TCompressSettings{25, true, "4O", "2", 10},
                                       TCompressSettings{25, false, "40", "", 10}}) {
    const TRun run = Compress(bad);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.after.Compression, 25);
    EXPECT_EQ(run.after.Step, 10);
    EXPECT_TRUE(ReadFileBytes(Target()) == before);
  }
  TCompressSettings settings{25, false, "40", "2", 10};
  testsupport::WriteFileBytes(dir_.File("bad.jpg"), "no JPEG");
  EXPECT_FALSE(JPegUtils::CompressToTargetSize(dir_.File("bad.jpg"), Target(), kSiteThumbMode, 1,
                                               settings, nullptr));
  EXPECT_TRUE(ReadFileBytes(Target()) == before);
}

TEST_F(TargetSize, AnUnchangedResultKeepsTheFileAndItsDate) {
  ASSERT_TRUE(Compress({25, false, "1", "0", 6}).ok);
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
  fs::last_write_time(Target(), old);
  const auto permissions = fs::status(Target()).permissions();
  ASSERT_TRUE(Compress({25, false, "1", "0", 6}).ok);
  EXPECT_EQ(fs::last_write_time(Target()), old);
  EXPECT_EQ(fs::status(Target()).permissions(), permissions);
  ASSERT_TRUE(Compress({35, false, "1", "0", 6}).ok);
  EXPECT_NE(fs::last_write_time(Target()), old);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_.Path())) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{"th_out.jpg"});
}

}  // namespace
