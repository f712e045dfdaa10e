#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include <string>
#include <utility>
#include <vector>

#include "foundation/DosFunc.h"
#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::At;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

void MakeFile(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(path.substr(0, path.rfind('/'))));
  WriteFileBytes(path, bytes);
}

// Links inside a deleted tree go as links at every level; what they point to
// stays.
TEST(DosFuncTree, DeletingATreeKeepsWhatLinksPointTo) {
  TempDir dir;
  MakeFile(dir.File("outside/keep.jpg"), "keep");
  MakeFile(dir.File("tree/a.jpg"), "a");
  MakeFile(dir.File("tree/sub/deep/b.jpg"), "b");
  DosFunc::SetFileAttr(dir.File("tree/sub/deep/b.jpg"), DosFunc::faReadOnly);
  ASSERT_EQ(symlink(dir.File("outside").c_str(), dir.File("tree/sub/deep/dirlink").c_str()), 0);
  ASSERT_EQ(symlink(dir.File("outside/keep.jpg").c_str(), dir.File("tree/filelink").c_str()), 0);
  ASSERT_EQ(symlink(dir.File("outside").c_str(), dir.File("toplink").c_str()), 0);

  EXPECT_TRUE(DosFunc::DeleteFileOrDir(dir.File("TREE")));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("tree")));
  // A trailing "/" still names the link, not the folder it points to.
  EXPECT_TRUE(DosFunc::IsReparsePoint(dir.File("toplink/")));
  EXPECT_TRUE(DosFunc::DeleteFileOrDir(dir.File("toplink/")));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("toplink")));
  EXPECT_EQ(ReadFileBytes(dir.File("outside/keep.jpg")), "keep");

  EXPECT_FALSE(DosFunc::DeleteFileOrDir(dir.File("missing")));
  EXPECT_FALSE(DosFunc::DeleteFileOrDir("  "));
}

TEST(DosFuncTree, DeleteDirContents) {
  TempDir dir;
  // A missing folder is created empty.
  EXPECT_TRUE(DosFunc::DeleteDirContents(dir.File("new/level"), true));
  EXPECT_TRUE(DosFunc::DirectoryExistsLong(dir.File("new/level")));
  EXPECT_TRUE(DosFunc::DeleteDirContents("", true));

  MakeFile(dir.File("d/a"), "a");
  MakeFile(dir.File("d/sub/b"), "b");
  EXPECT_TRUE(DosFunc::DeleteDirContents(dir.File("d"), false));
  EXPECT_EQ(DosFunc::FindFiles(dir.File("d"), true), (std::vector<std::string>{"sub/b"}));
  EXPECT_FALSE(DosFunc::IsDirectoryEmpty(dir.File("d"), false));
  EXPECT_TRUE(DosFunc::DeleteDirContents(dir.File("d"), true));
  EXPECT_TRUE(DosFunc::IsDirectoryEmpty(dir.File("d"), false));
}

TEST(DosFuncTree, EmptinessAndRemovingEmptyParents) {
  TempDir dir;
  MakeFile(dir.File("top/a/b/c/photo.jpg"), "x");
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(dir.File("top/a/empty/deeper")));
  EXPECT_FALSE(DosFunc::IsDirectoryEmpty(dir.File("top/a/empty"), false));
  EXPECT_TRUE(DosFunc::IsDirectoryEmpty(dir.File("top/a/empty"), true));
  EXPECT_FALSE(DosFunc::IsDirectoryEmpty(dir.File("top/a"), true));
  EXPECT_FALSE(DosFunc::IsDirectoryEmpty(dir.File("missing"), true));

  // Climbs while parents are empty, and stops at the stop folder.
  DosFunc::RemoveEmptyParents(dir.File("top/a/b/c/photo.jpg"), dir.File("TOP/A/"));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("top/a/b")));
  EXPECT_TRUE(DosFunc::DirectoryExistsLong(dir.File("top/a/empty")));
  DosFunc::RemoveEmptyParents(dir.File("top/a/empty/deeper"), dir.File("top"));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("top/a")));
  EXPECT_TRUE(DosFunc::DirectoryExistsLong(dir.File("top")));
}

