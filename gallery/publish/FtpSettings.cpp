#include "gallery/publish/FtpSettings.h"

#include "foundation/Crypt.h"
#include "foundation/StrFunc.h"
#include "foundation/config/cfgtools.h"
#include "resources/Product.h"

namespace FtpSettings {

namespace {

constexpr const char* kFtpSection = "FTP";
constexpr const char* kProxySection = "Proxy";

void OpenSettings(TConfig& config) { config.OpenRegistryDefault(false, resources::kProductName); }

int32_t PortNumber(const std::string& text) {
  int32_t value = 0;
  return StrFunc::TryStrToIntS(StrFunc::Trim(text), value) ? value : 0;
}

// The four values both sections hold: server, port, user name, password.
struct TServerValues {
  std::string& host;
  std::string& port;
  std::string& login;
  std::string& password;
};

void LoadServer(TConfig& config, const char* section, const TServerValues& v) {
  config.SetSection(section);
  v.host = config.ReadString("Host", v.host);
  int32_t value = 0;
  if (StrFunc::TryStrToIntS(StrFunc::Trim(v.port), value))
    v.port = std::to_string(config.ReadInteger("Port", value));
  else if (config.ValueExists(section, "Port"))
    v.port = std::to_string(config.ReadInteger("Port", 0));
  v.login = config.ReadString("LoginName", v.login);
  const std::string stored =
      config.ReadString("Password", Crypt::EncryptString(v.password, kFtpKey));
  std::string plain;
  v.password = Crypt::DecryptString(stored, kFtpKey, plain) ? plain : std::string();
}

void SaveServer(TConfig& config, const char* section, const std::string& host,
                const std::string& port, const std::string& login, const std::string& password) {
  config.SetSection(section);
  config.WriteString("Host", host);
  config.WriteInteger("Port", PortNumber(port));
  config.WriteString("LoginName", login);
  config.WriteString("Password", Crypt::EncryptString(password, kFtpKey));
}

}  // namespace

void Load(TFtpSettings& s) {
  TConfig config;
  OpenSettings(config);
  LoadServer(config, kFtpSection, {s.Host, s.Port, s.LoginName, s.Password});
  s.Dir = config.ReadString("FtpUploadDirectory", s.Dir);
  LoadServer(config, kProxySection,
             {s.ProxyHost, s.ProxyPort, s.ProxyLoginName, s.ProxyPassword});
  s.ProxyConnectMethod = config.ReadInteger("ConnectMethod", s.ProxyConnectMethod);
}

bool Save(const TFtpSettings& s) {
  TConfig config;
  OpenSettings(config);
  SaveServer(config, kFtpSection, s.Host, s.Port, s.LoginName, s.Password);
  config.WriteString("FtpUploadDirectory", s.Dir);
  SaveServer(config, kProxySection, s.ProxyHost, s.ProxyPort, s.ProxyLoginName, s.ProxyPassword);
  config.WriteInteger("ConnectMethod", s.ProxyConnectMethod);
  return config.UpdateFile();
}

bool ParsePort(const std::string& text, int& port) {
  int32_t value = 0;
  // "$15" is a number to TryStrToIntS, not a port a user typed.
  const std::string trimmed = StrFunc::Trim(text);
  if (trimmed.empty() || trimmed[0] == '$' || !StrFunc::TryStrToIntS(trimmed, value) ||
      value < 1 || value > 65535)
    return false;
  port = value;
  return true;
}

TPortProblem CheckPorts(const TFtpSettings& s) {
  int port = 0;
  if (!ParsePort(s.Port, port)) return TPortProblem::kFtpPort;
  if (!StrFunc::Trim(s.ProxyHost).empty() && !ParsePort(s.ProxyPort, port))
    return TPortProblem::kProxyPort;
  return TPortProblem::kNone;
}

platform::FtpClientSettings ClientSettings(const TFtpSettings& s, bool passive) {
  platform::FtpClientSettings client;
  platform::FtpLoginSettings& login = client.login;
  login.host = StrFunc::Trim(s.Host);
  ParsePort(s.Port, login.port);
  login.user = s.LoginName;
  login.password = s.Password;
  login.proxyHost = StrFunc::Trim(s.ProxyHost);
  if (!login.proxyHost.empty()) ParsePort(s.ProxyPort, login.proxyPort);
  login.proxyUser = s.ProxyLoginName;
  login.proxyPassword = s.ProxyPassword;
  login.proxyMethod = s.ProxyConnectMethod < 0 ? 0 : s.ProxyConnectMethod;
  client.passive = passive;
  return client;
}

}  // namespace FtpSettings
