// The date, GPS and statistics actions over small trees, files mode, the
// limit for a hidden window, stopping, and what is refused before any file
// is touched.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "photos/batch/HromadneAkceGpsWrite.h"
#include "photos/batch/HromadneAkceReport.h"
#include "photos/batch/HromadneAkceWalk.h"
#include "platform/FileSystem.h"
#include "tests/photos/BatchTree.h"

namespace {

using namespace HromadneAkce;
using batchtest::At;
using batchtest::Media;
using batchtest::Photo;
using batchtest::ReadExifDates;
using batchtest::Tree;
using Names = std::vector<std::string>;

class HromadneAkceActions : public ::testing::Test {
 protected:
  std::string Root() const { return dir_.Path(); }
  std::string At_(const std::string& rel) const { return Root() + "/" + rel; }

  TRunResult Run(TActionCode code) {
    return RunAction(code, options_, FolderTarget(Root()), progress_);
  }

  std::string Undated(const std::string& rel, TDateTime fileDate) {
    return batchtest::UndatedPhoto(Root(), rel, fileDate);
  }

  std::string Position(const std::string& path) {
    TExifReader reader;
    reader.ReadFromFile(path);
    if (!reader.HasGPS()) return "none";
    return reader.GetLatitudeText() + " " + reader.GetLongitudeText();
  }
  double Altitude(const std::string& path) {
    TExifReader reader;
    reader.ReadFromFile(path);
    return reader.GetAltitude();
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  TOptions options_;
  batchtest::RecordingProgress progress_;
};

TEST_F(HromadneAkceActions, StatisticsListPhotosByDateAndPosition) {
  Photo(Root(), "a.jpg", At(2013, 10, 5, 7, 56, 3));
  Photo(Root(), "b.jpg", At(2012, 2, 2, 2, 2, 2));
  Media(Root(), "c.png", At(2001, 1, 1));
  Media(Root(), "thumb_x.jpg", At(2001, 1, 1));
  Photo(Root(), "thumbs/t.jpg", At(1990, 1, 2));
  Photo(Root(), "y.jpg.~qm.tmp", At(1991, 1, 2));
  const std::string gps = Root() + "/sub/gps.jpg";
  batchtest::MakeFolderOf(gps);
  ASSERT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath("gps_DSCN0010.jpg"), gps));
  Undated("sub/undated.jpg", At(2020, 1, 1));
  options_.subdirs = true;
  const TRunResult result = Run(kStatistics);
  EXPECT_EQ(result.status, TRunStatus::Done);
  const TStatistics& s = result.statistics;
  EXPECT_EQ(s.invalidDates, (Names{At_("sub/undated.jpg")}));
  EXPECT_EQ(s.withGps, (Names{gps}));
  EXPECT_EQ(s.withoutGps, (Names{At_("b.jpg"), At_("a.jpg"), At_("sub/undated.jpg")}));
  ASSERT_TRUE(s.datesFound);
  EXPECT_EQ(s.minDate, DateFunc::DateTimeToMs1990(0, At(2008, 10, 22, 16, 28, 39)));
  EXPECT_EQ(s.maxDate, DateFunc::DateTimeToMs1990(0, At(2013, 10, 5, 7, 56, 3)));
  options_.subdirs = false;
  EXPECT_TRUE(Run(kStatistics).statistics.withGps.empty());
}

TEST_F(HromadneAkceActions, FileDateFromPhotoDateTakesJpegsOnly) {
  const TDateTime old = At(2020, 1, 1);
  Photo(Root(), "a.jpg", At(2013, 10, 5, 7, 56, 3), old);
  Photo(Root(), "reset.jpg", At(2005, 1, 1), old);  // no usable date: stays
  Media(Root(), "c.png", old);
  Photo(Root(), "left.jpg.~qm.tmp", At(2011, 1, 1, 1, 1, 1), old);
  const TRunResult result = Run(kFileDateFromPhoto);
  EXPECT_EQ(result.filesMet, 2u);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("a.jpg")), At(2013, 10, 5, 7, 56, 3));
  for (const char* same : {"reset.jpg", "c.png", "left.jpg.~qm.tmp"})
    EXPECT_EQ(DosFunc::GetFileDateTime(At_(same)), old) << same;
}

