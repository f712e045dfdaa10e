// Splitting into month, year and EXIF folders, twice, and what is never
// moved over or through.
#include <gtest/gtest.h>
#include <unistd.h>

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

class HromadneAkceSplit : public ::testing::Test {
 protected:
  void SetUp() override {
    Photo(Root(), "a.jpg", At(2013, 10, 5, 7, 56, 3), At(2020, 1, 1));
    batchtest::UndatedPhoto(Root(), "undated.JPG", At(2012, 7, 8));
    Media(Root(), "b.png", At(2014, 3, 1, 12, 0, 0));
    Media(Root(), "c.mov", At(2011, 12, 31, 23, 59, 59));
    Media(Root(), "notes.txt", At(2011, 1, 1));
    Photo(Root(), "sub/d.jpg", At(2010, 1, 2));
  }
  std::string Root() const { return dir_.Path(); }
  TRunResult Run(TActionCode code) {
    return RunAction(code, options_, FolderTarget(Root()), progress_);
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  TOptions options_;
  batchtest::RecordingProgress progress_;
};

TEST_F(HromadneAkceSplit, ByMonthTwiceIntoTheSameFolders) {
  options_.subdirs = true;
  const Names expected = {"2012-07/undated.JPG", "2013-10/a.jpg", "_MOV/2011-12/c.mov",
                          "_PNG/2014-03/b.png", "notes.txt", "sub/2010-01/d.jpg"};
  for (int run = 0; run < 2; ++run) {
    const TRunResult result = Run(kSplitByMonth);
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(Tree(Root()), expected) << "run " << run;
  }
}

TEST_F(HromadneAkceSplit, ByYearAndByExif) {
  Run(kSplitByYear);
  EXPECT_EQ(Tree(Root()), (Names{"2012/undated.JPG", "2013/a.jpg", "_MOV/2011/c.mov",
                                 "_PNG/2014/b.png", "notes.txt", "sub/d.jpg"}));
  options_.subdirs = true;
  Run(kSplitByExif);
  EXPECT_EQ(Tree(Root()), (Names{"2012/NO-EXIF/undated.JPG", "2013/EXIF/a.jpg",
                                 "_MOV/2011/_MOV/c.mov", "_PNG/2014/_PNG/b.png", "notes.txt",
                                 "sub/EXIF/d.jpg"}));
}

TEST_F(HromadneAkceSplit, NeverMovesOverANameOrThroughALink) {
  // The month folder holds the name in another letter case.
  Media(Root(), "2013-10/A.JPG", At(2001, 1, 1));
  // The year folder of the film is a link to a folder elsewhere.
  Media(Root(), "elsewhere/keep.txt", At(2001, 1, 1));
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(Root() + "/_MOV"));
  ASSERT_EQ(symlink((Root() + "/elsewhere").c_str(), (Root() + "/_MOV/2011-12").c_str()), 0);
  const TRunResult result = Run(kSplitByMonth);
  ASSERT_EQ(result.failures.size(), 2u);
  EXPECT_EQ(result.failures[0].kind, TFailureKind::LinkInTheWay);
  EXPECT_EQ(result.failures[0].path, Root() + "/_MOV/2011-12");
  EXPECT_EQ(result.failures[1].kind, TFailureKind::NameTaken);
  EXPECT_EQ(result.failures[1].path, Root() + "/a.jpg");
  EXPECT_EQ(result.failures[1].other, Root() + "/2013-10/A.JPG");
  EXPECT_EQ(Tree(Root()), (Names{"2012-07/undated.JPG", "2013-10/A.JPG", "_PNG/2014-03/b.png",
                                 "a.jpg", "c.mov", "elsewhere/keep.txt", "notes.txt",
                                 "sub/d.jpg"}));
}

TEST_F(HromadneAkceSplit, ANameWithWildcardCharactersMovesBesideNamesItWouldMatch) {
  Photo(Root(), "a?.jpg", At(2013, 10, 5, 8, 0, 0));
  Media(Root(), "2013-10/ab.jpg", At(2001, 1, 1));
  const TRunResult result = Run(kSplitByMonth);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(Tree(Root()), (Names{"2012-07/undated.JPG", "2013-10/a.jpg", "2013-10/a?.jpg",
                                 "2013-10/ab.jpg", "_MOV/2011-12/c.mov", "_PNG/2014-03/b.png",
                                 "notes.txt", "sub/d.jpg"}));
  EXPECT_EQ(testsupport::ReadFileBytes(Root() + "/2013-10/ab.jpg"), "media 2013-10/ab.jpg");
}

}  // namespace
