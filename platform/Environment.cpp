#include "platform/Environment.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

// Creates dir with mode 0700 when missing and checks that it is a real
// folder owned by us that nobody else can enter.
bool EnsurePrivateDir(const std::string& dir) {
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return false;
  if ((st.st_mode & 077) != 0 && chmod(dir.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

std::string HomeOverride() { return GetEnv("QUILLMARSH_HOME"); }

std::string PrivateTempDir() {
  std::string dir;
  const std::string home = HomeOverride();
  const std::string runtime = GetEnv("XDG_RUNTIME_DIR");
  if (!home.empty()) {
    dir = home + "/tmp";
  } else if (!runtime.empty()) {
    dir = runtime + "/quillmarsh";
  } else {
    dir = "/tmp/quillmarsh-" + std::to_string(geteuid());
  }
  if (!EnsurePrivateDir(dir)) return std::string();
  return dir + "/";
}

std::string RegistryDir() {
  const std::string home = HomeOverride();
  if (!home.empty()) return home;
  const std::string config = GetEnv("XDG_CONFIG_HOME");
  if (!config.empty()) return config + "/quillmarsh/registry";
  return GetEnv("HOME") + "/.config/quillmarsh/registry";
}

std::string UserLocaleName() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::string value = GetEnv(name);
    if (!value.empty()) return value;
  }
  return std::string();
}

std::vector<std::string> ProgramArguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> args;
  std::string::size_type start = 0;
  while (start < all.size()) {
    std::string::size_type end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    args.emplace_back(all, start, end - start);
    start = end + 1;
  }
  if (!args.empty()) args.erase(args.begin());
  return args;
}

std::string ExecutablePath() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  return std::string(buf, static_cast<size_t>(n));
}

std::string CurrentDirectory() {
  char buf[PATH_MAX];
  if (getcwd(buf, sizeof buf) == nullptr) return std::string();
  return std::string(buf);
}

}  // namespace platform
