#include "foundation/Utf8.h"

namespace Utf8 {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

char32_t DecodeAt(std::string_view s, size_t pos, size_t& len) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  len = 1;
  if (b0 < 0x80) return b0;
  size_t need = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    need = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    need = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    need = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    return kInvalid;
  }
  if (pos + need >= s.size()) return kInvalid;
  for (size_t i = 1; i <= need; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if (!IsContinuation(b)) return kInvalid;
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not characters.
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kInvalid;
  len = need + 1;
  return cp;
}

bool IsValid(std::string_view s) {
  for (size_t pos = 0; pos < s.size();) {
    size_t len = 0;
    if (DecodeAt(s, pos, len) == kInvalid) return false;
    pos += len;
  }
  return true;
}

void Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

size_t Length(std::string_view s) {
  size_t count = 0;
  for (size_t pos = 0; pos < s.size(); ++count) {
    size_t len = 0;
    DecodeAt(s, pos, len);
    pos += len;
  }
  return count;
}

size_t ByteOffset(std::string_view s, size_t charIndex) {
  size_t pos = 0;
  for (size_t i = 0; i < charIndex && pos < s.size(); ++i) {
    size_t len = 0;
    DecodeAt(s, pos, len);
    pos += len;
  }
  return pos;
}

std::string Left(std::string_view s, size_t count) {
  return std::string(s.substr(0, ByteOffset(s, count)));
}

std::string_view LeftBytes(std::string_view s, size_t maxBytes) {
  size_t end = 0;
  while (end < s.size()) {
    size_t len = 0;
    DecodeAt(s, end, len);
    if (end + len > maxBytes) break;
    end += len;
  }
  return s.substr(0, end);
}

std::u16string ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) {
    size_t len = 0;
    char32_t cp = DecodeAt(s, pos, len);
    pos += len;
    if (cp == kInvalid) cp = 0xFFFD;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string FromUtf16(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    Append(out, cp);
  }
  return out;
}

}  // namespace Utf8
