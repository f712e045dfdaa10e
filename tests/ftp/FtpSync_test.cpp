#include "gallery/publish/FtpMng.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Win32CRC.h"
#include "gallery/publish/FTPFileMng.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

using testsupport::ReadFileBytes;
using testsupport::ScopedHome;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// What one SyncDirectory reported through its callbacks and the client log.
struct SyncRun {
  bool result = false;
  int total = -1;
  bool ended = false;
  std::vector<std::string> uploads, deletes;
  std::vector<std::string> sent;
  std::string error, clientError;  // LastError() of the manager and the client
};

void OnBegin(void* context, int total) { static_cast<SyncRun*>(context)->total = total; }
void OnEnd(void* context) { static_cast<SyncRun*>(context)->ended = true; }
void OnAction(void* context, int action, const std::string& path, int64_t) {
  SyncRun* run = static_cast<SyncRun*>(context);
  if (action == FtpMng::kActionUpload) run->uploads.push_back(path);
  if (action == FtpMng::kActionDelete) run->deletes.push_back(path);
}

// Every file below a folder, path relative to it -> content.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).string()] = ReadFileBytes(entry.path().string());
  return files;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

std::string Bytes(size_t size, size_t seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed + i / 97) & 255);
  return bytes;
}

class FtpSync : public ::testing::Test {
 protected:
  // Connects to the server, mirrors local_ into remote and disconnects.
  SyncRun Publish(int port, const std::string& remote) { return Publish(port, remote, local_.Path()); }
  SyncRun Publish(int port, const std::string& remote, const std::string& localFolder) {
    return Publish(ftptest::LocalSettings(port), remote, localFolder);
  }
  SyncRun Publish(const platform::FtpClientSettings& settings, const std::string& remote,
                  const std::string& localFolder) {
    SyncRun run;
    platform::FtpClient client;
    client.Settings() = settings;
    client.Events().sent = [&run](const std::string& line) { run.sent.push_back(line); };
    TFTPManager manager(&run, OnEnd, OnAction, OnBegin, client);
    if (!manager.Connect()) {
      ADD_FAILURE() << "cannot connect: " << manager.LastError();
      return run;
    }
    run.result = manager.SyncDirectory(localFolder, remote);
    run.error = manager.LastError();
    run.clientError = client.LastError();
    manager.Disconnect();
    return run;
  }

