#include "foundation/OSFunc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "tests/support/TestSupport.h"

namespace {

using OSFunc::PlatformFamily;
using OSFunc::StartDecision;
using testsupport::ReadFileBytes;

TEST(OSFuncVersion, CodesFollowTheVersionTable) {
  struct Case {
    PlatformFamily family;
    int major, minor, build;
    bool server;
    const char* service;
    bool kernel490;
    int code;
  };
  const Case cases[] = {
      {PlatformFamily::Win9x, 4, 0, 950, false, "", false, 1},
      {PlatformFamily::Win9x, 4, 0, 1111, false, "B", false, 2},
      {PlatformFamily::Win9x, 4, 10, 1998, false, "", false, 3},
      {PlatformFamily::Win9x, 4, 10, 2222, false, "A", false, 4},
      {PlatformFamily::Win9x, 4, 10, 3000, false, "", true, 5},
      {PlatformFamily::Win9x, 4, 90, 3000, false, "", false, 5},
      {PlatformFamily::WinNT, 3, 51, 1057, false, "", false, 8},
      {PlatformFamily::WinNT, 4, 0, 1381, true, "", false, 9},
      {PlatformFamily::WinNT, 5, 0, 2195, false, "", false, 10},
      {PlatformFamily::WinNT, 5, 1, 2600, false, "", false, 11},
      {PlatformFamily::WinNT, 6, 0, 6002, true, "", false, 14},
      {PlatformFamily::WinNT, 6, 1, 7601, false, "", false, 15},
      {PlatformFamily::WinNT, 6, 3, 9600, true, "", false, 20},
      {PlatformFamily::WinNT, 10, 0, 19045, false, "", false, 21},
      {PlatformFamily::WinNT, 10, 0, 22000, false, "", false, 24},
      {PlatformFamily::WinNT, 10, 0, 14393, true, "", false, 22},
      {PlatformFamily::WinNT, 10, 0, 17763, true, "", false, 23},
      {PlatformFamily::WinNT, 10, 0, 20348, true, "", false, 25},
      {PlatformFamily::WinNT, 6, 4, 9600, false, "", false, 0},
      {PlatformFamily::Other, 6, 1, 0, false, "", false, 0},
  };
  for (const Case& c : cases) {
    OSFunc::VersionFacts f;
    f.family = c.family;
    f.major = c.major;
    f.minor = c.minor;
    f.build = c.build;
    f.server = c.server;
    f.service = c.service;
    f.kernelFile490 = c.kernel490;
    EXPECT_EQ(OSFunc::VersionCodeOf(f), c.code) << c.major << "." << c.minor << " " << c.build;
  }
  EXPECT_EQ(OSFunc::VersionCodeName(21), "Windows 10");
  EXPECT_EQ(OSFunc::VersionCodeName(25), "Windows Server 2022");
  EXPECT_EQ(OSFunc::VersionCodeName(0), "");
  EXPECT_EQ(OSFunc::VersionCodeName(26), "");
}

TEST(OSFuncVersion, LinuxHasNoWindowsCodeButAName) {
  EXPECT_EQ(OSFunc::WinVersion(), 0);
  EXPECT_FALSE(OSFunc::WinVersionName().empty());
}

TEST(OSFuncShellOpen, GoesToTheOpenLogInTests) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", dir.File("open.log"));
  EXPECT_TRUE(OSFunc::ShellOpen("https://www.google.com/maps?q=50.1%2C14.4&views=satellite"));
  EXPECT_TRUE(OSFunc::ShellOpen("/photos/a b.jpg"));
  EXPECT_EQ(ReadFileBytes(dir.File("open.log")),
            "https://www.google.com/maps?q=50.1%2C14.4&views=satellite\n/photos/a b.jpg\n");
}

// printf prints each argument on its own line, so the output shows exactly
// what reached the child.
TEST(OSFuncRunProcess, ArgumentsReachTheChildUnchanged) {
  testsupport::TempDir dir;
  const std::string out = dir.File("out.txt");
  const std::vector<std::string> args = {"[%s]\n",        "two words", "say \"hi\"", "it's",
                                         "back\\slash", "$HOME",     "",          "*.jpg"};
  ASSERT_TRUE(OSFunc::RunProcess("/usr/bin/printf", args, "", OSFunc::kShowNormal,
                                 OSFunc::kWaitEnd, out));
  EXPECT_EQ(ReadFileBytes(out),
            "[two words]\n[say \"hi\"]\n[it's]\n[back\\slash]\n[$HOME]\n[]\n[*.jpg]\n");
}

