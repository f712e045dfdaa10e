// The command line: switches, photo and folder arguments, and GPS-view mode,
// which opens the map once per position and ends before any window exists.
#include "app/start/StartupArgs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Environment.h"
#include "platform/Process.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::CopyPhoto;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::vector<std::string> Files(const std::string& dir, std::initializer_list<const char*> names) {
  std::vector<std::string> paths;
  for (const char* name : names) paths.push_back(dir + "/" + name);
  return paths;
}

TEST(StartupArgs, SwitchesCountWithAnyPrefixAndCaseAtAnyPosition) {
  const struct {
    std::vector<std::string> args;
    bool gpsView;
    bool gpsSetGiven;
  } cases[] = {
      {{"/GPSVIEW"}, true, false},
      {{"x.jpg", "-gpsview"}, true, false},
      {{"--GpsView"}, true, false},
      {{"gpsview"}, false, false},
      {{"/gpsset", "x.jpg"}, false, true},
      {{"x.jpg", "--GPSSET"}, false, true},
      {{"-gpsset=1", "x.jpg"}, false, false},
  };
  for (const auto& c : cases) {
    const TStartupArgs args = StartupArgs::Collect(c.args);
    EXPECT_EQ(args.GpsView, c.gpsView) << c.args.front();
    EXPECT_EQ(args.GpsSet, c.gpsSetGiven) << c.args.front();
  }
}

TEST(StartupArgs, PhotosAndTheJpegFilesOfFoldersAreCollectedAbsolute) {
  TempDir dir;
  for (const char* name : {"a.jpg", "B.JPEG", "x.Jpeg", "c.jpeg.txt", "d.png", "e.exif"})
    WriteFileBytes(dir.File(name), "x");
  std::filesystem::create_directory(dir.File("sub"));
  WriteFileBytes(dir.File("sub/inner.jpg"), "x");
  const std::string here = platform::CurrentDirectory();

  const TStartupArgs args =
      StartupArgs::Collect({"/gpsview=no", "relative.JPG", dir.Path(), "other.png", "x.jpeg.txt"});
  EXPECT_FALSE(args.GpsView);
  EXPECT_FALSE(args.GpsSet);
  std::vector<std::string> expected = {here + "/relative.JPG"};
  for (const std::string& path : Files(dir.Path(), {"B.JPEG", "a.jpg", "x.Jpeg"}))
    expected.push_back(path);
  std::vector<std::string> got = args.Paths;
  std::sort(got.begin() + 1, got.end());
  EXPECT_EQ(got, expected);
  EXPECT_EQ(args.Text.substr(0, here.size() + 15), here + "/relative.JPG\r\n");
  EXPECT_TRUE(args.Text.ends_with("\r\n"));
}

TEST(StartupArgs, GpsSetHandsFoldersOnAsFoldersAndAloneStartsNormally) {
  TempDir dir;
  WriteFileBytes(dir.File("a.jpg"), "x");

  TStartupArgs args = StartupArgs::Collect({"/gpsset", dir.Path(), "one.jpg"});
  EXPECT_TRUE(args.GpsSet);
  EXPECT_EQ(args.Paths,
            (std::vector<std::string>{dir.Path(), platform::CurrentDirectory() + "/one.jpg"}));

  args = StartupArgs::Collect({"/gpsset"});
  EXPECT_FALSE(args.GpsSet);
  EXPECT_EQ(args.Text, "");

  args = StartupArgs::Collect({"/gpsset", "notes.txt"});
  EXPECT_FALSE(args.GpsSet);

  args = StartupArgs::Collect({});
  EXPECT_FALSE(args.GpsSet);
  EXPECT_FALSE(args.GpsView);
  EXPECT_TRUE(args.Paths.empty());
}

TEST(StartupArgs, GpsViewOpensEachDistinctPositionOnceInArgumentOrder) {
  TempDir dir;
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", dir.File("open.log"));
  const std::string first = CopyPhoto("gps_DSCN0010.jpg", dir);
  std::filesystem::copy_file(first, dir.File("same_place.jpg"));
  CopyPhoto("gps_DSCN0021.jpg", dir);
  CopyPhoto("Canon_40D.jpg", dir);

  const TStartupArgs args = StartupArgs::Collect(
      {"/gpsview", dir.File("gps_DSCN0021.jpg"), first, dir.File("Canon_40D.jpg"),
       dir.File("same_place.jpg"), dir.File("missing.jpg")});
  EXPECT_TRUE(args.GpsView);
  EXPECT_EQ(args.Paths,
            (std::vector<std::string>{"43.467082&11.884538", "43.467448&11.885127"}));
  EXPECT_EQ(args.Text, "");
  EXPECT_EQ(ReadFileBytes(dir.File("open.log")),
            "https://www.google.com/maps?q=43.467082%2C+11.884538&views=satellite\n"
            "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n");
}

// The program itself: were a window made, Qt would fail on the platform
// named here and the program would not end with 0.
TEST(StartupArgs, GpsViewModeEndsWithoutAnyWindow) {
  TempDir dir;
  testsupport::ScopedHome home;
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", dir.File("open.log"));
  testsupport::ScopedEnv noWindows("QT_QPA_PLATFORM", "no-such-platform");
  CopyPhoto("gps_DSCN0010.jpg", dir);
  CopyPhoto("gps_DSCN0021.jpg", dir);
  CopyPhoto("Kodak_CX7530.jpg", dir);
  CopyPhoto("Canon_40D.jpg", dir);

  const int pid = platform::StartProcess(QUILLMARSH_PROGRAM, {"-GPSVIEW", dir.Path()}, "",
                                         dir.File("output.txt"));
  ASSERT_GT(pid, 0);
  EXPECT_EQ(platform::WaitForProcess(pid), 0) << ReadFileBytes(dir.File("output.txt"));
  // The folder's photos in the order of their names.
  EXPECT_EQ(ReadFileBytes(dir.File("open.log")),
            "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n"
            "https://www.google.com/maps?q=43.467082%2C+11.884538&views=satellite\n"
            "https://www.google.com/maps?q=-0.371300%2C+36.056417&views=satellite\n");

  // Without a browser each map is told on standard error, and the program
  // ends with a failure.
  testsupport::ScopedEnv noBrowser("QUILLMARSH_OPEN_LOG", dir.File("missing/open.log"));
  const int failing = platform::StartProcess(QUILLMARSH_PROGRAM, {"/gpsview", dir.Path()}, "",
                                             dir.File("failed.txt"));
  ASSERT_GT(failing, 0);
  EXPECT_EQ(platform::WaitForProcess(failing), 1);
  const std::string told = ReadFileBytes(dir.File("failed.txt"));
  EXPECT_NE(told.find("Chyba: Webový prohlížeč se nepodařilo spustit, stránku nelze otevřít.\n\n"
                      "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n"),
            std::string::npos)
      << told;
  EXPECT_NE(told.find("q=-0.371300%2C+36.056417"), std::string::npos) << told;
}

}  // namespace