  // Remote folder matches local_: same names lower-cased, same bytes, and a
  // cache naming each local file with its checksum.
  void ExpectMirrored(const std::string& remoteDir) {
    std::map<std::string, std::string> expected;
    for (const auto& [name, bytes] : Tree(local_.Path())) {
      std::string lower = name;
      std::transform(lower.begin(), lower.end(), lower.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
      expected[lower] = bytes;
    }
    std::map<std::string, std::string> actual = Tree(remoteDir);
    ASSERT_EQ(actual.count("ftpcache"), 1u);
    actual.erase("ftpcache");
    EXPECT_EQ(actual, expected);
    TFTPDirectoryManager cache;
    cache.LoadFromFile(remoteDir);
    for (const FTPFileMng::TCheckerField& entry : cache.Entries())
      EXPECT_EQ(entry.crc, Win32CRC::FileCRC32(local_.File(entry.name))) << entry.name;
    EXPECT_EQ(cache.Entries().size(), expected.size());
  }

  ScopedHome scopedHome_;
  TempDir serverHome_, local_;
};

TEST_F(FtpSync, PublishesChangesOnlyAndKeepsTheRemoteInStep) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("IMG_0001.JPG"), Bytes(70000, 1));
  WriteFileBytes(local_.File("Page.htm"), "<html>\n</html>\n");
  WriteFileBytes(local_.File("old.jpg"), Bytes(100, 2));
  for (const char* skipped : {"ignore.list", "quillmarsh.cache", "ftpcache", ".hidden"})
    WriteFileBytes(local_.File(skipped), "not for the server");
  fs::create_directory(local_.File("sub"));
  const std::string remote = serverHome_.File("www/gal/foto");

  const SyncRun first = Publish(server.Port(), "/www/gal/foto");
  ASSERT_TRUE(first.result);
  EXPECT_TRUE(first.ended);
  // The cache the server did not have yet is no error to show.
  EXPECT_EQ(first.error, "");
  EXPECT_EQ(first.clientError, "");
  EXPECT_EQ(first.total, 4);
  EXPECT_EQ(first.uploads, (std::vector<std::string>{"/www/gal/foto/img_0001.jpg",
                                                      "/www/gal/foto/old.jpg",
                                                      "/www/gal/foto/page.htm",
                                                      "/www/gal/foto/ftpcache"}));
  for (const char* skipped : {"ignore.list", "quillmarsh.cache", ".hidden"})
    fs::remove(local_.File(skipped));
  fs::remove(local_.File("ftpcache"));
  fs::remove(local_.File("sub"));
  ExpectMirrored(remote);
  // The work files went to the private temporary folder and were removed.
  EXPECT_TRUE(fs::is_empty(scopedHome_.Path() + "/tmp"));

  const SyncRun again = Publish(server.Port(), "/www/gal/foto");
  ASSERT_TRUE(again.result);
  EXPECT_EQ(again.total, 1);
  EXPECT_EQ(again.uploads, std::vector<std::string>{"/www/gal/foto/ftpcache"});
  EXPECT_TRUE(again.deletes.empty());

  // Changed, added, deleted, renamed in case only, and a file on the server
  // that the cache does not know although a local twin exists.
  WriteFileBytes(local_.File("Page.htm"), "<html>changed</html>\n");
  WriteFileBytes(local_.File("New.jpg"), Bytes(5000, 3));
  fs::remove(local_.File("old.jpg"));
  fs::rename(local_.File("IMG_0001.JPG"), local_.File("img_0001.jpg"));
  WriteFileBytes(local_.File("stray.jpg"), Bytes(300, 4));
  WriteFileBytes(serverHome_.File("www/gal/foto/stray.jpg"), "stale");
  const SyncRun changed = Publish(server.Port(), "/www/gal/foto");
  ASSERT_TRUE(changed.result);
  EXPECT_EQ(changed.total, 5);
  EXPECT_EQ(changed.deletes, std::vector<std::string>{"/www/gal/foto/old.jpg"});
  EXPECT_EQ(changed.uploads, (std::vector<std::string>{"/www/gal/foto/new.jpg",
                                                        "/www/gal/foto/page.htm",
                                                        "/www/gal/foto/stray.jpg",
                                                        "/www/gal/foto/ftpcache"}));
  ExpectMirrored(remote);
}

// A server that locks users into their home puts them in "/".
TEST_F(FtpSync, RelativeUploadFolderIsTakenFromTheRoot) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("a.jpg"), Bytes(1000, 5));
  for (int run = 0; run < 2; ++run) {
    const SyncRun result = Publish(server.Port(), "public_html/gal/th");
    ASSERT_TRUE(result.result) << "run " << run;
    EXPECT_EQ(result.uploads.back(), "/public_html/gal/th/ftpcache");
    EXPECT_EQ(result.total, run == 0 ? 2 : 1);
  }
  ExpectMirrored(serverHome_.File("public_html/gal/th"));
  EXPECT_FALSE(fs::exists(serverHome_.File("public_html/gal/th/public_html")));
}

