#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// A JPEG of one solid colour made with libjpeg directly, in any of its input
// colour spaces; jpegSpace picks the stored one (YCCK from CMYK input).
std::string SolidJpeg(JDIMENSION width, JDIMENSION height, J_COLOR_SPACE inSpace,
                      J_COLOR_SPACE jpegSpace, const std::vector<unsigned char>& colour,
                      bool adobeMarker = true) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = static_cast<int>(colour.size());
  cinfo.in_color_space = inSpace;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, jpegSpace);
  cinfo.write_Adobe_marker = adobeMarker;
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row;
  for (JDIMENSION x = 0; x < width; ++x) {
    row.insert(row.end(), colour.begin(), colour.end());
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&cinfo, &rowPointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

// A picture with some detail, so that quality changes the file size.
platform::Bitmap Pattern(int width, int height) {
  platform::Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.pixels.push_back(static_cast<std::uint8_t>(x * 7 + y));
      bitmap.pixels.push_back(static_cast<std::uint8_t>((x ^ y) * 13));
      bitmap.pixels.push_back(static_cast<std::uint8_t>(y * 5));
    }
  }
  return bitmap;
}

bool DecodeBytes(const std::string& bytes, platform::Bitmap& out, int minWidth = 0,
                 int minHeight = 0) {
  platform::JpegReader reader;
  return reader.OpenData(bytes.data(), bytes.size()) && reader.Decode(out, minWidth, minHeight);
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(JpegReader, ConvertsEveryColourSpaceToRgb) {
  struct ColourCase {
    const char* name;
    J_COLOR_SPACE inSpace, jpegSpace;
    std::vector<unsigned char> stored;
    bool adobeMarker;
    int red, green, blue;
  };
  const ColourCase cases[] = {
      {"grey", JCS_GRAYSCALE, JCS_GRAYSCALE, {128}, false, 128, 128, 128},
      {"rgb", JCS_RGB, JCS_YCbCr, {200, 40, 90}, false, 200, 40, 90},
      // An Adobe marker means inverted CMYK: 255 is no ink.
      {"adobe cmyk", JCS_CMYK, JCS_CMYK, {255, 0, 0, 255}, true, 255, 0, 0},
      {"adobe ycck", JCS_CMYK, JCS_YCCK, {255, 0, 0, 255}, true, 255, 0, 0},
      // Without it the values are plain ink amounts: full cyan.
      {"plain cmyk", JCS_CMYK, JCS_CMYK, {255, 0, 0, 0}, false, 0, 255, 255},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform::Bitmap picture;
    ASSERT_TRUE(DecodeBytes(SolidJpeg(24, 16, c.inSpace, c.jpegSpace, c.stored, c.adobeMarker),
                            picture));
    ASSERT_EQ(picture.width, 24);
    ASSERT_EQ(picture.height, 16);
    ASSERT_EQ(picture.pixels.size(), 24u * 16 * 3);
    const std::size_t centre = (8 * 24 + 12) * 3;
    EXPECT_NEAR(picture.pixels[centre], c.red, 6);
    EXPECT_NEAR(picture.pixels[centre + 1], c.green, 6);
    EXPECT_NEAR(picture.pixels[centre + 2], c.blue, 6);
  }
}

TEST(JpegReader, ScalesTheDecodeDownOnlyAsFarAsTheMinimumAllows) {
  const std::string bytes = SolidJpeg(800, 600, JCS_RGB, JCS_YCbCr, {10, 20, 30});
  struct ScaleCase {
    int minWidth, minHeight, width, height;
  };
  const ScaleCase cases[] = {
      {0, 0, 800, 600},   {100, 75, 100, 75},  {101, 75, 200, 150},
      {100, 76, 200, 150}, {400, 300, 400, 300}, {401, 300, 800, 600},
      {1000, 50, 800, 600},
  };
  for (const ScaleCase& c : cases) {
    platform::Bitmap picture;
    ASSERT_TRUE(DecodeBytes(bytes, picture, c.minWidth, c.minHeight));
    EXPECT_EQ(picture.width, c.width) << c.minWidth << "x" << c.minHeight;
    EXPECT_EQ(picture.height, c.height) << c.minWidth << "x" << c.minHeight;
  }
}

TEST(JpegReader, DamagedStreamsFail) {
  const std::string good = ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg"));
  const std::size_t scan = good.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  std::string markerInData = good;
  markerInData.replace(scan + (good.size() - scan) / 2, 2, "\xFF\xD9");

  const std::string damaged[] = {
      "",
      "not a jpeg at all",
      good.substr(0, scan / 2),             // cut in the header
      good.substr(0, good.size() / 2),      // cut in the picture data
      good.substr(0, good.size() - 2),      // only the end marker missing
      markerInData,                         // data segment ends early
  };
  for (const std::string& bytes : damaged) {
    platform::Bitmap picture;
    EXPECT_FALSE(DecodeBytes(bytes, picture)) << bytes.size() << " bytes";
    EXPECT_TRUE(picture.pixels.empty());
  }
  platform::Bitmap picture;
  EXPECT_TRUE(DecodeBytes(good, picture));
}

TEST(JpegReader, HostileSizesAreRefused) {
  std::string bytes = SolidJpeg(16, 16, JCS_RGB, JCS_YCbCr, {1, 2, 3});
  const std::size_t frame = bytes.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  // SOF0: marker, length (2), precision (1), height (2), width (2).
  auto setSize = [&](unsigned width, unsigned height) {
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xFF);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xFF);
  };
  setSize(60000, 60000);  // beyond the pixel bound: refused before decoding
  platform::JpegReader tooLarge;
  EXPECT_FALSE(tooLarge.OpenData(bytes.data(), bytes.size()));
  EXPECT_EQ(tooLarge.Width(), 0);

  setSize(16000, 16000);  // allowed, but the data run out at once
  platform::JpegReader allowed;
  ASSERT_TRUE(allowed.OpenData(bytes.data(), bytes.size()));
  EXPECT_EQ(allowed.Width(), 16000);
  platform::Bitmap picture;
  EXPECT_FALSE(allowed.Decode(picture));
  EXPECT_TRUE(picture.pixels.empty());
}

