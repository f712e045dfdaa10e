#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;

// A photo swapped for a pipe between its check and its lock must not stall
// the save: only files and folders are locked, and nothing else is waited
// for.
TEST(LockPath, LocksFilesAndFoldersAndRefusesPipesAndDevicesAtOnce) {
  TempDir dir;
  testsupport::WriteFileBytes(dir.File("photo.jpg"), "jpeg");
  ASSERT_EQ(mkfifo(dir.File("pipe.jpg").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", dir.File("zero.jpg").c_str()), 0);
  const struct {
    const char* name;
    bool locked;
  } cases[] = {{"photo.jpg", true}, {"", true}, {"pipe.jpg", false}, {"zero.jpg", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    const int fd = platform::LockPath(dir.File(c.name));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(fd >= 0, c.locked);
    platform::UnlockPath(fd);
  }
}

}  // namespace
