// The login dialogues of the FTP client: a plain USER/PASS login and the six
// ways of logging in through an FTP proxy, as command sequences.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Proxy login methods, in the order the settings window lists them.
enum class FtpProxyMethod {
  UserAtHost = 0,        // USER user@host, PASS pass
  ProxyThenUserAtHost,   // proxy USER/PASS, then USER user@host, PASS pass
  ProxyThenSite,         // proxy USER/PASS, SITE host, USER/PASS
  ProxyThenOpen,         // proxy USER/PASS, OPEN host, USER/PASS
  UserAtProxyAtHost,     // USER user@proxyuser@host, PASS pass@proxypass
  Transparent,           // proxy USER/PASS, then USER/PASS, on the server itself
};

struct FtpLoginSettings {
  std::string host;
  int port = 21;
  std::string user;
  std::string password;
  std::string proxyHost;  // empty: no proxy
  int proxyPort = 21;
  std::string proxyUser;
  std::string proxyPassword;
  int proxyMethod = 0;  // an FtpProxyMethod; out-of-range values count as 0
};

struct FtpLoginCommand {
  std::string command;  // "USER", "PASS", "SITE" or "OPEN"
  std::string argument;
};

// Where to connect and what to send to log in.
struct FtpLoginPlan {
  std::string host;
  int port = 21;
  std::vector<FtpLoginCommand> commands;
};

// The plan for the settings: without a proxy host a plain login on the
// server; with one, the dialogue of the chosen method, sent to the proxy
// (except for the transparent method). The target is named "host", or
// "host:port" when its port is not 21.
FtpLoginPlan MakeFtpLoginPlan(const FtpLoginSettings& settings);

}  // namespace platform