TEST_F(HromadneAkceActions, ExifDatesFromFileDate) {
  const TDateTime fileDate = At(2019, 12, 31, 23, 59, 58);
  Photo(Root(), "a.jpg", At(2013, 10, 5), fileDate);
  const TRunResult result = Run(kExifDatesFromFile);
  EXPECT_TRUE(result.failures.empty());
  const batchtest::ExifDates dates = ReadExifDates(At_("a.jpg"));
  EXPECT_EQ(dates.dateTime, fileDate);
  EXPECT_EQ(dates.original, fileDate);
  EXPECT_EQ(dates.digitized, fileDate);
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("a.jpg")), fileDate);
  // exiftool reads the same.
  EXPECT_EQ(testsupport::Exiftool("-DateTimeOriginal", At_("a.jpg")), "2019:12:31 23:59:58\n");
}

TEST_F(HromadneAkceActions, DirectDateRunsTheClockInDateOrder) {
  const TDateTime old = At(2020, 1, 1);
  Photo(Root(), "late.jpg", At(2013, 3, 3), old);
  Photo(Root(), "early.jpg", At(2011, 1, 1, 8, 0, 0), old);
  Media(Root(), "middle.png", At(2012, 1, 1));  // moves the clock, is not set
  const std::string undated = Undated("sub/undated.jpg", At(2019, 1, 1));
  Photo(Root(), "sub/dated.jpg", At(2014, 4, 4), old);
  options_.subdirs = true;
  options_.directDay = DateFunc::DMYToDayNum(5, 10, 2013);
  EXPECT_EQ(Run(kDirectDate).status, TRunStatus::Done);
  EXPECT_EQ(ReadExifDates(At_("early.jpg")).original, At(2013, 10, 5, 0, 0, 2));
  EXPECT_EQ(ReadExifDates(At_("late.jpg")).digitized, At(2013, 10, 5, 0, 0, 6));
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("late.jpg")), At(2013, 10, 5, 0, 0, 6));
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("middle.png")), At(2012, 1, 1));
  // The next folder starts at 00:00:02 again; the undated photo sorts by its
  // DateTime.
  EXPECT_EQ(DosFunc::GetFileDateTime(undated), At(2013, 10, 5, 0, 0, 2));
  EXPECT_EQ(ReadExifDates(At_("sub/dated.jpg")).original, At(2013, 10, 5, 0, 0, 4));

  // Only photos with an invalid date; nothing at all with neither box.
  options_.directDay = DateFunc::DMYToDayNum(6, 10, 2013);
  options_.onlyInvalidDates = true;
  options_.setExifDate = false;
  Undated("sub/undated.jpg", At(2019, 1, 1));
  Run(kDirectDate);
  EXPECT_EQ(DosFunc::GetFileDateTime(undated), At(2013, 10, 6, 0, 0, 2));
  EXPECT_EQ(ReadExifDates(At_("sub/dated.jpg")).original, At(2013, 10, 5, 0, 0, 4));
  options_.onlyInvalidDates = false;
  options_.setFileDate = false;
  const std::string before = testsupport::ReadFileBytes(At_("late.jpg"));
  Run(kDirectDate);
  EXPECT_EQ(testsupport::ReadFileBytes(At_("late.jpg")), before);
  options_.directDay = -1;
  EXPECT_EQ(Run(kDirectDate).status, TRunStatus::InvalidOptions);
}

TEST_F(HromadneAkceActions, ShiftMovesFileAndExifDates) {
  Photo(Root(), "a.jpg", At(2013, 1, 31, 23, 30), At(2013, 1, 31, 23, 0));
  Media(Root(), "b.mov", At(2013, 12, 31, 23, 30));
  options_.shiftDays = 1;
  options_.shiftMinutes = 60;
  EXPECT_TRUE(Run(kShiftDates).failures.empty());
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("a.jpg")), At(2013, 2, 2, 0, 0));
  EXPECT_EQ(ReadExifDates(At_("a.jpg")).original, At(2013, 2, 2, 0, 30));
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("b.mov")), At(2014, 1, 2, 0, 30));
}

