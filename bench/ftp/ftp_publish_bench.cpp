// Publishes a folder of 1,000 small files to a local pyftpdlib server with
// TFTPManager::SyncDirectory and with lftp's "mirror -R", three times each:
// first publish, again with nothing changed, again with 10 files changed.
// Prints the wall time and what the server received for every run.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "gallery/publish/FtpMng.h"
#include "platform/ftp/FtpClient.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 1000;
constexpr int kChanged = 10;

// Starts a program; stdout goes to outFd (or /dev/null), stdin comes from inFd
// (or /dev/null). Returns the pid, -1 on failure.
pid_t Spawn(std::vector<std::string> argv, int inFd, int outFd) {
  std::vector<char*> raw;
  for (std::string& a : argv) raw.push_back(a.data());
  raw.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (inFd >= 0)
    posix_spawn_file_actions_adddup2(&actions, inFd, STDIN_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (outFd >= 0)
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, raw[0], &actions, nullptr, raw.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

// The benchmark's server; it ends when this process closes its stdin.
struct Server {
  pid_t pid = -1;
  int port = 0;
  int lifeline = -1;

  bool Start(const std::string& home, const std::string& stats) {
    int out[2], in[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(in, O_CLOEXEC) != 0) return false;
    pid = Spawn({QUILLMARSH_PYTHON, QUILLMARSH_BENCH_SERVER, "--home", home, "--stats", stats},
                in[0], out[1]);
    close(out[1]);
    close(in[0]);
    lifeline = in[1];
    std::string line;
    pollfd p{out[0], POLLIN, 0};
    char buf[32];
    while (line.find('\n') == std::string::npos && poll(&p, 1, 10000) > 0) {
      const ssize_t n = read(out[0], buf, sizeof buf);
      if (n <= 0) break;
      line.append(buf, static_cast<size_t>(n));
    }
    close(out[0]);
    std::from_chars(line.data(), line.data() + line.size(), port);
    return pid > 0 && port > 0;
  }

  ~Server() {
    if (lifeline >= 0) close(lifeline);
    if (pid > 0) waitpid(pid, nullptr, 0);
  }
};

// What the server saw during one run.
struct Traffic {
  int stored = 0;
  int commands = 0;
  long long bytesIn = 0;
  long long bytesOut = 0;
};

// Totals of the stats file from line `from` on; from is moved to its end.
Traffic ReadTraffic(const std::string& stats, size_t& from) {
  std::ifstream in(stats);
  Traffic t;
  size_t index = 0;
  for (std::string line; std::getline(in, line); ++index) {
    if (index < from) continue;
    if (line == "cmd STOR") ++t.stored;
    if (line.rfind("cmd ", 0) == 0) ++t.commands;
    if (line.rfind("data ", 0) == 0) {
      const char* p = line.data() + 5;
      const char* end = line.data() + line.size();
      long long received = 0, sent = 0;
      p = std::from_chars(p, end, received).ptr;
      if (p < end) std::from_chars(p + 1, end, sent);
      t.bytesIn += received;
      t.bytesOut += sent;
    }
  }
  from = index;
  return t;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// 800 photos of 4-16 KB and 200 pages of 1-3 KB, the same on every call.
void MakeFolder(const std::string& dir) {
  fs::create_directories(dir);
  uint32_t seed = 2024;
  for (int i = 0; i < kFiles; ++i) {
    const bool page = i % 5 == 4;
    seed = seed * 1664525u + 1013904223u;
    const size_t size = page ? 1024 + seed % 2048 : 4096 + seed % 12288;
    std::string bytes(size, '\0');
    for (char& c : bytes) {
      seed = seed * 1664525u + 1013904223u;
      c = page ? static_cast<char>('a' + (seed >> 24) % 26) : static_cast<char>(seed >> 24);
    }
    if (page)
      for (size_t k = 80; k < bytes.size(); k += 81) bytes[k] = '\n';
    char name[32];
    std::snprintf(name, sizeof name, page ? "page%04d.htm" : "IMG_%04d.JPG", i);
    WriteFile(dir + "/" + name, bytes);
  }
}

void ChangeFiles(const std::string& dir) {
  for (int i = 0; i < kChanged; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.JPG", i * 50 + 1);
    std::ofstream(dir + "/" + name, std::ios::binary | std::ios::app) << "changed";
  }
}

bool PublishOurs(int port, const std::string& local) {
  platform::FtpClient client;
  client.Settings().login = {"127.0.0.1", port, "tester", "secret", "", 21, "", "", 0};
  TFTPManager manager(nullptr, nullptr, nullptr, nullptr, client);
  const bool ok = manager.Connect() && manager.SyncDirectory(local, "/ours");
  manager.Disconnect();
  return ok;
}

bool PublishLftp(int port, const std::string& local) {
  const std::string script =
      "set cmd:fail-exit yes; set net:max-retries 1; set ftp:ssl-allow no; "
      "set ftp:passive-mode yes; open -u tester,secret -p " + std::to_string(port) +
      " 127.0.0.1; mirror -R --delete --no-perms " + local + " /lftp";
  const pid_t pid = Spawn({"lftp", "-c", script}, -1, -1);
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

int CountFiles(const std::string& dir) {
  int count = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.is_regular_file() && e.path().filename() != "ftpcache") ++count;
  return count;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/quillmarsh-ftpbench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::string root = pattern;
  setenv("QUILLMARSH_HOME", (root + "/home").c_str(), 1);
  fs::create_directories(root + "/home");
  fs::create_directories(root + "/server");
  const std::string stats = root + "/stats.txt";
  MakeFolder(root + "/ours");
  MakeFolder(root + "/lftp");

  int result = 0;
  {
    Server server;
    if (!server.Start(root + "/server", stats)) {
      std::fprintf(stderr, "cannot start the server\n");
      return 1;
    }
    struct Tool {
      const char* name;
      std::function<bool(int, const std::string&)> publish;
    };
    const Tool tools[] = {{"ours", PublishOurs}, {"lftp", PublishLftp}};
    const char* phases[] = {"first publish", "no change", "10 changed"};
    std::printf("%-14s %-5s %10s %7s %11s %11s %9s %6s\n", "run", "tool", "time ms", "stored",
                "bytes up", "bytes down", "commands", "files");
    size_t from = 0;
    for (const Tool& tool : tools) {
      const std::string local = root + "/" + tool.name;
      for (int phase = 0; phase < 3; ++phase) {
        if (phase == 2) ChangeFiles(local);
        ReadTraffic(stats, from);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = tool.publish(server.port, local);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const Traffic t = ReadTraffic(stats, from);
        std::printf("%-14s %-5s %10.1f %7d %11lld %11lld %9d %6d%s\n", phases[phase], tool.name,
                    ms, t.stored, t.bytesIn, t.bytesOut, t.commands,
                    CountFiles(root + "/server/" + tool.name), ok ? "" : "  FAILED");
        if (!ok) result = 1;
      }
    }
  }
  fs::remove_all(root);
  return result;
}
