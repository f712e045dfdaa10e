#include "foundation/config/cfgtoolsregister.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"

namespace {

using winregcore::HKey;

constexpr const char* kKey = "CURRENT_USER\\SOFTWARE\\OSTREVAN\\Quillmarsh";

class RegisterIniFile : public ::testing::Test {
 protected:
  void SetUp() override { config.OpenRegistryDefault(false, "Quillmarsh"); }
  TRegisterIniFile& Store() { return *config.RegistryStore(); }

  testsupport::ScopedHome home;
  TConfig config;
};

TEST_F(RegisterIniFile, NamesOfTheOpenedKey) {
  const struct {
    HKey root;
    const char* path;
    const char* rootName;
    const char* keyPath;
    const char* fileName;
    bool userRoot;
  } cases[] = {
      {HKey::CurrentUser, "SOFTWARE\\OSTREVAN\\Quillmarsh", "CURRENT_USER\\",
       "SOFTWARE\\OSTREVAN\\Quillmarsh", "SOFTWARE_OSTREVAN_Quillmarsh-currentuser.ini", true},
      {HKey::LocalMachine, " \\Software\\a/b\\ ", "LOCAL_MACHINE\\", "Software\\a/b",
       "Software_a_b-localmachine.ini", false},
      {HKey::CurrentConfig, "", "CURRENT_CONFIG\\", "", "root-currentconfig.ini", true},
  };
  for (const auto& c : cases) {
    TConfig other;
    other.OpenRegistry(c.root, c.path);
    const TRegisterIniFile* store = other.RegistryStore();
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->RootName(), c.rootName);
    EXPECT_EQ(store->KeyPath(), c.keyPath);
    EXPECT_EQ(store->FileName(), c.fileName);
    EXPECT_EQ(store->UserRoot(), c.userRoot) << c.rootName;
    EXPECT_EQ(store->Owner(), &other);
  }
  std::string stream;
  config.OpenStream(stream);
  EXPECT_EQ(config.RegistryStore(), nullptr);
}

TEST_F(RegisterIniFile, SectionHeadersTranslateBothWays) {
  const TStringList sections = {"; [not a header]", "[Desktop]",  "x=1", "  [ A\\B ]  ",
                                "[]",               "y=[z]",      ""};
  const TStringList keyNames = {"; [not a header]",
                                std::string("[") + kKey + "\\Desktop]",
                                "x=1",
                                std::string("[") + kKey + "\\A\\B]",
                                std::string("[") + kKey + "]",
                                "y=[z]",
                                ""};
  TStringList lines = sections;
  Store().SectionsToKeyNames(lines);
  EXPECT_EQ(lines, keyNames);
  Store().KeyNamesToSections(lines);
  EXPECT_EQ(lines, (TStringList{"; [not a header]", "[Desktop]", "x=1", "[A\\B]", "[]", "y=[z]", ""}));

  EXPECT_EQ(Store().SectionOf(" current_user\\software\\ostrevan\\QUILLMARSH\\Desktop\\ "),
            "Desktop");
  EXPECT_EQ(Store().SectionOf(std::string(kKey) + "\\"), "");
}

TEST_F(RegisterIniFile, NamesOutsideTheKeyAreRefused) {
  const std::string other = "CURRENT_USER\\SOFTWARE\\OSTREVAN\\QuillmarshX\\A";
  const struct {
    std::string name;
    bool registerKey;  // EInvalidRegisterKey, else EInvalidSection
    std::string message;
  } cases[] = {
      {"Desktop", false, "Cannot parse name Desktop"},
      {"HKEY_CURRENT_USER\\SOFTWARE", false, "Cannot parse name HKEY_CURRENT_USER\\SOFTWARE"},
      {"PERFORMANCE_DATA\\x", false, "Cannot parse name PERFORMANCE_DATA\\x"},
      {"local_machine \\SOFTWARE\\OSTREVAN\\Quillmarsh\\A", true,
       "Cannot parse HKey local_machine as HKey CURRENT_USER"},
      {other, true, "Cannot parse name " + other},
      {"CURRENT_USER\\SOFTWARE", true, "Cannot parse name CURRENT_USER\\SOFTWARE"},
  };
  for (const auto& c : cases) {
    TStringList lines = {"[" + std::string(kKey) + "\\Fine]", "[" + c.name + "]"};
    const TStringList before = lines;
    try {
      Store().KeyNamesToSections(lines);
      ADD_FAILURE() << c.name;
    } catch (const EInvalidRegisterKey& e) {
      EXPECT_TRUE(c.registerKey) << c.name;
      EXPECT_EQ(e.what(), c.message);
    } catch (const EInvalidSection& e) {
      EXPECT_FALSE(c.registerKey) << c.name;
      EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_EQ(lines, before) << "a failed translation leaves the lines alone";
  }
}

// An exported key names its keys in full, and reads back as sections.
TEST_F(RegisterIniFile, ExportNamesItsKeys) {
  config.SetSection("Desktop");
  config.WriteInteger("Left", 10);
  ASSERT_TRUE(config.UpdateFile());
  TStringList exported = config.GetStrings();
  Store().SectionsToKeyNames(exported);
  EXPECT_EQ(exported, (TStringList{std::string("[") + kKey + "\\Desktop]", "Left=10", ""}));
  Store().KeyNamesToSections(exported);
  config.SetStrings(exported);
  EXPECT_EQ(config.ReadInteger("Left", 0), 10);
}

}  // namespace
