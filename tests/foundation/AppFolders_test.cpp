#include "foundation/AppFolders.h"

#include <gtest/gtest.h>

#include "foundation/StrFunc.h"
#include "platform/Environment.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(AppFolders, DataFolderIsBesideTheProgramWhenWritableElseTheUsers) {
  EXPECT_EQ(AppFolders::ProgramFolder(), StrFunc::ExtractDir(platform::ExecutablePath()));
  {
    testsupport::ScopedHome home;
    EXPECT_EQ(AppFolders::DataFolder(), home.Path() + "/data");
  }
  // The test program's own folder is writable: a portable copy.
  testsupport::ScopedEnv noHome("QUILLMARSH_HOME", "");
  EXPECT_EQ(AppFolders::DataFolder(), AppFolders::ProgramFolder());

  // An installed program's folder is not the user's to write.
  testsupport::TempDir dir;
  testsupport::ScopedEnv data("XDG_DATA_HOME", dir.File("share"));
  EXPECT_EQ(AppFolders::DataFolderOf(dir.File("no-such-folder")), dir.File("share/quillmarsh"));
  EXPECT_EQ(AppFolders::DataFolderOf(""), dir.File("share/quillmarsh"));
}

}  // namespace
