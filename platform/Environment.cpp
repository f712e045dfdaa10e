#include "platform/Environment.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string Problem(const std::string& folder, int error) {
  return folder + ": " + std::error_code(error, std::generic_category()).message();
}

// A real folder of ours that nobody else can enter.
bool IsPrivateDir(const std::string& dir, std::string& problem) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) {
    problem = Problem(dir, errno);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    problem = Problem(dir, ENOTDIR);
    return false;
  }
  if (st.st_uid != geteuid()) {
    problem = Problem(dir, EACCES);
    return false;
  }
  return true;
}

}  // namespace

std::string HomeOverride() { return GetEnv("QUILLMARSH_HOME"); }

bool MakeOwnFolder(const std::string& path, std::string& problem, TLinkAtEnd link) {
  if (path.empty()) {
    problem = Problem(path, ENOENT);
    return false;
  }
  // From the top down, so that each missing folder is made private as it
  // is made.
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string folder = path.substr(0, end);
    if (!folder.empty() && folder.back() != '/' && mkdir(folder.c_str(), 0700) != 0 &&
        errno != EEXIST) {
      problem = Problem(folder, errno);
      return false;
    }
    if (end == std::string::npos) break;
  }
  // A link to a folder is that folder (the user's own arrangement), unless
  // the caller refuses one. The folder is made private through the folder
  // opened, so a link put in its place meanwhile changes nothing elsewhere.
  const int flags =
      O_RDONLY | O_DIRECTORY | O_CLOEXEC | (link == TLinkAtEnd::kRefuse ? O_NOFOLLOW : 0);
  const int fd = open(path.c_str(), flags);
  if (fd < 0) {
    problem = Problem(path, errno == ELOOP ? ENOTDIR : errno);
    return false;
  }
  struct stat st {};
  const bool ok = fstat(fd, &st) == 0 &&
                  (st.st_uid != geteuid() || (st.st_mode & 077) == 0 || fchmod(fd, 0700) == 0);
  if (!ok) problem = Problem(path, errno);
  close(fd);
  return ok;
}

std::string PrivateTempDir() {
  std::string problem;
  return PrivateTempDir(problem);
}

std::string PrivateTempDir(std::string& problem) {
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
  // A link planted at the temporary folder's name is refused before anything
  // is changed through it.
  if (!MakeOwnFolder(dir, problem, TLinkAtEnd::kRefuse) || !IsPrivateDir(dir, problem))
    return std::string();
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
