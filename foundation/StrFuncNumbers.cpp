#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "foundation/StrFunc.h"

namespace StrFunc {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view s, size_t pos) {
  while (pos < s.size() && IsDigit(s[pos])) ++pos;
  return pos;
}

// True when s is a whole decimal number: optional sign, digits with an
// optional "." (at least one digit in all), optional exponent. from_chars
// alone would also take "inf", "nan" and text after the number.
bool IsDecimalNumber(std::string_view s) {
  size_t pos = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  const size_t intEnd = SkipDigits(s, pos);
  size_t digits = intEnd - pos;
  pos = intEnd;
  if (pos < s.size() && s[pos] == '.') {
    const size_t fracEnd = SkipDigits(s, pos + 1);
    digits += fracEnd - pos - 1;
    pos = fracEnd;
  }
  if (digits == 0) return false;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    const size_t expEnd = SkipDigits(s, pos);
    if (expEnd == pos) return false;
    pos = expEnd;
  }
  return pos == s.size();
}

template <typename Float>
bool ParseDecimal(std::string_view s, Float& value) {
  if (!IsDecimalNumber(s)) return false;
  if (s[0] == '+') s.remove_prefix(1);
  Float parsed = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), parsed);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
  value = parsed;
  return true;
}

// Nearest integer, a half going to the even neighbour, whatever the
// floating-point environment says.
long double RoundHalfEven(long double v) {
  const long double below = std::floor(v);
  const long double diff = v - below;
  if (diff > 0.5L || (diff == 0.5L && std::fmod(below, 2.0L) != 0)) return below + 1;
  return below;
}

long double PowerOfTen(int exponent) {
  long double result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

}  // namespace

bool TryStrToIntS(std::string_view text, int32_t& value) {
  value = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const bool hex = !text.empty() && text[0] == '$';
  if (hex) text.remove_prefix(1);
  if (text.empty()) return false;
  uint64_t magnitude = 0;
  const auto res =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, hex ? 16 : 10);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return false;
  int64_t result = 0;
  if (hex) {
    // A hexadecimal text spells the 32 bits themselves, so $FFFFFFFF is -1.
    if (magnitude > 0xFFFFFFFFu) return false;
    result = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    if (negative) result = -result;
  } else {
    if (magnitude > 0x80000000u) return false;
    result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  }
  if (result < std::numeric_limits<int32_t>::min() ||
      result > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  value = static_cast<int32_t>(result);
  return true;
}

bool TryStrToFloatS(std::string_view text, double& value) {
  std::string cleaned;
  for (char c : text) {
    if (c != ' ') cleaned += c == ',' ? '.' : c;
  }
  value = 0;
  return ParseDecimal(cleaned, value);
}

bool TryStrToExtS(std::string_view text, long double& value) {
  std::string trimmed = Trim(text);
  value = 0;
  if (ParseDecimal(trimmed, value)) return true;
  const size_t comma = trimmed.find(',');
  if (comma == std::string::npos || trimmed.find('.') != std::string::npos) return false;
  trimmed[comma] = '.';
  return ParseDecimal(trimmed, value);
}

int64_t RoundToInt64(long double value) {
  if (!std::isfinite(value)) return 0;
  const long double rounded = RoundHalfEven(value);
  constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
  if (rounded < -kLimit || rounded >= kLimit) return 0;
  return static_cast<int64_t>(rounded);
}

double RoundTo(uint8_t decimals, double value) {
  const long double scale = PowerOfTen(decimals);
  const long double scaled = static_cast<long double>(value) * scale;
  if (!std::isfinite(scaled)) return value;
  return static_cast<double>(RoundHalfEven(scaled) / scale);
}

}  // namespace StrFunc
