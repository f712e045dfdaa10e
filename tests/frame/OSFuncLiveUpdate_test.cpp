#include "foundation/OSFunc.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;

void CopyExecutable(const std::string& bytes, const std::string& path) {
  testsupport::WriteFileBytes(path, bytes);
  fs::permissions(path, fs::perms::owner_all);
}

// The probe's log once its last copy has finished, or what is there after 30 s.
std::string WaitForLog(const std::string& path) {
  std::string log;
  for (int i = 0; i < 300; ++i) {
    if (fs::exists(path)) log = ReadFileBytes(path);
    if (log.size() >= 4 && log.compare(log.size() - 4, 4, "end\n") == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return log;
}

TEST(OSFuncLiveUpdateRun, NewCopyReplacesTheProgramAndRestartsIt) {
  testsupport::TempDir dir;
  const std::string probe = ReadFileBytes(LIVEUPDATE_PROBE);
  // Bytes after the ELF image change nothing in how it runs.
  const std::string newVersion = probe + "new version";
  const std::string prog = dir.File("prog");
  CopyExecutable(probe, prog);
  CopyExecutable(newVersion, dir.File("prog.~~UPD~~"));
  testsupport::ScopedEnv log("PROBE_LOG", dir.File("log"));

  ASSERT_TRUE(OSFunc::RunProcess(prog, {"a", "b c"}, "", OSFunc::kShowNormal, OSFunc::kWaitEnd,
                                 ""));
  EXPECT_EQ(WaitForLog(dir.File("log")), prog + "\n/afterliveupdate\na\nb c\nend\n");
  EXPECT_EQ(ReadFileBytes(prog), newVersion);
  EXPECT_FALSE(fs::exists(dir.File("prog.~~UPD~~")));
  EXPECT_FALSE(fs::exists(dir.File("prog.UPD_DOIT")));
}

TEST(OSFuncLiveUpdateRun, BrokenNewCopyLeavesANormalStart) {
  testsupport::TempDir dir;
  const std::string probe = ReadFileBytes(LIVEUPDATE_PROBE);
  const std::string prog = dir.File("prog");
  CopyExecutable(probe, prog);
  CopyExecutable("not a program", dir.File("prog.~~UPD~~"));
  testsupport::ScopedEnv log("PROBE_LOG", dir.File("log"));

  ASSERT_TRUE(OSFunc::RunProcess(prog, {"x"}, "", OSFunc::kShowNormal, OSFunc::kWaitEnd, ""));
  EXPECT_EQ(ReadFileBytes(dir.File("log")), prog + "\nx\nend\n");
  EXPECT_EQ(ReadFileBytes(prog), probe);
}

}  // namespace
