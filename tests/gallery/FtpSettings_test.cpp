#include "gallery/publish/FtpSettings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "foundation/Crypt.h"
#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"

namespace {

using FtpSettings::TFtpSettings;
using FtpSettings::TPortProblem;

TEST(FtpSettings, PortsAreCheckedBeforeUse) {
  const struct {
    const char* port;
    const char* proxyHost;
    const char* proxyPort;
    TPortProblem problem;
  } cases[] = {
      {"21  ", "", "0   ", TPortProblem::kNone},
      {"65535", "", "", TPortProblem::kNone},
      {"    ", "", "0", TPortProblem::kFtpPort},
      {"0", "", "0", TPortProblem::kFtpPort},
      {"65536", "", "0", TPortProblem::kFtpPort},
      {"$15", "", "0", TPortProblem::kFtpPort},
      {"-21", "", "0", TPortProblem::kFtpPort},
      {"21", "proxy", "0   ", TPortProblem::kProxyPort},
      {"21", " ", "0", TPortProblem::kNone},
      {"21", "proxy", "8021", TPortProblem::kNone},
  };
  for (const auto& c : cases) {
    TFtpSettings s;
    s.Port = c.port;
    s.ProxyHost = c.proxyHost;
    s.ProxyPort = c.proxyPort;
    EXPECT_EQ(FtpSettings::CheckPorts(s), c.problem) << c.port << "|" << c.proxyHost << "|" << c.proxyPort;
  }
}

TEST(FtpSettings, ClientGetsTheTrimmedValues) {
  TFtpSettings s;
  s.Host = " ftp.example.org ";
  s.Port = "2121";
  s.LoginName = "me";
  s.Password = "p w";
  s.ProxyPort = "0";
  s.ProxyConnectMethod = -1;
  const platform::FtpClientSettings client = FtpSettings::ClientSettings(s, false);
  EXPECT_EQ(client.login.host, "ftp.example.org");
  EXPECT_EQ(client.login.port, 2121);
  EXPECT_EQ(client.login.password, "p w");
  EXPECT_EQ(client.login.proxyHost, "");
  EXPECT_EQ(client.login.proxyMethod, 0);
  EXPECT_FALSE(client.passive);
}

// Every byte the settings left on disk.
std::string EverythingStored(const std::string& home) {
  std::string all;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home))
    if (entry.is_regular_file()) all += testsupport::ReadFileBytes(entry.path().string());
  return all;
}

TEST(FtpSettings, PasswordsAreStoredEncipheredUnderTheKey) {
  const testsupport::ScopedHome home;
  static_assert(std::string_view(FtpSettings::kFtpKey).size() == 35);
  for (const char c : std::string_view(FtpSettings::kFtpKey)) EXPECT_TRUE(std::isgraph(c));

  TFtpSettings s;
  s.Host = "ftp.example.org";
  s.Port = "2121";
  s.LoginName = "photographer";
  s.Password = "Tajné-heslo-1";
  s.Dir = "/www/galerie";
  s.ProxyHost = "proxy.local";
  s.ProxyPort = "8021";
  s.ProxyLoginName = "gate";
  s.ProxyPassword = "Proxy-heslo-2";
  s.ProxyConnectMethod = 3;
  ASSERT_TRUE(FtpSettings::Save(s));
  const std::string stored = EverythingStored(home.Path());
  EXPECT_EQ(stored.find("Tajné-heslo-1"), std::string::npos);
  EXPECT_EQ(stored.find("Proxy-heslo-2"), std::string::npos);

  TFtpSettings loaded;
  FtpSettings::Load(loaded);
  EXPECT_EQ(loaded.Host, s.Host);
  EXPECT_EQ(loaded.Port, "2121");
  EXPECT_EQ(loaded.LoginName, s.LoginName);
  EXPECT_EQ(loaded.Password, s.Password);
  EXPECT_EQ(loaded.Dir, s.Dir);
  EXPECT_EQ(loaded.ProxyHost, s.ProxyHost);
  EXPECT_EQ(loaded.ProxyPort, "8021");
  EXPECT_EQ(loaded.ProxyLoginName, s.ProxyLoginName);
  EXPECT_EQ(loaded.ProxyPassword, s.ProxyPassword);
  EXPECT_EQ(loaded.ProxyConnectMethod, 3);

  // Stored as the key enciphers it, and as nothing else would.
  TConfig config;
  config.OpenRegistryDefault(false, "Quillmarsh");
  config.SetSection("FTP");
  const std::string cipher = config.ReadString("Password", "");
  std::string plain;
  ASSERT_TRUE(Crypt::DecryptString(cipher, FtpSettings::kFtpKey, plain));
  EXPECT_EQ(plain, "Tajné-heslo-1");
  // A password stored under another key deciphers to other bytes, quietly.
  config.WriteString("Password", Crypt::EncryptString("Tajné-heslo-1", "another key of the tool"));
  ASSERT_TRUE(config.UpdateFile());
  TFtpSettings other;
  FtpSettings::Load(other);
  EXPECT_NE(other.Password, "Tajné-heslo-1");
  EXPECT_EQ(other.Host, s.Host);
}

TEST(FtpSettings, NothingStoredKeepsTheDefaults) {
  const testsupport::ScopedHome home;
  TFtpSettings s;
  s.Host = "given";
  s.Port = "    ";
  s.Password = "typed";
  FtpSettings::Load(s);
  EXPECT_EQ(s.Host, "given");
  EXPECT_EQ(s.Port, "    ");
  EXPECT_EQ(s.ProxyPort, "0");
  EXPECT_EQ(s.Password, "typed");
  EXPECT_EQ(s.ProxyConnectMethod, 0);
}

}  // namespace