// A photo whose EXIF cannot take every new date (read-only; a date that
// has no place to be rewritten, as in this Kodak photo) keeps all its dates,
// its file date too, and the report says so; a second run finds it as it
// was.
TEST_F(HromadneAkceActions, APhotoGetsAllItsDateChangesOrNone) {
  const struct {
    const char* what;
    TActionCode code;
    void (*prepare)(const std::string& photo);
    TFailureKind failure;
  } cases[] = {
      {"shift, read-only", kShiftDates,
       [](const std::string& photo) { ASSERT_EQ(chmod(photo.c_str(), 0444), 0); },
       TFailureKind::ExifNotWritten},
      {"shift, a date not in place", kShiftDates, [](const std::string&) {},
       TFailureKind::ExifDateNotInPlace},
      {"direct date, read-only", kDirectDate,
       [](const std::string& photo) { ASSERT_EQ(chmod(photo.c_str(), 0444), 0); },
       TFailureKind::ExifNotWritten},
      {"direct date, a date not in place", kDirectDate, [](const std::string&) {},
       TFailureKind::ExifDateNotInPlace},
  };
  options_.shiftDays = 1;
  options_.directDay = DateFunc::DMYToDayNum(5, 10, 2013);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempDir dir;
    const bool readOnly = c.failure == TFailureKind::ExifNotWritten;
    const std::string photo =
        testsupport::CopyPhoto(readOnly ? batchtest::kPhoto : "Kodak_CX7530.jpg", dir);
    DosFunc::SetFileDateTime(photo, At(2015, 5, 5, 5, 5, 5));
    c.prepare(photo);
    const std::string bytes = testsupport::ReadFileBytes(photo);
    for (int run = 0; run < 2; ++run) {
      const TRunResult result = RunAction(c.code, options_, FolderTarget(dir.Path()), progress_);
      ASSERT_EQ(result.failures.size(), 1u);
      EXPECT_EQ(result.failures[0].kind, c.failure);
      EXPECT_EQ(result.failures[0].path, photo);
      EXPECT_TRUE(testsupport::ReadFileBytes(photo) == bytes) << "the photo changed";
      EXPECT_EQ(DosFunc::GetFileDateTime(photo), At(2015, 5, 5, 5, 5, 5));
    }
    EXPECT_NE(FailureReport({{c.failure, photo, {}}}).find("beze změny"), std::string::npos);
  }
}

// Names a user gives files, which only look like the program's work names,
// and special files named like photos are no photos: no action renames,
// dates, moves, writes or removes them.
TEST_F(HromadneAkceActions, LookAlikeNamesAndSpecialFilesAreLeftAlone) {
  const TActionCode codes[] = {kRenameByPhotoDate, kRenameByFileDate, kSplitByMonth,
                               kShiftDates,        kWriteGps,         kExifDatesFromFile};
  options_.shiftDays = 1;
  options_.gps = {"50", "5", "0", false, "14", "25", "0", false, ""};
  const TDateTime old = At(2015, 5, 5, 5, 5, 5);
  for (const TActionCode code : codes) {
    SCOPED_TRACE(int(code));
    testsupport::TempDir dir;
    const std::string root = dir.Path();
    Photo(root, "photo.jpg", At(2013, 10, 5, 10, 0, 0), old);
    // A photo the user keeps under such names, and a pipe.
    const std::vector<std::string> odd = {"photo.jpg-tmp", "own.jpg.tmp", "x.jpg.TMP"};
    for (const std::string& name : odd) Photo(root, name, At(2013, 10, 5, 10, 0, 0), old);
    ASSERT_EQ(mkfifo((root + "/pipe.jpg").c_str(), 0600), 0);
    const std::string bytes = testsupport::ReadFileBytes(root + "/photo.jpg-tmp");
    RunAction(code, options_, FolderTarget(root), progress_);
    for (const std::string& name : odd) {
      ASSERT_TRUE(DosFunc::FileExistsLong(root + "/" + name)) << name;
      EXPECT_EQ(DosFunc::GetFileDateTime(root + "/" + name), old) << name;
      EXPECT_TRUE(testsupport::ReadFileBytes(root + "/" + name) == bytes) << name;
    }
    platform::FileStatus pipe;
    ASSERT_TRUE(platform::LinkStatPath(root + "/pipe.jpg", pipe));
    EXPECT_FALSE(pipe.isRegular || pipe.isDirectory);
  }
}

