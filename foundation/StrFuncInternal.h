// Helpers shared by the StrFunc sources; not part of its interface.
#pragma once

#include <string>
#include <string_view>

namespace StrFunc {

// The most characters a short-string result holds.
constexpr int kShortStringMax = 255;

// The first 255 characters of s, cut on a character boundary.
std::string ShortString(std::string_view s);

// Where ToChars puts a stray byte b: kStrayByte + b, past every code point, so
// that different stray bytes stay different.
constexpr char32_t kStrayByte = 0x110000;

// The characters of s as code points, stray bytes as above.
std::u32string ToChars(std::string_view s);

}  // namespace StrFunc
