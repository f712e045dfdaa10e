#include "foundation/AppFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "foundation/StrFunc.h"
#include "platform/Environment.h"
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

}  // namespace
