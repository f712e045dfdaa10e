#include "foundation/DosFunc.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

using testsupport::At;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// Names found through a different case, accents included, and long paths.
TEST(DosFunc, NamesAreFoundWithoutRegardToCase) {
  TempDir dir;
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(dir.File("Photos/Čechy")));
  WriteFileBytes(dir.File("Photos/Čechy/Řeka.jpg"), "12345");
  struct Case {
    std::string name;
    bool exists, isDir;
    int64_t size;
  };
  const Case cases[] = {
      {"Photos/Čechy/Řeka.jpg", true, false, 5},
      {"photos/čECHY/řeka.JPG", true, false, 5},
      {"PHOTOS", true, true, 0},
      {"PHOTOS/", true, true, 0},
      {"photos/čechy/missing.jpg", false, false, -1},
      {"Photos/Čechy/Reka.jpg", false, false, -1},  // a missing accent is another name
  };
  for (const Case& c : cases) {
    const std::string path = dir.File(c.name);
    EXPECT_EQ(DosFunc::FileExistsLong(path), c.exists) << c.name;
    EXPECT_EQ(DosFunc::DirectoryExistsLong(path), c.isDir) << c.name;
    EXPECT_EQ(DosFunc::GetFileSize64(path), c.size) << c.name;
  }
  // The prefix of the long-path rule never reaches the system.
  EXPECT_TRUE(DosFunc::FileExistsLong("\\\\?\\" + dir.File("photos/ČECHY/řeka.jpg")));
  TFile file;
  ASSERT_TRUE(file.OpenFile(dir.File("PHOTOS/čechy/ŘEKA.JPG"), 0));
  EXPECT_EQ(file.GetSize(), 5);
}

TEST(DosFunc, ForceDirectoriesCreatesEveryLevelOfALongPath) {
  TempDir dir;
  std::string path = dir.Path();
  while (path.size() < 300) path += "/level" + std::to_string(path.size());
  ASSERT_TRUE(DosFunc::ForceDirectoriesLong(path));
  EXPECT_TRUE(DosFunc::DirectoryExistsLong(path + "/"));
  EXPECT_TRUE(DosFunc::ForceDirectoriesLong(path));  // existing: true
  EXPECT_TRUE(DosFunc::ForceDirectoriesLong("/"));
  WriteFileBytes(dir.File("file"), "x");
  EXPECT_FALSE(DosFunc::ForceDirectoriesLong(dir.File("file/sub")));
  EXPECT_FALSE(DosFunc::ForceDirectoriesLong(""));
}

TEST(DosFunc, RenameNeverReplaces) {
  TempDir dir;
  WriteFileBytes(dir.File("a.jpg"), "A");
  WriteFileBytes(dir.File("b.jpg"), "B");
  EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("b.jpg")));
  EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("B.JPG")));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("a.jpg")), "A");
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("b.jpg")), "B");
  // Changing only the case of a name is a rename of its own.
  ASSERT_TRUE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("A.JPG")));
  EXPECT_EQ(DosFunc::FindFiles(dir.Path(), false), (std::vector<std::string>{"A.JPG", "b.jpg"}));
  EXPECT_TRUE(DosFunc::RenameFileLong(dir.File("a.jpg"), dir.File("c.jpg")));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("c.jpg")), "A");
  EXPECT_FALSE(DosFunc::RenameFileLong(dir.File("missing"), dir.File("d")));
}

