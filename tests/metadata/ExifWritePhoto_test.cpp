// Saving edits into whole photos: a photo without EXIF, saves without edits,
// leftovers of earlier runs and the camera's special mode.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <atomic>
#include <functional>
#include <chrono>
#include <memory>
#include <thread>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "platform/FileSystem.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::At;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

uint64_t InodeOf(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return uint64_t(st.st_ino);
}

class ExifWritePhoto : public ::testing::Test {
 protected:
  testsupport::ScopedHome home_;
  TempDir dir_;
};

TEST_F(ExifWritePhoto, PhotoWithoutExifGetsTheMinimalSegmentFirst) {
  const std::string stripped = dir_.File("stripped.jpg");
  const std::string strip = "exiftool -q -all= -o '" + stripped + "' '" +
                            testsupport::PhotoPath("Canon_40D.jpg") + "'";
  ASSERT_EQ(std::system(strip.c_str()), 0);
  const std::string body = ReadFileBytes(stripped).substr(2);
  const std::string jfif("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
  for (const bool withJfif : {false, true}) {
    SCOPED_TRACE(withJfif ? "JFIF" : "plain");
    const std::string photo = dir_.File(withJfif ? "jfif.jpg" : "plain.jpg");
    WriteFileBytes(photo, "\xFF\xD8" + (withJfif ? jfif : std::string()) + body);
    const auto time = fs::last_write_time(photo);
    const TDateTime fileDate = DosFunc::GetFileDateTime(photo);
    TExifReader reader;
    EXPECT_FALSE(reader.ReadFromFile(photo));
    reader.SetUserComment("first words");
    ASSERT_TRUE(reader.SaveChanges());

    ASSERT_TRUE(reader.HasExif());
    EXPECT_EQ(reader.Values().userComment, "first words");
    EXPECT_EQ(reader.Values().dateTime, fileDate);
    EXPECT_EQ(reader.Values().dateTimeOriginal, fileDate);
    EXPECT_EQ(reader.Values().dateTimeDigitized, fileDate);
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(exif::GetJpegPixelSize(photo, width, height));
    EXPECT_EQ(reader.Values().pixelXDimension, width);
    EXPECT_EQ(reader.Values().pixelYDimension, height);
    EXPECT_EQ(fs::last_write_time(photo), time);
    // The photo's own segments follow the new one unchanged.
    const std::string now = ReadFileBytes(photo);
    const std::string rest = (withJfif ? jfif : std::string()) + body;
    EXPECT_EQ(now.substr(now.size() - rest.size()), rest);
  }
}

// A GPS IFD the program makes carries GPSVersionID 2.2.0.0, as readers
// require of one: in a photo without EXIF, without GPS, or with a GPS IFD
// that held no position and is replaced. A GPS IFD with a position keeps its
// own version.
TEST_F(ExifWritePhoto, ANewGpsIfdNamesItsVersion) {
  const struct {
    const char* what;
    const char* photo;
    const char* exiftool;  // what is done to the copy first
    const char* version;
  } cases[] = {
      {"no EXIF", "Canon_40D.jpg", "-all=", "2 2 0 0"},
      {"no GPS", "Canon_40D.jpg", "", "2 2 0 0"},
      {"ICC before EXIF", "orientation_portrait_6.jpg", "", "2 2 0 0"},
      {"no position", "Canon_40D.jpg", "-GPSAltitude=100 -GPSLatitude=10 -GPSVersionID='2 3 0 0'",
       "2 2 0 0"},
      {"own version", "gps_DSCN0010.jpg", "-GPSVersionID='2 3 0 0'", "2 3 0 0"},
  };
  const std::string missing = "Missing required JPEG GPS tag 0x0000 GPSVersionID";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string photo = testsupport::CopyPhoto(c.photo, dir);
    if (*c.exiftool != '\0') {
      ASSERT_EQ(testsupport::Exiftool(std::string("-q -q -overwrite_original ") + c.exiftool, photo),
                "");
    }
    TExifReader reader;
    reader.ReadFromFile(photo);
    reader.SetLatitude(49, 12, true, 12.5);
    reader.SetLongitude(16, 35, true, 30.0);
    ASSERT_TRUE(reader.SaveChanges());
    EXPECT_EQ(reader.GetLatitudeText(), "49.203472");
    EXPECT_EQ(testsupport::Exiftool("-GPSVersionID", photo), std::string(c.version) + "\n");
    EXPECT_EQ(exifwrite::ValidationWarnings(photo).count(missing), 0u);
  }
}