TEST_F(HromadneAkceActions, FileDateFromNameInFilesMode) {
  const TDateTime old = At(2020, 1, 1);
  const std::string given = Media(Root(), "given/20131005_075603.png", old);
  Media(Root(), "given/20131005_075604.png", old);  // not given: stays
  Media(Root(), "folder/20120101_010101.mov", old);
  Media(Root(), "folder/deeper/20120101_010102.mov", old);
  options_.subdirs = true;
  const TTarget target = FilesTarget({given, "", Root() + "/folder", Root() + "/missing.png"});
  EXPECT_EQ(target.files, (Names{given, Root() + "/missing.png"}));
  const TRunResult result = RunAction(kFileDateFromName, options_, target, progress_);
  EXPECT_EQ(result.filesMet, 3u);
  EXPECT_EQ(DosFunc::GetFileDateTime(given), At(2013, 10, 5, 7, 56, 3));
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("given/20131005_075604.png")), old);
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("folder/20120101_010101.mov")), At(2012, 1, 1, 1, 1, 1));
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("folder/deeper/20120101_010102.mov")),
            At(2012, 1, 1, 1, 1, 2));
  EXPECT_EQ(progress_.folders, (Names{"", Root() + "/folder", Root() + "/folder/deeper"}));
}

TEST_F(HromadneAkceActions, FilesModeShiftsAPhotoGivenTwiceOnlyOnce) {
  const std::string given = Media(Root(), "a.png", At(2013, 1, 1, 12, 0, 0));
  const std::string nested = Media(Root(), "sub/b.png", At(2013, 1, 1, 12, 0, 0));
  options_.subdirs = true;
  options_.shiftDays = 1;
  const TTarget target = FilesTarget({given, Root(), Root() + "/sub", given});
  const TRunResult result = RunAction(kShiftDates, options_, target, progress_);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(DosFunc::GetFileDateTime(given), At(2013, 1, 2, 12, 0, 0));
  EXPECT_EQ(DosFunc::GetFileDateTime(nested), At(2013, 1, 2, 12, 0, 0));
}

TEST_F(HromadneAkceActions, GpsGoesOnlyWhereTheOptionSays) {
  const std::string bare = testsupport::CopyPhoto("Nikon_D70.jpg", dir_);
  // A GPS block with no more than its version: no position yet.
  const std::string version = Photo(Root(), "version.jpg", At(2013, 1, 1, 1, 1, 1));
  const std::string located = Root() + "/located.jpg";
  ASSERT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath("gps_DSCN0010.jpg"), located));
  const std::string zero = Photo(Root(), "zero.jpg", At(2013, 1, 1, 1, 1, 2));
  {
    TExifReader reader;
    reader.ReadFromFile(zero);
    reader.SetLatitude(0, 0, true, 0);
    reader.SetLongitude(0, 0, true, 0);
    ASSERT_TRUE(reader.WriteGPS());
  }
  const std::string png = Media(Root(), "x.png", At(2013, 1, 1));
  options_.gps = {"50", " 5", "13,5", false, "14", "25", "1.25", true, "-12"};
  const std::string zeroBefore = Position(zero), locatedBefore = Position(located);
  EXPECT_TRUE(Run(kWriteGps).failures.empty());
  EXPECT_EQ(Position(bare), "50.087083 -14.417014");
  EXPECT_DOUBLE_EQ(Altitude(bare), -12);
  EXPECT_EQ(Position(version), "50.087083 -14.417014");
  EXPECT_EQ(Position(located), locatedBefore);
  EXPECT_EQ(Position(zero), zeroBefore);
  EXPECT_EQ(testsupport::ReadFileBytes(png), "media x.png");
  std::istringstream exiftool(testsupport::Exiftool("-GPSLatitude -GPSLongitude", bare));
  double lat = 0, lon = 0;
  ASSERT_TRUE(exiftool >> lat >> lon);
  EXPECT_NEAR(lat, 50 + 5 / 60.0 + 13.5 / 3600, 1e-7);
  EXPECT_NEAR(lon, -(14 + 25 / 60.0 + 1.25 / 3600), 1e-7);

  options_.gpsMode = TGpsMode::UpdateAll;
  options_.gps.altitude = "";
  EXPECT_TRUE(Run(kWriteGps).failures.empty());
  EXPECT_EQ(Position(located), "50.087083 -14.417014");
  EXPECT_EQ(Position(zero), "50.087083 -14.417014");
  // Already there: the photo is not written again.
  const std::string same = testsupport::ReadFileBytes(bare);
  Run(kWriteGps);
  EXPECT_EQ(testsupport::ReadFileBytes(bare), same);
}

