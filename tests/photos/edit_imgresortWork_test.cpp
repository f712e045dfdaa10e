#include "photos/resort/edit_imgresortWork.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "tests/support/TestSupport.h"

namespace {

using edit_imgresort::TPatternOptions;
using edit_imgresort::TResult;
using edit_imgresort::TSide;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

using TFiles = std::map<std::string, std::string>;

// Writes each file (relative path -> what it holds) below dir.
void MakeFiles(const std::string& dir, const TFiles& files) {
  for (const auto& [rel, bytes] : files) {
    const std::string path = dir + "/" + rel;
    DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(path));
    WriteFileBytes(path, bytes);
  }
}

// Every file below dir with what it holds.
TFiles Contents(const std::string& dir) {
  TFiles out;
  for (const std::string& rel : DosFunc::FindFiles(dir, true))
    out[rel] = ReadFileBytes(dir + "/" + rel);
  return out;
}

class Resort : public ::testing::Test {
 protected:
  std::string Dir(const std::string& name) const { return root_.File(name); }

  testsupport::ScopedHome home_;
  TempDir root_;
};

TEST_F(Resort, FoldingAndKeys) {
  // The table has the small ô but not the capital Ô.
  EXPECT_EQ(edit_imgresort::Fold("žluťoučký kůň § Ôô"), "ZLUTOUCKY KUN   ÔO");
  struct Case {
    const char* path;
    TSide side;
    bool equalNames;
    const char* key;
  };
  const TSide rightRun{false, -1};
  const TSide leftRun{true, -1};
  const Case cases[] = {
      {"DSC_0012_edit.jpg", rightRun, false, "EDIT"},
      {"DSC_0012.jpg", rightRun, false, "0012"},
      {"2013/Praha/IMG 0012.jpg", rightRun, false, "0012"},
      {"DSC_0012.jpg", leftRun, false, "DSC"},
      {"P1000234.jpg", {false, 4}, false, "0234"},
      {"IMG_0234.jpg", {false, 4}, false, "0234"},
      {"img_1.jpg", {true, 3}, false, "IMG"},
      {"ab.jpg", {true, 4}, false, "AB"},
      {"ab.jpg", {true, 0}, false, ""},
      {"ABC123.jpg", rightRun, false, "ABC123"},
      {"photo(1).jpg", rightRun, false, ""},
      {"fotka_č12.jpg", rightRun, false, "C12"},
      {"Žába_ž12.jpg", {false, 3}, false, "Z12"},
      {"2013/Praha/Žába.JPG", rightRun, true, "ZABA.JPG"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(edit_imgresort::KeyOf(c.path, c.side, c.equalNames), c.key) << c.path;

  EXPECT_EQ(edit_imgresort::LengthOf(true, "4"), -1);
  EXPECT_EQ(edit_imgresort::LengthOf(false, " 6 "), 6);
  EXPECT_EQ(edit_imgresort::LengthOf(false, ""), -1);
  EXPECT_EQ(edit_imgresort::LengthOf(false, "x"), -1);
}

TEST_F(Resort, NewVersionsReplaceTreeFilesOfTheirNameAndOthersMayBecomeXxx) {
  for (const bool renameOthers : {false, true}) {
    TempDir root;
    const std::string tree = root.File("tree");
    const std::string flat = root.File("flat");
    MakeFiles(tree, {{"2013/Praha/DSC_0012.jpg", "old12"},
                     {"2013/Praha/DSC_0013.jpg", "old13"},
                     {"2014/dsc_0020.JPG", "old20"},
                     {"2014/thumbs/thumb_DSC_0013.jpg", "thumb"},
                     {"2014/ignore.list", "tree ignore"}});
    MakeFiles(
        flat,
        {{"DSC_0012.jpg", "new12"}, {"DSC_0020.jpg", "new20"}, {"ignore.list", "flat ignore"}});
    int calls = 0;
    const TResult r =
        edit_imgresort::UpdateTree(flat, tree, renameOthers, [&](int done, int total) {
          EXPECT_EQ(total, 3);
          EXPECT_EQ(done, calls++);
        });
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(r.replaced, 2);
    EXPECT_EQ(r.renamed, renameOthers ? 1 : 0);
    EXPECT_EQ(edit_imgresort::Summary(r), "");
    const TFiles expected = {
        {"2013/Praha/DSC_0012.jpg", "new12"},
        {renameOthers ? "2013/Praha/DSC_0013.xxx" : "2013/Praha/DSC_0013.jpg", "old13"},
        {"2014/dsc_0020.JPG", "new20"},
        {"2014/thumbs/thumb_DSC_0013.jpg", "thumb"},
        {"2014/ignore.list", "tree ignore"}};
    EXPECT_EQ(Contents(tree), expected) << renameOthers;
    EXPECT_EQ(Contents(flat), (TFiles{{"ignore.list", "flat ignore"}}));
  }
}

TEST_F(Resort, ANameHeldTwiceIsReportedNotGuessed) {
  const std::string tree = Dir("tree");
  const std::string flat = Dir("flat");
  const TFiles treeFiles = {{"a/IMG_1.jpg", "a1"}, {"b/img_1.JPG", "b1"}, {"c/IMG_2.jpg", "c2"}};
  const TFiles flatFiles = {{"IMG_1.jpg", "new1"}, {"IMG_2.jpg", "new2"}, {"img_2.jpg", "new2b"}};
  MakeFiles(tree, treeFiles);
  MakeFiles(flat, flatFiles);
  const TResult r = edit_imgresort::UpdateTree(flat, tree, true, {});
  EXPECT_EQ(r.replaced, 0);
  EXPECT_EQ(r.renamed, 0);
  ASSERT_EQ(r.duplicates.size(), 1u);
  EXPECT_EQ(r.duplicates[0],
            (std::vector<std::string>{tree + "/a/IMG_1.jpg", tree + "/b/img_1.JPG"}));
  ASSERT_EQ(r.caseClashes.size(), 1u);
  EXPECT_EQ(r.caseClashes[0], (std::vector<std::string>{flat + "/IMG_2.jpg", flat + "/img_2.jpg"}));
  EXPECT_EQ(Contents(tree), treeFiles);
  EXPECT_EQ(Contents(flat), flatFiles);
  const std::string report = edit_imgresort::Summary(r);
  EXPECT_NE(report.find(tree + "/b/img_1.JPG"), std::string::npos);
  EXPECT_NE(report.find(flat + "/img_2.jpg"), std::string::npos);
}

TEST_F(Resort, AFlatFolderInsideTheTreeIsNoPartOfTheTree) {
  const std::string tree = Dir("tree");
  MakeFiles(tree, {{"2013/DSC_1.jpg", "old"}, {"new/DSC_1.jpg", "new"}, {"new/DSC_2.jpg", "new2"}});
  const TResult r = edit_imgresort::UpdateTree(tree + "/new", tree, true, {});
  EXPECT_EQ(r.replaced, 1);
  EXPECT_TRUE(r.duplicates.empty());
  EXPECT_EQ(Contents(tree), (TFiles{{"2013/DSC_1.jpg", "new"}, {"new/DSC_2.jpg", "new2"}}));
}

TEST_F(Resort, FilesAreSortedIntoATreeShapedLikeThePattern) {
  const TFiles source = {{"DSC_0012.jpg", "12"},
                         {"DSC_0012_edit.jpg", "12e"},
                         {"DSC_0034.jpg", "34"},
                         {"DSC_0099.jpg", "99"}};
  struct Case {
    bool move;
    TFiles target;
    TFiles sourceAfter;
  };
  const Case cases[] = {
      {false,
       {{"2013/Praha/DSC_0012.jpg", "12"},
        {"2013/Brno/DSC_0034.jpg", "34"},
        {"2014/DSC_0034.jpg", "34"},
        {"x-UNSORTED/DSC_0012_edit.jpg", "12e"},
        {"x-UNSORTED/DSC_0099.jpg", "99"}},
       source},
      {true,
       {{"2013/Praha/DSC_0012.jpg", "12"},
        {"2013/Brno/DSC_0034.jpg", "34"},
        {"x-UNSORTED/DSC_0012_edit.jpg", "12e"},
        {"x-UNSORTED/DSC_0099.jpg", "99"}},
       {}},
  };
  for (const Case& c : cases) {
    TempDir root;
    MakeFiles(root.File("pattern"), {{"2013/Praha/IMG 0012.jpg", "p"},
                                     {"2013/Brno/IMG_0034.jpg", "p"},
                                     {"2014/IMG_0034.jpg", "p"},
                                     {"2013/thumbs/thumb_IMG_0099.jpg", "p"}});
    MakeFiles(root.File("flat"), source);
    TPatternOptions o;
    o.move = c.move;
    const TResult r = edit_imgresort::CopyIntoPatternTree(root.File("flat"), root.File("pattern"),
                                                          root.File("target"), o, {});
    EXPECT_EQ(r.placed, c.move ? 2 : 3);
    EXPECT_EQ(r.unsorted, 2);
    EXPECT_EQ(Contents(root.File("target")), c.target) << c.move;
    EXPECT_EQ(Contents(root.File("flat")), c.sourceAfter) << c.move;
  }
}

TEST_F(Resort, FixedLengthsAndEqualNamesMatchTheirWay) {
  MakeFiles(Dir("pattern"), {{"a/IMG_0234.jpg", "p"}, {"b/IMG_1.JPG", "p"}});
  MakeFiles(Dir("flat"), {{"P1000234.jpg", "234"}, {"img_1.jpg", "1"}});
  TPatternOptions fixed;
  fixed.patternSide = {false, 4};
  fixed.sourceSide = {false, 4};
  edit_imgresort::CopyIntoPatternTree(Dir("flat"), Dir("pattern"), Dir("fixed"), fixed, {});
  EXPECT_EQ(ReadFileBytes(Dir("fixed/a/P1000234.jpg")), "234");
  TPatternOptions equal;
  equal.equalNames = true;
  edit_imgresort::CopyIntoPatternTree(Dir("flat"), Dir("pattern"), Dir("equal"), equal, {});
  EXPECT_EQ(Contents(Dir("equal")),
            (TFiles{{"b/img_1.jpg", "1"}, {"x-UNSORTED/P1000234.jpg", "234"}}));
}

TEST_F(Resort, ATargetIsReplacedOnlyByAnotherFileAndNeverThroughALinkOrACaseTwin) {
  MakeFiles(Dir("pattern"), {{"a/IMG_1.jpg", "p"}, {"b/IMG_2.jpg", "p"}, {"c/IMG_3.jpg", "p"}});
  MakeFiles(Dir("flat"), {{"DSC_1.jpg", "new1"}, {"DSC_2.jpg", "new2"}, {"DSC_3.jpg", "new3"}});
  MakeFiles(Dir("target"),
            {{"a/DSC_1.jpg", "old1"}, {"b/dsc_2.JPG", "other2"}, {"x-UNSORTED/zzz.jpg", "z"}});
  MakeFiles(Dir("elsewhere"), {{"keep.txt", "k"}});
  ASSERT_EQ(symlink(Dir("elsewhere").c_str(), Dir("target/c").c_str()), 0);
  TPatternOptions o;
  o.move = true;
  const TResult r =
      edit_imgresort::CopyIntoPatternTree(Dir("flat"), Dir("pattern"), Dir("target"), o, {});
  EXPECT_EQ(ReadFileBytes(Dir("target/a/DSC_1.jpg")), "new1");
  EXPECT_EQ(ReadFileBytes(Dir("target/b/dsc_2.JPG")), "other2");
  ASSERT_EQ(r.caseClashes.size(), 1u);
  EXPECT_EQ(r.caseClashes[0],
            (std::vector<std::string>{Dir("flat/DSC_2.jpg"), Dir("target/b/dsc_2.JPG")}));
  EXPECT_EQ(r.failed, std::vector<std::string>{Dir("target/c/DSC_3.jpg")});
  EXPECT_EQ(Contents(Dir("elsewhere")), (TFiles{{"keep.txt", "k"}}));
  // What could not go where it matched waits in x-UNSORTED.
  EXPECT_EQ(ReadFileBytes(Dir("target/x-UNSORTED/DSC_2.jpg")), "new2");
  EXPECT_EQ(ReadFileBytes(Dir("target/x-UNSORTED/DSC_3.jpg")), "new3");

  // A flat folder that is the target's x-UNSORTED keeps what stays unsorted.
  const TResult again = edit_imgresort::CopyIntoPatternTree(Dir("target/x-UNSORTED"),
                                                            Dir("pattern"), Dir("target"), o, {});
  EXPECT_EQ(again.unsorted, 3);
  EXPECT_EQ(Contents(Dir("target/x-UNSORTED")),
            (TFiles{{"DSC_2.jpg", "new2"}, {"DSC_3.jpg", "new3"}, {"zzz.jpg", "z"}}));
}

TEST_F(Resort, MissingFoldersAreRefused) {
  MakeFiles(Dir("flat"), {{"a.jpg", "a"}});
  EXPECT_NE(
      edit_imgresort::UpdateTree(Dir("flat"), Dir("none"), true, {}).refusal.find(Dir("none")),
      std::string::npos);
  EXPECT_NE(
      edit_imgresort::UpdateTree(Dir("none"), Dir("flat"), true, {}).refusal.find(Dir("none")),
      std::string::npos);
  TPatternOptions o;
  EXPECT_FALSE(edit_imgresort::CopyIntoPatternTree(Dir("flat"), Dir("none"), Dir("t"), o, {})
                   .refusal.empty());
  EXPECT_FALSE(
      edit_imgresort::CopyIntoPatternTree(Dir("flat"), Dir("flat"), " ", o, {}).refusal.empty());
  EXPECT_EQ(Contents(Dir("flat")), (TFiles{{"a.jpg", "a"}}));
}

}  // namespace
