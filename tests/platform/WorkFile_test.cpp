#include "platform/WorkFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include "platform/HeldFile.h"
#include "platform/TextFile.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::vector<std::string> Names(const TempDir& dir) {
  std::vector<platform::DirEntry> entries;
  EXPECT_TRUE(platform::ListDirectory(dir.Path(), entries));
  std::vector<std::string> names;
  for (const platform::DirEntry& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

// A save killed half-way (here by writing past the file-size limit) leaves
// its work file behind; the next save of the same file removes it.
TEST(WorkFile, NextSaveRemovesTheWorkFileOfAKilledSave) {
  TempDir dir;
  const std::string target = dir.File("settings.ini");
  ASSERT_TRUE(platform::ReplaceFile(target, "old"));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 10;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_DFL);
    const bool saved = platform::ReplaceFile(target, std::string(1000, 'x'));
    _exit(saved ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_EQ(Names(dir).size(), 2u);  // the target and the killed save's work file

  ASSERT_TRUE(platform::ReplaceFile(target, "new"));
  EXPECT_EQ(Names(dir), std::vector<std::string>{"settings.ini"});
  EXPECT_EQ(ReadFileBytes(target), "new");
}

// Leftovers in every slot never make a save fail, and all of them go; a
// work file that a running writer holds stays until that writer is gone.
TEST(WorkFile, LeftoversGoAndAHeldWorkFileStays) {
  TempDir dir;
  for (int slot = 0; slot < platform::kWorkFileSlots; ++slot)
    WriteFileBytes(dir.File(platform::WorkFileName("photo.jpg", slot)), "left over");
  const std::string heldName = platform::WorkFileName("photo.jpg", 5);
  const int held = open(dir.File(heldName).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);

  ASSERT_TRUE(platform::ReplaceFile(dir.File("photo.jpg"), "new"));
  EXPECT_EQ(Names(dir), (std::vector<std::string>{heldName, "photo.jpg"}));
  close(held);
  ASSERT_TRUE(platform::ReplaceFile(dir.File("photo.jpg"), "newer"));
  EXPECT_EQ(Names(dir), std::vector<std::string>{"photo.jpg"});
  EXPECT_EQ(ReadFileBytes(dir.File("photo.jpg")), "newer");
}

// Two writes of one file at once each get a work file of their own; one not
// committed is removed, and a commit replaces a link at the target.
TEST(WorkFile, WritesAtOnceKeepApartAndALinkIsReplaced) {
  TempDir dir;
  WriteFileBytes(dir.File("outside"), "keep");
  ASSERT_EQ(symlink(dir.File("outside").c_str(), dir.File("a.htm").c_str()), 0);
  platform::WorkFile first, second;
  ASSERT_TRUE(first.Create(dir.File("a.htm")));
  ASSERT_TRUE(second.Create(dir.File("a.htm")));
  int error = 0;
  ASSERT_EQ(platform::WriteFile(second.Descriptor(), "two", 3, error), 3);
  second.Discard();
  ASSERT_EQ(platform::WriteFile(first.Descriptor(), "one", 3, error), 3);
  ASSERT_TRUE(first.Commit());
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.htm", "outside"}));
  platform::FileStatus st;
  ASSERT_TRUE(platform::LinkStatPath(dir.File("a.htm"), st));
  EXPECT_TRUE(st.isRegular);
  EXPECT_EQ(ReadFileBytes(dir.File("a.htm")), "one");
  EXPECT_EQ(ReadFileBytes(dir.File("outside")), "keep");
}

// A held file takes over a leftover of its name, never a file another holds
// nor a link (what it points to stays as it was).
TEST(HeldFile, TakesOverALeftoverButNoHeldFileOrLink) {
  TempDir dir;
  WriteFileBytes(dir.File("left"), "old contents");
  WriteFileBytes(dir.File("outside"), "keep");
  ASSERT_EQ(symlink(dir.File("outside").c_str(), dir.File("link").c_str()), 0);
  platform::HeldFile left, again, link;
  int error = 0;
  ASSERT_TRUE(left.Open(dir.File("left"), error));
  ASSERT_TRUE(left.Rewrite("new"));
  EXPECT_EQ(ReadFileBytes(dir.File("left")), "new");
  EXPECT_FALSE(again.Open(dir.File("left"), error));
  EXPECT_EQ(error, EWOULDBLOCK);
  EXPECT_FALSE(link.Open(dir.File("link"), error));
  EXPECT_EQ(ReadFileBytes(dir.File("outside")), "keep");
  left.Close();
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"link", "outside"}));
}

}  // namespace
