// Renaming by photo date (code 2), by file date (code 9) and in name order:
// bursts of one second, the name formats, second runs, leftovers of a
// stopped run and names held by others.
#include <gtest/gtest.h>

#include "photos/batch/HromadneAkceRename.h"
#include "photos/batch/HromadneAkceRenameName.h"
#include "photos/batch/HromadneAkceWalk.h"
#include "platform/FileSystem.h"
#include "tests/photos/BatchTree.h"

namespace {

using namespace HromadneAkce;
using batchtest::At;
using batchtest::Media;
using batchtest::Photo;
using batchtest::Tree;
using Names = std::vector<std::string>;

class HromadneAkceRename : public ::testing::Test {
 protected:
  std::string Root() const { return dir_.Path(); }

  TRunResult Run(TActionCode code) { return RunAction(code, options_, FolderTarget(Root()), progress_); }

  // A photo taken at taken whose DateTime tells it apart from the others
  // taken in the same second.
  std::string Marked(const std::string& name, TDateTime taken, int mark) {
    const std::string path = Photo(Root(), name, taken);
    batchtest::WriteExifDates(path, {At(2000, 6, mark), taken, taken});
    DosFunc::SetFileDateTime(path, taken);
    return path;
  }
  int MarkOf(const std::string& name) {
    int y = 0, m = 0, d = 0;
    DateFunc::DayNumToYMD(DateFunc::DateTimeToDayNum(batchtest::ReadExifDates(Root() + "/" + name).dateTime), d, m, y);
    return d;
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  TOptions options_;
  batchtest::RecordingProgress progress_;
};

TEST_F(HromadneAkceRename, BurstOfOneSecondSpreadsInOrderAndStaysOnASecondRun) {
  const TDateTime ten = At(2013, 10, 5, 10, 0, 0);
  Marked("IMG_1.jpg", ten, 1);
  Marked("IMG_2.jpg", ten, 2);
  Marked("IMG_3.jpg", ten, 3);
  Marked("IMG_4.JPG", At(2013, 10, 5, 10, 0, 1), 4);
  Media(Root(), "clip.MOV", At(2014, 3, 1, 12, 0, 0));
  const Names expected = {"20131005_095958.jpg", "20131005_095959.jpg", "20131005_100000.jpg",
                          "20131005_100001.jpg", "20140301_120000.mov"};
  for (int run = 0; run < 2; ++run) {
    const TRunResult result = Run(kRenameByPhotoDate);
    EXPECT_EQ(result.status, TRunStatus::Done);
    EXPECT_EQ(result.filesMet, 5u);
    EXPECT_TRUE(result.failures.empty());
    ASSERT_EQ(Tree(Root()), expected) << "run " << run;
    EXPECT_EQ(MarkOf(expected[0]), 1);
    EXPECT_EQ(MarkOf(expected[1]), 2);
    EXPECT_EQ(MarkOf(expected[2]), 3);
    EXPECT_EQ(MarkOf(expected[3]), 4);
  }
  // Reading, sorting, and the two passes of the rename.
  EXPECT_EQ(progress_.maxima, (std::vector<size_t>{16, 16}));
  EXPECT_EQ(progress_.steps, 32u);
}

// A burst copied newest first: its photos are numbered in the order the
// camera took them, by the fraction of the second it wrote, SubSecTime when
// there is no SubSecTimeOriginal, and by name without either; whether the
// photos are renamed by their EXIF date or their file date.
TEST_F(HromadneAkceRename, ABurstTakesTheCameraOrderHoweverItWasCopied) {
  using batchtest::BurstPhoto;
  const struct {
    std::vector<BurstPhoto> burst;
    std::vector<size_t> order;  // of the burst's photos, as they are to be numbered
  } cases[] = {
      {{{"DSC_0001.JPG", "10", "10"}, {"DSC_0002.JPG", "20", "20"}, {"DSC_0003.JPG", "30", "30"}},
       {0, 1, 2}},
      // Hundredths against tenths; the original's fraction before the other.
      {{{"a.jpg", "7", "05"}, {"b.jpg", "05", "9"}, {"c.jpg", "50", "0"}}, {1, 2, 0}},
      {{{"a.jpg", "", "9"}, {"b.jpg", "", "15"}, {"c.jpg", "", "0"}}, {2, 1, 0}},
      {{{"IMG_7.jpg", "", ""}, {"IMG_8.jpg", "", ""}, {"IMG_9.jpg", "", ""}}, {0, 1, 2}},
  };
  options_.renameFormat = TRenameFormat::DatePerDay;
  const TDateTime taken = At(2013, 10, 5, 10, 0, 0);
  for (const auto& c : cases) {
    const std::vector<std::string> photos = batchtest::BurstPhotos(c.burst, taken);
    for (const TActionCode code : {kRenameByPhotoDate, kRenameByFileDate}) {
      SCOPED_TRACE(std::to_string(int(code)) + " " + c.burst[0].name + " " + c.burst[0].original);
      DosFunc::DeleteDirContents(Root(), true);
      batchtest::CopyBurst(Root(), c.burst, photos, taken);
      EXPECT_TRUE(Run(code).failures.empty());
      const Names expected = {"20131005_img0001.jpg", "20131005_img0002.jpg",
                              "20131005_img0003.jpg"};
      ASSERT_EQ(Tree(Root()), expected);
      for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(testsupport::ReadFileBytes(Root() + "/" + expected[i]), photos[c.order[i]])
            << expected[i];
    }
  }
}

TEST_F(HromadneAkceRename, BurstWithoutFreeSecondsKeepsNumbersInOrder) {
  // Every neighbouring second is held by another photo.
  for (int i = 1; i <= 6; ++i) Marked("p" + std::to_string(i) + ".jpg", At(2013, 10, 5, 10, 0, 0), i);
  Marked("before.jpg", At(2013, 10, 5, 9, 59, 59), 7);
  Marked("after.jpg", At(2013, 10, 5, 10, 0, 1), 8);
  for (int run = 0; run < 2; ++run) {
    Run(kRenameByPhotoDate);
    Names expected{"20131005_095959.jpg"};
    for (int i = 1; i <= 6; ++i) expected.push_back("20131005_100000-000" + std::to_string(i) + ".jpg");
    expected.push_back("20131005_100001.jpg");
    ASSERT_EQ(Tree(Root()), expected);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(MarkOf(expected[size_t(i)]), i);
  }
}

TEST_F(HromadneAkceRename, FormatsAndMidnight) {
  Marked("p1.jpg", At(2013, 10, 5, 8, 0, 0), 1);
  Marked("p2.jpg", At(2013, 10, 5, 9, 0, 0), 2);
  Marked("p3.jpg", At(2013, 10, 6, 0, 0, 0), 3);
  Marked("p4.jpg", At(2013, 10, 6, 7, 0, 0), 4);
  const struct {
    TRenameFormat format;
    Names names;
  } runs[] = {
      {TRenameFormat::Date,
       {"20131005_080000.jpg", "20131005_090000.jpg", "20131006_070000.jpg",
        "20131006_img0001.jpg"}},
      {TRenameFormat::DatePerDay,
       {"20131005_img0001.jpg", "20131005_img0002.jpg", "20131006_img0001.jpg",
        "20131006_img0002.jpg"}},
      {TRenameFormat::Index, {"img_0001.jpg", "img_0002.jpg", "img_0003.jpg", "img_0004.jpg"}},
      {TRenameFormat::Index, {"img_0001.jpg", "img_0002.jpg", "img_0003.jpg", "img_0004.jpg"}},
  };
  for (const auto& run : runs) {
    options_.renameFormat = run.format;
    Run(kRenameByPhotoDate);
    ASSERT_EQ(Tree(Root()), run.names);
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(MarkOf(runs[3].names[size_t(i)]), i + 1);
}

TEST_F(HromadneAkceRename, LeftoversOfAStoppedRunAreFinished) {
  Marked("x.jpg", At(2013, 10, 5, 8, 0, 0), 1);
  Marked("y.jpg", At(2013, 10, 5, 9, 0, 0), 2);
  Marked("w.jpg", At(2013, 10, 5, 11, 0, 0), 3);
  Marked("v.jpg", At(2013, 10, 5, 12, 0, 0), 4);
  ASSERT_TRUE(DosFunc::RenameFileLong(Root() + "/x.jpg", Root() + "/x.jpg.~qm.tmp"));
  ASSERT_TRUE(DosFunc::RenameFileLong(Root() + "/w.jpg", Root() + "/w.jpg.~QM.TMP"));
  ASSERT_TRUE(DosFunc::RenameFileLong(Root() + "/v.jpg", Root() + "/v.JPG.~qm.tmp.~qm.TMP"));
  const TRunResult result = Run(kRenameByPhotoDate);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(Tree(Root()), (Names{"20131005_080000.jpg", "20131005_090000.jpg",
                                 "20131005_110000.jpg", "20131005_120000.jpg"}));
  EXPECT_EQ(MarkOf("20131005_110000.jpg"), 3);
  EXPECT_EQ(MarkOf("20131005_120000.jpg"), 4);
}

// The record of a stopped rename that does not read, or that would take a
// file out of its folder or put it between the passes under a name that is
// no work name, leaves the folder's files as they are, and is told.
TEST_F(HromadneAkceRename, ARecordOfAStoppedRenameThatDoesNotReadLeavesTheFolderAlone) {
  Marked("a.jpg", At(2013, 10, 5, 10, 0, 0), 1);
  const std::string journal = Root() + "/.~qm-batch-rename";
  const char* const records[] = {
      "garbage",
      "Quillmarsh batch rename\r\npass 3\r\n",
      "Quillmarsh batch rename\r\npass 1\r\n../a.jpg\ta.jpg.~qm.tmp\tb.jpg\r\n",
      "Quillmarsh batch rename\r\npass 2\r\na.jpg\tb.jpg\tc.jpg\r\n",
  };
  options_.sortByExif = false;
  for (const char* record : records) {
    SCOPED_TRACE(record);
    testsupport::WriteFileBytes(journal, record);
    for (int byName = 0; byName < 2; ++byName) {
      const TRunResult result = byName ? RunRenameByName(options_, FolderTarget(Root()), progress_)
                                       : Run(kRenameByPhotoDate);
      ASSERT_EQ(result.failures.size(), 1u);
      EXPECT_EQ(result.failures[0].kind, TFailureKind::JournalFailed);
      EXPECT_EQ(result.failures[0].path, journal);
      EXPECT_EQ(Tree(Root()), (Names{".~qm-batch-rename", "a.jpg"}));
    }
  }
}

TEST_F(HromadneAkceRename, NamesHeldByOthersAreNeverTaken) {
  Marked("a.jpg", At(2013, 10, 5, 10, 0, 0), 1);
  Marked("B.JPG", At(2013, 10, 5, 12, 0, 0), 2);
  // A folder holds one new name, in another letter case.
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(Root() + "/20131005_100000.JPG"));
  // A second photo named only in another case than the first (made past the
  // file functions, which take such a name for the first).
  Marked("b_.jpg", At(2013, 10, 5, 12, 0, 0), 3);
  ASSERT_TRUE(platform::RenameNoReplace(Root() + "/b_.jpg", Root() + "/b.jpg"));
  const TRunResult result = Run(kRenameByPhotoDate);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(Tree(Root()), (Names{"20131005_100000-0001.jpg", "20131005_120000.jpg",
                                 "20131005_120001.jpg"}));
  EXPECT_TRUE(DosFunc::DirectoryExistsLong(Root() + "/20131005_100000.JPG"));
  EXPECT_EQ(MarkOf("20131005_100000-0001.jpg"), 1);
  EXPECT_EQ(MarkOf("20131005_120000.jpg"), 2);
  EXPECT_EQ(MarkOf("20131005_120001.jpg"), 3);
}

TEST_F(HromadneAkceRename, FileDateRenameWaitsForEveryFileToBeTaken) {
  // The first file's new name is the second file's present name.
  Media(Root(), "IMG_2.png", At(2013, 1, 1, 12, 0, 0));
  Media(Root(), "20130101_120000.png", At(2014, 5, 5, 10, 0, 0));
  Media(Root(), "sub/c.mov", At(2015, 1, 1, 1, 1, 1));
  options_.subdirs = true;
  for (int run = 0; run < 2; ++run) {
    const TRunResult result = Run(kRenameByFileDate);
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(Tree(Root()), (Names{"20130101_120000.png", "20140505_100000.png",
                                   "sub/20150101_010101.mov"}));
  }
  EXPECT_EQ(testsupport::ReadFileBytes(Root() + "/20130101_120000.png"), "media IMG_2.png");
}

TEST_F(HromadneAkceRename, StopWaitsForTheFolderInWork) {
  for (int i = 0; i < 5; ++i) Marked("IMG_" + std::to_string(i) + ".jpg", At(2013, 1, 1, 9, i), i + 1);
  Marked("sub/IMG_9.jpg", At(2013, 1, 1, 9, 9), 9);
  options_.subdirs = true;
  progress_.stopAfter = 1;
  EXPECT_EQ(Run(kRenameByPhotoDate).status, TRunStatus::Stopped);
  EXPECT_EQ(Tree(Root()), (Names{"20130101_090000.jpg", "20130101_090100.jpg",
                                 "20130101_090200.jpg", "20130101_090300.jpg",
                                 "20130101_090400.jpg", "sub/IMG_9.jpg"}));
}

TEST_F(HromadneAkceRename, NameOrderNumbersByStep) {
  for (int i = 1; i <= 12; ++i) {
    const std::string name = "IMG_" + StrFunc::PadLeftCh(std::to_string(i), '0', 2) + ".JPG";
    Media(Root(), name, At(2013, 10, 5, 12, i));
  }
  Media(Root(), "sub/x.png", At(2013, 10, 6));
  options_.sortByExif = false;
  options_.renameFormat = TRenameFormat::Index;
  options_.prefix = " dovolena ";
  options_.startNumber = 1;
  options_.step = 10;
  const TTarget target = FolderTarget(Root());
  for (int run = 0; run < 2; ++run) {
    const TRunResult result = RunRenameByName(options_, target, progress_);
    EXPECT_EQ(result.status, TRunStatus::Done);
    const Names tree = Tree(Root());
    ASSERT_EQ(tree.size(), 13u);
    EXPECT_EQ(tree[0], "dovolena_img001.jpg");
    EXPECT_EQ(tree[1], "dovolena_img011.jpg");
    EXPECT_EQ(tree[11], "dovolena_img111.jpg");
    EXPECT_EQ(tree[12], "sub/x.png");
    EXPECT_EQ(testsupport::ReadFileBytes(Root() + "/dovolena_img011.jpg"), "media IMG_02.JPG");
  }
  options_.prefix = "";
  options_.subdirs = true;
  RunRenameByName(options_, target, progress_);
  EXPECT_EQ(Tree(Root())[0], "img_001.jpg");
  EXPECT_EQ(Tree(Root())[12], "sub/img_001.png");
  options_.renameFormat = TRenameFormat::DatePerDay;
  options_.step = 1;
  options_.startNumber = 0;
  RunRenameByName(options_, target, progress_);
  EXPECT_EQ(Tree(Root())[0], "20131005_img000.jpg");
  EXPECT_EQ(Tree(Root())[12], "sub/20131006_img000.png");
}

TEST_F(HromadneAkceRename, NameOrderFinishesLeftoversOfAStoppedRun) {
  Media(Root(), "b.png", At(2013, 1, 1));
  Media(Root(), "a.png.~qm.tmp", At(2013, 1, 1));
  Media(Root(), "c.PNG.~qm.tmp.~qm.tmp", At(2013, 1, 1));
  options_.sortByExif = false;
  options_.renameFormat = TRenameFormat::Index;
  const TRunResult result = RunRenameByName(options_, FolderTarget(Root()), progress_);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(Tree(Root()), (Names{"img_001.png", "img_002.png", "img_003.png"}));
  EXPECT_EQ(testsupport::ReadFileBytes(Root() + "/img_001.png"), "media a.png.~qm.tmp");
  EXPECT_EQ(testsupport::ReadFileBytes(Root() + "/img_003.png"), "media c.PNG.~qm.tmp.~qm.tmp");
}

TEST_F(HromadneAkceRename, NameOrderInFilesModeRunsOverEachFolderGiven) {
  Media(Root(), "one/b.png", At(2013, 1, 1));
  Media(Root(), "two/a.png", At(2013, 1, 1));
  Media(Root(), "loose.png", At(2013, 1, 1));
  options_.sortByExif = false;
  options_.renameFormat = TRenameFormat::Index;
  EXPECT_EQ(RunRenameByName(options_, FilesTarget({Root() + "/loose.png"}), progress_).status,
            TRunStatus::NoFolder);
  const TRunResult result = RunRenameByName(
      options_, FilesTarget({Root() + "/one", Root() + "/loose.png", Root() + "/two"}), progress_);
  EXPECT_EQ(result.status, TRunStatus::Done);
  EXPECT_EQ(Tree(Root()), (Names{"loose.png", "one/img_001.png", "two/img_001.png"}));
  EXPECT_EQ(RunRenameByName(options_, FolderTarget(Root() + "/missing"), progress_).status,
            TRunStatus::NoFolder);
}

TEST(HromadneAkceRenameNumbers, WidthsPrefixesAndStartNumbers) {
  EXPECT_EQ(NumberWidth(12, 10), 3);
  EXPECT_EQ(NumberWidth(98, 10), 4);
  EXPECT_EQ(NumberWidth(1, 1), 3);
  EXPECT_EQ(NamePrefix(TRenameFormat::Index, "dovolena", 0), "dovolena_img");
  EXPECT_EQ(NamePrefix(TRenameFormat::Index, "IMGx", 0), "IMGx_");
  EXPECT_EQ(NamePrefix(TRenameFormat::DatePerDay, "", At(2013, 10, 5)), "20131005_img");
  EXPECT_EQ(GetStartNumber(" 25 "), 25);
  EXPECT_EQ(GetStartNumber("x"), 1);
  EXPECT_EQ(GetStartNumber("-3"), 1);
  EXPECT_EQ(GetPrefix("  "), "img");
  EXPECT_EQ(Pad4(7), "0007");
  EXPECT_EQ(Pad4(12345), "12345");
}

}  // namespace
