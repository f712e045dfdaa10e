#include "tests/support/FtpTestServer.h"

#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ftptest {

namespace {

constexpr int kStartTimeoutMs = 10000;

// Reads the first line of fd within the time-out.
std::string ReadFirstLine(int fd) {
  std::string line;
  while (line.find('\n') == std::string::npos) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, kStartTimeoutMs) <= 0) break;
    char buf[64];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) break;
    line.append(buf, static_cast<size_t>(n));
  }
  return line;
}

}  // namespace

ServerProcess::ServerProcess(const std::string& script, const std::vector<std::string>& args) {
  int out[2];
  int in[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (pipe2(in, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    throw std::runtime_error("pipe failed");
  }
  std::vector<std::string> argv = {QUILLMARSH_PYTHON, "-u",
                                   std::string(QUILLMARSH_FTP_SCRIPTS) + "/" + script};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> raw;
  for (std::string& a : argv) raw.push_back(a.data());
  raw.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  // The server ends when its stdin closes, so it cannot outlive this process.
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  const int rc = posix_spawn(&pid_, raw[0], &actions, nullptr, raw.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(in[0]);
  lifeline_ = in[1];
  if (rc != 0) {
    close(out[0]);
    pid_ = -1;
    Stop();
    throw std::runtime_error("cannot start " + script);
  }
  const std::string line = ReadFirstLine(out[0]);
  close(out[0]);
  const char* end = line.data() + line.size();
  if (std::from_chars(line.data(), end, port_).ec != std::errc()) port_ = 0;
  if (port_ <= 0) {
    Stop();
    throw std::runtime_error(script + " did not report its port");
  }
}

ServerProcess::~ServerProcess() { Stop(); }

void ServerProcess::Stop() {
  if (lifeline_ >= 0) close(lifeline_);
  lifeline_ = -1;
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

RealServer::RealServer(const std::string& home, const std::vector<std::string>& extra)
    : ServerProcess("ftp_server.py", [&] {
        std::vector<std::string> args = {"--home", home};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
      }()) {}

platform::FtpClientSettings LocalSettings(int port) {
  platform::FtpClientSettings settings;
  settings.login.host = "127.0.0.1";
  settings.login.port = port;
  settings.login.user = "tester";
  settings.login.password = "secret";
  settings.connectTimeoutMs = 5000;
  settings.readTimeoutMs = 5000;
  return settings;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace ftptest