// Every photo the position could not go into is listed with what stood in
// the way, and stays as it was.
TEST_F(HromadneAkceActions, EveryPhotoThePositionCouldNotGoIntoSaysWhy) {
  using FileProblem::TProblem;
  // A photo without a position: its EXIF segment is rebuilt for one.
  const std::string nikon = testsupport::ReadFileBytes(testsupport::PhotoPath("Nikon_D70.jpg"));
  const struct {
    const char* name;
    std::function<void(const std::string&)> make;
    TProblem problem;
  } cases[] = {
      {"readonly.jpg",
       [&](const std::string& path) {
         testsupport::WriteFileBytes(path, nikon);
         ASSERT_TRUE(platform::SetWritable(path, false));
       },
       TProblem::kReadOnly},
      {"png.jpg",
       [](const std::string& path) {
         testsupport::WriteFileBytes(path, std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
       },
       TProblem::kNotJpeg},
      // Cut short before its picture begins.
      {"cut.jpg",
       [&](const std::string& path) { testsupport::WriteFileBytes(path, nikon.substr(0, 10800)); },
       TProblem::kDamaged},
      {"full.jpg",
       [&](const std::string& path) {
         // A comment that leaves the segment no room for a GPS block.
         testsupport::WriteFileBytes(path, nikon);
         testsupport::CommandOutput("exiftool -q -q -overwrite_original '-UserComment=" +
                                    std::string(63200, 'x') + "' '" + path + "'");
       },
       TProblem::kNoExifRoom},
  };
  std::map<std::string, std::string> before;
  for (const auto& c : cases) {
    c.make(At_(c.name));
    before[At_(c.name)] = testsupport::ReadFileBytes(At_(c.name));
  }
  options_.gps = {"50", "5", "0", false, "14", "25", "0", false, ""};
  const TRunResult result = Run(kWriteGps);
  ASSERT_EQ(result.failures.size(), std::size(cases));
  const std::string report = FailureReport(result.failures);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto failure = std::find_if(result.failures.begin(), result.failures.end(),
                                      [&](const TFailure& f) { return f.path == At_(c.name); });
    ASSERT_NE(failure, result.failures.end());
    EXPECT_EQ(failure->kind, TFailureKind::GpsNotWritten);
    EXPECT_EQ(failure->problem, c.problem);
    EXPECT_NE(report.find(At_(c.name) + "  (" + FileProblem::Text(c.problem) + ")"),
              std::string::npos)
        << report;
    EXPECT_EQ(testsupport::ReadFileBytes(At_(c.name)), before[At_(c.name)]);
  }
}

// A folder that takes no changes: the position cannot go into its photo,
// nor its photos take new names; both say so.
TEST_F(HromadneAkceActions, AFolderThatTakesNoChangesIsNamedAsTheReason) {
  const std::string locked = Root() + "/locked";
  const std::string photo = locked + "/a.jpg";
  batchtest::MakeFolderOf(photo);
  testsupport::WriteFileBytes(photo,
                              testsupport::ReadFileBytes(testsupport::PhotoPath("Nikon_D70.jpg")));
  ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
  options_.gps = {"50", "5", "0", false, "14", "25", "0", false, ""};
  const std::string told = testsupport::InChildWithPermissions([&] {
    std::string kinds;
    for (const TActionCode code : {kWriteGps, kRenameByPhotoDate}) {
      const TRunResult result = RunAction(code, options_, FolderTarget(locked), progress_);
      for (const TFailure& f : result.failures)
        kinds += std::to_string(int(f.kind)) + ":" + FileProblem::Text(f.problem) + ";";
    }
    return kinds;
  });
  ASSERT_EQ(chmod(locked.c_str(), 0755), 0);
  const std::string why = FileProblem::Text(FileProblem::TProblem::kFolderReadOnly);
  EXPECT_EQ(told, std::to_string(int(TFailureKind::GpsNotWritten)) + ":" + why + ";" +
                      std::to_string(int(TFailureKind::JournalFailed)) + ":" + why + ";");
  EXPECT_EQ(Tree(Root()), (Names{"locked/a.jpg"}));
}

