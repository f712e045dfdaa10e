// A save is all or nothing: a save that cannot write one of its edits writes
// none, and a save killed at any moment leaves the old or the new photo
// whole, with a work file the next save takes away.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <thread>

#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "tests/metadata/ExifBuilder.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::At;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

struct PhotoState {
  std::string bytes;
  fs::file_time_type time;
  bool operator==(const PhotoState&) const = default;
};

PhotoState StateOf(const std::string& path) {
  return {ReadFileBytes(path), fs::last_write_time(path)};
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  return names;
}

// Dates (in place), a comment and a position (rebuilt).
void EditEverything(TExifReader& reader) {
  reader.SetDateTime(At(2022, 3, 4, 5, 6, 7));
  reader.SetDateTimeOriginal(At(2022, 3, 4, 5, 6, 7));
  reader.SetUserComment("all or nothing");
  reader.SetLatitude(49, 12, true, 12.5);
  reader.SetLongitude(16, 35, false, 30.0);
}

class ExifSaveWhole : public ::testing::Test {
 protected:
  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
};

// The segment has no room for a new GPS IFD: the dates, which could go in
// place, are not written either.
TEST_F(ExifSaveWhole, SaveThatCannotWriteOneEditWritesNone) {
  const std::string photo = testsupport::CopyPhoto("Canon_PowerShot_S40.jpg", dir_);
  const std::string fill = "exiftool -q -overwrite_original -ImageDescription=" +
                           std::string(58400, 'x') + " '" + photo + "'";
  ASSERT_EQ(std::system(fill.c_str()), 0);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_TRUE(reader.SaveChanges());  // the real pixel size goes in first
  ASSERT_GE(reader.Values().dateTimeOriginalPos, 1);
  ASSERT_GT(reader.App1Length(), 65535 - 114);  // a GPS IFD takes 114 bytes
  const PhotoState before = StateOf(photo);
  reader.SetDateTimeOriginal(At(2022, 3, 4, 5, 6, 7));
  reader.SetLatitude(49, 12, true, 12.5);
  reader.SetLongitude(16, 35, false, 30.0);
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_TRUE(StateOf(photo) == before);
  EXPECT_EQ(FilesIn(dir_.Path()).size(), 1u);
  EXPECT_TRUE(reader.Values().dateTimeOriginalChanged);
  EXPECT_TRUE(reader.Values().latitudeChanged);
}

// Every value has its entry, but the date's points into IFD0's entry table:
// the position, whose place is sound, is not written either.
TEST_F(ExifSaveWhole, InPlaceSaveWritesNothingWhenOnePlaceIsWrong) {
  exiftest::Builder b(false);
  auto gps = std::make_shared<exiftest::Ifd>();
  gps->entries = {b.Ascii(1, "N"), b.Rational(2, {{1, 1}, {2, 1}, {3, 1}}), b.Ascii(3, "E"),
                  b.Rational(4, {{4, 1}, {5, 1}, {6, 1}})};
  exiftest::Ifd ifd0;
  ifd0.entries = {b.Ascii(306, "2001:02:03 04:05:06"), b.Pointer(exif::kTagGpsPointer, gps)};
  ifd0.entries[0].forcedValue = 20;
  const std::string photo = dir_.File("photo.jpg");
  WriteFileBytes(photo, b.Jpeg(ifd0));
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  ASSERT_TRUE(reader.Values().gpsValid);
  ASSERT_GE(reader.Values().dateTimePos, 1);
  const PhotoState before = StateOf(photo);
  reader.SetDateTime(At(2021, 1, 2, 3, 4, 5));
  reader.SetLatitude(10, 20, false, 30);
  EXPECT_FALSE(reader.SaveChanges());
  EXPECT_TRUE(StateOf(photo) == before);
}

// The child saves and exits; the parent may kill it at any moment.
pid_t SaveInChild(const std::string& photo) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  TExifReader reader;
  const bool saved = reader.ReadFromFile(photo) && (EditEverything(reader), reader.SaveChanges());
  _exit(saved ? 0 : 1);
}

