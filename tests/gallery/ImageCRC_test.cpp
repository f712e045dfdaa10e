#include "gallery/checker/ImageCRC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/Win32CRC.h"
#include "gallery/publish/FTPFileMng.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::CopyPhoto;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

int32_t CrcFrom(const std::string& bytes, size_t start) {
  if (start >= bytes.size()) return -1;
  return static_cast<int32_t>(Win32CRC::BufferCRC32(bytes.data() + start,
                                                    static_cast<int64_t>(bytes.size() - start)));
}

TEST(ImageCRC, JpegCRCSkipsALeadingExifSegment) {
  const std::string body(100, 'b');
  struct Case {
    const char* what;
    std::string bytes;
    int32_t expected;
  };
  const std::string app1 = std::string("\xFF\xD8\xFF\xE1\x00\x20", 6) + body;
  const std::string app0 = std::string("\xFF\xD8\xFF\xE0\x00\x10", 6) + body;
  // A JFIF APP0 of 16 bytes, then an EXIF APP1 of length 0x20.
  const std::string jfif = std::string("\xFF\xD8\xFF\xE0\x00\x10", 6) + std::string(14, 'j');
  const std::string exifApp1 = std::string("\xFF\xE1\x00\x20" "Exif\0\0", 10);
  const std::string jfifApp1 = jfif + exifApp1 + body;
  const std::string jfifXmp = jfif + std::string("\xFF\xE1\x00\x20" "http:/", 10) + body;
  const std::string longerApp0 =
      std::string("\xFF\xD8\xFF\xE0\x00\x11", 6) + std::string(15, 'j') + exifApp1 + body;
  const Case cases[] = {
      {"APP1 first: from L + 5", app1, CrcFrom(app1, 0x20 + 5)},
      {"APP0 first: from 21", app0, CrcFrom(app0, 21)},
      {"JFIF APP0, then APP1: from L + 23", jfifApp1, CrcFrom(jfifApp1, 0x20 + 23)},
      {"JFIF APP0, then an APP1 that is no EXIF: from 21", jfifXmp, CrcFrom(jfifXmp, 21)},
      {"an APP0 of another length, then APP1: from 21", longerApp0, CrcFrom(longerApp0, 21)},
      {"JFIF APP0 cut before the APP1's length: from 21", jfifApp1.substr(0, 22), CrcFrom(jfifApp1.substr(0, 22), 21)},
      {"not a JPEG at all: from 21", "123456" + body, CrcFrom("123456" + body, 21)},
      {"APP1 longer than the file: nothing to sum",
       std::string("\xFF\xD8\xFF\xE1\xFF\xFF", 6) + body, -1},
      {"shorter than six bytes", "\xFF\xD8\xFF", -1},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(dir.File("p.jpg"), c.bytes);
    EXPECT_EQ(ImageCRC::JpegCRC(dir.File("p.jpg")), c.expected);
  }
  EXPECT_EQ(ImageCRC::JpegCRC(dir.File("missing.jpg")), -1);
}

TEST(ImageCRC, ExifEditsDoNotChangeTheChecksumButImageEditsDo) {
  // The EXIF segment first, and after a JFIF segment, where the EXIF writer
  // keeps it.
  const struct {
    const char* photo;
    size_t app1At;
  } cases[] = {{"canon-ixus.jpg", 2}, {"Sony_HDR-HC3.jpg", 20}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.photo);
    TempDir dir;
    const std::string photo = CopyPhoto(c.photo, dir);
    const std::string original = ReadFileBytes(photo);
    ASSERT_EQ(original.substr(c.app1At, 2), "\xFF\xE1");
    const int32_t before = ImageCRC::JpegCRC(photo);
    ASSERT_NE(before, -1);

    // A longer EXIF segment: 40 bytes more before its end, its length raised.
    const size_t at = c.app1At + 2;
    const size_t length = (size_t{static_cast<unsigned char>(original[at])} << 8) |
                          static_cast<unsigned char>(original[at + 1]);
    std::string longer = original;
    longer.insert(at + length, 40, 'e');
    longer[at] = static_cast<char>((length + 40) >> 8);
    longer[at + 1] = static_cast<char>((length + 40) & 0xFF);
    WriteFileBytes(photo, longer);
    EXPECT_EQ(ImageCRC::JpegCRC(photo), before);

    std::string edited = original;
    edited[original.size() - 100] ^= 1;
    WriteFileBytes(photo, edited);
    EXPECT_NE(ImageCRC::JpegCRC(photo), before);
  }
}

