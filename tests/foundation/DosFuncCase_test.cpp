// Names looked up without regard to case while a folder changes: by renames
// of the program itself and by files that other programs add or remove.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/DateTime.h"
#include "foundation/DosFunc.h"
#include "foundation/DosFuncNames.h"
#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;
using testsupport::WriteFileBytes;

// Gives the folder a modification time of its own, as any change made by
// another program in another instant does.
void MarkFolderChanged(const std::string& folder, int64_t seconds) {
  ASSERT_TRUE(platform::SetModifiedTime(folder, seconds));
}

TEST(DosFuncCase, RunOfRenamesKeepsEveryNameInSight) {
  TempDir dir;
  for (int i = 0; i < 20; ++i) WriteFileBytes(dir.File("IMG_" + std::to_string(i) + ".JPG"), "x");
  WriteFileBytes(dir.File("other.jpg"), "o");
  for (int i = 0; i < 20; ++i) {
    const std::string name = "IMG_" + std::to_string(i) + ".JPG";
    ASSERT_TRUE(DosFunc::RenameFileLong(dir.File(name), dir.File(name + ".tmp")));
    // The old name is gone in every case, the new one found in any.
    EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("img_" + std::to_string(i) + ".jpg")));
    EXPECT_TRUE(DosFunc::FileExistsLong(dir.File("img_" + std::to_string(i) + ".jpg.TMP")));
    // A name taken in another case is never taken again.
    EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("other.jpg"),
                                         dir.File("Img_" + std::to_string(i) + ".jpg.tmp")));
  }
  ASSERT_TRUE(DosFunc::RenameFileLong(dir.File("IMG_3.JPG.tmp"), dir.File("img_3.jpg.tmp")));
  EXPECT_EQ(DosFunc::FindFiles(dir.Path(), false).size(), 21u);
  EXPECT_TRUE(DosFunc::FileExistsLong(dir.File("IMG_3.JPG.TMP")));
}

TEST(DosFuncCase, ChangesOfOtherProgramsAreSeen) {
  TempDir dir;
  WriteFileBytes(dir.File("a.jpg"), "a");
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("B.JPG")));
  WriteFileBytes(dir.File("b.jpg"), "b");
  MarkFolderChanged(dir.Path(), 1000000000);
  EXPECT_TRUE(DosFunc::FileExistsLong(dir.File("B.JPG")));
  EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("B.jpg")));
  ASSERT_TRUE(platform::RemoveFile(dir.File("b.jpg")));
  MarkFolderChanged(dir.Path(), 1000000100);
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("B.JPG")));
  EXPECT_TRUE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("B.jpg")));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("B.jpg")), "a");
}

TEST(DosFuncCase, NamesDifferingOnlyInCaseStayApart) {
  TempDir dir;
  WriteFileBytes(dir.File("Photo.jpg"), "1");
  WriteFileBytes(dir.File("PHOTO.JPG"), "22");
  // The first in sorted order answers for the form; moving it away leaves
  // the other to answer.
  EXPECT_EQ(DosFunc::GetFileSize64(dir.File("photo.jpg")), 2);
  ASSERT_TRUE(DosFunc::RenameFileLong(dir.File("PHOTO.JPG"), dir.File("other.jpg")));
  EXPECT_EQ(DosFunc::GetFileSize64(dir.File("photo.jpg")), 1);
  ASSERT_TRUE(DosFunc::RenameFileLong(dir.File("Photo.jpg"), dir.File("third.jpg")));
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("photo.jpg")));
}

TEST(DosFuncCase, RunKeepsItsRenamesAndListsAgainAfterwards) {
  TempDir dir;
  WriteFileBytes(dir.File("a.jpg"), "a");
  WriteFileBytes(dir.File("b.jpg"), "b");
  {
    DosFunc::TNameRun run;
    ASSERT_TRUE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("a.jpg.tmp")));
    EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("b.jpg"), dir.File("A.JPG.TMP")));
    ASSERT_TRUE(DosFunc::RenameFileLong(dir.File("b.jpg"), dir.File("A.jpg")));
    EXPECT_TRUE(DosFunc::FileExistsLong(dir.File("a.JPG")));
    EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("B.JPG")));
    // A file made meanwhile by other means is never replaced, seen or not.
    WriteFileBytes(dir.File("c.jpg"), "c");
    EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("A.jpg"), dir.File("c.jpg")));
    EXPECT_EQ(testsupport::ReadFileBytes(dir.File("c.jpg")), "c");
  }
  EXPECT_TRUE(DosFunc::FileExistsLong(dir.File("C.JPG")));
  EXPECT_EQ(DosFunc::FindFiles(dir.Path(), false),
            (std::vector<std::string>{"A.jpg", "a.jpg.tmp", "c.jpg"}));
}

TEST(DosFuncCase, ListNamesGivesEveryEntryButTheDots) {
  TempDir dir;
  WriteFileBytes(dir.File("a"), "");
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(dir.File("sub")));
  std::vector<std::string> names;
  ASSERT_TRUE(platform::ListNames(dir.Path(), names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "sub"}));
  EXPECT_FALSE(platform::ListNames(dir.File("missing"), names));
  EXPECT_TRUE(names.empty());
}

}  // namespace
