#include "platform/Process.h"

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/Environment.h"

extern char** environ;

namespace platform {

namespace {

// posix_spawn's file actions, released on every path.
class FileActions {
 public:
  FileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~FileActions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;

  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
  bool ok_ = false;
};

bool AddOutputFile(FileActions& actions, const std::string& outputFile) {
  return posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, outputFile.c_str(),
                                          O_WRONLY | O_CREAT | O_TRUNC, 0644) == 0 &&
         posix_spawn_file_actions_adddup2(actions.get(), STDOUT_FILENO, STDERR_FILENO) == 0;
}

// The working folder is changed before the program is looked up, so a
// relative program path is fixed against the caller's folder first.
std::string ProgramPath(const std::string& program, const std::string& workingDir) {
  if (workingDir.empty() || program.empty() || program.front() == '/' ||
      program.find('/') == std::string::npos)
    return program;
  const std::string cwd = CurrentDirectory();
  return cwd.empty() ? program : cwd + "/" + program;
}

}  // namespace

int StartProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workingDir, const std::string& outputFile) {
  if (program.empty()) return -1;
  FileActions actions;
  if (!actions.ok()) return -1;
  // File actions run in order: the output file is opened before the change of
  // folder, so a relative output path counts from the caller's folder.
  if (!outputFile.empty() && !AddOutputFile(actions, outputFile)) return -1;
  if (!workingDir.empty() &&
      posix_spawn_file_actions_addchdir_np(actions.get(), workingDir.c_str()) != 0)
    return -1;

  const std::string path = ProgramPath(program, workingDir);
  std::vector<char*> argv;
  argv.reserve(args.size() + 2);
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_t pid = -1;
  const bool search = path.find('/') == std::string::npos;
  const int rc = search ? posix_spawnp(&pid, path.c_str(), actions.get(), nullptr, argv.data(), environ)
                        : posix_spawn(&pid, path.c_str(), actions.get(), nullptr, argv.data(), environ);
  return rc == 0 ? static_cast<int>(pid) : -1;
}

int WaitForProcess(int pid) {
  if (pid <= 0) return -1;
  int status = 0;
  pid_t r;
  do {
    r = waitpid(pid, &status, 0);
  } while (r < 0 && errno == EINTR);
  if (r != pid) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

int CurrentProcessId() { return static_cast<int>(getpid()); }

bool ProcessExists(int pid) {
  return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

void DetachProcess(int pid) {
  if (pid <= 0) return;
  std::thread([pid] { WaitForProcess(pid); }).detach();
}

}  // namespace platform
