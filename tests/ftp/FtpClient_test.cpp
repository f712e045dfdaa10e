#include "platform/ftp/FtpClient.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"

namespace {

using platform::FtpClient;
using platform::FtpEntryKind;
using platform::FtpTransferType;
using platform::FtpWorkMode;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// Everything the client reported through its events.
struct Recorder {
  std::vector<std::string> sent, received, status;
  int connected = 0, disconnected = 0, pumps = 0;
  int64_t workMaximum = -1, lastWork = -1;
  int workEnds = 0;

  void Attach(FtpClient& client) {
    auto& e = client.Events();
    e.sent = [this](const std::string& l) { sent.push_back(l); };
    e.received = [this](const std::string& l) { received.push_back(l); };
    e.status = [this](const std::string& t) { status.push_back(t); };
    e.connected = [this] { ++connected; };
    e.disconnected = [this] { ++disconnected; };
    e.pump = [this] { ++pumps; };
    e.workBegin = [this](FtpWorkMode, int64_t max) { workMaximum = max; };
    e.work = [this](FtpWorkMode, int64_t bytes) { lastWork = bytes; };
    e.workEnd = [this](FtpWorkMode) { ++workEnds; };
  }
};

std::string BinaryBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 255);
  return bytes;
}

class FtpClientRealServer : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    server_ = std::make_unique<ftptest::RealServer>(home_.Path());
    client_.Settings() = ftptest::LocalSettings(server_->Port());
    client_.Settings().passive = GetParam();
    recorder_.Attach(client_);
    ASSERT_TRUE(client_.Connect()) << client_.LastError();
  }

  TempDir home_, local_;
  std::unique_ptr<ftptest::RealServer> server_;
  FtpClient client_;
  Recorder recorder_;
};

TEST_P(FtpClientRealServer, StoresListsRetrievesAndDeletes) {
  const std::string bytes = BinaryBytes(300000);  // several chunks, every byte value
  WriteFileBytes(local_.File("in.bin"), bytes);
  std::filesystem::create_directory(home_.File("existing"));
  std::filesystem::create_symlink("in.bin", home_.File("link"));

  ASSERT_TRUE(client_.MakeDir("sub")) << client_.LastError();
  ASSERT_TRUE(client_.SetTransferType(FtpTransferType::Binary));
  ASSERT_TRUE(client_.Put(local_.File("in.bin"), "/sub/in.bin")) << client_.LastError();
  EXPECT_EQ(ReadFileBytes(home_.File("sub/in.bin")), bytes);
  EXPECT_EQ(recorder_.workMaximum, 300000);
  EXPECT_EQ(recorder_.lastWork, 300000);

  std::vector<platform::FtpListEntry> entries;
  ASSERT_TRUE(client_.List(entries)) << client_.LastError();
  std::vector<std::string> seen;
  for (const auto& e : entries) seen.push_back(e.name + ":" + std::to_string(int(e.kind)));
  const std::vector<std::string> expected = {
      "existing:" + std::to_string(int(FtpEntryKind::Folder)),
      "link:" + std::to_string(int(FtpEntryKind::Link)),
      "sub:" + std::to_string(int(FtpEntryKind::Folder))};
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, expected);

  ASSERT_TRUE(client_.ChangeDir("sub"));
  ASSERT_TRUE(client_.Get("in.bin", local_.File("out.bin"))) << client_.LastError();
  EXPECT_EQ(ReadFileBytes(local_.File("out.bin")), bytes);
  ASSERT_TRUE(client_.Delete("in.bin"));
  EXPECT_FALSE(std::filesystem::exists(home_.File("sub/in.bin")));

  client_.Disconnect();
  EXPECT_FALSE(client_.IsConnected());
  EXPECT_EQ(recorder_.sent.back(), "QUIT");
  EXPECT_EQ(recorder_.connected, 1);
  EXPECT_EQ(recorder_.disconnected, 1);
}

