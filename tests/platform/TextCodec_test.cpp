#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextCodec, EncodingKeepsEveryLetterAsAByteOfTheSetOrAReference) {
  // "Žluťoučký kůň" differs between the sets: Ž, ť and ů are 0xAE, 0xBB,
  // 0xF9 in ISO-8859-2 but 0x8E, 0x9D, 0xF9 in windows-1250; ISO-8859-1
  // lacks them and takes references.
  const std::string text = "Žluťoučký kůň €";
  const struct {
    const char* charset;
    std::string expected;
  } cases[] = {
      {"ISO-8859-2", "\xAElu\xBBou\xE8k\xFD k\xF9\xF2 &#8364;"},
      {"windows-1250", "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2 \x80"},
      {"ISO-8859-1", "&#381;lu&#357;ou&#269;k\xFD k&#367;&#328; &#8364;"},
      {"UTF-8", text},
  };
  for (const auto& c : cases) {
    std::string out;
    ASSERT_TRUE(platform::EncodeWithReferences(text, c.charset, out)) << c.charset;
    EXPECT_EQ(out, c.expected) << c.charset;
  }
}

TEST(TextCodec, BrokenUtf8BecomesReplacementReferencesAndAnUnknownSetFails) {
  std::string out;
  // A lone continuation byte, a cut sequence, an overlong "/" and a
  // surrogate: each byte that is no character stands for itself only.
  ASSERT_TRUE(platform::EncodeWithReferences("a\x80" "b\xC3", "ISO-8859-1", out));
  EXPECT_EQ(out, "a&#65533;b&#65533;");
  ASSERT_TRUE(platform::EncodeWithReferences("\xC0\xAFx\xED\xA0\x80", "ISO-8859-1", out));
  EXPECT_EQ(out, "&#65533;&#65533;x&#65533;&#65533;&#65533;");
  EXPECT_FALSE(platform::EncodeWithReferences("abc", "no-such-charset", out));
  EXPECT_EQ(out, "");
}

TEST(TextCodec, Windows1250DecodesAndMarksItsUndefinedBytes) {
  EXPECT_EQ(platform::Windows1250ToUtf8("Plze\xF2 n\xE1m\xECst\xED"), "Plzeň náměstí");
  EXPECT_EQ(platform::Windows1250ToUtf8("a\x81z"), "a\xEF\xBF\xBDz");
}

}  // namespace