// One connection serves every folder of a project: where the previous folder
// left the current directory must not matter.
TEST_F(FtpSync, RelativeFoldersOfOneConnectionAllStartAtTheRoot) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("a.jpg"), Bytes(1000, 8));
  SyncRun run;
  platform::FtpClient client;
  client.Settings() = ftptest::LocalSettings(server.Port());
  TFTPManager manager(&run, OnEnd, OnAction, OnBegin, client);
  ASSERT_TRUE(manager.Connect()) << manager.LastError();
  for (const char* folder : {"www/gal/ico", "www/gal/th"})
    ASSERT_TRUE(manager.SyncDirectory(local_.Path(), folder)) << folder;
  manager.Disconnect();
  EXPECT_EQ(run.uploads.back(), "/www/gal/th/ftpcache");
  ExpectMirrored(serverHome_.File("www/gal/ico"));
  ExpectMirrored(serverHome_.File("www/gal/th"));
}

// A server that does not lock users into their home puts them in a folder of
// their own; relative upload folders start there, as in every FTP client.
TEST_F(FtpSync, RelativeUploadFoldersStartAtTheLoginFolder) {
  fs::create_directories(serverHome_.File("users/tester"));
  ftptest::RealServer server(serverHome_.Path(), {"--login-dir", "/users/tester"});
  WriteFileBytes(local_.File("a.jpg"), Bytes(1000, 5));
  SyncRun run;
  platform::FtpClient client;
  client.Settings() = ftptest::LocalSettings(server.Port());
  TFTPManager manager(&run, OnEnd, OnAction, OnBegin, client);
  ASSERT_TRUE(manager.Connect()) << manager.LastError();
  EXPECT_EQ(manager.CurrentDir(), "/users/tester");
  for (const char* folder : {"www/gal/ico", "www/gal/th", "www/gal/th"}) {
    ASSERT_TRUE(manager.SyncDirectory(local_.Path(), folder)) << folder;
    EXPECT_EQ(run.uploads.back(), "/users/tester/" + std::string(folder) + "/ftpcache");
  }
  EXPECT_EQ(run.total, 1);  // the third run had nothing to send
  manager.Disconnect();
  ExpectMirrored(serverHome_.File("users/tester/www/gal/ico"));
  ExpectMirrored(serverHome_.File("users/tester/www/gal/th"));
  EXPECT_FALSE(fs::exists(serverHome_.File("www")));
}

TEST_F(FtpSync, TextTypesGoAsAsciiOthersAsBinary) {
  const struct {
    const char* name;
    bool ascii;
  } cases[] = {{"a.TXT", true},  {"b.htm", true},      {"c.Html", true}, {"d.css", true},
               {"e.wml", true},  {"f.jpg", false},     {"ftpcache", false},
               {"g.htm.jpg", false}, {"dir.htm/h", false}};
  for (const auto& c : cases) EXPECT_EQ(FtpMng::IsAsciiName(c.name), c.ascii) << c.name;

  ftptest::RealServer server(serverHome_.Path());
  const std::string crlf = "line one\r\nline two\r\n";
  WriteFileBytes(local_.File("index.htm"), crlf);
  WriteFileBytes(local_.File("photo.jpg"), crlf);
  const SyncRun run = Publish(server.Port(), "/site");
  ASSERT_TRUE(run.result);
  EXPECT_EQ(ReadFileBytes(serverHome_.File("site/index.htm")), "line one\nline two\n");
  EXPECT_EQ(ReadFileBytes(serverHome_.File("site/photo.jpg")), crlf);
  const auto typeBefore = [&](const std::string& stor) {
    const auto at = std::find(run.sent.begin(), run.sent.end(), stor);
    const auto type = std::find_if(std::make_reverse_iterator(at), run.sent.rend(),
                                   [](const std::string& l) { return l.rfind("TYPE", 0) == 0; });
    return type == run.sent.rend() ? std::string() : *type;
  };
  EXPECT_EQ(typeBefore("STOR /site/index.htm"), "TYPE A");
  EXPECT_EQ(typeBefore("STOR /site/photo.jpg"), "TYPE I");
}

