#include "foundation/AppFolders.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "platform/Environment.h"
#include "platform/HeldFile.h"
#include "platform/WorkFile.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::ScopedEnv;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(AppFolders, TheDataFolderIsTheUsersNeverTheProgramsAndIsMadeWhenMissing) {
  EXPECT_EQ(AppFolders::ProgramFolder(), StrFunc::ExtractDir(platform::ExecutablePath()));
  {
    testsupport::ScopedHome home;
    EXPECT_EQ(AppFolders::DataFolder(), home.Path() + "/data");
    EXPECT_TRUE(fs::is_directory(home.Path() + "/data"));
  }
  // The test program's own folder is writable, and still not the data folder.
  ScopedEnv noHome("QUILLMARSH_HOME", "");
  TempDir dir;
  ScopedEnv data("XDG_DATA_HOME", dir.File("share"));
  EXPECT_EQ(AppFolders::DataFolder(), dir.File("share/quillmarsh"));
  EXPECT_TRUE(fs::is_directory(dir.File("share/quillmarsh")));
}

TEST(AppFolders, AnOlderRunsFileIsCopiedOnceWithItsDateAndStays) {
  testsupport::ScopedHome home;
  TempDir older;
  const std::string data = home.Path() + "/data/quillmarsh.dat";
  const std::string old = older.File("quillmarsh.dat");
  WriteFileBytes(old, "projects");
  fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(48));
  EXPECT_EQ(AppFolders::DataFile("quillmarsh.dat", {older.File("missing.dat"), old}), data);
  EXPECT_EQ(ReadFileBytes(data), "projects");
  EXPECT_LT(std::chrono::abs(fs::last_write_time(data) - fs::last_write_time(old)),
            std::chrono::seconds(2));
  EXPECT_EQ(ReadFileBytes(old), "projects");

  WriteFileBytes(old, "changed beside the program");
  EXPECT_EQ(AppFolders::DataFile("quillmarsh.dat", {old}), data);
  EXPECT_EQ(ReadFileBytes(data), "projects");
  // Nothing older: the path only, no file made.
  EXPECT_EQ(AppFolders::DataFile("projects.htm", {}), home.Path() + "/data/projects.htm");
  EXPECT_FALSE(fs::exists(home.Path() + "/data/projects.htm"));
}

TEST(AppFolders, UserFilesAreLookedUpInTheDataFolderFirstThenBesideTheProgram) {
  testsupport::ScopedHome home;
  const std::vector<std::string> folders = AppFolders::LookupFolders();
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], home.Path() + "/data");
  EXPECT_EQ(folders[1], AppFolders::ProgramFolder());
  EXPECT_EQ(AppFolders::FindUserFile("no-such-template.htm"), "");
  WriteFileBytes(home.Path() + "/data/indexmaster.htm", "mine");
  EXPECT_EQ(AppFolders::FindUserFile("indexmaster.htm"), home.Path() + "/data/indexmaster.htm");
  // A folder of that name is no file.
  fs::create_directories(home.Path() + "/data/lng/x.lng");
  EXPECT_EQ(AppFolders::FindUserFile("lng/x.lng"), "");
}

// The sweep takes only the program's own leftovers that nobody holds; a
// held file, a link (and what it points to), a folder and every other name
// stay.
TEST(AppFolders, TheSweepRemovesOnlyOwnLeftoversNobodyHolds) {
  testsupport::ScopedHome home;
  const std::string data = AppFolders::DataFolder() + "/";
  const std::string temp = platform::PrivateTempDir();
  const std::string work = platform::WorkFileName("quillmarsh.dat", 0);
  const std::string thumbnail = WorkNames::GenerationThumbnailName(getpid());
  TempDir outside;
  WriteFileBytes(outside.File("target"), "keep");
  const struct {
    std::string path;
    bool gone;
  } kCases[] = {
      {data + work, true},
      {data + platform::WorkFileName("places.dat", 63), true},
      {temp + platform::WorkFileName("exif_work.$$$", 0), true},
      {temp + thumbnail, true},
      {temp + "quillmarsh_genhtml_tmp.1.jpg", true},
      {data + thumbnail, false},  // thumbnails live in the temporary folder only
      {data + ".~qm12345678-64.tmp", false},
      {data + ".~qm1234567-0.tmp", false},
      {data + ".~qmABCDEF12-0.tmp", false},
      {data + ".~qm12345678-0.tmp.jpg", false},
      {data + "photo.jpg.tmp", false},
      {temp + "quillmarsh_genhtml_tmp.12a.jpg", false},
      {temp + "quillmarsh_genhtml_tmp..jpg", false},
      {temp + "quillmarsh_genhtml_tmp.7.jpeg", false},
      {temp + "exif_work.$$$", false},
  };
  for (const auto& c : kCases) WriteFileBytes(c.path, "x");
  // Held by a running writer.
  const std::string heldWork = temp + platform::WorkFileName("ssplist.tmp", 1);
  WriteFileBytes(heldWork, "x");
  const int lock = open(heldWork.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  platform::HeldFile running;
  int error = 0;
  ASSERT_TRUE(running.Open(temp + "quillmarsh_genhtml_tmp.2.jpg", error));
  // Links and a folder under the program's names.
  const std::string linked = temp + platform::WorkFileName("a.htm", 2);
  const std::string linkedThumbnail = temp + "quillmarsh_genhtml_tmp.3.jpg";
  for (const std::string& link : {linked, linkedThumbnail})
    ASSERT_EQ(symlink(outside.File("target").c_str(), link.c_str()), 0);
  fs::create_directory(data + platform::WorkFileName("b.htm", 0));

  AppFolders::RemoveLeftovers();
  for (const auto& c : kCases) EXPECT_EQ(fs::exists(fs::symlink_status(c.path)), !c.gone) << c.path;
  EXPECT_TRUE(fs::exists(heldWork));
  EXPECT_TRUE(fs::exists(running.Path()));
  EXPECT_TRUE(fs::is_symlink(linked));
  EXPECT_TRUE(fs::is_symlink(linkedThumbnail));
  EXPECT_EQ(ReadFileBytes(outside.File("target")), "keep");
  EXPECT_TRUE(fs::is_directory(data + platform::WorkFileName("b.htm", 0)));

  // Once their processes are gone, so are they.
  close(lock);
  running.Close();
  EXPECT_FALSE(fs::exists(temp + "quillmarsh_genhtml_tmp.2.jpg"));
  AppFolders::RemoveLeftovers();
  EXPECT_FALSE(fs::exists(heldWork));
}

}  // namespace
