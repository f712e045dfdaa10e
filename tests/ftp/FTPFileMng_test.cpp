#include "gallery/publish/FTPFileMng.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
  // A link to a device or a pipe named like the cache reads as no cache.
  std::filesystem::create_symlink("/dev/zero", dir.File("zero"));
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  for (const char* special : {"zero", "fifo"}) {
    loaded.LoadFromFile(dir.File(special));
    EXPECT_TRUE(loaded.Entries().empty()) << special;
  }
}

TEST(FtpCache, SaveReplacesTheFileWholeAndALinkAsALink) {
  TempDir dir, outside;
  TFTPDirectoryManager list;
  list.Entries() = {{"a.jpg", 1}, {"b.jpg", 2}};
  ASSERT_TRUE(list.SaveToFile(dir.Path()));
  const std::string saved = ReadFileBytes(dir.File("ftpcache"));

  // A save that cannot complete leaves the old cache as it was.
  list.Entries().push_back({"c.jpg", 3});
  {
    testsupport::ScopedFileSizeLimit limit(2 * kFtpCacheRecordSize + 10);
    EXPECT_FALSE(list.SaveToFile(dir.Path()));
  }
  EXPECT_EQ(ReadFileBytes(dir.File("ftpcache")), saved);

  WriteFileBytes(outside.File("victim"), "keep me");
  std::filesystem::remove(dir.File("ftpcache"));
  std::filesystem::create_symlink(outside.File("victim"), dir.File("ftpcache"));
  ASSERT_TRUE(list.SaveToFile(dir.File("ftpcache")));
  EXPECT_EQ(ReadFileBytes(outside.File("victim")), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(dir.File("ftpcache")));
  EXPECT_EQ(ReadFileBytes(dir.File("ftpcache")).size(), 3 * kFtpCacheRecordSize);
}