TEST_F(FtpSync, RefusedMakeDirFailsBeforeAnyListingOrUpload) {
  const std::string record = local_.File("record.txt");
  ftptest::RealServer server(serverHome_.Path(), {"--refuse", "MKD", "--record", record});
  WriteFileBytes(local_.File("a.jpg"), "x");
  const SyncRun run = Publish(server.Port(), "/new/folder");
  EXPECT_FALSE(run.result);
  EXPECT_FALSE(run.ended);
  for (const std::string& line : ftptest::ReadLines(record)) {
    EXPECT_NE(line.rfind("LIST", 0), 0u) << line;
    EXPECT_NE(line.rfind("STOR", 0), 0u) << line;
  }
}

// Some servers refuse to list an empty folder: that is no reason to stop.
TEST_F(FtpSync, RefusedListingCountsAsEmpty) {
  ftptest::RealServer server(serverHome_.Path(), {"--refuse", "LIST"});
  WriteFileBytes(local_.File("a.jpg"), "a");
  const SyncRun run = Publish(server.Port(), "/f");
  ASSERT_TRUE(run.result);
  ExpectMirrored(serverHome_.File("f"));
}

TEST_F(FtpSync, MissingLocalFolderFailsAndDeletesNothing) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("a.jpg"), "a");
  ASSERT_TRUE(Publish(server.Port(), "/f").result);
  // An unmounted disk must not empty the published gallery.
  const SyncRun run = Publish(server.Port(), "/f", local_.File("gone"));
  EXPECT_FALSE(run.result);
  EXPECT_TRUE(run.deletes.empty());
  ExpectMirrored(serverHome_.File("f"));
}

TEST_F(FtpSync, RefusedUploadIsSentAgainNextTime) {
  WriteFileBytes(local_.File("good.jpg"), Bytes(100, 6));
  WriteFileBytes(local_.File("bad.jpg"), Bytes(100, 7));
  {
    ftptest::RealServer server(serverHome_.Path(), {"--refuse", "STOR:bad.jpg"});
    const SyncRun run = Publish(server.Port(), "/f");
    EXPECT_FALSE(run.result);
    TFTPDirectoryManager cache;
    cache.LoadFromFile(serverHome_.File("f/ftpcache"));
    ASSERT_EQ(cache.Entries().size(), 2u);
    EXPECT_EQ(cache.Entries()[0].name, "bad.jpg");
    EXPECT_EQ(cache.Entries()[0].crc, -1);
    EXPECT_EQ(cache.Entries()[1].crc, Win32CRC::FileCRC32(local_.File("good.jpg")));
  }
  ftptest::RealServer server(serverHome_.Path());
  const SyncRun run = Publish(server.Port(), "/f");
  ASSERT_TRUE(run.result);
  EXPECT_EQ(run.uploads, (std::vector<std::string>{"/f/bad.jpg", "/f/ftpcache"}));
  ExpectMirrored(serverHome_.File("f"));
}

TEST_F(FtpSync, RefusedDeleteFailsTheRunAndIsRetriedNextTime) {
  fs::create_directory(serverHome_.File("f"));
  WriteFileBytes(serverHome_.File("f/gone.jpg"), "old");
  WriteFileBytes(local_.File("kept.jpg"), "new");
  {
    ftptest::RealServer server(serverHome_.Path(), {"--refuse", "DELE"});
    const SyncRun refused = Publish(server.Port(), "/f");
    EXPECT_FALSE(refused.result);
    EXPECT_EQ(refused.error, "Cannot delete gone.jpg: 550 Refused by the test.");
    // The rest of the folder is published all the same.
    EXPECT_EQ(refused.uploads, (std::vector<std::string>{"/f/kept.jpg", "/f/ftpcache"}));
    EXPECT_TRUE(fs::exists(serverHome_.File("f/gone.jpg")));
  }
  ftptest::RealServer server(serverHome_.Path());
  const SyncRun run = Publish(server.Port(), "/f");
  ASSERT_TRUE(run.result);
  EXPECT_EQ(run.deletes, std::vector<std::string>{"/f/gone.jpg"});
  ExpectMirrored(serverHome_.File("f"));
}

