// A virtual X screen of a test's own, with a window manager, on which the
// test starts the program and the player as real processes, presses keys with
// xdotool and takes pictures of the screen.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TestSupport.h"

namespace testsupport {

// Waits up to seconds for done to hold, looking every 50 ms. The default is
// generous: a sanitized program starting beside a full test run can take
// many seconds to show a window, and a wait that holds ends at once.
inline bool XvfbAwait(const std::function<bool()>& done, double seconds = 30) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

// A process the test starts, its standard output and error in log. It gets
// SIGTERM when the test program dies (so it is started here, not by
// platform::StartProcess, which cannot ask for that), and is ended when the
// object goes unless it has ended: a failing test leaves nothing running.
class XvfbProcess {
 public:
  XvfbProcess(const std::string& program, const std::vector<std::string>& args,
              const std::string& log)
      : log_(log) {
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(127);
      const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out >= 0) {
        dup2(out, 1);
        dup2(out, 2);
      }
      execvp(argv[0], argv.data());
      _exit(127);
    }
  }
  ~XvfbProcess() { End(); }
  XvfbProcess(const XvfbProcess&) = delete;
  XvfbProcess& operator=(const XvfbProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  bool Running() {
    if (pid_ <= 0 || code_ != kRunning) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
  }
  // Waits up to seconds for the process to end: its exit code (128 + the
  // signal that ended it), or -1 when it was still running and is ended.
  int Wait(double seconds = 30) {
    if (pid_ <= 0) return -1;
    if (!XvfbAwait([this] { return !Running(); }, seconds)) {
      End();
      return -1;
    }
    return code_;
  }
  // Asks the process to end, and after five seconds makes it.
  void End() {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    if (!XvfbAwait([this] { return !Running(); }, 5)) {
      kill(pid_, SIGKILL);
      int status = 0;
      waitpid(pid_, &status, 0);
      code_ = -1;
    }
  }
  std::string Log() const { return ReadFileBytes(log_); }

 private:
  static constexpr int kRunning = -1000;
  std::string log_;
  pid_t pid_ = -1;
  int code_ = kRunning;
};

// Xvfb on a display number it finds free itself, and openbox on it, for the
// life of the object. Meanwhile DISPLAY names the screen, the programs the
// test starts draw on it through Qt's X11 platform, and the sanitizers'
// leak check, which would count what X11 and fontconfig keep, is off in
// them.
class XvfbScreen {
 public:
  explicit XvfbScreen(const TempDir& dir, int width = 800, int height = 600)
      : dir_(dir), width_(width), height_(height) {
    // A server that another one's leftovers keep the window manager from
    // reaching is given up for a fresh one.
    std::string failures;
    for (int attempt = 0; attempt < 3 && !up_; ++attempt) up_ = StartOnce(failures);
    if (!up_) ADD_FAILURE() << failures;
  }
  ~XvfbScreen() {
    // The window manager first: the server ends last.
    if (manager_) manager_->End();
    if (server_) server_->End();
  }
  XvfbScreen(const XvfbScreen&) = delete;
  XvfbScreen& operator=(const XvfbScreen&) = delete;

  bool Up() const { return up_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Starts program with args on the screen; its output goes to the test's
  // folder as name.log.
  std::unique_ptr<XvfbProcess> Start(const std::string& program,
                                     const std::vector<std::string>& args,
                                     const std::string& name) const {
    return std::make_unique<XvfbProcess>(program, args, dir_.File(name + ".log"));
  }

  // Waits up to thirty seconds for a visible window whose whole title matches
  // the pattern (a regular expression), and makes it the active one; false
  // when none came. Titles are matched here, byte by byte: xdotool's own
  // matching follows the locale, which may not read UTF-8.
  bool AwaitWindow(const std::string& title) const {
    const std::regex pattern(title);
    return XvfbAwait([&] {
      std::istringstream windows(Windows());
      for (std::string id, name; windows >> id && std::getline(windows, name);) {
        if (!name.empty()) name.erase(0, 1);
        if (!std::regex_match(name, pattern)) continue;
        CommandOutput("xdotool windowactivate --sync " + id);
        return true;
      }
      return false;
    });
  }
  // The titles of the visible windows on the screen, one per line.
  std::string WindowTitles() const {
    std::istringstream windows(Windows());
    std::string titles;
    for (std::string id, name; windows >> id && std::getline(windows, name);)
      titles += name.substr(name.empty() ? 0 : 1) + "\n";
    return titles;
  }

  // Presses keys, as xdotool names them ("space", "Escape", "Tab"), one
  // after another, in the active window.
  void Keys(const std::string& keys) const {
    CommandOutput("xdotool key --delay 50 --clearmodifiers " + keys);
  }
  void Type(const std::string& text) const {
    CommandOutput("xdotool type --delay 50 '" + text + "'");
  }

  // A picture of the whole screen; a null image when it cannot be taken.
  QImage Shot() const {
    const std::string file = dir_.File("screen.png");
    std::filesystem::remove(file);
    CommandOutput("import -window root '" + file + "'");
    return QImage(QString::fromStdString(file));
  }

 private:
  // Starts the server and the window manager; false, with what they said
  // added to failures, when they did not come up.
  bool StartOnce(std::string& failures) {
    if (manager_) manager_->End();
    if (server_) server_->End();
    display_.reset();
    const std::string numberFile = dir_.File("xvfb.display");
    std::filesystem::remove(numberFile);
    server_ = std::make_unique<XvfbProcess>(
        "bash",
        std::vector<std::string>{"-c",
                                 "exec Xvfb -displayfd 3 -screen 0 " + std::to_string(width_) +
                                     "x" + std::to_string(height_) +
                                     "x24 -nolisten tcp 3>\"$0\"",
                                 numberFile},
        dir_.File("xvfb.log"));
    const bool numbered = XvfbAwait([&] {
      return std::filesystem::exists(numberFile) && std::filesystem::file_size(numberFile) > 0;
    });
    if (!numbered) {
      failures += "Xvfb did not start: " + server_->Log() + "\n";
      return false;
    }
    std::string number = ReadFileBytes(numberFile);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
    display_ = std::make_unique<ScopedEnv>("DISPLAY", ":" + number);
    manager_ = std::make_unique<XvfbProcess>("openbox", std::vector<std::string>{},
                                             dir_.File("openbox.log"));
    // The window manager is there once it names the desktops.
    bool named = false;
    XvfbAwait([&] {
      named = CommandOutput("xdotool get_num_desktops").find_first_of("123456789") == 0;
      return named || !manager_->Running();
    });
    if (!named)
      failures += "openbox did not start on :" + number + ": " + manager_->Log() +
                  "\nXvfb: " + server_->Log() + "\n";
    return named;
  }

  // The visible windows, one a line: the id, a space, the title.
  static std::string Windows() {
    return CommandOutput(
        "for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do "
        "echo \"$w $(xdotool getwindowname $w)\"; done");
  }

  const TempDir& dir_;
  int width_;
  int height_;
  std::unique_ptr<XvfbProcess> server_;
  std::unique_ptr<ScopedEnv> display_;
  ScopedEnv platform_{"QT_QPA_PLATFORM", "xcb"};
  ScopedEnv sanitizer_{"ASAN_OPTIONS",
                                    "detect_leaks=0:halt_on_error=1:abort_on_error=1"};
  std::unique_ptr<XvfbProcess> manager_;
  bool up_ = false;
};

}  // namespace testsupport
