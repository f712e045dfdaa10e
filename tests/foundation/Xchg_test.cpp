#include "foundation/Xchg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(Xchg, TranslateBufferWorksOnRawBytes) {
  std::vector<uint8_t> buf = {0x8A, 0x9A, 0x41, 0xC8};
  const uint8_t from[] = {0x8A, 0x9A, 0x8A};
  const uint8_t to[] = {'S', 's', 'X'};
  Xchg::TranslateBuffer(buf.data(), buf.size(), from, to, 3);
  EXPECT_EQ(buf, (std::vector<uint8_t>{'S', 's', 0x41, 0xC8}));
  Xchg::TranslateBuffer(nullptr, 4, from, to, 3);
  Xchg::TranslateBuffer(buf.data(), buf.size(), nullptr, to, 3);
}

TEST(Xchg, TranslateStringLooksUpOnlyCharactersAboveZ) {
  EXPECT_EQ(Xchg::TranslateString("Žluťoučký kůň", "ťčýůň", "tcyun"), "Žlutoucky kun");
  EXPECT_EQ(Xchg::TranslateString("ABa", "Aa", "xy"), "ABy");
  EXPECT_EQ(Xchg::TranslateString("ab", "ab", "x"), "xb");  // beyond the shorter table
  EXPECT_EQ(Xchg::TranslateString("a\xff", "a", "č"), "č\xff");
}

TEST(Xchg, AccentMarks) {
  EXPECT_TRUE(Xchg::HasAccentMarks("50°"));
  EXPECT_TRUE(Xchg::HasAccentMarks("cˇ"));
  EXPECT_TRUE(Xchg::HasAccentMarks("e´"));
  EXPECT_FALSE(Xchg::HasAccentMarks("čéů"));
  EXPECT_FALSE(Xchg::HasAccentMarks("\xb0\xb4"));  // the old single bytes are no characters
  EXPECT_FALSE(Xchg::HasAccentMarks(""));
}

}  // namespace
