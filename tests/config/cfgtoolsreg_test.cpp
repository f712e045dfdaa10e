#include "foundation/config/cfgtoolsreg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "foundation/config/appcfg.h"
#include "foundation/config/cfgtools.h"
#include "foundation/logger.h"
#include "tests/support/TestSupport.h"

namespace {

using winregcore::HKey;
using winregcore::TRegKey;

constexpr const char* kPath = "SOFTWARE\\OSTREVAN\\Quillmarsh";

class Registry : public ::testing::Test {
 protected:
  // The stored type of a value, 0 when there is none.
  static uint32_t TypeOf(const std::string& valuePath) {
    const auto key = TRegKey::Open(HKey::CurrentUser, kPath, false);
    std::string data;
    for (uint32_t type : {winregcore::REG_SZ, winregcore::REG_EXPAND_SZ, winregcore::REG_BINARY,
                          winregcore::REG_DWORD, winregcore::REG_MULTI_SZ, winregcore::REG_QWORD}) {
      if (key && key->QueryValue(valuePath, type, data)) return type;
    }
    return 0;
  }

  testsupport::ScopedHome home;
};

TEST_F(Registry, EveryValueTypeIsStoredAndReadBack) {
  {
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    config.SetSection("Desktop\\WinPos");
    config.WriteString("s", "text\nline");
    config.WriteExpandString("e", "$HOME/x");
    config.WriteText("m", "a\r\nb");
    config.WriteInteger("i", -5);
    config.WriteDWord("d", 4000000000u);
    config.WriteInt64("q", -9000000000LL);
    config.WriteStream("b", std::string("\x00\xFF", 2));
    config.WriteBool("t", true);
    EXPECT_EQ(TypeOf("Desktop\\WinPos\\s"), 0u);  // nothing reaches the registry yet
    EXPECT_EQ(config.ReadInteger("i", 0), -5);
  }
  EXPECT_EQ(TypeOf("Desktop\\WinPos\\s"), winregcore::REG_SZ);
  EXPECT_EQ(TypeOf("desktop\\winpos\\E"), winregcore::REG_EXPAND_SZ);
  EXPECT_EQ(TypeOf("Desktop\\WinPos\\m"), winregcore::REG_MULTI_SZ);
  EXPECT_EQ(TypeOf("Desktop\\WinPos\\i"), winregcore::REG_DWORD);
  EXPECT_EQ(TypeOf("Desktop\\WinPos\\d"), winregcore::REG_DWORD);
  EXPECT_EQ(TypeOf("Desktop\\WinPos\\q"), winregcore::REG_QWORD);
  EXPECT_EQ(TypeOf("Desktop\\WinPos\\b"), winregcore::REG_BINARY);

  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetSection("DESKTOP\\winpos");
  EXPECT_EQ(config.ReadString("S", ""), "text\nline");
  EXPECT_EQ(config.ReadExpandString("e", ""), "$HOME/x");
  EXPECT_EQ(config.ReadText("m", ""), "a\r\nb");
  EXPECT_EQ(config.ReadInteger("i", 0), -5);
  EXPECT_EQ(config.ReadDWord("d", 0), 4000000000u);
  EXPECT_EQ(config.ReadInt64("q", 0), -9000000000LL);
  std::string bytes;
  EXPECT_EQ(config.ReadStream("b", bytes), 2);
  EXPECT_EQ(bytes, std::string("\x00\xFF", 2));
  EXPECT_TRUE(config.ReadBool("t", false));
  EXPECT_EQ(config.ReadString("i", ""), "4294967291");
  EXPECT_EQ(config.ReadInteger("missing", 7), 7);
  EXPECT_EQ(config.ReadSection("Desktop\\WinPos").size(), 8u);
}

TEST_F(Registry, TypesConvertOnRead) {
  {
    const auto key = TRegKey::Open(HKey::CurrentUser, kPath, true);
    ASSERT_TRUE(key);
    key->WriteString("S\\n", "42");
    key->WriteDWord("S\\d", 42);
  }
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetSection("S");
  EXPECT_EQ(config.ReadInteger("n", 0), 42);
  EXPECT_EQ(config.ReadString("d", ""), "42");
}

TEST_F(Registry, DeletedValuesAndErasedSections) {
  {
    TConfig config;
    config.OpenRegistry(HKey::CurrentUser, kPath);
    config.SetSection("Old");
    config.WriteString("keep", "1");
    config.WriteString("drop", "2");
    config.WriteString("gone", "3");
  }
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetSection("Old");
  config.DeleteKey("Old", "gone");
  EXPECT_EQ(config.ReadString("gone", "def"), "def");
  EXPECT_EQ(TypeOf("Old\\gone"), winregcore::REG_SZ);
  config.EraseSection("Old");
  EXPECT_FALSE(config.SectionExists("Old"));
  config.WriteString("keep", "new");
  EXPECT_EQ(config.ReadString("drop", "def"), "def");
  ASSERT_TRUE(config.UpdateFile());
  EXPECT_EQ(TypeOf("Old\\drop"), 0u);
  EXPECT_EQ(TypeOf("Old\\gone"), 0u);
  EXPECT_EQ(config.ReadSection("Old"), (TStringList{"keep"}));
  EXPECT_EQ(config.ReadString("keep", ""), "new");

  config.EraseSection("Old");
  ASSERT_TRUE(config.UpdateFile());
  EXPECT_FALSE(TRegKey::Open(HKey::CurrentUser, std::string(kPath) + "\\Old", false));
}

// Comments and values given to a section after it was erased, as replacing
// its lines does, reach the registry; erasing the opened key's own values
// keeps the comments of its sections; empty lines inside texts stay.
TEST_F(Registry, ErasedSectionsKeepWhatWasWrittenAfterwards) {
  {
    TConfig config;
    config.OpenRegistry(HKey::CurrentUser, kPath);
    config.SetStrings({"; about A", "[A]", "a=1"});
    config.SetSection("S");
    config.WriteString("old", "1");
    config.SetSection("");
    config.WriteString("top", "1");
  }
  {
    TConfig config;
    config.OpenRegistry(HKey::CurrentUser, kPath);
    config.ReplaceSectionLines("S", {"x=1", "; a", "", "; b", "", "y=2"});
    config.SetSection("S");
    config.WriteText("t", "a\r\n\r\nb");
    config.EraseSection("");
  }
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetSection("S");
  EXPECT_EQ(config.ReadSection("S"), (TStringList{"x", "y", "t"}));
  EXPECT_EQ(config.ReadText("t", ""), "a\r\n\r\nb");
  const TStringList exported = config.GetStrings();
  for (const char* line : {"; about A", "a=1", "; a", "; ", "; b", "x=1"}) {
    EXPECT_NE(std::find(exported.begin(), exported.end(), line), exported.end()) << line;
  }
  config.SetSection("");
  EXPECT_EQ(config.ReadString("top", "gone"), "gone");
}

TEST_F(Registry, ImportTypesValuesThatReadBackUnchanged) {
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetStrings({"; the store", "[Imp]", "; big", "big=4294967295", "max=2147483647",
                     "bin=00FF", "word=FF", "lead=0123", "neg=-5", "low=00ff"});
  ASSERT_TRUE(config.UpdateFile());
  const struct {
    const char* name;
    uint32_t type;
    const char* text;
  } cases[] = {{"big", winregcore::REG_QWORD, "4294967295"},
               {"max", winregcore::REG_DWORD, "2147483647"},
               {"bin", winregcore::REG_BINARY, "00FF"},
               {"word", winregcore::REG_SZ, "FF"},
               {"lead", winregcore::REG_SZ, "0123"},
               {"neg", winregcore::REG_QWORD, "-5"},
               {"low", winregcore::REG_SZ, "00ff"}};
  TConfig fresh;
  fresh.OpenRegistry(HKey::CurrentUser, kPath);
  fresh.SetSection("Imp");
  for (const auto& c : cases) {
    EXPECT_EQ(TypeOf(std::string("Imp\\") + c.name), c.type) << c.name;
    EXPECT_EQ(fresh.ReadString(c.name, ""), c.text) << c.name;
  }
  EXPECT_EQ(fresh.ReadInteger("lead", 0), 123);
  const TStringList exported = fresh.GetStrings();
  EXPECT_EQ(TStringList(exported.begin(), exported.begin() + 4),
            (TStringList{"[Imp]", "; the store", "; big", "big=4294967295"}));
  for (const std::string& line : exported) EXPECT_EQ(line.find("_comment_$_"), std::string::npos);
}

TEST_F(Registry, EmptySectionIsTheOpenedKey) {
  appcfg::WriteBool("x", true, "");
  EXPECT_TRUE(appcfg::ReadBool("x", ""));
  const auto key = TRegKey::Open(HKey::CurrentUser, "Software\\Brellion\\miscapp", false);
  ASSERT_TRUE(key);
  uint64_t value = 0;
  EXPECT_TRUE(key->ReadQWord("x", value));
  EXPECT_EQ(value, 1u);
  appcfg::WriteInteger("x", 2, "miscapp");
  EXPECT_FALSE(appcfg::ReadBool("x", ""));
  EXPECT_EQ(appcfg::ReadInteger("x", ""), 2);
  appcfg::WriteString("gui.imgresort.edit", "C:\\photos", "resort");
  EXPECT_EQ(appcfg::ReadString("gui.imgresort.edit", "resort"), "C:\\photos");
  EXPECT_EQ(appcfg::ReadString("missing", "resort"), "");
}

// Two copies of the program write different values at the same moment; both
// keep theirs.
TEST_F(Registry, TwoProcessesWritingAtOnceBothKeepTheirValues) {
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      char byte;
      if (read(go[0], &byte, 1) != 1) _exit(2);
      bool ok = true;
      for (int i = 0; i < 20; ++i) {
        TConfig config;
        config.OpenRegistry(HKey::CurrentUser, kPath);
        config.SetSection("Race");
        config.WriteInteger("p" + std::to_string(c) + "_" + std::to_string(i), i);
        ok = ok && config.UpdateFile();
      }
      _exit(ok ? 0 : 1);
    }
  }
  ASSERT_EQ(write(go[1], "ab", 2), 2);
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  close(go[0]);
  close(go[1]);
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  EXPECT_EQ(config.ReadSection("Race").size(), 40u);
}

