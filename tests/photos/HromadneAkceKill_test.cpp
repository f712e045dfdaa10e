// A renaming or splitting run killed (SIGKILL) at random points, then run
// again: no photo is lost or doubled at any moment, and after the second run
// every one stands under a final name.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <regex>
#include <thread>

#include "photos/batch/HromadneAkceWalk.h"
#include "tests/photos/BatchTree.h"

extern char** environ;

namespace {

using namespace HromadneAkce;
using batchtest::At;
using batchtest::Contents;
using batchtest::Media;
using batchtest::Photo;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 24;

// The child running code over root, and its output.
struct Child {
  pid_t pid = -1;
  int output = -1;
};

// Starts the child and waits until it begins the action.
Child StartAction(const std::string& code, const std::string& root) {
  int pipeFds[2];
  EXPECT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  const std::string program = BATCH_CHILD;
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(code.c_str()),
                  const_cast<char*>(root.c_str()), nullptr};
  Child child;
  EXPECT_EQ(posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  child.output = pipeFds[0];
  char go[3] = {};
  EXPECT_EQ(read(child.output, go, sizeof go), 3);
  return child;
}

int End(Child& child) {
  close(child.output);
  int status = 0;
  waitpid(child.pid, &status, 0);
  return status;
}

// How long the child takes for the action itself.
Clock::rep ActionTime(const std::string& code, const std::string& root) {
  Child child = StartAction(code, root);
  const Clock::time_point start = Clock::now();
  char done[5] = {};
  EXPECT_EQ(read(child.output, done, sizeof done), 5);
  const Clock::rep span = (Clock::now() - start).count();
  EXPECT_EQ(End(child), 0);
  return span;
}

// A tree of photos with bursts of one second, other media, and a subfolder;
// file dates in bursts too.
void MakeTree(const std::string& root) {
  for (int i = 0; i < 24; ++i) {
    const std::string folder = i < 16 ? "" : "sub/";
    const TDateTime taken = At(2013, 10, 5 + i % 3, 10, 0, i % 4 == 0 ? 0 : i);
    Photo(root, folder + "IMG_" + std::to_string(100 + i) + ".JPG", taken,
          At(2014, 1, 1, 12, 0, i / 5));
  }
  Media(root, "clip.MOV", At(2012, 2, 2, 2, 2, 2));
  Media(root, "sub/clip.mov", At(2012, 2, 2, 2, 2, 2));
  Media(root, "sub/shot.PNG", At(2011, 3, 3, 3, 3, 3));
}

// A copy of a tree, files keeping their dates.
void CopyTree(const std::string& from, const std::string& to) {
  for (const std::string& file : batchtest::Tree(from)) {
    const std::string target = to + "/" + file;
    batchtest::MakeFolderOf(target);
    testsupport::WriteFileBytes(target, testsupport::ReadFileBytes(from + "/" + file));
    DosFunc::SetFileDateTime(target, DosFunc::GetFileDateTime(from + "/" + file));
  }
}

// Every path below root relative to it.
bool AllMatch(const std::string& root, const std::regex& pattern, std::string& odd) {
  for (const std::string& path : batchtest::Tree(root)) {
    if (!std::regex_match(path, pattern)) {
      odd = path;
      return false;
    }
  }
  return true;
}

void KillAndRunAgain(TActionCode code, const std::regex& finalPath) {
  testsupport::ScopedHome home;
  testsupport::TempDir pristine, work;
  MakeTree(pristine.Path());
  const std::map<std::string, int> contents = Contents(pristine.Path());
  const std::string root = work.Path() + "/tree";
  TOptions options;
  options.subdirs = true;
  TProgress progress;
  const auto fresh = [&] {
    DosFunc::DeleteFileOrDir(root);
    CopyTree(pristine.Path(), root);
  };
  fresh();
  const Clock::rep span = ActionTime(std::to_string(int(code)), root);
  const std::vector<std::string> before = batchtest::Tree(root);
  std::mt19937 random(20131005u + code);
  int halfWay = 0;  // kills that left the tree neither as it was nor done
  for (int round = 0; round < kKills; ++round) {
    fresh();
    const Clock::duration delay(std::uniform_int_distribution<Clock::rep>(0, span)(random));
    Child child = StartAction(std::to_string(int(code)), root);
    std::this_thread::sleep_for(delay);
    kill(child.pid, SIGKILL);
    End(child);
    SCOPED_TRACE("killed after " +
                 std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(delay).count()) +
                 " us");
    ASSERT_EQ(Contents(root), contents);
    std::string odd;
    if (batchtest::Tree(root) != before && !AllMatch(root, finalPath, odd)) ++halfWay;
    const TRunResult result = RunAction(code, options, FolderTarget(root), progress);
    EXPECT_TRUE(result.failures.empty());
    ASSERT_EQ(Contents(root), contents);
    EXPECT_TRUE(AllMatch(root, finalPath, odd)) << odd;
  }
  // A test whose kills all came too early or too late would prove nothing.
  EXPECT_GT(halfWay, 0) << "no kill of " << kKills << " landed inside the run";
}

const char kStampName[] = R"(\d{8}_\d{6}(-\d{4})?\.(jpg|mov|png))";

TEST(HromadneAkceKill, RenameByPhotoDate) {
  KillAndRunAgain(kRenameByPhotoDate,
                  std::regex(std::string("(sub/)?") + kStampName));
}

TEST(HromadneAkceKill, RenameByFileDate) {
  KillAndRunAgain(kRenameByFileDate, std::regex(std::string("(sub/)?") + kStampName));
}

TEST(HromadneAkceKill, SplitByMonth) {
  KillAndRunAgain(kSplitByMonth,
                  std::regex(R"((sub/)?(\d{4}-\d{2}|_MOV/\d{4}-\d{2}|_PNG/\d{4}-\d{2})/)"
                             R"((IMG_\d{3}\.JPG|clip\.(MOV|mov)|shot\.PNG))"));
}

}  // namespace