// Content whose CRC-32 register ends at 0, as does an empty file's checksum:
// the register itself appended in little-endian order clears it.
std::string ZeroCrcContent(const std::string& prefix) {
  const uint32_t crc = Win32CRC::BufferCRC32(prefix.data(), static_cast<int64_t>(prefix.size()));
  std::string bytes = prefix;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(crc >> (8 * i));
  return bytes;
}

TEST(ImageCRC, ReplaceFileKeepsAnEqualTargetAndReplacesOthers) {
  TempDir dir;
  const std::string target = dir.File("page.htm");
  const std::string fresh = dir.File("page.htm.new_ver");
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);

  WriteFileBytes(target, "same");
  fs::last_write_time(target, old);
  WriteFileBytes(fresh, "same");
  EXPECT_TRUE(ImageCRC::ReplaceFile(fresh, target));
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(fs::last_write_time(target), old);

  WriteFileBytes(fresh, "diff");
  EXPECT_TRUE(ImageCRC::ReplaceFile(fresh, target));
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(ReadFileBytes(target), "diff");

  // Equal checksums but different sizes still replace.
  WriteFileBytes(target, "");
  WriteFileBytes(fresh, ZeroCrcContent("page text"));
  ASSERT_EQ(Win32CRC::FileCRC32(fresh), Win32CRC::FileCRC32(target));
  EXPECT_TRUE(ImageCRC::ReplaceFile(fresh, target));
  EXPECT_EQ(ReadFileBytes(target), ZeroCrcContent("page text"));

  WriteFileBytes(fresh, "first");
  EXPECT_TRUE(ImageCRC::ReplaceFile(fresh, dir.File("new.htm")));
  EXPECT_EQ(ReadFileBytes(dir.File("new.htm")), "first");

  // The same file under both names, or a link to it, is kept.
  fs::create_symlink(target, dir.File("link.htm"));
  EXPECT_TRUE(ImageCRC::ReplaceFile(target, target));
  EXPECT_TRUE(ImageCRC::ReplaceFile(dir.File("link.htm"), target));
  EXPECT_EQ(ReadFileBytes(target), ZeroCrcContent("page text"));

  // A target that cannot be replaced stays as it is.
  fs::create_directories(dir.File("folder.htm/inside"));
  WriteFileBytes(fresh, "x");
  EXPECT_FALSE(ImageCRC::ReplaceFile(fresh, dir.File("folder.htm")));
  EXPECT_TRUE(fs::is_directory(dir.File("folder.htm/inside")));
}

// --- The checker cache ---------------------------------------------------------

struct CacheRecord {
  std::string name;
  uint32_t size;
  int32_t crc;
};

std::vector<CacheRecord> ReadCache(const TempDir& dir) {
  const std::string bytes = ReadFileBytes(dir.File("quillmarsh.cache"));
  EXPECT_EQ(bytes.size() % 176, 0u);
  std::vector<CacheRecord> records;
  for (size_t pos = 0; pos + 176 <= bytes.size(); pos += 176) {
    const auto u32 = [&](size_t at) {
      uint32_t v = 0;
      for (size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[pos + at + i]);
      return v;
    };
    EXPECT_EQ(bytes.substr(pos + 144, 32), std::string(32, '\0'));
    records.push_back({bytes.substr(pos + 1, static_cast<unsigned char>(bytes[pos])), u32(136),
                       static_cast<int32_t>(u32(140))});
  }
  std::sort(records.begin(), records.end(),
            [](const CacheRecord& a, const CacheRecord& b) { return a.name < b.name; });
  return records;
}

