// The ignore list of a photo folder.
#include "photos/IgnoreList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "foundation/DosFunc.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(IgnoreList, AddedNamesAreSavedReadOnlyAndRewrittenOnTheNextAdd) {
  TempDir dir;
  TIgnoreList list;
  ASSERT_TRUE(list.Load(dir.Path()));
  EXPECT_TRUE(list.Names().empty());
  EXPECT_TRUE(list.Add(dir.File("IMG_0001.jpg")));
  EXPECT_EQ(ReadFileBytes(dir.File("ignore.list")), "IMG_0001.jpg\r\n");
  EXPECT_NE(DosFunc::GetFileAttr(dir.File("ignore.list")) & DosFunc::faReadOnly, 0);

  EXPECT_TRUE(list.Add(dir.File(" Žirafa.JPG ")));
  EXPECT_EQ(ReadFileBytes(dir.File("ignore.list")), "IMG_0001.jpg\r\nŽirafa.JPG\r\n");
  EXPECT_NE(DosFunc::GetFileAttr(dir.File("ignore.list")) & DosFunc::faReadOnly, 0);

  TIgnoreList again;
  ASSERT_TRUE(again.Load(dir.Path()));
  EXPECT_EQ(again.Names(), (std::vector<std::string>{"IMG_0001.jpg", "Žirafa.JPG"}));
  EXPECT_TRUE(again.IsIgnored(dir.File("IMG_0001.jpg")));
  EXPECT_FALSE(again.IsIgnored(dir.File("IMG_0002.jpg")));
}

TEST(IgnoreList, AnUpperCasedEntryNamesTheFileOfAnyCaseOnlyWhenNoneIsNamedExactly) {
  TempDir dir;
  for (const char* name : {"photo.jpg", "twin.jpg", "TWIN.JPG"}) WriteFileBytes(dir.File(name), "x");
  // As older versions wrote it: upper-cased, windows-1250 ("ŽABA.JPG").
  WriteFileBytes(dir.File("ignore.list"), "PHOTO.JPG\r\n  TWIN.JPG  \r\n\r\n\x8E" "ABA.JPG\r\n");
  TIgnoreList list;
  ASSERT_TRUE(list.Load(dir.Path()));
  const struct {
    const char* name;
    bool ignored;
  } cases[] = {{"photo.jpg", true}, {"PHOTO.JPG", true},   {"TWIN.JPG", true},
               {"twin.jpg", false}, {"žaba.jpg", true},    {"other.jpg", false}};
  for (const auto& c : cases) EXPECT_EQ(list.IsIgnored(dir.File(c.name)), c.ignored) << c.name;
}

TEST(IgnoreList, AddWorksOnTheListOfThePhotosOwnFolder) {
  TempDir first;
  TempDir second;
  TIgnoreList list;
  ASSERT_TRUE(list.Load(first.Path()));
  WriteFileBytes(second.File("ignore.list"), "old.jpg\r\n");
  EXPECT_TRUE(list.Add(second.File("new.jpg")));
  EXPECT_EQ(list.Folder(), second.Path());
  EXPECT_FALSE(std::filesystem::exists(first.File("ignore.list")));
  EXPECT_EQ(ReadFileBytes(second.File("ignore.list")), "old.jpg\r\nnew.jpg\r\n");
}

TEST(IgnoreList, AListThatCannotBeReadOrWrittenIsReported) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("ignore.list"));
  TIgnoreList list;
  EXPECT_FALSE(list.Load(dir.Path()));
  EXPECT_TRUE(list.Names().empty());

  TempDir other;
  ASSERT_TRUE(list.Load(other.Path()));
  EXPECT_FALSE(list.Add(dir.File("a.jpg")));
  EXPECT_TRUE(list.Names().empty());
}

// A file's type and size.
std::string Shape(const std::string& path) {
  const auto type = std::filesystem::symlink_status(path).type();
  if (type != std::filesystem::file_type::regular) return "type " + std::to_string(int(type));
  return std::to_string(std::filesystem::file_size(path)) + " bytes";
}

// A list that exists but could not be read keeps all its entries: the next
// "ignore this photo" refuses instead of writing a list of one entry over it.
TEST(IgnoreList, AListThatCouldNotBeReadIsNeverWrittenOver) {
  const struct {
    const char* what;
    void (*make)(const std::string& path);
  } cases[] = {
      {"larger than any list",
       [](const std::string& path) {
         WriteFileBytes(path, "a.jpg\r\nb.jpg\r\nc.jpg\r\n");
         ASSERT_EQ(truncate(path.c_str(), 65 << 20), 0);
       }},
      {"no regular file", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string file = dir.File("ignore.list");
    c.make(file);
    const std::string before = Shape(file);
    TIgnoreList list;
    EXPECT_FALSE(list.Load(dir.Path()));
    EXPECT_FALSE(list.Add(dir.File("d.jpg")));
    EXPECT_FALSE(list.Save());
    EXPECT_TRUE(list.Names().empty());
    EXPECT_EQ(Shape(file), before);

    // Once it reads, the next Add works on it.
    std::filesystem::remove(file);
    WriteFileBytes(file, "a.jpg\r\n");
    EXPECT_TRUE(list.Add(dir.File("d.jpg")));
    EXPECT_EQ(ReadFileBytes(file), "a.jpg\r\nd.jpg\r\n");
  }
}

}  // namespace