// The segment file a killed rebuild left in the temporary folder holds a
// photo's EXIF and position: the next save takes it away, also one done in
// place, also one that fails.
TEST_F(ExifWritePhoto, TheWorkSegmentAKilledSaveLeftGoesWithTheNextSave) {
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "a save that fails" : "a save in place");
    TempDir dir;
    const std::string photo = testsupport::CopyPhoto("gps_DSCN0010.jpg", dir);
    if (readOnly) {
      ASSERT_EQ(chmod(photo.c_str(), 0444), 0);
    }
    const std::string work = StrFunc::GetTempDir() + exif::kWorkFileName;
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(photo));
    ASSERT_TRUE(reader.ExportExifSegment(work));
    reader.SetDateTimeOriginal(At(2021, 1, 2, 3, 4, 5));
    EXPECT_EQ(reader.SaveChanges(), !readOnly);
    EXPECT_FALSE(fs::exists(work));
  }
}

TEST_F(ExifWritePhoto, SaveWithoutEditsTouchesOnlyThePixelSize) {
  for (const std::string& name : exifwrite::ExifPhotos()) {
    SCOPED_TRACE(name);
    const std::string photo = testsupport::CopyPhoto(name, dir_);
    const std::string before = ReadFileBytes(photo);
    const auto time = fs::last_write_time(photo);
    TExifReader reader;
    ASSERT_TRUE(reader.ReadFromFile(photo));
    const int32_t xPos = reader.Values().pixelXPos, yPos = reader.Values().pixelYPos;
    ASSERT_TRUE(reader.SaveChanges());
    std::string after = ReadFileBytes(photo);
    ASSERT_EQ(after.size(), before.size());
    for (const int32_t pos : {xPos, yPos})
      if (pos >= 1) after.replace(size_t(pos), 4, before, size_t(pos), 4);
    EXPECT_TRUE(after == before);
    EXPECT_EQ(fs::last_write_time(photo), time);

    const std::string settled = ReadFileBytes(photo);
    ASSERT_TRUE(reader.SaveChanges());
    EXPECT_TRUE(ReadFileBytes(photo) == settled);
    fs::remove(photo);
  }
}

// A file under the photo's work-file name is what a killed write left there
// (a link is removed as a link); the next write of the photo, in place or
// rebuilt, takes it away.
TEST_F(ExifWritePhoto, LeftoverBesideThePhotoGoesWithTheNextWrite) {
  const std::string photo = testsupport::CopyPhoto("Nikon_D70.jpg", dir_);
  const std::string leftover = photo + exif::kNewPhotoSuffix;
  const std::string elsewhere = dir_.File("elsewhere.txt");
  WriteFileBytes(elsewhere, "not a work file");
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  struct Case {
    const char* name;
    bool link;
    std::function<void()> edit;
  };
  const Case cases[] = {
      {"rebuild", false, [&] { reader.SetUserComment("rebuilt"); }},
      {"in place", false, [&] { reader.SetDateTimeOriginal(At(2019, 3, 4, 5, 6, 7)); }},
      {"link", true, [&] { reader.SetUserComment("rebuilt again"); }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.link) fs::create_symlink(elsewhere, leftover);
    else WriteFileBytes(leftover, "a partial photo of a killed save");
    c.edit();
    ASSERT_TRUE(reader.SaveChanges());
    EXPECT_FALSE(fs::exists(fs::symlink_status(leftover)));
    EXPECT_EQ(ReadFileBytes(elsewhere), "not a work file");
  }
  EXPECT_EQ(reader.Values().userComment, "rebuilt again");
  EXPECT_EQ(reader.Values().dateTimeOriginal, At(2019, 3, 4, 5, 6, 7));
}