TEST_F(ExifSaveWhole, KilledSaveLeavesTheOldOrTheNewPhotoWhole) {
  const std::string photo = dir_.File("photo.jpg");
  const std::string old = ReadFileBytes(testsupport::PhotoPath("Canon_40D.jpg"));
  const auto oldTime = fs::file_time_type(std::chrono::seconds(1300000000));
  const auto reset = [&] {
    WriteFileBytes(photo, old);
    fs::last_write_time(photo, oldTime);
  };

  // One whole save: the new photo, and how long a save takes.
  reset();
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  ASSERT_EQ(waitpid(SaveInChild(photo), &status, 0) > 0 && WIFEXITED(status), true);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  const auto saveTime = std::chrono::steady_clock::now() - start;
  const std::string saved = ReadFileBytes(photo);
  ASSERT_NE(saved, old);

  // Half the kills come at any moment of the save, half once the new photo
  // is being written beside the old one, the moments that matter most. On a
  // busy machine the loop ends after a few seconds.
  std::mt19937 random(20240229);
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count();
  std::uniform_int_distribution<long> anyMoment(0, micros), lateMoment(0, micros / 8);
  const std::string newPhoto = photo + exif::kNewPhotoSuffix;
  const std::string work = StrFunc::GetTempDir() + exif::kWorkFileName;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  for (int round = 0; round < 8 && (round < 4 || std::chrono::steady_clock::now() < end); ++round) {
    SCOPED_TRACE(round);
    reset();
    const pid_t child = SaveInChild(photo);
    bool ended = false;
    while (round % 2 == 1 && !fs::exists(newPhoto) && !ended) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
      ended = waitpid(child, &status, WNOHANG) == child;
    }
    std::this_thread::sleep_for(
        std::chrono::microseconds(round % 2 == 0 ? anyMoment(random) : lateMoment(random)));
    if (!ended) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
    }

    const std::string now = ReadFileBytes(photo);
    EXPECT_TRUE(now == old || now == saved) << "the photo is neither the old nor the new one";
    EXPECT_EQ(fs::last_write_time(photo), oldTime);
    EXPECT_LE(FilesIn(dir_.Path()).size(), 2u) << "more than the one work file beside the photo";

    // The next save of the photo takes away what the killed one left.
    TExifReader next;
    ASSERT_TRUE(next.ReadFromFile(photo));
    next.SetUserComment("after round " + std::to_string(round));
    ASSERT_TRUE(next.SaveChanges());
    EXPECT_EQ(FilesIn(dir_.Path()), std::vector<std::string>{"photo.jpg"});
    EXPECT_FALSE(fs::exists(work));
  }
}

// The names of the program's work files in a folder.
std::vector<std::string> WorkFilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const std::string& name : FilesIn(dir))
    if (name.starts_with(".~qm") || name == exif::kWorkFileName) names.push_back(name);
  return names;
}

// What a killed save leaves in the temporary folder (the segment file and
// its work files: a photo's EXIF, its position too) or beside the photo goes
// with the next save, a date save in place too.
TEST_F(ExifSaveWhole, TheNextDateSaveRemovesWhatAKilledSaveLeft) {
  const std::string photo = dir_.File("photo.jpg");
  WriteFileBytes(photo, ReadFileBytes(testsupport::PhotoPath("Canon_40D.jpg")));
  const auto saveDates = [&](int n) {
    TExifReader reader;
    if (!reader.ReadFromFile(photo)) return false;
    reader.SetDateTime(At(2022, 3, 4, 5, 6, n % 60));
    reader.SetDateTimeOriginal(At(2022, 3, 4, 5, 6, n % 60));
    return reader.WriteDates();
  };
  const auto saveComment = [&](int n) {
    TExifReader reader;
    if (!reader.ReadFromFile(photo)) return false;
    reader.SetUserComment("comment " + std::to_string(n));
    return reader.WriteUserComment();
  };
  const struct {
    const char* what;
    std::function<bool(int)> save;
  } kKilled[] = {{"dates in place", saveDates}, {"a comment rebuilt", saveComment}};
  const std::string temp = StrFunc::GetTempDir();
  std::mt19937 random(34);
  for (const auto& killed : kKilled) {
    SCOPED_TRACE(killed.what);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(killed.save(0));
    const long micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start).count();
    std::uniform_int_distribution<long> moment(0, 2 * micros + 100);
    for (int round = 0; round < 40; ++round) {
      const pid_t child = fork();
      if (child == 0) {
        for (int i = 0;; ++i)
          if (!killed.save(i)) _exit(1);
      }
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      ASSERT_TRUE(saveDates(round)) << round;
      ASSERT_EQ(WorkFilesIn(temp), std::vector<std::string>{}) << round;
      ASSERT_EQ(FilesIn(dir_.Path()), std::vector<std::string>{"photo.jpg"}) << round;
    }
  }
}

}  // namespace
