#include "gallery/FtpSettings.h"

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

void LoadPort(TConfig& config, const std::string& section, std::string& port) {
  int32_t value = 0;
  if (StrFunc::TryStrToIntS(StrFunc::Trim(port), value))
    port = std::to_string(config.ReadInteger("Port", value));
  else if (config.ValueExists(section, "Port"))
    port = std::to_string(config.ReadInteger("Port", 0));
}

void LoadPassword(TConfig& config, std::string& password) {
  const std::string stored =
      config.ReadString("Password", Crypt::EncryptString(password, kFtpKey));
  std::string plain;
  password = Crypt::DecryptString(stored, kFtpKey, plain) ? plain : std::string();
}

}  // namespace

void Load(TFtpSettings& s) {
  TConfig config;
  OpenSettings(config);
  config.SetSection(kFtpSection);
  s.Host = config.ReadString("Host", s.Host);
  LoadPort(config, kFtpSection, s.Port);
  s.LoginName = config.ReadString("LoginName", s.LoginName);
  LoadPassword(config, s.Password);
  s.Dir = config.ReadString("FtpUploadDirectory", s.Dir);
  config.SetSection(kProxySection);
  s.ProxyHost = config.ReadString("Host", s.ProxyHost);
  LoadPort(config, kProxySection, s.ProxyPort);
  s.ProxyLoginName = config.ReadString("LoginName", s.ProxyLoginName);
  LoadPassword(config, s.ProxyPassword);
  s.ProxyConnectMethod = config.ReadInteger("ConnectMethod", s.ProxyConnectMethod);
}

bool Save(const TFtpSettings& s) {
  TConfig config;
  OpenSettings(config);
  config.SetSection(kFtpSection);
  config.WriteString("Host", s.Host);
  config.WriteInteger("Port", PortNumber(s.Port));
  config.WriteString("LoginName", s.LoginName);
  config.WriteString("Password", Crypt::EncryptString(s.Password, kFtpKey));
  config.WriteString("FtpUploadDirectory", s.Dir);
  config.SetSection(kProxySection);
  config.WriteString("Host", s.ProxyHost);
  config.WriteInteger("Port", PortNumber(s.ProxyPort));
  config.WriteString("LoginName", s.ProxyLoginName);
  config.WriteString("Password", Crypt::EncryptString(s.ProxyPassword, kFtpKey));
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