TEST_F(ExifWritePhoto, ReplacedPhotoKeepsItsPermissions) {
  const std::string photo = testsupport::CopyPhoto("Nikon_D70.jpg", dir_);
  ASSERT_EQ(chmod(photo.c_str(), 0640), 0);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  const uint64_t inode = InodeOf(photo);
  reader.SetUserComment("new permissions?");
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_NE(InodeOf(photo), inode);
  EXPECT_EQ(fs::status(photo).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ExifWritePhoto, CommentEditedBackIsNotRewritten) {
  const std::string photo = testsupport::CopyPhoto("Nikon_D70.jpg", dir_);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  reader.SetUserComment("two\r\nlines");
  ASSERT_TRUE(reader.SaveChanges());
  const uint64_t inode = InodeOf(photo);
  const std::string bytes = ReadFileBytes(photo);
  reader.SetUserComment("  two\r\nlines \r\n");
  ASSERT_TRUE(reader.SaveChanges());
  EXPECT_EQ(InodeOf(photo), inode);
  EXPECT_TRUE(ReadFileBytes(photo) == bytes);
}

// What the writer puts into a photo of either byte order reads back as
// written, with the reader and with exiftool: a comment under the code
// ASCII, and one the text asks to be UNICODE, in the photo's byte order.
TEST_F(ExifWritePhoto, ACommentReadsBackAsWrittenInEitherByteOrder) {
  const struct {
    const char* typed;
    const char* written;
  } comments[] = {{"Výlet na Sněžku", "Výlet na Sněžku"}, {"UNICODE Dovolená u moře", "Dovolená u moře"}};
  for (const char* name : {"Canon_40D.jpg", "Fujifilm_FinePix_E500.jpg"}) {
    for (const auto& c : comments) {
      SCOPED_TRACE(std::string(name) + ": " + c.typed);
      const std::string photo = testsupport::CopyPhoto(name, dir_);
      TExifReader reader;
      ASSERT_TRUE(reader.ReadFromFile(photo));
      reader.SetUserComment(c.typed);
      ASSERT_TRUE(reader.SaveChanges());
      TExifReader again;
      ASSERT_TRUE(again.ReadFromFile(photo));
      EXPECT_EQ(again.Values().userComment, c.written);
      EXPECT_EQ(testsupport::Exiftool("-UserComment", photo), std::string(c.written) + "\n");
    }
  }
}

TEST_F(ExifWritePhoto, SpecialModeKeepsItsPanoramaDirection) {
  const exiftest::Builder b(false);
  exiftest::Ifd note;
  note.entries = {b.Long(512, {1, 5, 7})};
  exiftest::Entry makerNote = b.Raw(37500, 7, 0, "");
  makerNote.make = [&b, &note](uint32_t at) {
    return std::string("OLYMP\0\x01\0", 8) + b.Serialize(note, at + 8);
  };
  makerNote.count = uint32_t(makerNote.make(0).size());
  auto exifIfd = std::make_shared<exiftest::Ifd>();
  exifIfd->entries = {makerNote};
  exiftest::Ifd ifd0;
  ifd0.entries = {b.Ascii(271, "OLYMPUS"), b.Pointer(34665, exifIfd)};
  const std::string photo = dir_.File("olympus.jpg");
  WriteFileBytes(photo, b.Jpeg(ifd0));
  const std::string before = ReadFileBytes(photo);

  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_GE(reader.Values().olympusSpecialModePos, 1);
  EXPECT_EQ(reader.Values().olympusSpecialMode[2], 0u);
  EXPECT_TRUE(reader.WriteSpecialMode());
  EXPECT_TRUE(ReadFileBytes(photo) == before);
}

// The work file has one name for every running copy of the program: a
// rebuild waits while another holds the temporary folder's lock.
TEST_F(ExifWritePhoto, RebuildWaitsForTheWorkLock) {
  const std::string photo = testsupport::CopyPhoto("Canon_40D.jpg", dir_);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  reader.SetUserComment("after the lock");
  const int lock = platform::LockPath(StrFunc::GetTempDir());
  ASSERT_GE(lock, 0);
  std::atomic<bool> done = false;
  bool saved = false;
  std::thread save([&] {
    saved = reader.SaveChanges();
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_FALSE(done);
  platform::UnlockPath(lock);
  save.join();
  EXPECT_TRUE(saved);
  TExifReader check;
  ASSERT_TRUE(check.ReadFromFile(photo));
  EXPECT_EQ(check.GetUserComment(), "after the lock\r\n");
}

}  // namespace
