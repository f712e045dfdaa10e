// A symbolic link at the target side of a write, move, sync or delete is
// replaced or removed as a link; what it points to, outside the folder being
// worked on, is never touched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <functional>
#include <string>
#include <thread>
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

void MakeLink(const std::string& to, const std::string& at) {
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(at.substr(0, at.rfind('/'))));
  ASSERT_EQ(symlink(to.c_str(), at.c_str()), 0) << at;
}

// The bytes of a file; "(missing)" when it cannot be read.
std::string ContentOf(const std::string& path) {
  try {
    return ReadFileBytes(path);
  } catch (const std::runtime_error&) {
    return "(missing)";
  }
}

bool IsLink(const std::string& path) {
  platform::FileStatus st;
  return platform::LinkStatPath(path, st) && st.isLink;
}

// Everything that tells whether a folder's files were touched: names,
// contents, permission bits and last-write instants.
std::string Snapshot(const std::string& folder) {
  std::string text;
  for (const std::string& name : DosFunc::FindFiles(folder, true)) {
    platform::FileStatus st;
    platform::StatPath(folder + "/" + name, st);
    text += name + "|" + ContentOf(folder + "/" + name) + "|" + std::to_string(st.mode) + "|" +
            std::to_string(st.modifiedSeconds) + "." + std::to_string(st.modifiedNanoseconds) +
            "\n";
  }
  return text;
}

struct LinkCase {
  const char* what;
  // Plants the case in dir; "outside/keep.jpg" ("keep", 4 bytes) is there.
  std::function<void(const TempDir&)> plant;
  std::function<bool(const TempDir&)> act;
  bool result;
  // What must hold afterwards in the folder worked on.
  std::function<void(const TempDir&)> check;
};

// A source of the same size as the outside file, with its own date and
// read-only state, so a sync would only bring those into line.
void PlantSourceAndLink(const TempDir& dir) {
  MakeFile(dir.File("work/src.jpg"), "copy");
  DosFunc::SetFileDateTime(dir.File("work/src.jpg"), At(1990, 1, 2, 3, 4, 6));
  DosFunc::SetFileAttr(dir.File("work/src.jpg"), DosFunc::faReadOnly);
  MakeLink(dir.File("outside/keep.jpg"), dir.File("work/dst.jpg"));
}

// The link at work/dst.jpg was replaced by a file holding what.
void ReplacedBy(const TempDir& dir, const std::string& what) {
  EXPECT_FALSE(IsLink(dir.File("work/dst.jpg")));
  EXPECT_EQ(ContentOf(dir.File("work/dst.jpg")), what);
}

