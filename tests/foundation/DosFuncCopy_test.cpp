#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/logger.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::At;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::string Pattern(size_t size, size_t seed) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 31 + seed) % 251);
  return s;
}

// Collects log entries instead of writing them to the system log.
struct CapturedLog {
  std::vector<logger::LogEntry> entries;
  CapturedLog() {
    logger::SetLogSink([this](const logger::LogEntry& e) { entries.push_back(e); });
  }
  ~CapturedLog() { logger::SetLogSink({}); }
};

TEST(DosFuncCopy, CopyOrMoveOntoItselfKeepsTheFile) {
  TempDir dir;
  const std::string file = dir.File("photo.jpg");
  WriteFileBytes(file, "precious");
  ASSERT_EQ(symlink(file.c_str(), dir.File("alias.jpg").c_str()), 0);
  const std::string sameFile[] = {file, dir.File("PHOTO.JPG"), dir.File("alias.jpg")};
  for (const std::string& target : sameFile) {
    EXPECT_TRUE(
        DosFunc::MoveFileKeepAttrs(file, target, DosFunc::kSourceDate, DosFunc::kSourceAttr))
        << target;
    EXPECT_TRUE(DosFunc::CopyFileEx(file, target)) << target;
    EXPECT_TRUE(DosFunc::SyncFile(file, target, true)) << target;
    EXPECT_TRUE(DosFunc::CopyFileWorker(file, target, DosFunc::kCopyAppend, {}, 0)) << target;
    EXPECT_TRUE(DosFunc::MoveTree(file, target)) << target;
    TFile f;
    EXPECT_TRUE(f.MoveWithinDrive(file, target)) << target;
    EXPECT_EQ(ReadFileBytes(file), "precious") << target;
  }
}

TEST(DosFuncCopy, CopyReplacesTheTargetAsAWhole) {
  TempDir dir;
  const std::string source = Pattern(5000, 1);
  WriteFileBytes(dir.File("src"), source);
  WriteFileBytes(dir.File("dst"), Pattern(9000, 2));
  DosFunc::SetFileDateTime(dir.File("src"), At(2001, 2, 3, 4, 5, 6));
  ASSERT_TRUE(DosFunc::CopyFileEx(dir.File("src"), dir.File("dst"), {}, 1000));
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), source);
  EXPECT_NE(DosFunc::GetFileDateTime(dir.File("dst")), At(2001, 2, 3, 4, 5, 6));
  // A new target gets its folders.
  ASSERT_TRUE(DosFunc::CopyFileEx(dir.File("src"), dir.File("new/folder/dst")));
  EXPECT_EQ(ReadFileBytes(dir.File("new/folder/dst")), source);
  // Nothing is left beside the targets.
  EXPECT_EQ(DosFunc::FindFilesEx(dir.Path(), "*", true, false, false, ""),
            (std::vector<std::string>{"dst", "src", "new/folder/dst"}));
}

TEST(DosFuncCopy, FailedCopyLeavesTheOldTargetWhole) {
  TempDir dir;
  WriteFileBytes(dir.File("src"), Pattern(5000, 1));
  WriteFileBytes(dir.File("dst"), "old target");
  int calls = 0;
  const TCopyProgress stopAfterTwo = [&calls](int64_t) { return ++calls < 2; };
  EXPECT_FALSE(DosFunc::CopyFileEx(dir.File("src"), dir.File("dst"), stopAfterTwo, 1000));
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), "old target");
  EXPECT_FALSE(DosFunc::CopyFileEx(dir.File("missing"), dir.File("dst")));
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), "old target");
  // A failed append is cut back to the old length.
  calls = 0;
  EXPECT_FALSE(DosFunc::CopyFileWorker(dir.File("src"), dir.File("dst"), DosFunc::kCopyAppend,
                                       stopAfterTwo, 1000));
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), "old target");
  // Read-only targets and folders are not replaced.
  DosFunc::SetFileAttr(dir.File("dst"), DosFunc::faReadOnly);
  EXPECT_FALSE(DosFunc::CopyFileEx(dir.File("src"), dir.File("dst")));
  EXPECT_FALSE(DosFunc::MoveFileKeepAttrs(dir.File("src"), dir.File("dst"), DosFunc::kSourceDate,
                                          DosFunc::kSourceAttr));
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), "old target");
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(dir.File("folder")));
  EXPECT_FALSE(DosFunc::CopyFileEx(dir.File("src"), dir.File("folder")));
  EXPECT_EQ(DosFunc::FindFilesEx(dir.Path(), "*", true, true, false, ""),
            (std::vector<std::string>{"dst", "*folder", "src"}));
}