// On a server that tells case apart, a file listed with capitals exists only
// under that name: it is deleted as listed, one the cache recorded in the
// local spelling as the server lists it.
TEST_F(FtpSync, FilesAreDeletedByTheNameTheServerListed) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("Old.JPG"), Bytes(100, 13));
  WriteFileBytes(local_.File("a.jpg"), Bytes(100, 14));
  ASSERT_TRUE(Publish(server.Port(), "/f").result);
  fs::remove(local_.File("Old.JPG"));
  WriteFileBytes(serverHome_.File("f/STRAY.JPG"), "stale");
  WriteFileBytes(serverHome_.File("f/Th_Extra.Jpg"), "stale");
  const SyncRun run = Publish(server.Port(), "/f");
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(Sorted(run.deletes),
            (std::vector<std::string>{"/f/STRAY.JPG", "/f/Th_Extra.Jpg", "/f/old.jpg"}));
  ExpectMirrored(serverHome_.File("f"));

  // Two listed names that differ only in case would be one file to the
  // comparison: the folder is refused, naming both, before anything is sent.
  WriteFileBytes(serverHome_.File("f/A.jpg"), "twin");
  WriteFileBytes(local_.File("b.jpg"), Bytes(100, 15));
  const SyncRun clash = Publish(server.Port(), "/f");
  EXPECT_FALSE(clash.result);
  EXPECT_NE(clash.error.find("\"A.jpg\""), std::string::npos) << clash.error;
  EXPECT_NE(clash.error.find("\"a.jpg\""), std::string::npos) << clash.error;
  EXPECT_TRUE(clash.deletes.empty());
  EXPECT_TRUE(clash.uploads.empty());
}

// A server that reads names leniently (trimmed, normalised, invisible
// characters dropped) would take these for the published page or a file of
// the folder above; none is ever sent, and only the plain stale file goes.
TEST_F(FtpSync, ALenientServerNeverGetsALookalikeOfAKeptFile) {
  const std::string record = local_.File("record.txt");
  ftptest::RealServer server(serverHome_.Path(), {"--lenient-names", "--record", record});
  TempDir local;
  WriteFileBytes(local.File("index.html"), "<p>published</p>\n");
  ASSERT_TRUE(Publish(server.Port(), "/f", local.Path()).result);
  WriteFileBytes(serverHome_.File("victim.jpg"), "keep me");
  const std::vector<std::string> lookalikes = {
      "index.html\u00A0", "\uFEFFindex.html", "index.html\u200B", "\u3000index.html",
      "index.html\u2028", "index\u2024html",  "..\uFF0Fvictim.jpg", "ftpcache\u00A0"};
  for (const std::string& name : lookalikes)
    WriteFileBytes(serverHome_.File("f/" + name), "look-alike");
  WriteFileBytes(serverHome_.File("f/stale.jpg"), "stale");
  fs::remove(record);
  const SyncRun run = Publish(server.Port(), "/f", local.Path());
  ASSERT_TRUE(run.result) << run.error;
  std::vector<std::string> deletes;
  for (const std::string& line : ftptest::ReadLines(record))
    if (line.starts_with("DELE")) deletes.push_back(line);
  EXPECT_EQ(deletes, std::vector<std::string>{"DELE /f/stale.jpg"});
  EXPECT_EQ(ReadFileBytes(serverHome_.File("f/index.html")), "<p>published</p>\n");
  EXPECT_EQ(ReadFileBytes(serverHome_.File("victim.jpg")), "keep me");
  EXPECT_TRUE(fs::exists(serverHome_.File("f/ftpcache")));
  EXPECT_FALSE(fs::exists(serverHome_.File("f/stale.jpg")));
}

