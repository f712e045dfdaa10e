#include "foundation/Crypt.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    out += {kDigits[c >> 4], kDigits[c & 15]};
  }
  return out;
}

// Frozen results, worked out from the cipher's rules independently of this
// code. They pin the default key, the key padding, both passes and the armour.
TEST(Crypt, KnownAnswers) {
  EXPECT_EQ(Crypt::PrepareKey(""),
            "Qm7#vT9\x01Lp&4\x02zR8\x03Hn2!\x04" "cX6\x05" "Bd5e\x06J3s\x07W\x08q"s);
  EXPECT_EQ(Crypt::PrepareKey("  abc  "), "abc\x08W\x07s3J\x06" "e5dB\x05" "6"s);

  std::string bytes = "abcdefghij";
  Crypt::EncryptBuffer(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size(),
                       Crypt::PrepareKey("key"));
  EXPECT_EQ(Hex(bytes), "d199c97fde247fc3cdac");

  EXPECT_EQ(Crypt::EncryptToText("Hello", "secret"), "DUo4---7SCOMwUGCVnO---");
  EXPECT_EQ(Crypt::EncryptToText("Hello", ""), "DUZ4---JPWhMpUt1jva---");
  std::string counting;
  for (int i = 0; i < 20; ++i) counting += static_cast<char>(i);
  EXPECT_EQ(Crypt::EncryptToText(counting, "Rk2w#7pQ&u5e/Vn8@bX3^m1+Hz6c!Ld0"),
            "BUTJ---aC-VKbeJHzn-CSYPMuTYyeVzXbEOUs7mC----");
}

TEST(Crypt, StringsRoundTripAtChunkBoundaries) {
  for (size_t len : {0u, 1u, 7u, 8u, 9u, 65000u, 65001u}) {
    std::string text;
    for (size_t i = 0; i < len; ++i) text += static_cast<char>('!' + i % 90);
    const std::string enc = Crypt::EncryptString(text, "pass");
    EXPECT_EQ(enc.find('^') != std::string::npos, len > 65000) << len;
    std::string back = "stale";
    ASSERT_TRUE(Crypt::DecryptString(enc, "pass", back)) << len;
    EXPECT_EQ(back, text) << len;
  }
  EXPECT_EQ(Crypt::EncryptString("", "pass"), "");
  std::string back;
  ASSERT_TRUE(Crypt::DecryptString(Crypt::EncryptString("žluťoučký kůň", ""), "", back));
  EXPECT_EQ(back, "žluťoučký kůň");
}

TEST(Crypt, KeysAreTrimmedAndEmptyMeansDefault) {
  EXPECT_EQ(Crypt::EncryptString("value", " key\t"), Crypt::EncryptString("value", "key"));
  const std::string defaultKey = Crypt::PrepareKey("");
  EXPECT_EQ(Crypt::EncryptString("value", ""), Crypt::EncryptString("value", defaultKey));
  EXPECT_NE(Crypt::EncryptString("value", "key"), Crypt::EncryptString("value", "kez"));
}

TEST(Crypt, DamageIsReportedNotDeciphered) {
  const std::string enc = Crypt::EncryptString(std::string(70000, 'q'), "key");
  std::string back = "stale";
  std::string bad = enc;
  bad[enc.size() - 3] = bad[enc.size() - 3] == 'a' ? 'b' : 'a';
  EXPECT_FALSE(Crypt::DecryptString(bad, "key", back));
  EXPECT_TRUE(back.empty());
  EXPECT_FALSE(Crypt::DecryptString("not armour at all", "key", back));
  std::string data;
  EXPECT_EQ(Crypt::DecryptFromText("garbage text", "key", data), -1);
  // Another key deciphers without error to other bytes.
  ASSERT_TRUE(Crypt::DecryptString(Crypt::EncryptString("secret", "a"), "b", back));
  EXPECT_NE(back, "secret");
}

TEST(Crypt, BufferOverLimitIsCutAndLongKeysWork) {
  std::string data(Crypt::kMaxBufferLength + 10, 'x');
  std::string out;
  EXPECT_EQ(Crypt::DecryptFromText(Crypt::EncryptToText(data, "k"), "k", out),
            static_cast<int32_t>(Crypt::kMaxBufferLength));
  const std::string longKey(300, 'K');
  std::string back;
  ASSERT_TRUE(Crypt::DecryptString(Crypt::EncryptString("abc", longKey), longKey, back));
  EXPECT_EQ(back, "abc");
}

}  // namespace