TEST(DosFuncTree, MoveTreeKeepsContentAndDates) {
  TempDir dir;
  const TDateTime old = At(1975, 5, 17, 7, 56, 3);
  const TDateTime recent = At(2019, 2, 3, 4, 5, 7);
  MakeFile(dir.File("src/a.jpg"), "a");
  MakeFile(dir.File("src/sub/b.jpg"), "b");
  MakeFile(dir.File("outside/keep"), "keep");
  ASSERT_EQ(symlink(dir.File("outside").c_str(), dir.File("src/sub/link").c_str()), 0);
  DosFunc::SetFileDateTime(dir.File("src/a.jpg"), old);
  DosFunc::SetFileDateTime(dir.File("src/sub/b.jpg"), recent);
  DosFunc::SetFileAttr(dir.File("src/sub/b.jpg"), DosFunc::faReadOnly);
  MakeFile(dir.File("dst/a.jpg"), "old target");

  ASSERT_TRUE(DosFunc::MoveTree(dir.File("src"), dir.File("dst")));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("src")));
  EXPECT_EQ(ReadFileBytes(dir.File("dst/a.jpg")), "a");
  EXPECT_EQ(ReadFileBytes(dir.File("dst/sub/b.jpg")), "b");
  EXPECT_NEAR(DosFunc::GetFileDateTime(dir.File("dst/a.jpg")), old, 1e-9);
  EXPECT_NEAR(DosFunc::GetFileDateTime(dir.File("dst/sub/b.jpg")), recent, 1e-9);
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("dst/sub/b.jpg")), DosFunc::faReadOnly);
  EXPECT_TRUE(DosFunc::IsReparsePoint(dir.File("dst/sub/link")));
  EXPECT_EQ(ReadFileBytes(dir.File("outside/keep")), "keep");

  // Onto itself nothing happens; into its own subfolder is refused.
  EXPECT_TRUE(DosFunc::MoveTree(dir.File("dst"), dir.File("DST/")));
  EXPECT_FALSE(DosFunc::MoveTree(dir.File("dst"), dir.File("dst/sub/inner")));
  EXPECT_EQ(DosFunc::FindFiles(dir.File("dst"), true),
            (std::vector<std::string>{"a.jpg", "sub/b.jpg"}));
  EXPECT_FALSE(DosFunc::MoveTree(dir.File("missing"), dir.File("x")));
}

// A folder on another file system (/dev/shm is one on most Linux systems).
class OtherVolumeDir {
 public:
  OtherVolumeDir() {
    char pattern[] = "/dev/shm/quillmarsh-test-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path_ = pattern;
  }
  ~OtherVolumeDir() {
    if (!path_.empty()) DosFunc::DeleteFileOrDir(path_);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(DosFuncTree, MoveTreeAcrossFileSystems) {
  TempDir dir;
  OtherVolumeDir other;
  if (other.Path().empty() || DosFunc::SameVolume(dir.Path(), other.Path()))
    GTEST_SKIP() << "no second file system";
  const TDateTime when = At(1979, 12, 31, 23, 59, 59);
  MakeFile(dir.File("src/sub/b.jpg"), "b");
  DosFunc::SetFileDateTime(dir.File("src/sub/b.jpg"), when);
  ASSERT_TRUE(DosFunc::MoveTree(dir.File("src"), other.Path() + "/dst"));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("src")));
  EXPECT_EQ(ReadFileBytes(other.Path() + "/dst/sub/b.jpg"), "b");
  EXPECT_NEAR(DosFunc::GetFileDateTime(other.Path() + "/dst/sub/b.jpg"), when, 1e-9);
  EXPECT_TRUE(DosFunc::SameVolume(dir.Path(), dir.File("not/yet/there")));
}