TEST(DosFuncLinks, LinksAtTheTargetAreNeverFollowed) {
  const LinkCase cases[] = {
      {"copy onto a link", PlantSourceAndLink,
       [](const TempDir& d) {
         return DosFunc::CopyFileEx(d.File("work/src.jpg"), d.File("work/dst.jpg"));
       },
       true, [](const TempDir& d) { ReplacedBy(d, "copy"); }},
      {"sync of the same size onto a link", PlantSourceAndLink,
       [](const TempDir& d) {
         return DosFunc::SyncFile(d.File("work/src.jpg"), d.File("work/dst.jpg"), false);
       },
       true,
       [](const TempDir& d) {
         ReplacedBy(d, "copy");
         EXPECT_EQ(DosFunc::GetFileDateTime(d.File("work/dst.jpg")), At(1990, 1, 2, 3, 4, 6));
       }},
      {"forced sync onto a link", PlantSourceAndLink,
       [](const TempDir& d) {
         return DosFunc::SyncFile(d.File("work/src.jpg"), d.File("work/dst.jpg"), true);
       },
       true, [](const TempDir& d) { ReplacedBy(d, "copy"); }},
      {"append onto a link", PlantSourceAndLink,
       [](const TempDir& d) {
         return DosFunc::CopyFileWorker(d.File("work/src.jpg"), d.File("work/dst.jpg"),
                                        DosFunc::kCopyAppend, {}, 0);
       },
       false, [](const TempDir& d) { EXPECT_TRUE(IsLink(d.File("work/dst.jpg"))); }},
      {"move onto a link", PlantSourceAndLink,
       [](const TempDir& d) {
         return DosFunc::MoveFileKeepAttrs(d.File("work/src.jpg"), d.File("work/dst.jpg"),
                                           DosFunc::kSourceDate, DosFunc::kSourceAttr);
       },
       true, [](const TempDir& d) { ReplacedBy(d, "copy"); }},
      {"lines saved onto a link", PlantSourceAndLink,
       [](const TempDir& d) { return TFile().SaveLines(d.File("work/dst.jpg"), {"new"}); }, true,
       [](const TempDir& d) { ReplacedBy(d, "new\r\n"); }},
      {"file created at a link", PlantSourceAndLink,
       [](const TempDir& d) { return TFile().CreateFile(d.File("work/dst.jpg")); }, false,
       [](const TempDir& d) { EXPECT_TRUE(IsLink(d.File("work/dst.jpg"))); }},
      {"date and read-only state set on a link", PlantSourceAndLink,
       [](const TempDir& d) {
         DosFunc::SetFileDateTime(d.File("work/dst.jpg"), At(1991, 1, 1));
         return DosFunc::SetFileAttr(d.File("work/dst.jpg"), DosFunc::faReadOnly);
       },
       false, [](const TempDir&) {}},
      {"moved folder with a linked subfolder at the target",
       [](const TempDir& d) {
         MakeFile(d.File("work/src/sub/keep.jpg"), "new!");
         MakeLink(d.File("outside"), d.File("work/dst/sub"));
       },
       [](const TempDir& d) { return DosFunc::MoveTree(d.File("work/src"), d.File("work/dst")); },
       false,
       [](const TempDir& d) {
         EXPECT_EQ(ContentOf(d.File("work/src/sub/keep.jpg")), "new!");
         EXPECT_TRUE(IsLink(d.File("work/dst/sub")));
       }},
      {"folder moved onto a link",
       [](const TempDir& d) {
         MakeFile(d.File("work/src/new.jpg"), "new!");
         MakeLink(d.File("outside"), d.File("work/dst"));
       },
       [](const TempDir& d) { return DosFunc::MoveTree(d.File("work/src"), d.File("work/dst")); },
       false,
       [](const TempDir& d) { EXPECT_EQ(ContentOf(d.File("work/src/new.jpg")), "new!"); }},
      {"contents of a link",
       [](const TempDir& d) { MakeLink(d.File("outside"), d.File("work/link")); },
       [](const TempDir& d) { return DosFunc::DeleteDirContents(d.File("work/link"), true); },
       false, [](const TempDir& d) { EXPECT_TRUE(IsLink(d.File("work/link"))); }},
      {"link deleted",
       [](const TempDir& d) { MakeLink(d.File("outside"), d.File("work/link")); },
       [](const TempDir& d) { return DosFunc::DeleteFileOrDir(d.File("work/link")); }, true,
       [](const TempDir& d) { EXPECT_FALSE(DosFunc::FileExistsLong(d.File("work/link"))); }},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    MakeFile(dir.File("outside/keep.jpg"), "keep");
    ASSERT_EQ(chmod(dir.File("outside/keep.jpg").c_str(), 0640), 0);
    ASSERT_TRUE(platform::SetModifiedTimeExact(dir.File("outside/keep.jpg"), 1234567890, 5));
    c.plant(dir);
    const std::string before = Snapshot(dir.File("outside"));
    EXPECT_EQ(c.act(dir), c.result);
    EXPECT_EQ(Snapshot(dir.File("outside")), before);
    c.check(dir);
  }
}

// A second thread keeps swapping the subfolders of a tree for links to a
// folder outside, whose files have the same names, while the tree is
// deleted: the walk must never enter one, nor reach a file through one.
TEST(DosFuncLinks, DeleteTreeNeverEntersASubfolderSwappedForALink) {
  constexpr int kSubfolders = 4;
  constexpr int kFiles = 20;
  TempDir dir;
  const std::string outside = dir.File("outside");
  std::vector<std::string> names;
  for (int f = 0; f < kFiles; ++f) names.push_back("f" + std::to_string(f));
  for (const std::string& name : names) MakeFile(outside + "/" + name, "keep");
  std::sort(names.begin(), names.end());
  for (int run = 0; run < 8; ++run) {
    for (int i = 0; i < kSubfolders; ++i) {
      for (const std::string& name : names)
        MakeFile(dir.File("tree/s" + std::to_string(i) + "/" + name), "x");
    }
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
      while (!stop) {
        for (int i = 0; i < kSubfolders && !stop; ++i) {
          const std::string sub = dir.File("tree/s" + std::to_string(i));
          const std::string held = dir.File("held" + std::to_string(i));
          if (rename(sub.c_str(), held.c_str()) != 0) continue;
          if (symlink(outside.c_str(), sub.c_str()) == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            unlink(sub.c_str());
          }
          rename(held.c_str(), sub.c_str());
        }
      }
    });
    if (run % 2 == 0)
      DosFunc::DeleteDirContents(dir.File("tree"), true);
    else
      DosFunc::DeleteFileOrDir(dir.File("tree"));
    stop = true;
    swapper.join();
    ASSERT_EQ(DosFunc::FindFiles(outside, true), names) << "run " << run;
    for (int i = 0; i < kSubfolders; ++i)
      DosFunc::DeleteFileOrDir(dir.File("held" + std::to_string(i)));
    DosFunc::DeleteFileOrDir(dir.File("tree"));
  }
}

}  // namespace
