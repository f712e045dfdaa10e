#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/morvask.h"
#include "foundation/tosmika.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(morvask, LoadsOnlyFromTheProgramFolder) {
  testsupport::TempDir dir;
  EXPECT_FALSE(morvask::Load(dir.Path()));
  testsupport::WriteFileBytes(dir.File("morvask.so"), "not a library");
  EXPECT_FALSE(morvask::Load(dir.Path()));
  fs::copy_file(NAMELIB_PROBE, dir.File("morvask.so"), fs::copy_options::overwrite_existing);
  EXPECT_TRUE(morvask::Load(dir.Path()));
  EXPECT_TRUE(morvask::IsLoaded());
  morvask::Free();
  EXPECT_FALSE(morvask::IsLoaded());
  EXPECT_FALSE(morvask::Load("relative"));
}

TEST(tosmika, ReleasesTheFirstLibraryFound) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv log("NAMELIB_LOG", dir.File("log"));
  EXPECT_FALSE(tosmika::Release(dir.Path()));
  testsupport::WriteFileBytes(dir.File("velnara.so"), "not a library");
  fs::copy_file(NAMELIB_PROBE, dir.File("tosmika.so"));
  EXPECT_FALSE(tosmika::Release(dir.Path()));  // velnara.so is the one found
  fs::remove(dir.File("velnara.so"));
  EXPECT_TRUE(tosmika::Release(dir.Path()));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("log")), "ReleaseTosmika\nReleaseVelnara\n");
}

}  // namespace
