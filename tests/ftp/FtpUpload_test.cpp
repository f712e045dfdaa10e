#include "gallery/publish/FtpUpload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(FtpUpload, RemotePathsHaveOneSlashBetweenTheirParts) {
  const struct {
    const char* base;
    const char* name;
    const char* joined;
  } cases[] = {
      {"", "trip", "trip"},          {"/", "trip", "/trip"},
      {"www", "trip", "www/trip"},   {" /www/ ", "trip", "/www/trip"},
      {"/www//", "trip", "/www/trip"}, {"//", "index.htm", "/index.htm"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FtpUpload::JoinRemote(c.base, c.name), c.joined) << "\"" << c.base << "\"";
  EXPECT_STREQ(FtpUpload::kFolders[0], "ico");
  EXPECT_STREQ(FtpUpload::kFolders[FtpUpload::kFolderCount - 1], "exif");
}

class FtpUploadRun : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : FtpUpload::kFolders) {
      fs::create_directories(web_.File(folder));
      WriteFileBytes(web_.File(std::string(folder) + "/File_" + folder + ".htm"), folder);
    }
  }

  // Connects a run with the settings of the server on port.
  void Start(int port) {
    client_.Settings() = ftptest::LocalSettings(port);
    run_ = std::make_unique<TFtpUpload>(client_, TFtpUploadEvents{});
    ASSERT_TRUE(run_->Connect()) << run_->LastError();
  }

  std::vector<int> Upload(const std::string& remoteName, const std::string& uploadDir,
                          bool expected) {
    std::vector<int> started;
    EXPECT_EQ(run_->UploadProject(web_.Path(), remoteName, uploadDir,
                                  [&started](int n) { started.push_back(n); }),
              expected)
        << run_->LastError();
    return started;
  }

  testsupport::ScopedHome home_;
  TempDir server_, web_;
  platform::FtpClient client_;
  std::unique_ptr<TFtpUpload> run_;
};

// A server that does not lock users into their home puts them in a folder
// of their own: a relative upload folder starts there for every folder of
// the project and for the list page sent after them.
TEST_F(FtpUploadRun, ProjectAndPageGoBelowTheLoginFolder) {
  fs::create_directories(server_.File("users/tester"));
  ftptest::RealServer server(server_.Path(), {"--login-dir", "/users/tester"});
  Start(server.Port());
  EXPECT_EQ(Upload("trip", "www", true), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  for (const char* folder : FtpUpload::kFolders) {
    const std::string remote = server_.File("users/tester/www/trip/") + folder;
    EXPECT_EQ(ReadFileBytes(remote + "/file_" + folder + ".htm"), folder);
    EXPECT_TRUE(fs::exists(remote + "/ftpcache")) << folder;
  }
  WriteFileBytes(web_.File("Index.htm"), "<html></html>");
  ASSERT_TRUE(run_->UploadFile(web_.File("Index.htm"), "www")) << run_->LastError();
  EXPECT_EQ(ReadFileBytes(server_.File("users/tester/www/index.htm")), "<html></html>");
  // An absolute upload folder is the server's, made when missing; none at
  // all is the login folder.
  ASSERT_TRUE(run_->UploadFile(web_.File("Index.htm"), "/site/")) << run_->LastError();
  EXPECT_TRUE(fs::exists(server_.File("site/index.htm")));
  ASSERT_TRUE(run_->UploadFile(web_.File("Index.htm"), "")) << run_->LastError();
  EXPECT_TRUE(fs::exists(server_.File("users/tester/index.htm")));
}

TEST_F(FtpUploadRun, CountsTheFilesItSentButNeitherTheCachesNorWhatFailed) {
  ftptest::RealServer server(server_.Path(), {"--refuse", "STOR:/www/index.htm"});
  Start(server.Port());
  EXPECT_EQ(run_->FilesSent(), 0);
  Upload("trip", "/www", true);
  EXPECT_EQ(run_->FilesSent(), FtpUpload::kFolderCount);
  Upload("trip", "/www", true);
  EXPECT_EQ(run_->FilesSent(), FtpUpload::kFolderCount) << "nothing changed";
  WriteFileBytes(web_.File("foto/File_foto.htm"), "changed");
  Upload("trip", "/www", true);
  EXPECT_EQ(run_->FilesSent(), FtpUpload::kFolderCount + 1);
  WriteFileBytes(web_.File("Index.htm"), "<html></html>");
  ASSERT_TRUE(run_->UploadFile(web_.File("Index.htm"), "/site"));
  EXPECT_FALSE(run_->UploadFile(web_.File("Index.htm"), "/www"));
  EXPECT_EQ(run_->FilesSent(), FtpUpload::kFolderCount + 2);
}

TEST_F(FtpUploadRun, TheFirstFailedFolderEndsTheProject) {
  ftptest::RealServer server(server_.Path(), {"--refuse", "MKD:800x600"});
  Start(server.Port());
  EXPECT_EQ(Upload("trip", "/www", false), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(run_->LastError().rfind("800x600: ", 0), 0u) << run_->LastError();
  for (const char* done : {"ico", "th", "foto"})
    EXPECT_TRUE(fs::exists(server_.File("www/trip/") + done + "/ftpcache")) << done;
  for (const char* untouched : {"800x600", "1024x768", "exif"})
    EXPECT_FALSE(fs::exists(server_.File("www/trip/") + untouched)) << untouched;
}

// Mirroring deletes what the gallery lacks; a name leading out of the upload
// folder must never get that far.
TEST_F(FtpUploadRun, RemoteNamesOutsideTheUploadFolderAreRefused) {
  fs::create_directories(server_.File("www/ico"));
  WriteFileBytes(server_.File("www/ico/keep.txt"), "someone else's");
  ftptest::RealServer server(server_.Path());
  Start(server.Port());
  for (const char* name : {"..", "a/b", "", "."}) {
    EXPECT_TRUE(Upload(name, "/www/x", false).empty()) << name;
    EXPECT_NE(run_->LastError().find("plain folder name"), std::string::npos);
  }
  EXPECT_EQ(ReadFileBytes(server_.File("www/ico/keep.txt")), "someone else's");
  run_->Disconnect();
  EXPECT_FALSE(run_->UploadFile(web_.File("ico/File_ico.htm"), "/www"));
  EXPECT_EQ(run_->LastError(), "Not connected");
}

}  // namespace
