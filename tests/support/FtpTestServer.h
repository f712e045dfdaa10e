// Servers for the FTP and window tests: helper processes on 127.0.0.1, each
// on a port the system picks, stopped when the object goes away.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/ftp/FtpClient.h"

namespace ftptest {

// A python3 script of tests/support run as a server. The script prints its
// port on its first output line; the constructor throws when none comes in
// time.
class ServerProcess {
 public:
  ServerProcess(const std::string& script, const std::vector<std::string>& args);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  int Port() const { return port_; }
  // Ends the process and waits for it; harmless when done already.
  void Stop();

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  int lifeline_ = -1;  // the write end of the server's stdin
};

// The real FTP server (user "tester", password "secret") serving home.
// extra: more arguments of ftp_server.py ("--refuse", "MKD", ...).
class RealServer : public ServerProcess {
 public:
  explicit RealServer(const std::string& home, const std::vector<std::string>& extra = {});
};

// Client settings for a server on 127.0.0.1 with short time-outs.
platform::FtpClientSettings LocalSettings(int port);

// The lines of a text file; empty when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace ftptest