TEST_F(HromadneAkceActions, InvalidPositionTouchesNothing) {
  const std::string bare = Photo(Root(), "bare.jpg", At(2013, 1, 1, 1, 1, 1));
  const std::string before = testsupport::ReadFileBytes(bare);
  const struct {
    TGpsFields fields;
    TGpsFieldError error;
  } cases[] = {
      {{"50.5", "0", "0", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeDegrees},
      {{"91", "0", "0", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeDegrees},
      {{"", "0", "0", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeDegrees},
      {{"-5", "0", "0", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeDegrees},
      {{"50", "60", "0", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeMinutes},
      {{"50", "1", "60", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeSeconds},
      {{"50", "1", "x", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeSeconds},
      {{"50", "1", "59.9996", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeSeconds},
      {{"90", "0", "0.5", false, "14", "0", "0", false, ""}, TGpsFieldError::LatitudeRange},
      {{"50", "0", "0", false, "181", "0", "0", false, ""}, TGpsFieldError::LongitudeDegrees},
      {{"50", "0", "0", false, "14", "$1", "0", false, ""}, TGpsFieldError::LongitudeMinutes},
      {{"50", "0", "0", false, "14", "0", "nan", false, ""}, TGpsFieldError::LongitudeSeconds},
      {{"50", "0", "0", false, "14", "0", "59.9996", false, ""}, TGpsFieldError::LongitudeSeconds},
      {{"50", "0", "0", false, "180", "1", "0", false, ""}, TGpsFieldError::LongitudeRange},
      {{"50", "0", "0", false, "14", "0", "0", false, "12 m"}, TGpsFieldError::Altitude},
      {{"50", "0", "0", false, "14", "0", "0", false, "1e9"}, TGpsFieldError::Altitude},
  };
  for (const auto& c : cases) {
    options_.gps = c.fields;
    const TRunResult result = Run(kWriteGps);
    EXPECT_EQ(result.status, TRunStatus::InvalidPosition) << c.fields.latDegrees;
    EXPECT_EQ(result.gpsError, c.error) << c.fields.latDegrees << " " << c.fields.lonMinutes;
  }
  EXPECT_EQ(testsupport::ReadFileBytes(bare), before);
  TGpsPosition position;
  EXPECT_EQ(ParseGpsFields({"90", "0", "0", true, "180", "0", "0", true, " 8848,5 "}, position),
            TGpsFieldError::None);
  EXPECT_FALSE(position.north);
  EXPECT_FALSE(position.east);
  EXPECT_DOUBLE_EQ(position.altitude, 8848.5);
}

TEST_F(HromadneAkceActions, HiddenWindowTakesFiveHundredFilesOfAFolder) {
  for (int i = 0; i < 501; ++i) Media(Root(), "f" + std::to_string(1000 + i) + ".png", At(2013, 5, 5));
  progress_.hidden = true;
  EXPECT_EQ(Run(kSplitByYear).filesMet, 500u);
  EXPECT_EQ(progress_.limited, (Names{Root() + " 501"}));
  const Names tree = Tree(Root());
  ASSERT_EQ(tree.size(), 501u);
  EXPECT_EQ(tree[0], "_PNG/2013/f1000.png");
  EXPECT_EQ(tree[500], "f1500.png");
}

TEST_F(HromadneAkceActions, StopsBetweenFilesAndRefusesAMissingFolder) {
  for (int i = 0; i < 5; ++i) Photo(Root(), "p" + std::to_string(i) + ".jpg", At(2013, 1, 1, 1, 1, i), At(2020, 1, 1));
  progress_.stopAfter = 7;  // five collected, sorted, one done
  EXPECT_EQ(Run(kFileDateFromPhoto).status, TRunStatus::Stopped);
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("p0.jpg")), At(2013, 1, 1, 1, 1, 0));
  EXPECT_EQ(DosFunc::GetFileDateTime(At_("p1.jpg")), At(2020, 1, 1));
  EXPECT_EQ(RunAction(kFileDateFromPhoto, options_, FolderTarget("  "), progress_).status,
            TRunStatus::NoFolder);
  EXPECT_EQ(RunAction(kFileDateFromPhoto, options_, FolderTarget(At_("p0.jpg")), progress_).status,
            TRunStatus::NoFolder);
  Media(Root(), "empty/notes.txt", At(2020, 1, 1));
  progress_.stopAfter = -1;
  EXPECT_EQ(RunAction(kFileDateFromPhoto, options_, FolderTarget(At_("empty")), progress_).status,
            TRunStatus::NothingFound);
}

}  // namespace
