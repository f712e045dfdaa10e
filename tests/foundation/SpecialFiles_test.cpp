// Only regular files are read: a device named like a photo (here a link to
// one) would never end when read whole, and a pipe would wait for a writer.
// Every reader refuses both at once and reads nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>

#include "foundation/DosFunc.h"
#include "foundation/Win32CRC.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;

TEST(SpecialFiles, ReadersRefuseDevicesAndPipesAtOnce) {
  const struct {
    const char* what;
    std::function<bool(const TempDir&, const std::string&)> refused;
  } readers[] = {
      {"checksum",
       [](const TempDir&, const std::string& f) { return Win32CRC::FileCRC32(f) == -1; }},
      {"open for reading",
       [](const TempDir&, const std::string& f) { return !TFile().OpenFile(f, 0); }},
      {"copy",
       [](const TempDir& d, const std::string& f) {
         return !DosFunc::CopyFileEx(f, d.File("copy.jpg")) &&
                !DosFunc::FileExistsLong(d.File("copy.jpg"));
       }},
  };
  TempDir dir;
  ASSERT_EQ(symlink("/dev/zero", dir.File("zero.jpg").c_str()), 0);
  ASSERT_EQ(mkfifo(dir.File("pipe.jpg").c_str(), 0600), 0);
  for (const auto& reader : readers) {
    for (const char* special : {"zero.jpg", "pipe.jpg"}) {
      SCOPED_TRACE(std::string(reader.what) + " of " + special);
      const auto start = std::chrono::steady_clock::now();
      EXPECT_TRUE(reader.refused(dir, dir.File(special)));
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
  }
}

}  // namespace
