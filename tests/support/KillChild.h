// The kill tests' child process: a program of the tests that writes "go"
// when its work starts and "done" when it ends, started, timed, and killed
// (SIGKILL) at a random moment of its work.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace killtest {

using Clock = std::chrono::steady_clock;

// The child running a program, and its output.
struct Child {
  pid_t pid = -1;
  int output = -1;
};

// Starts program with args and waits until it begins its work.
inline Child Start(const std::string& program, const std::vector<std::string>& args) {
  int pipeFds[2];
  EXPECT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  Child child;
  EXPECT_EQ(posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  child.output = pipeFds[0];
  char go[3] = {};
  EXPECT_EQ(read(child.output, go, sizeof go), 3);
  return child;
}

// Waits for the child; its wait status.
inline int End(Child& child) {
  close(child.output);
  int status = 0;
  waitpid(child.pid, &status, 0);
  return status;
}

// Runs the child to its end; its wait status.
inline int Run(const std::string& program, const std::vector<std::string>& args) {
  Child child = Start(program, args);
  char rest[64];
  while (read(child.output, rest, sizeof rest) > 0) {
  }
  return End(child);
}

// Runs the child and kills it at a random moment of span; returns when.
inline std::string KillSomewhere(const std::string& program, const std::vector<std::string>& args,
                                 Clock::rep span, std::mt19937& random) {
  const Clock::duration delay(std::uniform_int_distribution<Clock::rep>(0, span)(random));
  Child child = Start(program, args);
  std::this_thread::sleep_for(delay);
  kill(child.pid, SIGKILL);
  End(child);
  return "killed after " +
         std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(delay).count()) + " us";
}

// How long the child takes for its work itself; it must end well.
inline Clock::rep WorkTime(const std::string& program, const std::vector<std::string>& args) {
  Child child = Start(program, args);
  const Clock::time_point start = Clock::now();
  char done[5] = {};
  EXPECT_EQ(read(child.output, done, sizeof done), 5);
  const Clock::rep span = (Clock::now() - start).count();
  EXPECT_EQ(End(child), 0);
  return span;
}

}  // namespace killtest
