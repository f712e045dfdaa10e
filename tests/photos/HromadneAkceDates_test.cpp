// Where a photo's date comes from, the date keys, and the date actions on
// single files.
#include "photos/batch/HromadneAkceDates.h"

#include <gtest/gtest.h>

#include "photos/batch/HromadneAkceDateActions.h"
#include "tests/photos/BatchTree.h"

namespace {

using namespace HromadneAkce;
using batchtest::At;
using batchtest::Photo;
using batchtest::ReadExifDates;

class HromadneAkceDates : public ::testing::Test {
 protected:
  // A copy of the photo whose date value at the position pos reads as text.
  std::string PatchedPhoto(const std::string& name, int32_t TExifValues::*pos,
                           const std::string& text) {
    const std::string path = Photo(dir_.Path(), name, At(2013, 10, 5, 7, 56, 3));
    TExifReader reader;
    reader.ReadFromFile(path);
    std::string bytes = testsupport::ReadFileBytes(path);
    bytes.replace(size_t(reader.Values().*pos), text.size(), text);
    testsupport::WriteFileBytes(path, bytes);
    return path;
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
};

TEST_F(HromadneAkceDates, PhotoDateAndExifDateSources) {
  const TDateTime fileDate = At(2020, 2, 2, 2, 2, 2);
  const std::string taken = Photo(dir_.Path(), "taken.jpg", At(2013, 10, 5, 7, 56, 3), fileDate);
  EXPECT_EQ(GetPhotoDate(taken), At(2013, 10, 5, 7, 56, 3));
  EXPECT_EQ(GetExifDate(taken), At(2013, 10, 5, 7, 56, 3));
  // A camera without its clock set: the file date tells more; the EXIF date
  // counts as empty only up to the year 2000.
  const std::string reset = Photo(dir_.Path(), "reset.jpg", At(2005, 1, 1), fileDate);
  EXPECT_EQ(GetPhotoDate(reset), fileDate);
  EXPECT_EQ(GetExifDate(reset), At(2005, 1, 1));
  const std::string old = Photo(dir_.Path(), "old.jpg", At(1999, 1, 1), fileDate);
  EXPECT_EQ(GetExifDate(old), exif::NullDate());
  // Digitized wins over Original.
  const std::string two = Photo(dir_.Path(), "two.jpg", At(2013, 10, 5), fileDate);
  batchtest::WriteExifDates(two, {At(2001, 1, 2), At(2002, 1, 2), At(2003, 1, 2)});
  EXPECT_EQ(GetExifDate(two), At(2003, 1, 2));
  // Empty exposure dates with places in the file: invalid, DateTime or not.
  std::string empty = PatchedPhoto("empty.jpg", &TExifValues::dateTimeOriginalPos,
                                   std::string("0000:00:00 00:00:00\0", 20));
  batchtest::WriteExifDates(empty, {At(2010, 5, 5, 5, 5, 5), 0, 0});
  const std::string both = dir_.File("both.jpg");
  ASSERT_TRUE(DosFunc::RenameFileLong(empty, both));
  TExifReader r;
  r.ReadFromFile(both);
  std::string bytes = testsupport::ReadFileBytes(both);
  bytes.replace(size_t(r.Values().dateTimeDigitizedPos), 20, std::string("0000:00:00 00:00:00\0", 20));
  testsupport::WriteFileBytes(both, bytes);
  std::string lat, lon;
  EXPECT_EQ(ReadExifDateAndGps(both, lat, lon), exif::NullDate());
  // Only DateTime: valid with that date.
  const std::string onlyIfd0 = Photo(dir_.Path(), "ifd0.jpg", At(2011, 3, 4, 5, 6, 7));
  const std::string strip = "exiftool -q -overwrite_original -DateTimeOriginal= -CreateDate= '" +
                            onlyIfd0 + "'";
  ASSERT_EQ(std::system(strip.c_str()), 0);
  EXPECT_EQ(GetExifDate(onlyIfd0), At(2011, 3, 4, 5, 6, 7));
  // Not a JPEG by its own name: no EXIF date, the file date.
  const std::string leftover = dir_.File("taken.jpg.~qm.tmp");
  ASSERT_TRUE(DosFunc::CopyFileEx(taken, leftover));
  DosFunc::SetFileDateTime(leftover, fileDate);
  EXPECT_EQ(GetExifDate(leftover), exif::NullDate());
  EXPECT_EQ(GetPhotoDate(leftover), fileDate);
}

TEST_F(HromadneAkceDates, PositionsComeWithTheExifDate) {
  std::string lat, lon;
  const std::string gps = testsupport::CopyPhoto("gps_DSCN0010.jpg", dir_);
  EXPECT_EQ(ReadExifDateAndGps(gps, lat, lon), At(2008, 10, 22, 16, 28, 39));
  EXPECT_EQ(lat, "43.467448");
  EXPECT_EQ(lon, "11.885127");
  ReadExifDateAndGps(Photo(dir_.Path(), "no.jpg", At(2013, 1, 2)), lat, lon);
  EXPECT_EQ(lat + lon, "");
}

TEST_F(HromadneAkceDates, KeysAreReadStrictly) {
  EXPECT_EQ(DateKey(At(2013, 10, 5, 7, 56, 3)), "20131005_075603");
  EXPECT_EQ(DateKey(0), "");
  EXPECT_EQ(KeyDate("20131005_075603"), At(2013, 10, 5, 7, 56, 3));
  for (const char* bad : {"20131005_0756", "20131005_075603x", "20130230_075603",
                          "20131005_240000", "20131005_075660", "20131005-075603", ""})
    EXPECT_EQ(KeyDate(bad), 0) << bad;
}

TEST_F(HromadneAkceDates, ShiftsCarryAcrossMidnightAndMonthEnds) {
  const struct {
    int32_t days, minutes;
    TDateTime from, to;
  } cases[] = {
      {1, -90, At(2013, 10, 5, 0, 30), At(2013, 10, 5, 23, 0)},
      {0, 1500, At(2013, 10, 5, 10, 0), At(2013, 10, 5, 11, 0)},  // whole days of minutes dropped
      {0, 60, At(2013, 10, 5, 23, 0), At(2013, 10, 6, 0, 0)},      // exactly midnight
      {0, 30, At(2013, 1, 31, 23, 45), At(2013, 2, 1, 0, 15)},
      {0, -1, At(2013, 1, 1, 0, 0), At(2012, 12, 31, 23, 59)},
      {1, 0, At(2012, 2, 28, 12, 0), At(2012, 2, 29, 12, 0)},
      {-365, 0, At(2013, 3, 1), At(2012, 3, 1)},
      {0, 0, At(2013, 3, 1, 1, 2, 3), At(2013, 3, 1, 1, 2, 3)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShiftDateTime(c.days, c.minutes, c.from), c.to)
        << c.days << " " << c.minutes << " " << DateFunc::FormatDateTimeISO(c.from);
  EXPECT_EQ(ShiftDateTime(1, 0, 0), 0);
  EXPECT_EQ(ShiftDateTime(1, 0, At(3999, 12, 31)), 0);
  int32_t value = 7;
  EXPECT_TRUE(ReadShiftField(" -90 ", value));
  EXPECT_EQ(value, -90);
  EXPECT_FALSE(ReadShiftField("1x", value));
  EXPECT_FALSE(ReadShiftField("", value));
}

TEST_F(HromadneAkceDates, ExifShiftMovesEachDateFromItsOwnValue) {
  const std::string path = Photo(dir_.Path(), "p.jpg", At(2013, 1, 1));
  batchtest::WriteExifDates(path, {At(2013, 1, 31, 23, 30), At(2013, 1, 1, 8), At(2013, 1, 2, 9)});
  const TDateTime fileDate = DosFunc::GetFileDateTime(path);
  TFailures failures;
  ShiftDates({path, path, fileDate}, 1, 60, failures);
  EXPECT_TRUE(failures.empty());
  const batchtest::ExifDates dates = ReadExifDates(path);
  EXPECT_EQ(dates.dateTime, At(2013, 2, 2, 0, 30));
  EXPECT_EQ(dates.original, At(2013, 1, 2, 9));
  EXPECT_EQ(dates.digitized, At(2013, 1, 3, 10));
  EXPECT_EQ(DosFunc::GetFileDateTime(path), ShiftDateTime(1, 60, fileDate));
  // A photo with no valid date keeps what it has; its file date moves.
  const std::string none = PatchedPhoto("none.jpg", &TExifValues::dateTimeOriginalPos,
                                        std::string("0000:00:00 00:00:00\0", 20));
  batchtest::WriteExifDates(none, {exif::NullDate(), 0, exif::NullDate()});
  const std::string before = testsupport::ReadFileBytes(none);
  const TDateTime noneDate = DosFunc::GetFileDateTime(none);
  ShiftDates({none, none, noneDate}, 1, 0, failures);
  EXPECT_EQ(testsupport::ReadFileBytes(none), before);
  EXPECT_EQ(DosFunc::GetFileDateTime(none), ShiftDateTime(1, 0, noneDate));
  EXPECT_TRUE(failures.empty());
}

TEST_F(HromadneAkceDates, FileDateFromAStampName) {
  const TDateTime other = At(2020, 1, 1);
  const std::string named = batchtest::Media(dir_.Path(), "20131005_075603.jpg", other);
  TFailures failures;
  SetFileDateFromName({named, named, other}, failures);
  EXPECT_EQ(DosFunc::GetFileDateTime(named), At(2013, 10, 5, 7, 56, 3));
  for (const char* name : {"20131005_0756.jpg", "20131005_075603-0001.jpg", "IMG_1234.jpg",
                           "20131305_075603.jpg", "20131005_256000.jpg"}) {
    const std::string path = batchtest::Media(dir_.Path(), name, other);
    SetFileDateFromName({path, path, other}, failures);
    EXPECT_EQ(DosFunc::GetFileDateTime(path), other) << name;
  }
  EXPECT_TRUE(failures.empty());
  EXPECT_TRUE(DosFunc::FileExistsLong(named));
}

TEST_F(HromadneAkceDates, DirectClockGoesOnTwoSecondsAFile) {
  TDirectClock clock(DateFunc::DMYToDayNum(5, 10, 2013));
  std::vector<TDateTime> times;
  for (int i = 0; i < 35; ++i) times.push_back(clock.Next());
  EXPECT_EQ(times[0], At(2013, 10, 5, 0, 0, 2));
  EXPECT_EQ(times[28], At(2013, 10, 5, 0, 0, 58));
  EXPECT_EQ(times[29], At(2013, 10, 5, 0, 1, 0));
  EXPECT_EQ(times[34], At(2013, 10, 5, 0, 1, 10));
}

}  // namespace
