// Internal to the exif unit: small text helpers shared by its sources.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace exif {

// Trailing characters with codes up to 32 (blanks, NULs, line ends) removed.
inline void TrimRightBlanks(std::string& s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.pop_back();
}

// Each CR LF pair becomes one blank.
inline void CrLfToBlank(std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const bool pair = s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n';
    out += pair ? ' ' : s[i];
    i += pair ? 1 : 0;
  }
  s = std::move(out);
}

// "a"-"z" to capitals; other bytes unchanged.
inline std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

// A whole number in decimal, at least minDigits digits with leading zeros.
inline std::string IntText(int64_t value, int minDigits = 1) {
  char buf[24];
  const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  std::string digits(buf, end);
  const bool negative = value < 0;
  const size_t have = digits.size() - (negative ? 1 : 0);
  if (have < size_t(minDigits)) digits.insert(negative ? 1 : 0, size_t(minDigits) - have, '0');
  return digits;
}

}  // namespace exif