// A process killed in the middle of a write-back leaves the store as before.
TEST_F(Registry, KilledWriteBackLeavesTheStoreAsBefore) {
  {
    TConfig config;
    config.OpenRegistry(HKey::CurrentUser, kPath);
    config.SetSection("Crash");
    config.WriteString("v", "before");
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const auto key = TRegKey::Open(HKey::CurrentUser, kPath, false);
    if (!key || !key->BeginWrite()) _exit(1);
    key->WriteString("Crash\\v", "after");
    key->WriteString("Crash\\w", "half");
    kill(getpid(), SIGKILL);
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetSection("Crash");
  EXPECT_EQ(config.ReadString("v", ""), "before");
  EXPECT_EQ(config.ReadString("w", "none"), "none");
  config.WriteString("w", "now");
  EXPECT_TRUE(config.UpdateFile());
}

// The store holds the enciphered FTP passwords: its folder is the user's
// alone and so are its files, made so under the usual umask, and an older
// store open to others is closed to them when it is next opened.
TEST_F(Registry, TheStoreIsTheUsersAloneWhenMadeAndWhenOpenedAgain) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv noOverride("QUILLMARSH_HOME", "");
  testsupport::ScopedEnv config("XDG_CONFIG_HOME", dir.File("config"));
  const mode_t umaskBefore = umask(022);
  const auto mode = [](const std::string& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 0777;
  };
  const std::string folder = dir.File("config/quillmarsh/registry");
  const std::string file = winregcore::DatabasePath(HKey::CurrentUser);
  ASSERT_EQ(file, folder + "/current_user.db");
  {
    TConfig settings;
    settings.OpenRegistryDefault(false, "Quillmarsh");
    settings.SetSection("FTP");
    settings.WriteString("Password", "$@!enciphered!#$");
  }
  EXPECT_EQ(mode(dir.File("config/quillmarsh")), 0700u);
  EXPECT_EQ(mode(folder), 0700u);
  EXPECT_EQ(mode(file), 0600u);

  // As an older run left it: open to others, with a journal beside it.
  ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  testsupport::WriteFileBytes(file + "-journal", "");
  ASSERT_EQ(chmod((file + "-journal").c_str(), 0644), 0);
  {
    TConfig settings;
    settings.OpenRegistryDefault(false, "Quillmarsh");
    settings.SetSection("FTP");
    EXPECT_EQ(settings.ReadString("Password", ""), "$@!enciphered!#$");
  }
  EXPECT_EQ(mode(folder), 0700u);
  EXPECT_EQ(mode(file), 0600u);
  EXPECT_EQ(mode(file + "-journal"), 0600u);
  umask(umaskBefore);
}