// A listing is the server's to write: a name of 1 MB, lines ended by a bare
// CR or by LF CR, bytes that are no UTF-8. Only the plain stale names are
// deleted, and no command line grows with what the server sent.
TEST_F(FtpSync, AHostileListingSendsOnlyPlainDeletes) {
  const std::string listing = local_.File("listing.txt");
  const std::string record = local_.File("record.txt");
  const auto line = [](const std::string& name) {
    return "-rw-r--r-- 1 o g 3 Jan 02 10:30 " + name;
  };
  WriteFileBytes(listing, line(std::string(1 << 20, 'x')) + "\r\n" + line("stale.jpg") + "\r" +
                              line("STALE2.JPG") + "\n\r" + line("index.html\xC2\xA0") + "\n" +
                              line("\xC0\xAE\xC0\xAE") + "\r\r\n" + line("index.html\x85") +
                              "\r\n");
  ftptest::ServerProcess peer("script_server.py",
                              {"--mode", "listing", "--listing", listing, "--record", record});
  TempDir local;
  WriteFileBytes(local.File("index.html"), "<p>\n");
  const SyncRun run = Publish(ftptest::LocalSettings(peer.Port()), "/f", local.Path());
  ASSERT_TRUE(run.result) << run.error.substr(0, 200);
  // Compared whole, shown cut: a failure must not print a megabyte.
  std::string shown;
  for (const std::string& path : run.deletes) shown += path.substr(0, 60) + " ";
  EXPECT_TRUE(run.deletes == (std::vector<std::string>{"/f/stale.jpg", "/f/STALE2.JPG"})) << shown;
  for (const std::string& sent : ftptest::ReadLines(record))
    EXPECT_LT(sent.size(), 300u) << sent.substr(0, 40);
}

// The cache comes from the server: a name in it that leads out of the folder
// must not get another folder's file deleted.
TEST_F(FtpSync, CachedNamesWithAPathDeleteNothingElsewhere) {
  fs::create_directory(serverHome_.File("f"));
  WriteFileBytes(serverHome_.File("victim.jpg"), "keep me");
  WriteFileBytes(serverHome_.File("f/stale.jpg"), "stale");
  TFTPDirectoryManager hostile;
  hostile.Entries() = {{"../victim.jpg", 1}, {"/victim.jpg", 2}, {"..", 4}, {". .", 5},
                       {"stale.jpg", 3}};
  ASSERT_TRUE(hostile.SaveToFile(serverHome_.File("f/ftpcache")));
  WriteFileBytes(local_.File("a.jpg"), "a");
  ftptest::RealServer server(serverHome_.Path());
  const SyncRun run = Publish(server.Port(), "/f");
  ASSERT_TRUE(run.result);
  EXPECT_EQ(run.deletes, std::vector<std::string>{"/f/stale.jpg"});
  EXPECT_EQ(ReadFileBytes(serverHome_.File("victim.jpg")), "keep me");
  ExpectMirrored(serverHome_.File("f"));
}

TEST_F(FtpSync, DroppedConnectionFailsTheRunAndTheNextRunCompletes) {
  ftptest::RealServer server(serverHome_.Path(), {"--drop-stor-after", "150000"});
  for (size_t i = 0; i < 4; ++i)
    WriteFileBytes(local_.File("photo" + std::to_string(i) + ".jpg"), Bytes(400000, i));
  WriteFileBytes(local_.File("index.htm"), "<p>\n");
  const SyncRun broken = Publish(server.Port(), "/gal");
  EXPECT_FALSE(broken.result);
  EXPECT_FALSE(broken.ended);
  EXPECT_NE(Tree(serverHome_.File("gal")).size(), 6u);

  const SyncRun next = Publish(server.Port(), "/gal");
  ASSERT_TRUE(next.result);
  ExpectMirrored(serverHome_.File("gal"));
}

