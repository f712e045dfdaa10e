#include "tests/support/TestSupport.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// Each test process gets per-user folders of its own (unless the caller set
// QUILLMARSH_HOME), so tests running side by side never share the fixed work
// files of the private temporary folder.
struct ProcessHome {
  ProcessHome() {
    if (std::getenv("QUILLMARSH_HOME") != nullptr) return;
    dir = std::make_unique<TempDir>();
    setenv("QUILLMARSH_HOME", dir->Path().c_str(), 1);
  }
  std::unique_ptr<TempDir> dir;
};

const ProcessHome processHome;

}  // namespace

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "quillmarsh-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests may leave read-only files and folders behind; make them removable.
  for (auto it = fs::recursive_directory_iterator(path_, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return path_ + "/" + name; }

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name) {
  if (const char* old = std::getenv(name.c_str())) old_ = old;
  setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (old_)
    setenv(name_.c_str(), old_->c_str(), 1);
  else
    unsetenv(name_.c_str());
}

ScopedFileSizeLimit::ScopedFileSizeLimit(uint64_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  oldSoftLimit_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = oldSoftLimit_;
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, SIG_DFL);
}

std::string DataDir() { return QUILLMARSH_TEST_DATA; }

std::string PhotoPath(const std::string& name) { return DataDir() + "/photos/" + name; }

std::string CopyPhoto(const std::string& name, const TempDir& dir) {
  const std::string target = dir.File(name);
  fs::copy_file(PhotoPath(name), target, fs::copy_options::overwrite_existing);
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
  return target;
}

TDateTime At(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  TDateTime value = 0;
  EXPECT_TRUE(DateTime::TryEncodeDateTime(year, month, day, hour, minute, second, millisecond,
                                          value));
  return value;
}

std::string CommandOutput(const std::string& command) {
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return "the command did not run: " + command;
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
  pclose(pipe);
  return text;
}

std::string Exiftool(const std::string& arguments, const std::string& photo) {
  return CommandOutput("exiftool -s -s -s -n " + arguments + " '" + photo + "'");
}

std::string InChildWithPermissions(const std::function<std::string()>& work) {
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  const pid_t child = fork();
  if (child < 0) return "no child";
  if (child == 0) {
    close(fds[0]);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2] = {};
    bool dropped = syscall(SYS_capget, &header, caps) == 0;
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
      caps[cap / 32].effective &= ~(1u << (cap % 32));
      caps[cap / 32].permitted &= ~(1u << (cap % 32));
    }
    dropped = dropped && syscall(SYS_capset, &header, caps) == 0;
    const std::string result = dropped ? work() : "capabilities not dropped";
    const ssize_t written = write(fds[1], result.data(), result.size());
    _exit(written == ssize_t(result.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, size_t(got));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child failed: " + result;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  // At once, not byte by byte: tests read whole galleries many times.
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace testsupport