TEST(FtpCache, ScanSkipsFoldersHiddenAndWorkFiles) {
  TempDir dir;
  for (const char* name : {"b.jpg", "A.htm", "ignore.list", "Quillmarsh.Cache", "FTPCACHE",
                           ".hidden"})
    WriteFileBytes(dir.File(name), name);
  std::filesystem::create_directory(dir.File("sub"));
  // Only regular files are published: a pipe would block the checksum, a
  // device never end. A link to a regular file is read through.
  ASSERT_EQ(mkfifo(dir.File("fifo.jpg").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir.File("zero.jpg"));
  std::filesystem::create_symlink(dir.File("b.jpg"), dir.File("c.jpg"));
  TFTPDirectoryManager list;
  list.ScanLocal(dir.Path());
  ASSERT_EQ(list.Entries().size(), 3u);
  EXPECT_EQ(list.Entries()[0].name, "A.htm");
  EXPECT_EQ(list.Entries()[0].crc, Win32CRC::FileCRC32(dir.File("A.htm")));
  EXPECT_EQ(list.Entries()[1].name, "b.jpg");
  EXPECT_EQ(list.Entries()[2].name, "c.jpg");
  EXPECT_EQ(list.Entries()[2].crc, list.Entries()[1].crc);
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(FtpCache, ComparisonsIgnoreCaseAndBlanks) {
  TFTPFileManager files;
  files.Local().Entries() = {{"IMG_0001.JPG", 1}, {"changed.jpg", 2}, {"new.jpg", 3},
                             {"unknown.jpg", 4}, {"unreadable.jpg", -1}, {"listed.jpg", 5},
                             {"vanished.jpg", 6}};
  files.Remote().Entries() = {{"img_0001.jpg", 1}, {" CHANGED.JPG ", 9}, {"gone.jpg", 7},
                              {"unknown.jpg", -1}, {"unreadable.jpg", -1}, {"ftpcache", 0},
                              {"vanished.jpg", 6}, {"unlisted.jpg", 8}};
  // The server no longer shows vanished.jpg: it is sent again.
  files.MergeRemoteListing({"IMG_0001.JPG", "changed.jpg", "gone.jpg", "unknown.jpg",
                            "unreadable.jpg", "listed.jpg", "stray.jpg", "ftpcache"});
  EXPECT_EQ(files.Remote().Entries().size(), 8u);  // two dropped, two added
  EXPECT_EQ(files.Remote().Entries().back().crc, -1);
  EXPECT_EQ(Sorted(files.GetFilesToDelete()), (std::vector<std::string>{"gone.jpg", "stray.jpg"}));
  EXPECT_EQ(Sorted(files.GetFilesToUpload()),
            (std::vector<std::string>{"changed.jpg", "listed.jpg", "new.jpg", "unknown.jpg",
                                      "vanished.jpg"}));

  ScopedHome home;
  const std::string path = files.SaveLocalCache();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path, home.Path() + "/tmp/ftpcache");
  EXPECT_EQ(ReadFileBytes(path).size(), 7 * kFtpCacheRecordSize);
}

// Names from the server are untrusted: these name this folder, its parent or
// another folder, never a file to delete.
TEST(FtpCache, NamesThatAreNoFileOfTheFolderAreNeverDeleted) {
  const std::vector<std::string> hostile = {"..", ".", "...", ". .", " .. ", "  ", "",
                                            "../x.jpg", "a/b", "a\\b", "..\t", "\t",
                                            ". .\v", "\r..", "x\ty.jpg", "cr\r", "a\x7F.jpg"};
  TFTPFileManager files;
  for (const std::string& name : hostile) files.Remote().Entries().push_back({name, 1});
  files.Remote().Entries().push_back({"..stale.jpg", 1});
  std::vector<std::string> listing = hostile;
  listing.push_back("..stale.jpg");
  files.MergeRemoteListing(listing);
  EXPECT_EQ(files.GetFilesToDelete(), std::vector<std::string>{"..stale.jpg"});
}

// A server may trim a name, drop invisible characters, fold look-alike dots
// and slashes or read stray bytes in its own code page before it deletes:
// every name such a reading could turn into another file is never sent.
TEST(FtpCache, NamesAServerCouldReadAsAnotherFileAreNeverDeleted) {
  // Spaces and format characters, C1 controls, and bytes that are no UTF-8:
  // stray 0x80-0x9F, overlong "." (C0 AE, E0 80 AE), a surrogate, a value
  // past U+10FFFF, a cut sequence.
  const std::vector<std::string> padding = {
      "\u00A0", "\u1680", "\u2000", "\u2005", "\u200A", "\u200B", "\u200D", "\u202F",
      "\u2060", "\u3000", "\uFEFF", "\u00AD", "\u180E", "\u202E"};
  const std::vector<std::string> anywhere = {
      "\u2028", "\u2029", "\u0080", "\u0085", "\u009F", "\x80", "\x85", "\x9F",
      "\xC0\xAE", "\xE0\x80\xAE", "\xF0\x80\x80\xAE", "\xED\xA0\x80", "\xF4\x90\x80\x80",
      "\xC3", "\xFF"};
  std::vector<std::string> hostile;
  for (const std::vector<std::string>* set : {&padding, &anywhere})
    for (const std::string& c : *set)
      for (const std::string& name :
           {c, c + "stale.jpg", "stale.jpg" + c, ".." + c, c + "..", "." + c + ".", c + "."})
        hostile.push_back(name);
  for (const std::string& c : anywhere) hostile.push_back("sta" + c + "le.jpg");
  // Dots and separators once normalised: "..", ".", "../x", "a\b".
  for (const char* name : {"\u2024\u2024", "\uFF0E\uFF0E", "\u2024", "\uFF0E", "\u2025",
                           "\u2026", ".\u2024", "\uFE52.", ". \uFF0E", "\u2024 \u2024",
                           "..\uFF0Fvictim.jpg", "\u2024\u2024\u2215victim.jpg", "a\uFF3Cb",
                           "a\uFE68b", "a\u2044b"})
    hostile.push_back(name);
  hostile.push_back(std::string(256, 'a'));
  hostile.push_back(std::string(1 << 20, 'a'));  // 1 MB

  // Plain names, and names that only hold such characters inside.
  const std::vector<std::string> stale = {"stale.jpg", "čeština.jpg", "ěščřžýáíé.htm",
                                          "my\u00A0photo.jpg", "zero\u200Bwidth.jpg",
                                          "..stale.jpg", "a.b.c", std::string(255, 'b'),
                                          "\u2026more.jpg"};
  TFTPFileManager files;
  std::vector<std::string> listing = hostile;
  listing.insert(listing.end(), stale.begin(), stale.end());
  files.MergeRemoteListing(listing);
  // Compared whole, shown cut: a failure must not print a megabyte.
  const auto shown = [](const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += testing::PrintToString(name.substr(0, 40)) + " ";
    return text;
  };
  const std::vector<std::string> deleted = files.GetFilesToDelete();
  EXPECT_TRUE(Sorted(deleted) == Sorted(stale)) << shown(deleted);

  // The cache's names are refused alike; so is a name that differs from a
  // kept file, the cache included, only by such characters.
  TFTPFileManager kept;
  kept.Local().Entries() = {{"index.html", 1}, {"Photo 1.jpg", 2}};
  const std::vector<std::string> lookalikes = {
      "index\u2024html", "index\u200B.html", "in\u00ADdex.html", "INDEX\uFF0Ehtml",
      "Photo\u00A01.jpg", "photo\u30001.JPG", "ftp\u200Bcache", "ftpcache\u00A0", "\uFEFFftpcache"};
  for (const std::string& name : hostile) kept.Remote().Entries().push_back({name, 1});
  for (const std::string& name : lookalikes) kept.Remote().Entries().push_back({name, 1});
  kept.Remote().Entries().push_back({"stale.jpg", 1});
  listing = hostile;
  listing.insert(listing.end(), lookalikes.begin(), lookalikes.end());
  listing.push_back("stale.jpg");
  kept.MergeRemoteListing(listing);
  const std::vector<std::string> keptDeleted = kept.GetFilesToDelete();
  EXPECT_TRUE(keptDeleted == std::vector<std::string>{"stale.jpg"}) << shown(keptDeleted);
}

// The listing spells each file as the server holds it, which is the name a
// case-sensitive server deletes; the cache keeps the local spelling.
TEST(FtpCache, MergedEntriesTakeTheListedSpelling) {
  TFTPFileManager files;
  files.Local().Entries() = {{"kept.jpg", 1}};
  files.Remote().Entries() = {{"Old.JPG", 5}, {"KEPT.jpg", 1}};
  files.MergeRemoteListing({"old.jpg", "kept.jpg", "STRAY.JPG"});
  EXPECT_EQ(files.GetFilesToDelete(), (std::vector<std::string>{"old.jpg", "STRAY.JPG"}));
  EXPECT_EQ(files.Remote().Entries()[0].crc, 5);
  EXPECT_TRUE(files.GetFilesToUpload().empty());

  std::string first, second;
  EXPECT_FALSE(FTPFileMng::FindSameNames({"a.jpg", "b.jpg", "a.jpg"}, first, second));
  ASSERT_TRUE(FTPFileMng::FindSameNames({"a.jpg", "b.jpg", "A.JPG"}, first, second));
  EXPECT_EQ(first, "a.jpg");
  EXPECT_EQ(second, "A.JPG");
}

}  // namespace