TEST_P(FtpClientRealServer, AsciiTypeSendsLineEndsAsTextBinaryKeepsBytes) {
  WriteFileBytes(local_.File("page.htm"), "a\nb\r\nc\n");
  ASSERT_TRUE(client_.SetTransferType(FtpTransferType::Ascii));
  ASSERT_TRUE(client_.Put(local_.File("page.htm"), "ascii.htm"));
  ASSERT_TRUE(client_.SetTransferType(FtpTransferType::Binary));
  ASSERT_TRUE(client_.Put(local_.File("page.htm"), "binary.htm"));
  // The server stores text with its own (Unix) line ends.
  EXPECT_EQ(ReadFileBytes(home_.File("ascii.htm")), "a\nb\nc\n");
  EXPECT_EQ(ReadFileBytes(home_.File("binary.htm")), "a\nb\r\nc\n");

  WriteFileBytes(home_.File("lines.txt"), "x\ny\n\n");
  ASSERT_TRUE(client_.SetTransferType(FtpTransferType::Ascii));
  ASSERT_TRUE(client_.Get("lines.txt", local_.File("lines.txt")));
  EXPECT_EQ(ReadFileBytes(local_.File("lines.txt")), "x\ny\n\n");
}

TEST_P(FtpClientRealServer, RefusedCommandsKeepTheConnection) {
  EXPECT_FALSE(client_.ChangeDir("/missing"));
  EXPECT_EQ(client_.LastError().substr(0, 3), "550");
  EXPECT_FALSE(client_.Get("missing.jpg", local_.File("missing.jpg")));
  EXPECT_FALSE(std::filesystem::exists(local_.File("missing.jpg")));
  EXPECT_FALSE(client_.Put(local_.File("no-such-file"), "x"));
  EXPECT_FALSE(client_.Put(local_.Path(), "x"));  // a folder is no file
  // Nor is a pipe (opening it would wait for a writer) or a device.
  ASSERT_EQ(mkfifo(local_.File("fifo.jpg").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", local_.File("zero.jpg"));
  EXPECT_FALSE(client_.Put(local_.File("fifo.jpg"), "x"));
  EXPECT_FALSE(client_.Put(local_.File("zero.jpg"), "x"));
  // A line break would smuggle a second command onto the wire.
  EXPECT_FALSE(client_.ChangeDir("sub\r\nDELE x"));
  for (const std::string& line : recorder_.sent) EXPECT_EQ(line.find("DELE"), std::string::npos);
  EXPECT_TRUE(client_.IsConnected());
  EXPECT_TRUE(client_.ChangeDir("/"));
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpClientRealServer, ::testing::Values(true, false),
                         [](const auto& test) { return test.param ? "Passive" : "Active"; });

TEST(FtpClient, LogMasksThePasswordAndWrongLoginFails) {
  TempDir home;
  ftptest::RealServer server(home.Path());
  FtpClient client;
  Recorder recorder;
  recorder.Attach(client);
  client.Settings() = ftptest::LocalSettings(server.Port());
  ASSERT_TRUE(client.Connect());
  client.Disconnect();
  client.Settings().login.password = "wrong";
  EXPECT_FALSE(client.Connect());
  EXPECT_FALSE(client.IsConnected());
  EXPECT_EQ(client.LastError().substr(0, 3), "530");
  int passLines = 0;
  for (const std::string& line : recorder.sent) {
    EXPECT_EQ(line.find("secret"), std::string::npos) << line;
    EXPECT_EQ(line.find("wrong"), std::string::npos) << line;
    passLines += line == "PASS ***";
  }
  EXPECT_EQ(passLines, 2);
  EXPECT_EQ(recorder.connected, 2);
  EXPECT_EQ(recorder.disconnected, 2);
}

TEST(FtpClient, DroppedConnectionDuringStoreClosesTheClient) {
  TempDir home, local;
  ftptest::RealServer server(home.Path(), {"--drop-stor-after", "100000"});
  FtpClient client;
  Recorder recorder;
  recorder.Attach(client);
  client.Settings() = ftptest::LocalSettings(server.Port());
  WriteFileBytes(local.File("big.bin"), BinaryBytes(4000000));
  ASSERT_TRUE(client.Connect());
  ASSERT_TRUE(client.SetTransferType(FtpTransferType::Binary));
  EXPECT_FALSE(client.Put(local.File("big.bin"), "big.bin"));
  EXPECT_FALSE(client.IsConnected());
  EXPECT_EQ(recorder.disconnected, 1);
  EXPECT_FALSE(client.ChangeDir("/"));
  EXPECT_EQ(client.LastError(), "Not connected");
}

TEST(FtpClient, RetrieveBeyondTheLimitFailsAndLeavesNoFile) {
  TempDir home, local;
  WriteFileBytes(home.File("big.bin"), BinaryBytes(200000));
  ftptest::RealServer server(home.Path());
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(server.Port());
  ASSERT_TRUE(client.Connect());
  ASSERT_TRUE(client.SetTransferType(FtpTransferType::Binary));
  EXPECT_FALSE(client.Get("big.bin", local.File("big.bin"), 100000));
  EXPECT_EQ(client.LastError(), "File too large");
  EXPECT_FALSE(std::filesystem::exists(local.File("big.bin")));
  ASSERT_TRUE(client.Get("big.bin", local.File("big.bin"), 200000)) << client.LastError();
  EXPECT_EQ(ReadFileBytes(local.File("big.bin")).size(), 200000u);
  EXPECT_EQ(client.LastError(), "");
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

// The local file is written beside the target and renamed over it: a failed
// transfer keeps the old file, and a link there is replaced, not followed.
TEST(FtpClient, RetrieveReplacesTheLocalFileWhole) {
  TempDir home, local, outside;
  WriteFileBytes(home.File("big.bin"), BinaryBytes(200000));
  ftptest::RealServer server(home.Path());
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(server.Port());
  ASSERT_TRUE(client.Connect());
  ASSERT_TRUE(client.SetTransferType(FtpTransferType::Binary));
  WriteFileBytes(local.File("old.bin"), "old");
  EXPECT_FALSE(client.Get("big.bin", local.File("old.bin"), 100000));
  EXPECT_EQ(ReadFileBytes(local.File("old.bin")), "old");

  WriteFileBytes(outside.File("victim"), "keep me");
  std::filesystem::create_symlink(outside.File("victim"), local.File("link.bin"));
  ASSERT_TRUE(client.Get("big.bin", local.File("link.bin"))) << client.LastError();
  EXPECT_EQ(ReadFileBytes(outside.File("victim")), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(local.File("link.bin")));
  EXPECT_EQ(ReadFileBytes(local.File("link.bin")), BinaryBytes(200000));
}

TEST(FtpClient, CurrentDirIsTheFolderOfTheLogin) {
  TempDir home;
  const std::string folder = "/users/the \"tester\"";
  std::filesystem::create_directories(home.Path() + folder);
  ftptest::RealServer server(home.Path(), {"--login-dir", folder});
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(server.Port());
  ASSERT_TRUE(client.Connect());
  std::string path;
  ASSERT_TRUE(client.CurrentDir(path)) << client.LastError();
  EXPECT_EQ(path, folder);
}

// Each proxy method, spoken to the scripted peer, which records every line.
TEST(FtpClient, ProxyLoginDialogues) {
  TempDir dir;
  const std::string record = dir.File("record.txt");
  ftptest::ServerProcess peer("script_server.py", {"--record", record});
  const struct {
    int method;
    std::vector<std::string> lines;
  } cases[] = {
      {0, {"USER u@ftp.example", "PASS p"}},
      {1, {"USER pu", "PASS pp", "USER u@ftp.example", "PASS p"}},
      {2, {"USER pu", "PASS pp", "SITE ftp.example", "USER u", "PASS p"}},
      {3, {"USER pu", "PASS pp", "OPEN ftp.example", "USER u", "PASS p"}},
      {4, {"USER u@pu@ftp.example", "PASS p@pp"}},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(record);
    FtpClient client;
    auto& login = client.Settings().login;
    login = {"ftp.example", 21, "u", "p", "127.0.0.1", peer.Port(), "pu", "pp", c.method};
    ASSERT_TRUE(client.Connect()) << "method " << c.method << ": " << client.LastError();
    client.Disconnect();
    std::vector<std::string> expected = c.lines;
    expected.push_back("QUIT");
    EXPECT_EQ(ftptest::ReadLines(record), expected) << "method " << c.method;
  }
}

TEST(FtpClient, TransparentProxyLogsInOnTheServerItself) {
  TempDir dir;
  const std::string record = dir.File("record.txt");
  ftptest::ServerProcess peer("script_server.py", {"--record", record, "--user-ok", "pu"});
  FtpClient client;
  // The proxy address leads nowhere: the transparent method must not use it.
  client.Settings().login = {"127.0.0.1", peer.Port(), "u", "p", "127.0.0.1", 1, "pu", "pp", 5};
  ASSERT_TRUE(client.Connect()) << client.LastError();
  client.Disconnect();
  // The proxy user needed no password, so none was sent for it.
  const std::vector<std::string> expected = {"USER pu", "USER u", "PASS p", "QUIT"};
  EXPECT_EQ(ftptest::ReadLines(record), expected);
}

TEST(FtpClient, SilentOrFloodingServersTimeOutWhilePumping) {
  for (const char* mode : {"silent", "longline"}) {
    ftptest::ServerProcess peer("script_server.py", {"--mode", mode});
    FtpClient client;
    Recorder recorder;
    recorder.Attach(client);
    client.Settings() = ftptest::LocalSettings(peer.Port());
    client.Settings().readTimeoutMs = 300;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Connect()) << mode;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << mode;
    EXPECT_FALSE(client.IsConnected()) << mode;
    EXPECT_EQ(recorder.disconnected, 1) << mode;
    if (std::string(mode) == "silent") {
      EXPECT_EQ(client.LastError(), "Timed out waiting for the server's greeting");
      EXPECT_GT(recorder.pumps, 5);
    } else {
      EXPECT_EQ(client.LastError(), "Reply line too long");
    }
  }
}

// A server dribbling a byte now and then never lets one read time out: a
// reply must be complete within the read time-out, a transfer keep its
// minimum rate. Either failure closes the connection.
TEST(FtpClient, DribblingServersEndWithinTheirLimits) {
  TempDir local;
  const std::string bytes = BinaryBytes(8 * 1024 * 1024);  // more than the socket buffers hold
  WriteFileBytes(local.File("big.bin"), bytes);
  const struct {
    const char* what;
    const char* mode;
    std::function<bool(FtpClient&)> run;
    const char* error;
  } cases[] = {
      {"greeting", "drip", [](FtpClient& c) { return c.Connect(); }, "Timed out"},
      {"listing", "slowdata",
       [](FtpClient& c) {
         std::vector<platform::FtpListEntry> entries;
         return c.Connect() && c.List(entries);
       },
       "Transfer too slow"},
      {"retrieve", "slowdata",
       [&](FtpClient& c) { return c.Connect() && c.Get("x.bin", local.File("x.bin")); },
       "Transfer too slow"},
      {"store", "slowdata",
       [&](FtpClient& c) { return c.Connect() && c.Put(local.File("big.bin"), "x.bin"); },
       "Transfer too slow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ftptest::ServerProcess peer("script_server.py", {"--mode", c.mode});
    FtpClient client;
    client.Settings() = ftptest::LocalSettings(peer.Port());
    client.Settings().readTimeoutMs = 500;
    client.Settings().transferWindowMs = 500;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(c.run(client));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(client.LastError().rfind(c.error, 0), 0u) << client.LastError();
    EXPECT_FALSE(client.IsConnected());
  }
  EXPECT_FALSE(std::filesystem::exists(local.File("x.bin")));
}

// A window shows the rate and the time left of a transfer from its work
// events: they keep coming while a slow peer holds the transfer waiting, and
// the pump keeps running meanwhile.
TEST(FtpClient, WorkIsReportedWhileASlowTransferWaits) {
  TempDir local;
  WriteFileBytes(local.File("big.bin"), BinaryBytes(8 * 1024 * 1024));
  for (const bool store : {true, false}) {
    SCOPED_TRACE(store ? "store" : "retrieve");
    ftptest::ServerProcess peer("script_server.py", {"--mode", "slowdata"});
    FtpClient client;
    client.Settings() = ftptest::LocalSettings(peer.Port());
    client.Settings().transferWindowMs = 700;
    client.Settings().transferMinBytes = int64_t{1} << 40;  // ends the run after one window
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> reports;
    Clock::time_point begun, ended;
    int pumps = 0;
    auto& e = client.Events();
    e.workBegin = [&](FtpWorkMode, int64_t) { begun = Clock::now(); };
    e.work = [&](FtpWorkMode, int64_t) { reports.push_back(Clock::now()); };
    e.workEnd = [&](FtpWorkMode) { ended = Clock::now(); };
    e.pump = [&pumps] { ++pumps; };
    ASSERT_TRUE(client.Connect()) << client.LastError();
    const bool done = store ? client.Put(local.File("big.bin"), "x.bin")
                            : client.Get("x.bin", local.File("x.bin"));
    EXPECT_FALSE(done);
    ASSERT_GE(reports.size(), 4u);
    // A generous bound for loaded machines; without the repeats the gaps
    // last as long as the peer keeps the window shut.
    Clock::duration longest = reports.front() - begun;
    for (size_t i = 1; i < reports.size(); ++i)
      longest = std::max(longest, reports[i] - reports[i - 1]);
    longest = std::max(longest, ended - reports.back());
    EXPECT_LT(longest, std::chrono::milliseconds(250));
    EXPECT_GT(pumps, 10);
    // The caller's pump is back in place once the transfer is over.
    const int before = pumps;
    client.Events().pump();
    EXPECT_EQ(pumps, before + 1);
  }
}

// A server trickling data just above the window's minimum rate keeps every
// window of the transfer; a listing or a retrieval ends once its average
// since the start falls below the minimum after the grace time, and one
// trickling steadily above that at its own time limit, as a dropped
// connection ends it.
TEST(FtpClient, TricklingDownloadsEndAtTheirAverageOrTimeLimit) {
  TempDir local;
  const auto list = [](FtpClient& c) {
    std::vector<platform::FtpListEntry> entries;
    return c.Connect() && c.List(entries);
  };
  const auto retrieve = [&](FtpClient& c) {
    return c.Connect() && c.Get("ftpcache", local.File("ftpcache"));
  };
  const struct {
    const char* what;
    std::function<bool(FtpClient&)> run;
    const char* bytes;  // sent per 50 ms
    const char* error;
  } cases[] = {
      {"listing", list, "64", "Timed out: LIST not complete within 800 ms"},
      {"retrieve", retrieve, "64", "Timed out: RETR ftpcache not complete within 800 ms"},
      {"slow listing", list, "10", "Transfer too slow: LIST moved "},
      {"slow retrieve", retrieve, "10", "Transfer too slow: RETR ftpcache moved "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ftptest::ServerProcess peer("script_server.py",
                                {"--mode", "trickle", "--trickle-bytes", c.bytes});
    FtpClient client;
    client.Settings() = ftptest::LocalSettings(peer.Port());
    client.Settings().transferWindowMs = 200;
    client.Settings().transferMinBytes = 20;
    client.Settings().transferGraceMs = 400;
    client.Settings().transferMinBytesPerSecond = 512;
    client.Settings().downloadLimitMs = 800;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(c.run(client));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(client.LastError().rfind(c.error, 0), 0u) << client.LastError();
    EXPECT_FALSE(client.IsConnected());
  }
  EXPECT_FALSE(std::filesystem::exists(local.File("ftpcache")));
}

// A name from a listing may be of any length: a command line beyond the
// bound is refused without being sent, and the connection stays.
TEST(FtpClient, ACommandBeyondItsBoundIsNeverSent) {
  TempDir dir;
  const std::string record = dir.File("record.txt");
  ftptest::ServerProcess peer("script_server.py", {"--record", record});
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(peer.Port());
  ASSERT_TRUE(client.Connect()) << client.LastError();
  const std::string longest(platform::kFtpMaxCommandBytes - 5, 'a');  // "DELE " and the path
  EXPECT_TRUE(client.Delete(longest)) << client.LastError();
  EXPECT_FALSE(client.Delete(longest + "a"));
  EXPECT_EQ(client.LastError(), "Command too long: DELE of 8193 bytes");
  EXPECT_FALSE(client.Delete("/f/" + std::string(1 << 20, 'x')));
  EXPECT_TRUE(client.IsConnected());
  EXPECT_TRUE(client.ChangeDir("/f"));
  client.Disconnect();
  const std::vector<std::string> lines = ftptest::ReadLines(record);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.starts_with("DELE"); }),
            1);
  EXPECT_EQ(lines[lines.size() - 2], "CWD /f");
}

TEST(FtpClient, ATimeOutNamesTheReplyItWaitedFor) {
  const struct {
    const char* what;
    std::function<bool(FtpClient&)> run;
    const char* error;
  } cases[] = {
      {"folder", [](FtpClient& c) { std::string dir; return c.CurrentDir(dir); },
       "Timed out waiting for the reply to PWD"},
      {"delete", [](FtpClient& c) { return c.Delete("/f/a.jpg"); },
       "Timed out waiting for the reply to DELE /f/a.jpg"},
      {"listing",
       [](FtpClient& c) {
         std::vector<platform::FtpListEntry> entries;
         return c.List(entries);
       },
       "Timed out waiting for the reply to PASV"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ftptest::ServerProcess peer("script_server.py", {"--mode", "mute"});
    FtpClient client;
    client.Settings() = ftptest::LocalSettings(peer.Port());
    client.Settings().readTimeoutMs = 300;
    ASSERT_TRUE(client.Connect()) << client.LastError();
    EXPECT_FALSE(c.run(client));
    EXPECT_EQ(client.LastError(), c.error);
    EXPECT_FALSE(client.IsConnected());
  }
}

TEST(FtpClient, EndlessWaitRepliesFailTheLogin) {
  ftptest::ServerProcess peer("script_server.py", {"--mode", "waiting"});
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(peer.Port());
  client.Settings().readTimeoutMs = 300;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.Connect());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_FALSE(client.IsConnected());
}

// The window's event loop runs inside the pump: a second call is refused,
// and Disconnect (a cancel button) ends the wait at once.
TEST(FtpClient, PumpRefusesNestedCallsAndCanAbortTheWait) {
  ftptest::ServerProcess peer("script_server.py", {"--mode", "silent"});
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(peer.Port());
  client.Settings().readTimeoutMs = 20000;
  int pumps = 0;
  bool nestedResult = true;
  std::string nestedError;
  client.Events().pump = [&] {
    if (++pumps == 2) {
      nestedResult = client.ChangeDir("/");
      nestedError = client.LastError();
    }
    if (pumps == 3) client.Disconnect();
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.Connect());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_FALSE(nestedResult);
  EXPECT_EQ(nestedError, "Busy");
  EXPECT_EQ(pumps, 3);
  EXPECT_FALSE(client.IsConnected());
}

TEST(FtpClient, NoServerOnThePortFailsAtOnce) {
  int port = 0;
  {
    ftptest::ServerProcess peer("script_server.py", {});
    port = peer.Port();
  }
  FtpClient client;
  client.Settings() = ftptest::LocalSettings(port);
  EXPECT_FALSE(client.Connect());
  EXPECT_EQ(client.LastError().substr(0, 14), "Cannot connect");
}

}  // namespace
