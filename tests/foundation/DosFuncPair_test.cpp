#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/Win32CRC.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;
using testsupport::WriteFileBytes;

// Longer than the pieces the checks compare in, so a difference past the
// first piece is seen too.
constexpr size_t kSize = 200000;

std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 31 + 7) % 251);
  return s;
}

std::string Changed(std::string s, size_t at) {
  s[at] = static_cast<char>(s[at] ^ 0x5A);
  return s;
}

// Three open files with the given contents.
struct Files {
  TempDir dir;
  TFile a, b, c;
  Files(const std::string& first, const std::string& second, const std::string& third) {
    WriteFileBytes(dir.File("a"), first);
    WriteFileBytes(dir.File("b"), second);
    WriteFileBytes(dir.File("c"), third);
    EXPECT_TRUE(a.OpenFile(dir.File("a"), 0));
    EXPECT_TRUE(b.OpenFile(dir.File("b"), 0));
    EXPECT_TRUE(c.OpenFile(dir.File("c"), 0));
  }
  std::vector<int64_t> Positions() { return {a.GetPosition(), b.GetPosition(), c.GetPosition()}; }
};

TEST(DosFuncPair, CheckedReadsAgreeOnlyOnEqualBytes) {
  const std::string base = Pattern(kSize);
  const int64_t all = kSize;
  struct Case {
    const char* what;
    std::string second, third;
    int64_t count;
    bool pairOk, tripleOk;
  };
  const Case cases[] = {
      {"equal", base, base, all, true, true},
      {"equal at the start, longer later", base + "x", base + "yz", 1000, true, true},
      {"nothing to read", base, base, 0, true, true},
      {"second differs in its last byte", Changed(base, kSize - 1), base, all, false, false},
      {"third differs in its first byte", base, Changed(base, 0), all, true, false},
      {"second is one byte short", base.substr(0, kSize - 1), base, all, false, false},
      {"every file ends before count", base, base, all + 1, false, false},
      {"negative count", base, base, -1, false, false},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer(kSize + 1);
    uint32_t crc = 0;
    Files pair(base, c.second, c.third);
    EXPECT_EQ(pair.a.ReadPairChecked(pair.b, buffer.data(), c.count, crc), c.pairOk) << c.what;
    const int64_t pairAt = c.pairOk ? c.count : 0;
    EXPECT_EQ(pair.Positions(), (std::vector<int64_t>{pairAt, pairAt, 0})) << c.what;

    Files triple(base, c.second, c.third);
    crc = 0;
    const bool ok = triple.a.ReadTripleChecked(triple.b, triple.c, buffer.data(), c.count, crc);
    EXPECT_EQ(ok, c.tripleOk) << c.what;
    const int64_t at = ok ? c.count : 0;
    EXPECT_EQ(triple.Positions(), (std::vector<int64_t>{at, at, at}))
        << c.what << ": the files stand after the block, or where they were";
    if (ok) {
      EXPECT_EQ(crc, Win32CRC::BufferCRC32(base.data(), c.count)) << c.what;
      const auto count = static_cast<size_t>(c.count);
      EXPECT_EQ(std::string(buffer.data(), count), base.substr(0, count));
    }
  }
}

TEST(DosFuncPair, CheckedReadsGoOnBlockByBlock) {
  const std::string base = Pattern(kSize);
  Files f(base, base, Changed(base, kSize / 2 + 10));
  std::vector<char> buffer(kSize / 2);
  uint32_t crc = 0;
  ASSERT_TRUE(f.a.ReadTripleChecked(f.b, f.c, buffer.data(), kSize / 2, crc));
  EXPECT_FALSE(f.a.ReadTripleChecked(f.b, f.c, buffer.data(), kSize / 2, crc));
  EXPECT_EQ(f.Positions(), (std::vector<int64_t>{kSize / 2, kSize / 2, kSize / 2}));
  ASSERT_TRUE(f.a.ReadPairChecked(f.b, buffer.data(), kSize / 2, crc));
  EXPECT_EQ(crc, Win32CRC::BufferCRC32(base.data() + kSize / 2, kSize / 2));
}

TEST(DosFuncPair, PairReadsTheSameCountFromBoth) {
  Files f("0123456789", "abcdefghijklmnop", "uvwxyz");
  char mine[16] = {};
  char theirs[16] = {};
  EXPECT_EQ(f.a.ReadPair(f.b, mine, theirs, 4), 4);
  EXPECT_EQ(std::string(mine, 4) + std::string(theirs, 4), "0123abcd");
  EXPECT_EQ(f.a.ReadPair(f.b, mine, theirs, 10), -1) << "the first file ends first";
  EXPECT_EQ(f.Positions(), (std::vector<int64_t>{4, 4, 0}));
  EXPECT_EQ(f.a.ReadPair(f.c, mine, theirs, 10), 6) << "both end at the same place";
  EXPECT_EQ(std::string(mine, 6) + std::string(theirs, 6), "456789uvwxyz");
  EXPECT_EQ(f.a.ReadPair(f.c, mine, theirs, 10), 0);

  TFile closed;
  EXPECT_EQ(f.b.ReadPair(closed, mine, theirs, 2), -1);
  uint32_t crc = 0;
  EXPECT_FALSE(f.b.ReadPairChecked(closed, mine, 2, crc));
  EXPECT_EQ(f.b.GetPosition(), 4);
  EXPECT_EQ(f.b.ReadPair(f.b, mine, theirs, -1), -1);
}

}  // namespace
