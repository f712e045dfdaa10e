#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemInfo, KernelReleaseNumbers) {
  struct Case {
    const char* release;
    int major, minor, build;
  };
  const Case cases[] = {
      {"6.1.0-18-amd64", 6, 1, 0}, {"5.15.153.1-microsoft-standard-WSL2", 5, 15, 153},
      {"4.19", 4, 19, -1},         {"", -1, -1, -1},
      {"x.1.2", -1, -1, -1},
  };
  for (const Case& c : cases) {
    const platform::KernelVersion v = platform::ParseKernelRelease(c.release);
    EXPECT_EQ(v.major, c.major) << c.release;
    EXPECT_EQ(v.minor, c.minor) << c.release;
    EXPECT_EQ(v.build, c.build) << c.release;
  }
  EXPECT_GE(platform::GetKernelVersion().major, 3);
}

TEST(SystemInfo, OsReleaseFields) {
  const platform::OsRelease r = platform::ParseOsRelease(
      "# comment\n"
      "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
      "NAME='Debian GNU/Linux'\r\n"
      "VERSION_ID=\"12\"\n"
      "ID=debian\n"
      "BROKEN\n"
      "VARIANT=\"say \\\"hi\\\"\"\n");
  EXPECT_EQ(r.prettyName, "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(r.name, "Debian GNU/Linux");
  EXPECT_EQ(r.versionId, "12");
  EXPECT_EQ(r.id, "debian");
  EXPECT_EQ(platform::ParseOsRelease("PRETTY_NAME=\"a \\\"b\\\" \\\\ c\"").prettyName,
            "a \"b\" \\ c");
}

}  // namespace