const char* const kPhotos[] = {"canon-ixus.jpg", "Fujifilm_FinePix_E500.jpg",
                               "Olympus_C8080WZ.jpg", "Sony_HDR-HC3.jpg"};

// A folder of test photos with a cache in which every photo is done.
class CheckerCache : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* photo : kPhotos) CopyPhoto(photo, dir_);
    WriteFileBytes(dir_.File("notes.txt"), "not a photo");
    WriteFileBytes(dir_.File(".hidden.jpg"), "dot file");
    fs::create_directories(dir_.File("folder.jpg"));
    TJPegChecker checker;
    checker.ScanDirectory(dir_.Path());
    for (const char* photo : kPhotos) {
      EXPECT_TRUE(checker.IsChanged(checker.IndexOf(photo))) << photo;
      checker.ConfirmOutputs(checker.IndexOf(photo));
    }
  }

  // Scans the folder and tells per photo whether it changed, confirming each;
  // with atOnce the checksums are computed for all photos first.
  std::vector<std::string> ChangedPhotos(bool confirm = true, bool atOnce = false) {
    TJPegChecker checker;
    checker.ScanDirectory(dir_.Path());
    if (atOnce) checker.ComputeChecksums();
    std::vector<std::string> changed;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) {
      const std::string name = entry.path().filename();
      const int index = checker.IndexOf(entry.path());
      if (index == -1) continue;
      if (checker.IsChanged(index)) changed.push_back(name);
      if (confirm) checker.ConfirmOutputs(index);
    }
    std::sort(changed.begin(), changed.end());
    return changed;
  }

  TempDir dir_;
};

TEST_F(CheckerCache, RecordsEveryPhotoWithItsSizeAndChecksum) {
  const std::vector<CacheRecord> records = ReadCache(dir_);
  ASSERT_EQ(records.size(), 4u);
  for (const CacheRecord& r : records) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.size, fs::file_size(dir_.File(r.name)));
    EXPECT_EQ(r.crc, ImageCRC::JpegCRC(dir_.File(r.name)));
    EXPECT_NE(r.crc, -1);
  }
  EXPECT_TRUE(ChangedPhotos().empty());
}

TEST_F(CheckerCache, ContentAndSizeChangesCountButTimeDoesNot) {
  std::string bytes = ReadFileBytes(dir_.File("Sony_HDR-HC3.jpg"));
  bytes[bytes.size() - 50] ^= 0x10;
  WriteFileBytes(dir_.File("Sony_HDR-HC3.jpg"), bytes);
  WriteFileBytes(dir_.File("Olympus_C8080WZ.jpg"),
                 ReadFileBytes(dir_.File("Olympus_C8080WZ.jpg")) + "tail");
  fs::last_write_time(dir_.File("canon-ixus.jpg"),
                      fs::file_time_type::clock::now() - std::chrono::hours(1000));
  EXPECT_EQ(ChangedPhotos(true, true), (std::vector<std::string>{"Olympus_C8080WZ.jpg", "Sony_HDR-HC3.jpg"}));
  EXPECT_TRUE(ChangedPhotos(true, true).empty());
}

TEST_F(CheckerCache, UnconfirmedPhotoStaysChanged) {
  std::string bytes = ReadFileBytes(dir_.File("Sony_HDR-HC3.jpg"));
  bytes[bytes.size() - 50] ^= 0x10;
  WriteFileBytes(dir_.File("Sony_HDR-HC3.jpg"), bytes);
  EXPECT_EQ(ChangedPhotos(false), std::vector<std::string>{"Sony_HDR-HC3.jpg"});
  EXPECT_EQ(ChangedPhotos(false), std::vector<std::string>{"Sony_HDR-HC3.jpg"});
  EXPECT_EQ(ChangedPhotos(true), std::vector<std::string>{"Sony_HDR-HC3.jpg"});
  EXPECT_TRUE(ChangedPhotos().empty());
}

