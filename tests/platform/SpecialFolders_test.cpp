#include "platform/SpecialFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

namespace {

using platform::SpecialFolder;
using platform::SpecialFolderPath;

TEST(SpecialFolders, DesktopFromUserDirs) {
  const std::string text =
      "# written by xdg-user-dirs-update\n"
      "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
      "XDG_DESKTOP_DIR=\"$HOME/Plocha/\"\n";
  EXPECT_EQ(platform::ParseDesktopDir(text, "/home/eva"), "/home/eva/Plocha");
  EXPECT_EQ(platform::ParseDesktopDir("XDG_DESKTOP_DIR=\"/data/desk\"", "/home/eva"), "/data/desk");
  EXPECT_EQ(platform::ParseDesktopDir("XDG_DESKTOP_DIR=\"desk\"", "/home/eva"), "");
  EXPECT_EQ(platform::ParseDesktopDir("XDG_DESKTOP_DIR=\"$HOMEX/d\"", "/home/eva"), "");
  EXPECT_EQ(platform::ParseDesktopDir("XDG_DESKTOP_DIR=$HOME/d", "/home/eva"), "");
}

TEST(SpecialFolders, XdgVariablesAndTheTestHome) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv noOverride("QUILLMARSH_HOME", "");
  testsupport::ScopedEnv home("HOME", dir.Path());
  testsupport::ScopedEnv data("XDG_DATA_HOME", dir.File("share"));
  testsupport::ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
  testsupport::ScopedEnv dataDirs("XDG_DATA_DIRS", "not/absolute:/usr/share/:/x");
  std::filesystem::create_directory(dir.File(".config"));
  testsupport::WriteFileBytes(dir.File(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Plocha\"\n");
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::Applications), dir.File("share") + "/applications");
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::UserData), dir.File("share"));
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::Autostart), dir.Path() + "/.config/autostart");
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::Desktop), dir.Path() + "/Plocha");
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::SystemData), "/usr/share");

  testsupport::ScopedHome test;
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::Applications), test.Path() + "/applications");
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::UserData), test.Path() + "/data");
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::Desktop), test.Path() + "/desktop");
}

// A named pipe in place of user-dirs.dirs is not waited on.
TEST(SpecialFolders, UserDirsThatIsNoFileGivesTheUsualDesktop) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv noOverride("QUILLMARSH_HOME", "");
  testsupport::ScopedEnv home("HOME", dir.Path());
  testsupport::ScopedEnv config("XDG_CONFIG_HOME", dir.File("config"));
  std::filesystem::create_directory(dir.File("config"));
  ASSERT_EQ(mkfifo(dir.File("config/user-dirs.dirs").c_str(), 0600), 0);
  EXPECT_EQ(SpecialFolderPath(SpecialFolder::Desktop), dir.Path() + "/Desktop");
}

}  // namespace