TEST(DosFuncCopy, AppendAddsToTheTarget) {
  TempDir dir;
  WriteFileBytes(dir.File("src"), "tail");
  WriteFileBytes(dir.File("dst"), "head-");
  ASSERT_TRUE(
      DosFunc::CopyFileWorker(dir.File("src"), dir.File("dst"), DosFunc::kCopyAppend, {}, 3));
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), "head-tail");
}

TEST(DosFuncCopy, SyncCopiesOnlyWhenNeeded) {
  TempDir dir;
  const TDateTime when = At(1978, 8, 9, 10, 11, 13);
  WriteFileBytes(dir.File("src"), "new content");
  DosFunc::SetFileDateTime(dir.File("src"), when);
  DosFunc::SetFileAttr(dir.File("src"), DosFunc::faReadOnly);
  WriteFileBytes(dir.File("same"), "old content");  // same size

  ASSERT_TRUE(DosFunc::SyncFile(dir.File("src"), dir.File("same"), false));
  EXPECT_EQ(ReadFileBytes(dir.File("same")), "old content");
  EXPECT_NEAR(DosFunc::GetFileDateTime(dir.File("same")), when, 1e-9);
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("same")), DosFunc::faReadOnly);

  ASSERT_TRUE(DosFunc::SyncFile(dir.File("src"), dir.File("missing"), false));
  EXPECT_EQ(ReadFileBytes(dir.File("missing")), "new content");
  EXPECT_NEAR(DosFunc::GetFileDateTime(dir.File("missing")), when, 1e-9);
  EXPECT_FALSE(DosFunc::SyncFile(dir.File("nothing"), dir.File("x"), true));
}

TEST(DosFuncCopy, DateAndAttributesReachBulkCompanions) {
  TempDir dir;
  const TDateTime when = At(2010, 10, 10, 10, 10, 11);
  WriteFileBytes(dir.File("disk.bmp"), "x");
  // Companions 000, 001 and 004 are reached; 008 lies after three misses.
  for (const char* n : {"000", "001", "004", "008"})
    WriteFileBytes(dir.File(std::string("disk.bmp-p#") + n), "x");
  ASSERT_TRUE(DosFunc::ApplyDateAndAttributes(0, dir.File("disk.bmp"), when));
  for (const char* n : {"000", "001", "004"})
    EXPECT_NEAR(DosFunc::GetFileDateTime(dir.File(std::string("disk.bmp-p#") + n)), when, 1e-9);
  EXPECT_NE(DosFunc::GetFileDateTime(dir.File("disk.bmp-p#008")), when);
  // Already in line: still true. Missing: false.
  EXPECT_TRUE(DosFunc::ApplyDateAndAttributes(0, dir.File("disk.bmp"), when));
  EXPECT_FALSE(DosFunc::ApplyDateAndAttributes(0, dir.File("missing"), when));
}

// A file that records where the copy engine writes.
class RecordingFile : public TFile {
 public:
  std::vector<std::pair<int64_t, int64_t>> writes;  // position, count
  bool Write(const void* buffer, int64_t count) override {
    writes.emplace_back(GetPosition(), count);
    return TFile::Write(buffer, count);
  }
};

