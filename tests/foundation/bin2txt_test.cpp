#include "foundation/bin2txt.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using namespace std::string_literals;

bool InAlphabet(char c) {
  return c == '-' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z');
}

// Frozen armoured texts: the stored format, worked out from the format rules
// independently of this code. The first was also checked by hand: length 0
// and the register 0xFFFFFFFF give flags "U" (01 01 01 01) and "z" (0xFF,
// high and mapped), whose own flags make the lead "D".
TEST(Bin2Txt, KnownAnswers) {
  const struct {
    std::string data;
    std::string text;
  } cases[] = {
      {"", "DUz----zzzz"},
      {"Hello, World!", "BUeC---6mJTF-JHellogVWE-UorldW---"},
      {"\x00\x7F\x80\xFF\x2E\x60\xC1\x41\x3A"s, "CU38---DyMtA_X-z-zhuAAAUUj-------"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(bin2txt::EncodeText(c.data), c.text);
    if (c.data.empty()) continue;
    std::string back;
    EXPECT_TRUE(bin2txt::DecodeText(c.text, back));
    EXPECT_EQ(back, c.data);
    EXPECT_EQ(bin2txt::DecodedLength(c.text), c.data.size());
  }
}

TEST(Bin2Txt, RoundTripsEveryByteAtEveryLength) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (size_t len : {1u, 7u, 8u, 9u, 16u, 255u, 256u}) {
    const std::string data = all.substr(0, len);
    const std::string text = bin2txt::EncodeText(data);
    EXPECT_EQ(text.size(), ((len + 7) / 8 + 1) * 11);
    for (char c : text) EXPECT_TRUE(InAlphabet(c)) << int(c);
    std::string back;
    ASSERT_TRUE(bin2txt::DecodeText(text, back)) << len;
    EXPECT_EQ(back, data);
  }
}

TEST(Bin2Txt, DamagedTextsFail) {
  const std::string text = bin2txt::EncodeText("some secret bytes");
  std::string out = "stale";
  for (size_t i = 11; i < text.size(); ++i) {
    std::string bad = text;
    bad[i] = bad[i] == 'a' ? 'b' : 'a';
    EXPECT_FALSE(bin2txt::DecodeText(bad, out)) << "changed place " << i;
    EXPECT_TRUE(out.empty());
  }
  EXPECT_FALSE(bin2txt::DecodeText("DUz----zzzz", out));  // shorter than 12
  EXPECT_FALSE(bin2txt::DecodeText(text + bin2txt::EncodeText("x").substr(11), out));
  EXPECT_FALSE(bin2txt::DecodeText(text.substr(0, text.size() - 11), out));
  EXPECT_FALSE(bin2txt::DecodeText(text, out, 16));  // more than the buffer holds
  EXPECT_TRUE(bin2txt::DecodeText(text, out, 17));
  EXPECT_FALSE(bin2txt::DecodeText("Z" + text.substr(1), out));
  EXPECT_EQ(bin2txt::DecodedLength("short"), 0u);
}

// A header that claims a huge length must be refused before anything is
// allocated for it.
TEST(Bin2Txt, LengthMustMatchTheHeader) {
  const std::string forged = bin2txt::EncodeText("\xFF\xFF\xFF\x7F" "abcd"s).substr(11, 11);
  std::string header = bin2txt::EncodeText(std::string(8, '\0')).substr(11, 11);
  std::string out;
  EXPECT_FALSE(bin2txt::DecodeText(forged + header, out));
  EXPECT_THROW(bin2txt::EncodeText(std::string(bin2txt::kMaxDataLength + 1, 'x')),
               std::length_error);
}

}  // namespace