TEST(DosFunc, MasksMatchTheWindowsWay) {
  struct Case {
    std::string name, mask;
    bool match;
  };
  const Case cases[] = {
      {"README", "*.*", true},      {"a.b.c", "*.*", true},     {"IMG.JPG", "*.jpg", true},
      {"img.jpeg", "*.jpg", false}, {"photo", "photo.*", true}, {"photo.x", "photo.*", true},
      {"photos", "photo.*", false}, {"ab.txt", "?b.TXT", true}, {"čaj.txt", "ČAJ.*", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DosFunc::MatchesFileMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
}

TEST(DosFunc, SearchesComeSortedByName) {
  TempDir dir;
  for (const char* name : {"b.JPG", "C.txt", "a.jpg", "README", "sub/z.jpg", "sub/deep/y.jpg"}) {
    const std::string path = dir.File(name);
    ASSERT_TRUE(DosFunc::ForceDirectoriesLong(path.substr(0, path.rfind('/'))));
    WriteFileBytes(path, "x");
  }
  ASSERT_EQ(symlink(dir.File("sub").c_str(), dir.File("link").c_str()), 0);

  std::vector<std::string> names;
  DosFunc::TSearchRec rec;
  for (int r = DosFunc::FindFirstLong(dir.File("*.*"), DosFunc::faAnyFile, rec);
       r == DosFunc::kFindOk; r = DosFunc::FindNextLong(rec))
    names.push_back(rec.Name);
  DosFunc::FindCloseLong(rec);
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "b.JPG", "C.txt", "link", "README", "sub"}));

  names.clear();
  for (int r = DosFunc::FindFirstLong(dir.File("*.JPG"), 0, rec); r == DosFunc::kFindOk;
       r = DosFunc::FindNextLong(rec))
    names.push_back(rec.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "b.JPG"}));
  // Without the folder bit, folders (and links to them) are left out.
  ASSERT_EQ(DosFunc::FindFirstLong(dir.File("??n?"), 0, rec), DosFunc::kFindNotFound);
  EXPECT_EQ(DosFunc::FindFirstLong(dir.File("missing/*.*"), DosFunc::faAnyFile, rec),
            DosFunc::kFindNotFound);

  // Recursive: a folder's files follow its parent's; the link is not entered.
  EXPECT_EQ(DosFunc::FindFiles(dir.Path(), true),
            (std::vector<std::string>{"a.jpg", "b.JPG", "C.txt", "README", "sub/z.jpg",
                                      "sub/deep/y.jpg"}));
  EXPECT_EQ(DosFunc::FindFilesEx(dir.Path(), "*.jpg", true, true, false, "x"),
            (std::vector<std::string>{"a.jpg|x", "b.JPG|x", "sub/z.jpg|x", "sub/deep/y.jpg|x"}));
  EXPECT_EQ(DosFunc::FindFilesEx(dir.File("SUB"), "*", false, true, false, ""),
            (std::vector<std::string>{"*deep", "z.jpg"}));
  EXPECT_TRUE(DosFunc::FindFiles(dir.File("missing"), true).empty());
}

TEST(DosFunc, DatesKeepWholeSecondsAndYearsBefore1980) {
  TempDir dir;
  const std::string file = dir.File("photo.jpg");
  WriteFileBytes(file, "x");
  for (const TDateTime when : {At(2021, 6, 14, 7, 56, 3), At(1975, 3, 1, 12, 0, 1),
                               At(2038, 1, 19, 3, 14, 9), At(1969, 12, 31, 23, 59, 59)}) {
    DosFunc::SetFileDateTime(file, when);
    EXPECT_NEAR(DosFunc::GetFileDateTime(file), when, 1e-9);
    TFile f;
    ASSERT_TRUE(f.OpenFile(file, 0));
    EXPECT_NEAR(f.GetDateTime(), when, 1e-9);
  }
  EXPECT_EQ(DosFunc::GetFileDateTime(dir.File("missing")), 0);
  DosFunc::SetFileDateTime(dir.File("missing"), At(2000, 1, 1));  // ignored, no crash
  EXPECT_FALSE(DosFunc::FileExistsLong(dir.File("missing")));
}

TEST(DosFunc, AttributesMapOntoWriteBitsFoldersAndLinks) {
  TempDir dir;
  WriteFileBytes(dir.File("f"), "x");
  ASSERT_EQ(symlink(dir.Path().c_str(), dir.File("link").c_str()), 0);
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("f")), 0);
  ASSERT_TRUE(DosFunc::SetFileAttr(dir.File("f"), DosFunc::faReadOnly | DosFunc::faHidden));
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("F")), DosFunc::faReadOnly);
  ASSERT_TRUE(DosFunc::SetFileAttr(dir.File("f"), 0));
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("f")), 0);
  EXPECT_EQ(DosFunc::GetFileAttr(dir.Path()), DosFunc::faDirectory);
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("link")), DosFunc::faDirectory | DosFunc::faReparsePoint);
  EXPECT_TRUE(DosFunc::IsReparsePoint(dir.File("link")));
  EXPECT_FALSE(DosFunc::IsReparsePoint(dir.Path()));
  EXPECT_EQ(DosFunc::GetFileAttr(dir.File("missing")), -1);

  int64_t size = 0;
  TDateTime date = 0;
  int32_t attr = 0;
  EXPECT_TRUE(DosFunc::GetFileInfo(dir.File("f"), size, date, attr));
  EXPECT_EQ(size, 1);
  EXPECT_FALSE(DosFunc::GetFileInfo(dir.File("missing"), size, date, attr));
  EXPECT_EQ(size, -1);
}

TEST(DosFunc, LinuxHasNoDrives) {
  std::vector<std::string> list{"old"};
  EXPECT_EQ(DosFunc::ListDrives(&list), "");
  EXPECT_TRUE(list.empty());
  for (char letter = 'A'; letter <= 'Z'; ++letter) EXPECT_EQ(DosFunc::GetDriveKind(letter), 0);
}

}  // namespace
