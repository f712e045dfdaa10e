// UTF-8 character handling for the program's text. A byte that does not start
// a well-formed sequence counts as one character of its own and is kept as it
// is, so no function here loses or invents bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Utf8 {

// Marks a byte that is not part of a well-formed sequence.
constexpr char32_t kInvalid = 0xFFFFFFFF;

// True when the whole text is well-formed UTF-8.
bool IsValid(std::string_view s);

// The character starting at byte pos: its code point (kInvalid for a stray
// byte) and, in len, its length in bytes (at least 1). REQUIRES: pos < size.
char32_t DecodeAt(std::string_view s, size_t pos, size_t& len);

// Appends the UTF-8 form of a code point.
void Append(std::string& out, char32_t codePoint);

// The number of characters.
size_t Length(std::string_view s);

// The byte offset of the character with the given 0-based index; s.size()
// when the text is shorter.
size_t ByteOffset(std::string_view s, size_t charIndex);

// The first count characters (all of s when it is shorter).
std::string Left(std::string_view s, size_t count);

// The longest start of s of at most maxBytes bytes that ends on a
// character boundary.
std::string_view LeftBytes(std::string_view s, size_t maxBytes);

// The form of the text in UTF-16 and back; stray bytes become U+FFFD.
std::u16string ToUtf16(std::string_view s);
std::string FromUtf16(std::u16string_view s);

}  // namespace Utf8
