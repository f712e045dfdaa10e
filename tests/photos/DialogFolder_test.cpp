// The folder a dialog opens in: the photo's, the last one, the home folder,
// or the root; never one named relative to the working folder.
#include "photos/DialogFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(DialogFolder, TheFirstUsableOfThePhotosFolderTheLastAndHomeElseTheRoot) {
  testsupport::TempDir dir;
  for (const char* folder : {"fotky", "posledni", "domov", "build"}) fs::create_directory(dir.File(folder));
  const std::string photo = dir.File("fotky/a.jpg");
  const std::string gone = dir.File("pryc/a.jpg");
  struct Case {
    std::string photo, last, home, start;
  };
  const Case cases[] = {
      {photo, dir.File("posledni"), dir.File("domov"), dir.File("fotky")},
      {"", dir.File("posledni") + "/", dir.File("domov"), dir.File("posledni")},
      {gone, dir.File("pryc"), dir.File("domov"), dir.File("domov")},
      // Relative names would be taken from the working folder.
      {"a.jpg", "build", dir.File("domov/"), dir.File("domov")},
      {"", "", "", "/"},
      {"", "", "relative/home", "/"},
      {"/a.jpg", "", "", "/"},
  };
  const fs::path working = fs::current_path();
  fs::current_path(dir.Path());
  for (const Case& c : cases) {
    testsupport::ScopedEnv home("HOME", c.home);
    EXPECT_EQ(DialogFolder::StartFolder(c.photo, c.last), c.start) << c.photo << "|" << c.last;
  }
  fs::current_path(working);
  EXPECT_FALSE(DialogFolder::Usable("build"));
  EXPECT_TRUE(DialogFolder::Usable(dir.File("build")));
}

}  // namespace
