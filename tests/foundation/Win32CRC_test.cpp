#include "foundation/Win32CRC.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/TestSupport.h"

namespace {

const std::string kCheck = "123456789";

TEST(Win32CRC, BufferUsesUninvertedRegister) {
  EXPECT_EQ(Win32CRC::BufferCRC32(kCheck.data(), 9), 0x340BC6D9u);
  EXPECT_EQ(Win32CRC::BufferCRC32(kCheck.data(), 0), 0xFFFFFFFFu);
  EXPECT_EQ(Win32CRC::BufferCRC32(kCheck.data(), -5), 0xFFFFFFFFu);
}

TEST(Win32CRC, PiecewiseUpdateEqualsWhole) {
  for (int split = 0; split <= 9; ++split) {
    uint32_t crc = 0xFFFFFFFFu;
    Win32CRC::UpdateCRC32(crc, kCheck.data(), split);
    Win32CRC::UpdateCRC32(crc, kCheck.data() + split, 9 - split);
    EXPECT_EQ(crc, 0x340BC6D9u) << "split at " << split;
  }
}

TEST(Win32CRC, FileChecksums) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("check"), kCheck);
  testsupport::WriteFileBytes(dir.File("empty"), "");
  EXPECT_EQ(Win32CRC::FileCRC32(dir.File("check")), static_cast<int32_t>(0x340BC6D9u));
  EXPECT_EQ(Win32CRC::FileCRC32(dir.File("empty")), 0);
  EXPECT_EQ(Win32CRC::FileCRC32(dir.File("missing")), -1);
  EXPECT_EQ(Win32CRC::FileCRC32(dir.Path()), -1);  // a folder cannot be read
  // A pipe nobody writes to is refused at once instead of waiting forever.
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_EQ(Win32CRC::FileCRC32(dir.File("pipe")), -1);
}

TEST(Win32CRC, FileLargerThanOneBlockMatchesBuffer) {
  testsupport::TempDir dir;
  std::string data(100000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + 3);
  testsupport::WriteFileBytes(dir.File("big"), data);
  EXPECT_EQ(static_cast<uint32_t>(Win32CRC::FileCRC32(dir.File("big"))),
            Win32CRC::BufferCRC32(data.data(), static_cast<int64_t>(data.size())));
}

}  // namespace