TEST_F(CheckerCache, NewPhotoUnconfirmedIsSavedUnknown) {
  CopyPhoto("Kodak_CX7530.jpg", dir_);
  EXPECT_EQ(ChangedPhotos(false), std::vector<std::string>{"Kodak_CX7530.jpg"});
  const std::vector<CacheRecord> records = ReadCache(dir_);
  ASSERT_EQ(records.size(), 5u);
  for (const CacheRecord& r : records) EXPECT_EQ(r.crc == -1, r.name == "Kodak_CX7530.jpg");
}

TEST_F(CheckerCache, RenamedPhotosKeepTheirChecksum) {
  {
    TJPegChecker checker;
    checker.ScanDirectory(dir_.Path());
    fs::rename(dir_.File("canon-ixus.jpg"), dir_.File("20240101_120000.jpg"));
    checker.RenameEntry(dir_.File(" CANON-IXUS.JPG "), dir_.File("20240101_120000.jpg"));
  }
  const std::vector<CacheRecord> records = ReadCache(dir_);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].name, "20240101_120000.jpg");
  EXPECT_EQ(records[0].crc, ImageCRC::JpegCRC(dir_.File("20240101_120000.jpg")));
  EXPECT_TRUE(ChangedPhotos().empty());
}

TEST_F(CheckerCache, RemovedPhotosAreReportedThenDropped) {
  fs::remove(dir_.File("Olympus_C8080WZ.jpg"));
  {
    TJPegChecker checker;
    checker.ScanDirectory(dir_.Path() + "/ ");
    EXPECT_EQ(checker.GetRemovedFiles(false), std::vector<std::string>{"Olympus_C8080WZ.jpg"});
    EXPECT_EQ(checker.GetRemovedFiles(true),
              std::vector<std::string>{dir_.File("Olympus_C8080WZ.jpg")});
    EXPECT_EQ(checker.IndexOf("olympus_c8080wz.jpg"), -1);
  }
  EXPECT_EQ(ReadCache(dir_).size(), 3u);
  TJPegChecker checker;
  checker.ScanDirectory(dir_.Path());
  EXPECT_TRUE(checker.GetRemovedFiles(false).empty());
}

TEST_F(CheckerCache, SameFolderScannedAgainKeepsItsChecksums) {
  TJPegChecker checker;
  checker.ScanDirectory(dir_.Path());
  const int index = checker.IndexOf("Sony_HDR-HC3.jpg");
  EXPECT_FALSE(checker.IsChanged(index));
  std::string bytes = ReadFileBytes(dir_.File("Sony_HDR-HC3.jpg"));
  bytes[bytes.size() - 50] ^= 0x10;
  WriteFileBytes(dir_.File("Sony_HDR-HC3.jpg"), bytes);
  CopyPhoto("Kodak_CX7530.jpg", dir_);
  checker.ScanDirectory("  " + dir_.Path() + " ");
  EXPECT_FALSE(checker.IsChanged(checker.IndexOf("Sony_HDR-HC3.jpg")));
  EXPECT_EQ(checker.IndexOf("Kodak_CX7530.jpg"), -1);
  EXPECT_TRUE(checker.IsChanged(-1));
  EXPECT_TRUE(checker.IsChanged(99));
}

TEST_F(CheckerCache, ScanningAnotherFolderSavesTheFirst) {
  TempDir other;
  CopyPhoto("Kodak_CX7530.jpg", dir_);
  TJPegChecker checker;
  checker.ScanDirectory(dir_.Path());
  checker.ConfirmOutputs(checker.IndexOf("Kodak_CX7530.jpg"));
  checker.ScanDirectory(other.Path());
  EXPECT_EQ(ReadCache(dir_).size(), 5u);
  EXPECT_EQ(checker.IndexOf("Kodak_CX7530.jpg"), -1);
}

