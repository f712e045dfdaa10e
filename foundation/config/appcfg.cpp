#include "foundation/config/appcfg.h"

#include "foundation/config/cfgtools.h"

namespace appcfg {

namespace {

void Open(TConfig& config, const std::string& appName) {
  config.OpenRegistry(winregcore::HKey::CurrentUser,
                      "Software\\Brellion\\" + (appName.empty() ? std::string("miscapp") : appName));
}

}  // namespace

void WriteString(const std::string& key, const std::string& value, const std::string& appName) {
  TConfig config;
  Open(config, appName);
  config.WriteString(key, value);
}

void WriteInteger(const std::string& key, int64_t value, const std::string& appName) {
  TConfig config;
  Open(config, appName);
  config.WriteInt64(key, value);
}

void WriteBool(const std::string& key, bool value, const std::string& appName) {
  WriteInteger(key, value ? 1 : 0, appName);
}

std::string ReadString(const std::string& key, const std::string& appName) {
  TConfig config;
  Open(config, appName);
  return config.ReadString(key, "");
}

int32_t ReadInteger(const std::string& key, const std::string& appName) {
  TConfig config;
  Open(config, appName);
  return static_cast<int32_t>(config.ReadInt64(key, 0));
}

bool ReadBool(const std::string& key, const std::string& appName) {
  return ReadInteger(key, appName) == 1;
}

}  // namespace appcfg
