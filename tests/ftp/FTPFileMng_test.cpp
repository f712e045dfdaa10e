#include "gallery/FTPFileMng.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/Win32CRC.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::ScopedHome;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(FtpCache, RecordsHaveTheStoredLayout) {
  TempDir dir;
  TFTPDirectoryManager list;
  const std::string longName = std::string(126, 'a') + "č";  // 128 bytes: the "č" is cut
  list.Entries() = {{"IMG_0001.JPG", 0x340BC6D9}, {longName, -1}};
  ASSERT_TRUE(list.SaveToFile(dir.Path()));  // a folder means its "ftpcache"
  const std::string bytes = ReadFileBytes(dir.File("ftpcache"));
  ASSERT_EQ(bytes.size(), 2 * kFtpCacheRecordSize);
  EXPECT_EQ(bytes[0], 12);
  EXPECT_EQ(bytes.substr(1, 12), "IMG_0001.JPG");
  EXPECT_EQ(bytes.substr(13, 115), std::string(115, '\0'));
  EXPECT_EQ(bytes.substr(128, 4), "\xD9\xC6\x0B\x34");
  EXPECT_EQ(bytes[132], 126);
  EXPECT_EQ(bytes.substr(260, 4), "\xFF\xFF\xFF\xFF");

  // A cut-off last record ends the list; the complete ones stay.
  WriteFileBytes(dir.File("ftpcache"), bytes + bytes.substr(0, 100));
  TFTPDirectoryManager loaded;
  loaded.LoadFromFile(dir.File("ftpcache"));
  ASSERT_EQ(loaded.Entries().size(), 2u);
  EXPECT_EQ(loaded.Entries()[0].name, "IMG_0001.JPG");
  EXPECT_EQ(loaded.Entries()[0].crc, 0x340BC6D9);
  EXPECT_EQ(loaded.Entries()[1].name, std::string(126, 'a'));
  EXPECT_EQ(loaded.Entries()[1].crc, -1);

  loaded.LoadFromFile(dir.File("missing"));
  EXPECT_TRUE(loaded.Entries().empty());
}

TEST(FtpCache, ScanSkipsFoldersHiddenAndWorkFiles) {
  TempDir dir;
  for (const char* name : {"b.jpg", "A.htm", "ignore.list", "Quillmarsh.Cache", "FTPCACHE",
                           ".hidden"})
    WriteFileBytes(dir.File(name), name);
  std::filesystem::create_directory(dir.File("sub"));
  TFTPDirectoryManager list;
  list.ScanLocal(dir.Path());
  ASSERT_EQ(list.Entries().size(), 2u);
  EXPECT_EQ(list.Entries()[0].name, "A.htm");
  EXPECT_EQ(list.Entries()[0].crc, Win32CRC::FileCRC32(dir.File("A.htm")));
  EXPECT_EQ(list.Entries()[1].name, "b.jpg");
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(FtpCache, ComparisonsIgnoreCaseAndBlanks) {
  TFTPFileManager files;
  files.Local().Entries() = {{"IMG_0001.JPG", 1}, {"changed.jpg", 2}, {"new.jpg", 3},
                             {"unknown.jpg", 4}, {"unreadable.jpg", -1}, {"listed.jpg", 5}};
  files.Remote().Entries() = {{"img_0001.jpg", 1}, {" CHANGED.JPG ", 9}, {"gone.jpg", 7},
                              {"unknown.jpg", -1}, {"unreadable.jpg", -1}, {"ftpcache", 0}};
  files.MergeRemoteListing({"IMG_0001.JPG", "listed.jpg", "stray.jpg", "ftpcache"});
  EXPECT_EQ(files.Remote().Entries().size(), 8u);  // listed.jpg and stray.jpg added
  EXPECT_EQ(files.Remote().Entries().back().crc, -1);
  EXPECT_EQ(Sorted(files.GetFilesToDelete()), (std::vector<std::string>{"gone.jpg", "stray.jpg"}));
  EXPECT_EQ(Sorted(files.GetFilesToUpload()),
            (std::vector<std::string>{"changed.jpg", "listed.jpg", "new.jpg", "unknown.jpg"}));

  ScopedHome home;
  const std::string path = files.SaveLocalCache();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path, home.Path() + "/tmp/ftpcache");
  EXPECT_EQ(ReadFileBytes(path).size(), 6 * kFtpCacheRecordSize);
}

}  // namespace
