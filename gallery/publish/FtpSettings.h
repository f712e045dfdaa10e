// The settings of publishing: the FTP server, the upload folder and an
// optional proxy, stored in the product's settings root in the sections
// "FTP" (Host, Port, LoginName, Password, FtpUploadDirectory) and "Proxy"
// (Host, Port, LoginName, Password, ConnectMethod). Both passwords are
// stored enciphered (Crypt::EncryptString) under kFtpKey; in memory they are
// plain and go nowhere but the FTP client.
#pragma once

#include <string>

#include "platform/ftp/FtpClient.h"

namespace FtpSettings {

// The key of both stored passwords. Passwords stored by earlier runs depend
// on it: never change it.
inline constexpr char kFtpKey[] = "Kx7#qM2v!Rz9@Lp4Wt8$Hn3%Bc6^Dj5&Fy1";
static_assert(sizeof(kFtpKey) - 1 == 35);

// The values as the settings window holds them; the ports as their edits'
// texts.
struct TFtpSettings {
  std::string Host;
  std::string Port = "21";
  std::string LoginName;
  std::string Password;
  std::string Dir;  // the upload folder, the root of every project's folder
  std::string ProxyHost;
  std::string ProxyPort = "0";
  std::string ProxyLoginName;
  std::string ProxyPassword;
  int ProxyConnectMethod = 0;  // the login method's index; -1 none chosen
};

// Reads every stored value, each with the value in settings as its default.
// A port is read as a number and comes back as its decimal text (a text
// that is no number is kept when nothing is stored). A stored password that
// does not decipher comes back empty; one enciphered under another key
// deciphers to other bytes.
void Load(TFtpSettings& settings);

// Writes every value, the ports trimmed as numbers (0 for a text that is
// none). False when the settings could not be written.
[[nodiscard]] bool Save(const TFtpSettings& settings);

// A port's text, trimmed, as a number from 1 to 65535; false otherwise.
bool ParsePort(const std::string& text, int& port);

enum class TPortProblem { kNone, kFtpPort, kProxyPort };

// The FTP port must be a valid port, and so must the proxy port when a
// proxy host is given (without one its "0" does not count).
TPortProblem CheckPorts(const TFtpSettings& settings);

// The client's settings for these values and the passive flag. REQUIRES:
// CheckPorts(settings) is kNone.
platform::FtpClientSettings ClientSettings(const TFtpSettings& settings, bool passive);

}  // namespace FtpSettings