TEST(JpegReader, FilesAndOneDecodePerReader) {
  platform::JpegReader missing;
  EXPECT_FALSE(missing.OpenFile("/nonexistent/photo.jpg"));
  platform::Bitmap picture;
  EXPECT_FALSE(missing.Decode(picture));

  platform::JpegReader reader;
  ASSERT_TRUE(reader.OpenFile(testsupport::PhotoPath("nikon-e950.jpg")));
  EXPECT_EQ(reader.Width(), 800);
  EXPECT_EQ(reader.Height(), 600);
  EXPECT_TRUE(reader.Decode(picture, 100, 75));
  EXPECT_EQ(picture.width, 100);
  EXPECT_FALSE(reader.Decode(picture));
}

TEST(JpegReader, RefusesAPipeWithoutWaitingForAWriter) {
  TempDir dir;
  const std::string pipe = dir.File("pipe.jpg");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  auto opened = std::async(std::launch::async, [&] {
    platform::JpegReader reader;
    return reader.OpenFile(pipe);
  });
  const bool waited = opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout;
  if (waited) {
    // Let a stalled open finish, so that the test ends either way.
    const int writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
      close(writer);
    }
  }
  EXPECT_FALSE(waited);
  EXPECT_FALSE(opened.get());
}

TEST(WriteJpegFile, WritesWhatReadsBack) {
  TempDir dir;
  const std::string path = dir.File("out.jpg");
  ASSERT_TRUE(platform::WriteJpegFile(Pattern(120, 90), path, 90));
  platform::JpegReader reader;
  ASSERT_TRUE(reader.OpenFile(path));
  EXPECT_EQ(reader.Width(), 120);
  EXPECT_EQ(reader.Height(), 90);
  EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"out.jpg"});

  ASSERT_TRUE(platform::WriteJpegFile(Pattern(120, 90), path, 90, true));
  const std::string progressive = ReadFileBytes(path);
  EXPECT_NE(progressive.find("\xFF\xC2"), std::string::npos);
  platform::Bitmap picture;
  EXPECT_TRUE(DecodeBytes(progressive, picture));
}

TEST(EncodeJpeg, GivesTheBytesTheFileWriterSaves) {
  TempDir dir;
  const std::string path = dir.File("out.jpg");
  for (const int quality : {1, 50, 100}) {
    for (const bool progressive : {false, true}) {
      SCOPED_TRACE(quality);
      ASSERT_TRUE(platform::WriteJpegFile(Pattern(97, 61), path, quality, progressive, "note"));
      std::string memory = "stale";
      ASSERT_TRUE(platform::EncodeJpeg(Pattern(97, 61), quality, memory, progressive, "note"));
      EXPECT_TRUE(memory == ReadFileBytes(path));
    }
  }
  std::string out = "stale";
  EXPECT_FALSE(platform::EncodeJpeg(platform::Bitmap(), 80, out));
  EXPECT_TRUE(out.empty());
  platform::Bitmap inconsistent = Pattern(10, 10);
  inconsistent.pixels.pop_back();
  EXPECT_FALSE(platform::EncodeJpeg(inconsistent, 80, out));
}