// Settings that cannot be saved because the store's folder cannot be made
// leave in the log which folder and why.
TEST_F(Registry, AStoreFolderThatCannotBeMadeIsLoggedWithWhy) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("file"), "x");
  testsupport::ScopedEnv noOverride("QUILLMARSH_HOME", "");
  testsupport::ScopedEnv config("XDG_CONFIG_HOME", dir.File("file"));
  std::vector<std::string> logged;
  logger::SetLogSink([&logged](const logger::LogEntry& e) { logged.push_back(e.text); });
  {
    TConfig settings;
    settings.OpenRegistryDefault(false, "Quillmarsh");
    settings.SetSection("S");
    settings.WriteString("v", "1");
  }
  logger::SetLogSink({});
  EXPECT_EQ(logged, std::vector<std::string>{"\r\n\r\nCannot save the settings; " +
                                             dir.File("file/quillmarsh") + ": Not a directory\r\n"});
}

TEST_F(Registry, BrokenDatabaseReadsDefaultsAndReportsWriteFailure) {
  testsupport::WriteFileBytes(winregcore::DatabasePath(HKey::CurrentUser),
                              std::string(4096, 'x'));
  TConfig config;
  config.OpenRegistry(HKey::CurrentUser, kPath);
  config.SetSection("S");
  EXPECT_EQ(config.ReadString("v", "def"), "def");
  config.WriteString("v", "1");
  EXPECT_FALSE(config.UpdateFile());
  EXPECT_TRUE(config.Modified());
}

}  // namespace