TEST(DosFuncCopy, EngineLeavesBlocksTheTargetHoldsAndWritesTheRest) {
  TempDir dir;
  // Scaled down from 10 MiB blocks: two whole blocks and a half.
  const std::string source = Pattern(2500, 7);
  struct Case {
    std::string target;
    std::vector<std::pair<int64_t, int64_t>> writes;
  };
  std::string secondBlockDiffers = source;
  secondBlockDiffers[1500] ^= 1;
  const Case cases[] = {
      {source, {{2000, 500}}},           // identical: only the tail
      {source + "junk", {{2000, 500}}},  // longer: cut at 2000
      {secondBlockDiffers, {{1000, 1000}, {2000, 500}}},
      {source.substr(0, 1500), {{1000, 1000}, {2000, 500}}},  // one block to compare
      {"", {{0, 1000}, {1000, 1000}, {2000, 500}}},
  };
  WriteFileBytes(dir.File("src"), source);
  for (const Case& c : cases) {
    WriteFileBytes(dir.File("dst"), c.target);
    TFile in;
    RecordingFile out;
    ASSERT_TRUE(in.OpenFile(dir.File("src"), 0));
    ASSERT_TRUE(out.OpenFile(dir.File("dst"), 2));
    in.SetBufferSize(1000);
    std::vector<int64_t> progress;
    ASSERT_TRUE(in.CopyTo(out, nullptr, TFileRoot::CopyMode::Overwrite, false, -1,
                          [&progress](int64_t done) {
                            progress.push_back(done);
                            return true;
                          }));
    out.Close();
    EXPECT_EQ(out.writes, c.writes) << c.target.size();
    EXPECT_EQ(progress, (std::vector<int64_t>{1000, 2000, 2500}));
    EXPECT_EQ(ReadFileBytes(dir.File("dst")), source);
  }
}

TEST(DosFuncCopy, EngineCountsAndClosedFiles) {
  TempDir dir;
  WriteFileBytes(dir.File("src"), "0123456789");
  TFile in, out, closed;
  ASSERT_TRUE(in.OpenFile(dir.File("src"), 0));
  ASSERT_TRUE(out.CreateFile(dir.File("dst")));
  EXPECT_FALSE(in.CopyToSimple(closed));
  in.Seek(2);
  ASSERT_TRUE(in.CopyTo(out, nullptr, TFileRoot::CopyMode::Append, true, 5, {}));
  EXPECT_FALSE(in.CopyTo(out, nullptr, TFileRoot::CopyMode::Append, true, 5, {}));  // only 3 left
  out.Close();
  EXPECT_EQ(ReadFileBytes(dir.File("dst")), "23456789");

  EXPECT_EQ(closed.Seek(0), -1);
  EXPECT_EQ(closed.LastError(), TFileRoot::kErrorNotOpen);
  EXPECT_FALSE(closed.Close());
  EXPECT_EQ(closed.Read(nullptr, 1), -1);
  EXPECT_FALSE(closed.OpenFile(dir.Path(), 0));  // a folder is not a file
}

TEST(DosFuncCopy, ShortWriteFailsAndIsLogged) {
  TFile full;
  if (!full.OpenFile("/dev/full", 2)) GTEST_SKIP() << "no /dev/full";
  CapturedLog log;
  EXPECT_FALSE(full.Write("hello", 5));
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_EQ(log.entries[0].level, logger::LOG_ERROR);
  EXPECT_EQ(log.entries[0].eventId, 0xE0000000u);
  EXPECT_EQ(log.entries[0].text,
            "\r\n\r\nCannot write to file; request=5, written=0, status=28, fname=/dev/full\r\n");
  full.Close();
  EXPECT_FALSE(full.Write("x", 1));
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[1].text, "\r\n\r\nCannot write to closed file; /dev/full\r\n");
}

TEST(DosFuncCopy, LinesRoundTrip) {
  TempDir dir;
  TFile f;
  const std::vector<std::string> lines{"first", "", "třetí"};
  ASSERT_TRUE(f.SaveLines(dir.File("sub/list.txt"), lines));
  EXPECT_EQ(ReadFileBytes(dir.File("sub/list.txt")), "first\r\n\r\ntřetí\r\n");
  EXPECT_EQ(f.LoadLines(dir.File("sub/list.txt")), lines);
  WriteFileBytes(dir.File("lf.txt"), "a\nb\rc");
  EXPECT_EQ(f.LoadLines(dir.File("lf.txt")), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(f.LoadLines(dir.File("missing")).empty());
}

}  // namespace