TEST_F(CheckerCache, DamagedCacheRecordsAreDropped) {
  std::string bytes = ReadFileBytes(dir_.File("quillmarsh.cache"));
  std::string crafted(176, '\0');
  crafted.replace(0, 5, std::string("\x04../x", 5));
  std::string tooLong(176, 'L');
  tooLong[0] = static_cast<char>(200);  // length beyond the field
  bytes += crafted + tooLong + std::string(100, 'p');  // and a partial record
  WriteFileBytes(dir_.File("quillmarsh.cache"), bytes);
  TJPegChecker checker;
  checker.ScanDirectory(dir_.Path());
  EXPECT_EQ(checker.GetRemovedFiles(false), std::vector<std::string>{std::string(127, 'L')});
  for (const char* photo : kPhotos) EXPECT_FALSE(checker.IsChanged(checker.IndexOf(photo)));
}

TEST_F(CheckerCache, SaveReplacesTheCacheWholeAndALinkAsALink) {
  const std::string saved = ReadFileBytes(dir_.File("quillmarsh.cache"));
  CopyPhoto("Kodak_CX7530.jpg", dir_);
  {
    // The new cache (five records) does not fit: the old one stays whole.
    testsupport::ScopedFileSizeLimit limit(saved.size() + 10);
    ChangedPhotos();
  }
  EXPECT_EQ(ReadFileBytes(dir_.File("quillmarsh.cache")), saved);

  // A link named like the cache is replaced, never written through; one to a
  // device reads as no cache.
  TempDir outside;
  WriteFileBytes(outside.File("victim"), "keep me");
  fs::remove(dir_.File("quillmarsh.cache"));
  fs::create_symlink("/dev/zero", dir_.File("quillmarsh.cache"));
  EXPECT_EQ(ChangedPhotos().size(), 5u);
  EXPECT_FALSE(fs::is_symlink(dir_.File("quillmarsh.cache")));
  fs::remove(dir_.File("quillmarsh.cache"));
  fs::create_symlink(outside.File("victim"), dir_.File("quillmarsh.cache"));
  ChangedPhotos();
  EXPECT_EQ(ReadFileBytes(outside.File("victim")), "keep me");
  EXPECT_FALSE(fs::is_symlink(dir_.File("quillmarsh.cache")));
  EXPECT_EQ(ReadCache(dir_).size(), 5u);
}

// Both caches have a record type of the same name; one program holds both.
TEST(ImageCRCChecker, CheckerAndFtpCacheRecordsLiveInOneProgram) {
  TempDir dir;
  CopyPhoto("canon-ixus.jpg", dir);
  TFTPDirectoryManager published;
  published.ScanLocal(dir.Path());
  ASSERT_EQ(published.Entries().size(), 1u);
  const FTPFileMng::TCheckerField& sent = published.Entries()[0];
  {
    TJPegChecker checker;
    checker.ScanDirectory(dir.Path());
    EXPECT_TRUE(checker.IsChanged(checker.IndexOf(sent.name)));
    checker.ConfirmOutputs(checker.IndexOf(sent.name));
  }
  const std::vector<ImageCRC::TCheckerField> cached =
      ImageCRC::ReadCacheFile(dir.File(ImageCRC::kCacheName));
  ASSERT_EQ(cached.size(), 1u);
  EXPECT_EQ(cached[0].name, sent.name);
  EXPECT_EQ(cached[0].crc, ImageCRC::JpegCRC(dir.File(sent.name)));
  EXPECT_EQ(sent.crc, Win32CRC::FileCRC32(dir.File(sent.name)));
}

TEST(ImageCRCChecker, UnwritableOrUnsetFolderSavesNothing) {
  TJPegChecker idle;
  idle.SaveCache();
  EXPECT_EQ(idle.IndexOf("x.jpg"), -1);
  EXPECT_TRUE(idle.GetRemovedFiles(true).empty());

  TempDir dir;
  TJPegChecker missing;
  missing.ScanDirectory(dir.File("gone"));
  missing.SaveCache();
  EXPECT_FALSE(fs::exists(dir.File("gone")));

  // A blank folder is no folder: nothing lands in the working folder.
  const fs::path previous = fs::current_path();
  fs::current_path(dir.Path());
  {
    TJPegChecker blank;
    blank.ScanDirectory("  ");
  }
  fs::current_path(previous);
  EXPECT_FALSE(fs::exists(dir.File("quillmarsh.cache")));
}

}  // namespace
