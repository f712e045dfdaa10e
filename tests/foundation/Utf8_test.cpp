#include "foundation/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, CountsCharactersAndKeepsStrayBytes) {
  EXPECT_EQ(Utf8::Length("Příliš"), 6u);
  EXPECT_EQ(Utf8::Length(""), 0u);
  // A lone continuation byte, a truncated sequence and an overlong form each
  // count as one stray byte per byte.
  EXPECT_EQ(Utf8::Length("a\x80" "b"), 3u);
  EXPECT_EQ(Utf8::Length("\xC5"), 1u);
  EXPECT_EQ(Utf8::Length("\xC0\xAF"), 2u);
  EXPECT_FALSE(Utf8::IsValid("\xC5"));
  EXPECT_FALSE(Utf8::IsValid("\xED\xA0\x80"));  // a surrogate
  EXPECT_TRUE(Utf8::IsValid("žluťoučký kůň 𝄞"));
}

TEST(Utf8, LeftCutsOnCharacterBoundary) {
  EXPECT_EQ(Utf8::Left("čáp", 2), "čá");
  EXPECT_EQ(Utf8::Left("čáp", 10), "čáp");
  EXPECT_EQ(Utf8::ByteOffset("čáp", 1), 2u);
}

TEST(Utf8, Utf16RoundTrip) {
  const std::string text = "Šťastný 𝄞 den";
  EXPECT_EQ(Utf8::FromUtf16(Utf8::ToUtf16(text)), text);
  EXPECT_EQ(Utf8::ToUtf16("𝄞").size(), 2u);
  EXPECT_EQ(Utf8::FromUtf16(u"\xD800x"), "\xEF\xBF\xBDx");  // lone surrogate
}

}  // namespace