TEST(WriteJpegFile, CommentIsReadBackOnlyWhenAskedFor) {
  TempDir dir;
  const std::string path = dir.File("noted.jpg");
  const std::string note = "made from 12345 bytes, \xC4\x8D" "as 1700000000.5";
  ASSERT_TRUE(platform::WriteJpegFile(Pattern(40, 30), path, 90, false, note));
  platform::JpegReader kept;
  kept.KeepComments();
  ASSERT_TRUE(kept.OpenFile(path));
  EXPECT_EQ(kept.Comment(), note);
  platform::Bitmap picture;
  EXPECT_TRUE(kept.Decode(picture));

  platform::JpegReader plain;
  ASSERT_TRUE(plain.OpenFile(path));
  EXPECT_EQ(plain.Comment(), "");

  ASSERT_TRUE(platform::WriteJpegFile(Pattern(40, 30), path, 90));
  platform::JpegReader none;
  none.KeepComments();
  ASSERT_TRUE(none.OpenFile(path));
  EXPECT_EQ(none.Comment(), "");

  EXPECT_FALSE(platform::WriteJpegFile(Pattern(40, 30), path, 90, false,
                                       std::string(platform::kMaxJpegComment + 1, 'x')));
  EXPECT_TRUE(platform::WriteJpegFile(Pattern(40, 30), path, 90, false,
                                      std::string(platform::kMaxJpegComment, 'x')));
  platform::JpegReader longest;
  longest.KeepComments();
  ASSERT_TRUE(longest.OpenFile(path));
  EXPECT_EQ(longest.Comment(), std::string(platform::JpegReader::kMaxComment, 'x'));
}

TEST(WriteJpegFile, QualitySetsTheCompression) {
  TempDir dir;
  const platform::Bitmap pattern = Pattern(160, 120);
  ASSERT_TRUE(platform::WriteJpegFile(pattern, dir.File("low.jpg"), 10));
  ASSERT_TRUE(platform::WriteJpegFile(pattern, dir.File("high.jpg"), 95));
  ASSERT_TRUE(platform::WriteJpegFile(pattern, dir.File("zero.jpg"), 0));  // taken as 1
  EXPECT_LT(fs::file_size(dir.File("low.jpg")) * 2, fs::file_size(dir.File("high.jpg")));
  EXPECT_LT(fs::file_size(dir.File("zero.jpg")), fs::file_size(dir.File("low.jpg")));
}

TEST(WriteJpegFile, ReplacesOnlyWhatItMayAndKeepsPermissions) {
  TempDir dir;
  const platform::Bitmap pattern = Pattern(32, 32);
  const std::string shared = dir.File("shared.jpg");
  WriteFileBytes(shared, "old");
  ASSERT_EQ(chmod(shared.c_str(), 0640), 0);
  ASSERT_TRUE(platform::WriteJpegFile(pattern, shared, 80));
  struct stat st {};
  ASSERT_EQ(stat(shared.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  const std::string readOnly = dir.File("readonly.jpg");
  WriteFileBytes(readOnly, "keep me");
  ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
  EXPECT_FALSE(platform::WriteJpegFile(pattern, readOnly, 80));
  EXPECT_EQ(ReadFileBytes(readOnly), "keep me");

  fs::create_directory(dir.File("folder.jpg"));
  EXPECT_FALSE(platform::WriteJpegFile(pattern, dir.File("folder.jpg"), 80));
  EXPECT_FALSE(platform::WriteJpegFile(pattern, dir.File("missing/out.jpg"), 80));

  platform::Bitmap inconsistent = pattern;
  inconsistent.pixels.pop_back();
  EXPECT_FALSE(platform::WriteJpegFile(inconsistent, dir.File("bad.jpg"), 80));
  EXPECT_FALSE(platform::WriteJpegFile(platform::Bitmap{}, dir.File("empty.jpg"), 80));

  std::vector<std::string> names = FolderNames(dir.Path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"folder.jpg", "readonly.jpg", "shared.jpg"}));
}

TEST(WriteJpegFile, FailedWriteLeavesTheOldFileAndNoPartialOne) {
  TempDir dir;
  const std::string path = dir.File("photo.jpg");
  WriteFileBytes(path, "complete old photo");
  {
    testsupport::ScopedFileSizeLimit limit(4096);
    EXPECT_FALSE(platform::WriteJpegFile(Pattern(400, 400), path, 95));
  }
  EXPECT_EQ(ReadFileBytes(path), "complete old photo");
  EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"photo.jpg"});
}

}  // namespace
