// The cheap listing of a folder's regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ListRegularFiles, TakesFilesAndLinksToFilesOnly) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("a.jpg"), "x");
  testsupport::WriteFileBytes(dir.File(".hidden"), "x");
  std::filesystem::create_directory(dir.File("folder.jpg"));
  std::filesystem::create_symlink(dir.File("a.jpg"), dir.File("link.jpg"));
  std::filesystem::create_symlink(dir.File("folder.jpg"), dir.File("folderlink.jpg"));
  std::filesystem::create_symlink(dir.File("gone.jpg"), dir.File("dangling.jpg"));
  ASSERT_EQ(mkfifo(dir.File("pipe.jpg").c_str(), 0600), 0);

  std::vector<std::string> names = {"stale"};
  ASSERT_TRUE(platform::ListRegularFiles(dir.Path(), names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".hidden", "a.jpg", "link.jpg"}));

  EXPECT_FALSE(platform::ListRegularFiles(dir.File("a.jpg"), names));
  EXPECT_FALSE(platform::ListRegularFiles(dir.File("missing"), names));
  EXPECT_TRUE(names.empty());
}

}  // namespace
