// The program's own folders: made when missing with the folders above them,
// private to the user, and a folder that cannot be made named with why.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Environment.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

TEST(OwnFolders, TheTemporaryFolderIsMadeWithTheFoldersAboveIt) {
  testsupport::TempDir dir;
  const mode_t umaskBefore = umask(022);
  {
    testsupport::ScopedEnv home("QUILLMARSH_HOME", dir.File("not/yet"));
    std::string problem;
    EXPECT_EQ(platform::PrivateTempDir(problem), dir.File("not/yet/tmp/"));
    EXPECT_EQ(problem, "");
    for (const char* folder : {"not", "not/yet", "not/yet/tmp"})
      EXPECT_EQ(ModeOf(dir.File(folder)), 0700u) << folder;
  }
  {
    // Below the runtime folder, one that others could enter is closed to them.
    testsupport::ScopedEnv home("QUILLMARSH_HOME", "");
    testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path());
    fs::create_directory(dir.File("quillmarsh"));
    ASSERT_EQ(chmod(dir.File("quillmarsh").c_str(), 0755), 0);
    EXPECT_EQ(platform::PrivateTempDir(), dir.File("quillmarsh/"));
    EXPECT_EQ(ModeOf(dir.File("quillmarsh")), 0700u);
  }
  umask(umaskBefore);
}

TEST(OwnFolders, AFolderThatCannotBeMadeIsNamedWithWhy) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("file"), "x");
  fs::create_directory(dir.File("home"));
  fs::create_symlink(dir.File("elsewhere"), dir.File("home/tmp"));
  const struct {
    std::string home, problem;
  } cases[] = {
      {dir.File("file/home"), dir.File("file/home") + ": Not a directory"},
      {dir.File("home"), dir.File("home/tmp") + ": Not a directory"},
  };
  for (const auto& c : cases) {
    testsupport::ScopedEnv home("QUILLMARSH_HOME", c.home);
    std::string problem;
    EXPECT_EQ(platform::PrivateTempDir(problem), "") << c.home;
    EXPECT_EQ(problem, c.problem);
  }
  EXPECT_FALSE(fs::exists(dir.File("elsewhere")));

  // A link planted at the temporary folder's name, to a folder of the
  // user's own that others may read: refused, and that folder left open.
  {
    fs::create_directory(dir.File("public"));
    ASSERT_EQ(chmod(dir.File("public").c_str(), 0755), 0);
    fs::create_directory(dir.File("runtime"));
    fs::create_symlink(dir.File("public"), dir.File("runtime/quillmarsh"));
    testsupport::ScopedEnv home("QUILLMARSH_HOME", "");
    testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.File("runtime"));
    std::string problem;
    EXPECT_EQ(platform::PrivateTempDir(problem), "");
    EXPECT_EQ(problem, dir.File("runtime/quillmarsh") + ": Not a directory");
    EXPECT_EQ(ModeOf(dir.File("public")), 0755u);
  }

  // A folder the user may not write into, where permissions hold.
  fs::create_directory(dir.File("locked"));
  ASSERT_EQ(chmod(dir.File("locked").c_str(), 0500), 0);
  EXPECT_EQ(testsupport::InChildWithPermissions([&] {
              std::string problem;
              platform::MakeOwnFolder(dir.File("locked/own/folder"), problem);
              return problem;
            }),
            dir.File("locked/own") + ": Permission denied");
  ASSERT_EQ(chmod(dir.File("locked").c_str(), 0700), 0);
}

}  // namespace
