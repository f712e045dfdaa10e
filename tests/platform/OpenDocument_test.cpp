#include "platform/OpenDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;

std::vector<std::string> opened;

bool RecordingOpener(const std::string& target) {
  opened.push_back(target);
  return true;
}

// Restores the state the rest of the suite expects: no opener, no log.
class OpenDocument : public testing::Test {
 protected:
  void SetUp() override { opened.clear(); }
  void TearDown() override { platform::SetDocumentOpener(nullptr); }
  testsupport::ScopedEnv noLog_{"QUILLMARSH_OPEN_LOG", ""};
};

TEST_F(OpenDocument, TheOpenLogTakesEveryRequestBeforeTheOpener) {
  testsupport::TempDir dir;
  platform::SetDocumentOpener(RecordingOpener);
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", dir.File("open.log"));
  EXPECT_TRUE(platform::OpenDocument("https://example.org/a?b=c&d"));
  EXPECT_TRUE(platform::OpenDocument(""));
  EXPECT_TRUE(platform::OpenDocument("/photos/a b.jpg"));
  EXPECT_EQ(ReadFileBytes(dir.File("open.log")), "https://example.org/a?b=c&d\n\n/photos/a b.jpg\n");
  EXPECT_TRUE(opened.empty());

  // A log that cannot be written fails every request: how tests make
  // opening fail.
  testsupport::ScopedEnv failing("QUILLMARSH_OPEN_LOG", dir.File("missing/open.log"));
  EXPECT_FALSE(platform::OpenDocument("https://example.org/"));
  EXPECT_TRUE(opened.empty());
}

TEST_F(OpenDocument, TheInstalledOpenerGetsEveryTargetButAnEmptyOne) {
  platform::SetDocumentOpener(RecordingOpener);
  EXPECT_TRUE(platform::OpenDocument("relative/a b.jpg"));
  EXPECT_FALSE(platform::OpenDocument(""));
  EXPECT_EQ(opened, std::vector<std::string>{"relative/a b.jpg"});
}

// A stand-in xdg-open first on PATH writes what it was given to a file.
TEST_F(OpenDocument, WithoutAnOpenerXdgOpenGetsTheTargetAsOneArgument) {
  testsupport::TempDir dir;
  const std::string out = dir.File("args");
  testsupport::WriteFileBytes(dir.File("xdg-open"),
                              "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + out + ".part'\n"
                              "/bin/mv '" + out + ".part' '" + out + "'\n");
  std::filesystem::permissions(dir.File("xdg-open"), std::filesystem::perms::owner_all);
  testsupport::ScopedEnv path("PATH", dir.Path());
  EXPECT_TRUE(platform::OpenDocument("/photos/a b; $(x).jpg"));
  for (int i = 0; i < 100 && !std::filesystem::exists(out); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ReadFileBytes(out), "1|/photos/a b; $(x).jpg|");
  EXPECT_FALSE(platform::OpenDocument(""));
}

}  // namespace