TEST_F(FtpSync, FileGoneFromTheServerIsSentAgain) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("a.jpg"), Bytes(2000, 9));
  WriteFileBytes(local_.File("b.jpg"), Bytes(2000, 10));
  ASSERT_TRUE(Publish(server.Port(), "/f").result);
  fs::remove(serverHome_.File("f/b.jpg"));  // by hand, or by the host
  const SyncRun run = Publish(server.Port(), "/f");
  ASSERT_TRUE(run.result);
  EXPECT_EQ(run.uploads, (std::vector<std::string>{"/f/b.jpg", "/f/ftpcache"}));
  ExpectMirrored(serverHome_.File("f"));
}

TEST_F(FtpSync, NamesDifferingOnlyInCaseRefuseTheSync) {
  ftptest::RealServer server(serverHome_.Path());
  WriteFileBytes(local_.File("A.jpg"), "upper");
  WriteFileBytes(local_.File("a.jpg"), "lower");
  const SyncRun run = Publish(server.Port(), "/f");
  EXPECT_FALSE(run.result);
  EXPECT_FALSE(run.ended);
  EXPECT_NE(run.error.find("\"A.jpg\""), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("\"a.jpg\""), std::string::npos) << run.error;
  EXPECT_TRUE(run.uploads.empty());
  EXPECT_FALSE(fs::exists(serverHome_.File("f/a.jpg")));
}

// A pipe named like a photo would block the checksum or the upload, a link
// to a device never end; a link to a photo is published.
TEST_F(FtpSync, OnlyRegularFilesArePublished) {
  ftptest::RealServer server(serverHome_.Path());
  TempDir elsewhere;
  WriteFileBytes(elsewhere.File("photo.jpg"), Bytes(3000, 11));
  WriteFileBytes(local_.File("a.jpg"), Bytes(1000, 12));
  ASSERT_EQ(mkfifo(local_.File("fifo.jpg").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", local_.File("zero.jpg"));
  fs::create_symlink(elsewhere.File("photo.jpg"), local_.File("linked.jpg"));
  const auto start = std::chrono::steady_clock::now();
  const SyncRun run = Publish(server.Port(), "/f");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  ASSERT_TRUE(run.result) << run.error;
  EXPECT_EQ(run.uploads, (std::vector<std::string>{"/f/a.jpg", "/f/linked.jpg", "/f/ftpcache"}));
  EXPECT_EQ(ReadFileBytes(serverHome_.File("f/linked.jpg")), Bytes(3000, 11));
}

// A server that sends a byte now and then never lets a single read time out;
// the transfer's minimum rate ends the run as a dropped connection would.
// One that trickles above that rate but averages less than the minimum
// over the transfer's first minute (a second here) ends then, not at the
// listing's time limit; one that trickles steadily above both meets that
// limit. Each message names the folder.
TEST_F(FtpSync, ServerTooSlowFailsTheRunWithinTheLimit) {
  const struct {
    const char* mode;
    const char* bytes;  // sent per 50 ms
    int limitMs;
    const char* error;
  } cases[] = {
      {"slowdata", "1", 1000, "Cannot list /www/gal/th: Transfer too slow: less than 50 bytes in 500 ms"},
      {"trickle", "10", 60000, "Cannot list /www/gal/th: Transfer too slow: LIST moved "},
      {"trickle", "64", 1000, "Cannot list /www/gal/th: Timed out: LIST not complete within"},
  };
  WriteFileBytes(local_.File("a.jpg"), "a");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + c.bytes);
    ftptest::ServerProcess peer("script_server.py",
                                {"--mode", c.mode, "--trickle-bytes", c.bytes});
    platform::FtpClientSettings settings = ftptest::LocalSettings(peer.Port());
    settings.transferWindowMs = 500;
    settings.transferMinBytes = 50;  // 100 bytes a second
    settings.transferGraceMs = 1000;
    settings.downloadLimitMs = c.limitMs;
    const auto start = std::chrono::steady_clock::now();
    const SyncRun run = Publish(settings, "/www/gal/th", local_.Path());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(run.ended);
    EXPECT_EQ(run.error.rfind(c.error, 0), 0u) << run.error;
  }
}

}  // namespace