TEST(OSFuncRunProcess, WorkingFolderAndFailures) {
  testsupport::TempDir dir;
  const std::string out = dir.File("pwd.txt");
  ASSERT_TRUE(OSFunc::RunProcess("/usr/bin/pwd", {}, dir.Path(), OSFunc::kShowHidden,
                                 OSFunc::kWaitEnd, out));
  EXPECT_EQ(ReadFileBytes(out), std::filesystem::canonical(dir.Path()).string() + "\n");
  ASSERT_TRUE(OSFunc::RunProcess("/usr/bin/pwd", {}, OSFunc::kProgramFolder, OSFunc::kShowNormal,
                                 OSFunc::kWaitEndOrTitle, out));
  EXPECT_EQ(ReadFileBytes(out), "/usr/bin\n");

  EXPECT_FALSE(OSFunc::RunProcess(dir.File("missing"), {}, "", 0, OSFunc::kWaitEnd, ""));
  EXPECT_FALSE(OSFunc::RunProcess("/usr/bin/pwd", {}, dir.File("no-such-folder"), 0,
                                  OSFunc::kWaitEnd, ""));
  testsupport::WriteFileBytes(dir.File("script.txt"), "echo never run by a shell\n");
  std::filesystem::permissions(dir.File("script.txt"), std::filesystem::perms::owner_all);
  EXPECT_FALSE(OSFunc::RunProcess(dir.File("script.txt"), {}, "", 0, OSFunc::kWaitEnd, ""));
}

TEST(OSFuncRunViaCmd, ScriptRunsTheProgramAndGoesAway) {
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  const std::string made = dir.File("it's $done");
  ASSERT_TRUE(OSFunc::RunViaCmd("/usr/bin/touch", {made}, OSFunc::kShowMaximized, true));
  EXPECT_TRUE(std::filesystem::exists(made));
  EXPECT_TRUE(std::filesystem::is_empty(home.Path() + "/tmp"));
}

// A file system and process runner in memory, with switches for failures.
class FakeSystem : public OSFunc::LiveUpdateSystem {
 public:
  std::set<std::string> files;
  bool writable = true;
  bool renameFails = false;
  bool startFails = false;
  std::vector<std::string> started;  // program, then each argument, per start

  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  bool Remove(const std::string& path) override { return files.erase(path) != 0; }
  bool RenameOver(const std::string& from, const std::string& to) override {
    if (renameFails || files.count(from) == 0) return false;
    files.erase(from);
    files.insert(to);
    return true;
  }
  bool FolderWritable(const std::string& dir) override { return writable && dir == "/app"; }
  bool Start(const std::string& program, const std::vector<std::string>& args,
             const std::string& dir) override {
    if (startFails || files.count(program) == 0 || dir != "/app") return false;
    std::string line = program;
    for (const std::string& a : args) line += "|" + a;
    started.push_back(line);
    return true;
  }
};

TEST(OSFuncLiveUpdate, DecidesEveryStart) {
  const std::string prog = "/app/quillmarsh";
  const std::string waiting = "/app/quillmarsh.~~UPD~~";
  const std::string swap = "/app/quillmarsh.UPD_DOIT";
  struct Case {
    const char* what;
    std::string self;
    std::vector<std::string> args;
    std::set<std::string> files;
    bool writable, renameFails, startFails;
    StartDecision decision;
    std::set<std::string> filesAfter;
    std::vector<std::string> started;
  };
  const Case cases[] = {
      {"no update", prog, {"a"}, {prog}, true, false, false,
       StartDecision::Continue, {prog}, {}},
      {"left-over swap copy is removed", prog, {}, {prog, swap}, true, false, false,
       StartDecision::Continue, {prog}, {}},
      {"update waiting", prog, {"a", "b c"}, {prog, waiting}, true, false, false,
       StartDecision::EndProcess, {prog, swap}, {swap + "|a|b c"}},
      {"update waiting over a stale swap copy", prog, {"x"}, {prog, waiting, swap}, true, false,
       false, StartDecision::EndProcess, {prog, swap}, {swap + "|x"}},
      {"rename fails", prog, {"a"}, {prog, waiting}, true, true, false,
       StartDecision::Continue, {prog, waiting}, {}},
      {"start fails", prog, {"a"}, {prog, waiting}, true, false, true,
       StartDecision::Continue, {prog, swap}, {}},
      {"program folder not writable", prog, {}, {prog, waiting}, false, false, false,
       StartDecision::Continue, {prog, waiting}, {}},
      {"swap copy takes the program's place", swap, {"a", "b c"}, {prog, swap}, true, false,
       false, StartDecision::EndProcess, {prog}, {prog + "|/afterliveupdate|a|b c"}},
      {"swap copy cannot rename", swap, {"a"}, {prog, swap}, true, true, false,
       StartDecision::Continue, {prog, swap}, {}},
      {"swap copy cannot start the program", swap, {"a"}, {prog, swap}, true, false, true,
       StartDecision::Continue, {prog}, {}},
      {"after-update restart", prog, {"/AfterLiveUpdate", "a", "b c"}, {prog}, true, false,
       false, StartDecision::Continue, {prog}, {}},
      {"after-update switch is not passed on", prog, {"--afterliveupdate", "x"}, {prog, waiting},
       true, false, false, StartDecision::EndProcess, {prog, swap}, {swap + "|x"}},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    system.files = c.files;
    system.writable = c.writable;
    system.renameFails = c.renameFails;
    system.startFails = c.startFails;
    EXPECT_EQ(OSFunc::LiveUpdate(c.self, c.args, system), c.decision) << c.what;
    EXPECT_EQ(system.files, c.filesAfter) << c.what;
    EXPECT_EQ(system.started, c.started) << c.what;
  }
}

}  // namespace
