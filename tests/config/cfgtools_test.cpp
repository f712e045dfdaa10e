#include "foundation/config/cfgtools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "foundation/DateFunc.h"
#include "foundation/appcore.h"
#include "platform/registry/winregcore.h"
#include "tests/support/TestSupport.h"

namespace {

class ConfigOnStream : public ::testing::Test {
 protected:
  void SetUp() override { config.OpenStream(stream); }
  void Store(const std::string& text) {
    stream = "[S]\r\n" + text + "\r\n";
    config.OpenStream(stream);
    config.SetSection("S");
  }
  std::string stream;
  TConfig config;
};

TEST_F(ConfigOnStream, SectionNames) {
  const struct {
    const char* given;
    const char* current;
  } cases[] = {{" global ", "Global"}, {"[Travel]", "Travel"}, {"[global]", "global"},
               {" [ a b ] ", "a b"}};
  for (const auto& c : cases) {
    config.SetSection(c.given);
    EXPECT_EQ(config.GetSection(), c.current) << c.given;
  }
  config.SetSection("Dropped");
  config.OpenStream(stream);
  EXPECT_EQ(config.GetSection(), "");
}

TEST_F(ConfigOnStream, RefusesWithoutStorageSectionOrWriteAccess) {
  TConfig closed;
  EXPECT_THROW(closed.ReadString("x", ""), EInvalidSection);
  try {
    config.ReadInteger("Width", 0);
    FAIL();
  } catch (const EInvalidSection& e) {
    EXPECT_STREQ(e.what(), "No section specified; ident=Width");
  }
  config.SetSection("S");
  config.SetReadOnly(true);
  EXPECT_THROW(config.WriteString("x", "1"), EReadOnlyWriting);
  EXPECT_THROW(config.OpenFile("sql:server"), EInvalidData);
  EXPECT_THROW(config.OpenFile("C:SQL:x"), EInvalidData);
}

TEST_F(ConfigOnStream, FloatsZeroIsAValue) {
  const struct {
    const char* stored;
    double expected;
  } cases[] = {{"0", 0}, {"1,50", 1.5}, {"abc", 9}, {"", 9}, {"-2.25", -2.25}, {"3.000", 3}};
  for (const auto& c : cases) {
    Store(std::string("f=") + c.stored);
    EXPECT_DOUBLE_EQ(config.ReadFloat("f", 9), c.expected) << c.stored;
  }
  config.WriteFloat("g", 0.1);
  EXPECT_EQ(config.ReadString("g", ""), "0.1");
  EXPECT_EQ(config.ReadFloat("missing", 4.5), 4.5);
}

TEST_F(ConfigOnStream, DatesAndTimes) {
  TDateTime july15 = 0;
  ASSERT_TRUE(DateTime::TryEncodeDate(2004, 7, 15, july15));
  const TDateTime def = 1234.5;
  for (const char* stored : {"2004-07-15 10:20:30", "07/15/2004", "15.07.2004"}) {
    Store(std::string("d=") + stored);
    EXPECT_EQ(config.ReadDate("d", def), july15) << stored;
  }
  Store("d=");
  EXPECT_EQ(config.ReadDate("d", def), def);
  config.WriteDate("bad", -700000);
  EXPECT_EQ(config.ReadString("bad", "x"), "");
  config.WriteSeconds("t", 3723);
  EXPECT_EQ(config.ReadString("t", ""), "01:02:03");
  EXPECT_EQ(config.ReadSeconds("t"), 3723);
  Store("t=1:02:03");
  EXPECT_EQ(config.ReadSeconds("t"), 0);
  config.WriteDateTime("dt", july15 + 0.5);
  EXPECT_EQ(config.ReadString("dt", ""), "2004-07-15 12:00:00");
  EXPECT_EQ(config.ReadDateTime("dt", 0), july15 + 0.5);
}

TEST_F(ConfigOnStream, HostAndPort) {
  config.SetSection("S");
  config.WriteHostPort("h", "0.0.0.0", 21);
  EXPECT_EQ(config.ReadString("h", "x"), "");
  const struct {
    const char* stored;
    const char* host;
    int32_t port;
  } cases[] = {{"10.0.0.5:2121", "10.0.0.5", 2121},
               {"10.0.0.5:x", "10.0.0.5", 0},
               {"10.0.0.5", "10.0.0.5", 0},
               {" 0 :21", "", 0}};
  for (const auto& c : cases) {
    Store(std::string("h=") + c.stored);
    std::string host = "?";
    int32_t port = -1;
    config.ReadHostPort("h", "", port, host);
    EXPECT_EQ(host, c.host) << c.stored;
    EXPECT_EQ(port, c.port) << c.stored;
  }
}

TEST_F(ConfigOnStream, SecureStrings) {
  Store("p=abc");
  EXPECT_EQ(config.ReadSecureString("p"), "abc");
  const std::string stored = config.ReadString("p", "");
  ASSERT_TRUE(stored.starts_with("$@!") && stored.ends_with("!#$")) << stored;
  EXPECT_EQ(config.ReadSecureString("p"), "abc");

  config.WriteSecureString("q", "héslo");
  EXPECT_EQ(config.ReadSecureString("q"), "héslo");
  std::string altered = config.ReadString("q", "");
  altered[altered.size() - 6] = altered[altered.size() - 6] == 'a' ? 'b' : 'a';
  config.WriteString("q", altered);
  EXPECT_EQ(config.ReadSecureString("q"), "");

  config.WriteEncrypted("e", "secret");
  EXPECT_NE(config.ReadString("e", ""), "secret");
  EXPECT_EQ(config.ReadEncrypted("e"), "secret");
  config.WriteString("e", "typed by hand");
  EXPECT_EQ(config.ReadEncrypted("e"), "typed by hand");

  // Reading never raises on a read-only object.
  Store("p=plain");
  config.SetReadOnly(true);
  EXPECT_EQ(config.ReadSecureString("p"), "plain");
}

TEST_F(ConfigOnStream, ModifiedStateAndWriteBack) {
  Store("a=1\r\nb=");
  EXPECT_EQ(config.ReadInteger("a", 0), 1);
  EXPECT_FALSE(config.Modified());
  config.ReplaceSectionLines("S", {"a=2"});
  EXPECT_TRUE(config.Modified());
  ASSERT_TRUE(config.UpdateFile());
  EXPECT_FALSE(config.Modified());
  config.ClearSectionLines("S");
  EXPECT_TRUE(config.Modified());

  Store("a=1\r\nb= ");
  EXPECT_TRUE(config.DeleteKeyIfEmpty("S", "b"));
  EXPECT_FALSE(config.EraseSectionIfEmpty("S"));
  config.WriteString("a", "");
  EXPECT_TRUE(config.EraseSectionIfEmpty("S"));
  EXPECT_FALSE(config.SectionExists("S"));
  EXPECT_EQ(config.GetSection(), "S");
}

TEST_F(ConfigOnStream, Buffers) {
  Store("x=1");
  unsigned char buffer[4] = {9, 9, 9, 9};
  uint16_t count = 4;
  EXPECT_FALSE(config.ReadBuffer("missing", buffer, count));
  const unsigned char data[3] = {0, 0x80, 0xFF};
  config.WriteBuffer("buf", data, 3);
  EXPECT_EQ(config.ReadString("buf", ""), "HEX:0080FF");
  ASSERT_TRUE(config.ReadBuffer("buf", buffer, count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(buffer[1], 0x80);
  EXPECT_EQ(buffer[3], 9);
}

TEST(Config, FreeingWritesBackOnlyAfterAWrite) {
  std::string stream = "[S]\r\nv=1\r\n";
  {
    TConfig config;
    config.OpenStream(stream);
    config.SetSection("S");
    config.ReadString("v", "");
  }
  EXPECT_EQ(stream, "[S]\r\nv=1\r\n");
  {
    TConfig config;
    config.OpenStream(stream);
    config.SetSection("S");
    config.WriteString("v", "2");
  }
  EXPECT_EQ(stream, "\r\n[S]\r\nv=2\r\n");
}

// Each test runs in a process of its own, where the windows are never set
// up: past the start's grace time a settings object says so. No message box
// is installed, so the message goes to standard error.
TEST(Config, MadeLongAfterTheStartBeforeTheWindowsAreSetUpItTellsTheDeveloper) {
  appcore::Start();
  testing::internal::CaptureStderr();
  { TConfig early; }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  while (appcore::MsSinceStart() <= appcore::kGraceMs)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  testing::internal::CaptureStderr();
  { TConfig late; }
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(told.rfind("Chyba inicializace aplikace: Nebylo jeste volano "
                       "appform.InitializeFormApplication !!!",
                       0),
            0u)
      << told;
}

TEST(Config, ImportFile) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("in.ini"), "[Import]\nk=v\n");
  std::string stream;
  TConfig config;
  config.OpenStream(stream);
  config.ImportFile(dir.File("missing.ini"));
  EXPECT_FALSE(config.Modified());
  config.ImportFile(dir.File("in.ini"));
  config.SetSection("Import");
  EXPECT_EQ(config.ReadString("k", ""), "v");
}

TEST(Config, ReadSectionNoCheckListsNothingWhileClosed) {
  TConfig config;
  EXPECT_TRUE(config.ReadSectionNoCheck("S").empty());
  EXPECT_THROW(config.ReadSection("S"), EInvalidSection);
  std::string stream = "[S]\r\na=1\r\nb=2\r\n";
  config.OpenStream(stream);
  EXPECT_EQ(config.ReadSectionNoCheck("S"), (TStringList{"a", "b"}));
  EXPECT_EQ(config.GetApiLevel(), 1);
}

// A settings object that keeps its sections below "Q." in the registry.
class PrefixedConfig : public TConfig {
 public:
  std::string EncodeSectionName(const std::string& name) const override { return "Q." + name; }
  std::string DecodeSectionName(const std::string& name) const override {
    return name.rfind("Q.", 0) == 0 ? name.substr(2) : name;
  }
};

TEST(Config, SectionNameHooksMapEveryRegistrySection) {
  testsupport::ScopedHome home;
  const char* path = "SOFTWARE\\OSTREVAN\\Quillmarsh";
  {
    PrefixedConfig config;
    config.OpenRegistry(winregcore::HKey::CurrentUser, path);
    config.SetSection("Desktop");
    EXPECT_EQ(config.GetSection(), "Desktop");
    config.WriteString("a", "1");
    config.WriteString("empty", "");
    EXPECT_TRUE(config.SectionExists("Desktop"));
    EXPECT_TRUE(config.KeyExists("Desktop", "a"));
    EXPECT_EQ(config.ReadSection("Desktop"), (TStringList{"a", "empty"}));
    EXPECT_EQ(config.ReadSections(), (TStringList{"Desktop"}));
    EXPECT_TRUE(config.DeleteKeyIfEmpty("Desktop", "empty"));
  }
  const auto key = winregcore::TRegKey::Open(winregcore::HKey::CurrentUser, path, false);
  ASSERT_TRUE(key);
  std::string text;
  EXPECT_TRUE(key->ReadString("Q.Desktop\\a", text));
  EXPECT_EQ(text, "1");
  EXPECT_FALSE(key->ValueExists("Q.Desktop\\empty"));
  EXPECT_FALSE(key->ValueExists("Desktop\\a"));

  // INI text keeps the names as the caller gives them.
  std::string stream;
  PrefixedConfig ini;
  ini.OpenStream(stream);
  ini.SetSection("Desktop");
  ini.WriteString("a", "1");
  EXPECT_EQ(ini.ReadSections(), (TStringList{"Desktop"}));
}

}  // namespace