// Keeps the entries of a folder from being removed or renamed for the life of
// the object, also for root: the immutable flag where the file system has
// one, else the folder's write bits.
class UnremovableEntries {
 public:
  explicit UnremovableEntries(std::string folder) : folder_(std::move(folder)) {
    if (SetImmutable(true))
      how_ = kImmutable;
    else if (geteuid() != 0 && chmod(folder_.c_str(), 0555) == 0)
      how_ = kReadOnly;
  }
  ~UnremovableEntries() {
    if (how_ == kImmutable) SetImmutable(false);
    if (how_ == kReadOnly) chmod(folder_.c_str(), 0755);
  }
  bool Active() const { return how_ != kNone; }

 private:
  bool SetImmutable(bool on) {
    const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return ok;
  }
  enum { kNone, kImmutable, kReadOnly } how_ = kNone;
  std::string folder_;
};

// A move succeeds only when its source is gone: from a folder whose entries
// cannot be removed it fails, on one file system and across two, and leaves
// no copy behind.
TEST(DosFuncTree, MoveFromAFolderThatKeepsItsEntriesFailsWithoutACopy) {
  TempDir dir;
  OtherVolumeDir other;
  MakeFile(dir.File("locked/a.jpg"), "a");
  std::vector<std::string> targets{dir.File("to")};
  if (!other.Path().empty()) targets.push_back(other.Path() + "/to");
  UnremovableEntries lock(dir.File("locked"));
  if (!lock.Active()) GTEST_SKIP() << "cannot keep a folder's entries";
  for (const std::string& to : targets) {
    SCOPED_TRACE(to);
    ASSERT_TRUE(DosFunc::ForceDirectoriesLong(to));
    EXPECT_FALSE(DosFunc::MoveFileKeepAttrs(dir.File("locked/a.jpg"), to + "/a.jpg",
                                            DosFunc::kSourceDate, DosFunc::kSourceAttr));
    EXPECT_FALSE(DosFunc::MoveTree(dir.File("locked/a.jpg"), to + "/b.jpg"));
    EXPECT_FALSE(DosFunc::MoveTree(dir.File("locked"), to + "/tree"));
    EXPECT_TRUE(DosFunc::FindFiles(to, true).empty());
    EXPECT_EQ(ReadFileBytes(dir.File("locked/a.jpg")), "a");
  }
}

// Sets a time zone for the life of the object.
struct ScopedTimeZone {
  testsupport::ScopedEnv env;
  explicit ScopedTimeZone(const std::string& zone) : env("TZ", zone) { tzset(); }
  ~ScopedTimeZone() { tzset(); }
};

// The last-write instant of a file, -1 when it cannot be read.
int64_t InstantOf(const std::string& path) {
  platform::FileStatus st;
  return platform::StatPath(path, st) ? st.modifiedSeconds : -1;
}

// In the hour repeated when summer time ends, one local time names two
// instants: a file moved (renamed or copied) or synchronised keeps its own.
TEST(DosFuncTree, DatesInTheRepeatedAutumnHourStay) {
  ScopedTimeZone zone("Europe/Prague");
  TempDir dir;
  OtherVolumeDir other;
  // 2023-10-29 02:30 local, in summer time and then in winter time.
  for (const int64_t instant : {int64_t{1698539400}, int64_t{1698543000}}) {
    MakeFile(dir.File("a.jpg"), "a");
    ASSERT_TRUE(platform::SetModifiedTime(dir.File("a.jpg"), instant));
    ASSERT_TRUE(DosFunc::MoveTree(dir.File("a.jpg"), dir.File("b/a.jpg")));
    EXPECT_EQ(InstantOf(dir.File("b/a.jpg")), instant);
    ASSERT_TRUE(DosFunc::SyncFile(dir.File("b/a.jpg"), dir.File("c/a.jpg"), true));
    EXPECT_EQ(InstantOf(dir.File("c/a.jpg")), instant);
    if (other.Path().empty()) continue;
    ASSERT_TRUE(DosFunc::MoveTree(dir.File("c/a.jpg"), other.Path() + "/d/a.jpg"));
    EXPECT_EQ(InstantOf(other.Path() + "/d/a.jpg"), instant);
  }
}

}  // namespace
