#include "foundation/config/simplestrfunc.h"

#include <charconv>
#include <cmath>

#include "foundation/StrFunc.h"

namespace simplestrfunc {

namespace {

constexpr std::string_view kEscapeDigits = "0123456789abcdefghijklmnopqrstuv";
constexpr std::string_view kEscapeOpen = "\\?<";
constexpr std::string_view kEscapeClose = ">?/";
constexpr std::string_view kHexPrefix = "HEX:";

std::string_view StripLineEnds(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string_view SkipPlus(std::string_view s) {
  return (!s.empty() && s.front() == '+') ? s.substr(1) : s;
}

}  // namespace

std::string EscapeValue(std::string_view s) {
  s = StripLineEnds(s);
  bool needed = false;
  for (char c : s) needed = needed || static_cast<unsigned char>(c) < 32;
  if (!needed) return std::string(s);
  std::string out(kEscapeOpen);
  for (char c : s) {
    const auto uc = static_cast<unsigned char>(c);
    if (uc < 32) {
      out += '\\';
      out += kEscapeDigits[uc];
    } else if (c == '\\') {
      out += "\\x";
    } else {
      out += c;
    }
  }
  return out + std::string(kEscapeClose);
}

std::string UnescapeValue(std::string_view s) {
  s = StripLineEnds(s);
  if (s.size() < kEscapeOpen.size() + kEscapeClose.size() || !s.starts_with(kEscapeOpen) ||
      !s.ends_with(kEscapeClose)) {
    return std::string(s);
  }
  s = s.substr(kEscapeOpen.size(), s.size() - kEscapeOpen.size() - kEscapeClose.size());
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (++i == s.size()) break;
    const size_t code = kEscapeDigits.find(s[i]);
    if (code != std::string_view::npos) {
      out += static_cast<char>(code);
    } else if (s[i] == 'x') {
      out += '\\';
    }
  }
  return std::string(StripLineEnds(out));
}

std::string StreamToHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(kHexPrefix);
  out.reserve(kHexPrefix.size() + 2 * bytes.size());
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

size_t HexToStream(std::string_view text, std::string& bytes) {
  std::string digits = text.starts_with(kHexPrefix) ? StrFunc::Trim(text.substr(kHexPrefix.size()))
                                                    : std::string(text);
  size_t count = 0;
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    const int hi = HexDigit(digits[i]);
    const int lo = HexDigit(digits[i + 1]);
    if (hi < 0 || lo < 0) break;
    bytes += static_cast<char>(hi * 16 + lo);
    ++count;
  }
  return count;
}

bool ParseFloat(std::string_view text, int64_t& whole, double& value) {
  whole = 0;
  value = 0;
  std::string s(text);
  const size_t comma = s.find(',');
  if (comma != std::string::npos) s[comma] = '.';
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  if (StrToInt64Ok(s, whole)) {
    value = static_cast<double>(whole);
    return true;
  }
  const std::string_view body = SkipPlus(s);
  double parsed = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), parsed);
  if (body.empty() || ec != std::errc() || end != body.data() + body.size() ||
      !std::isfinite(parsed)) {
    return false;
  }
  if (parsed == 0) return true;
  value = parsed;
  const double rounded = std::nearbyint(parsed);
  if (std::fabs(rounded) < 9.2e18) whole = static_cast<int64_t>(rounded);
  return false;
}

bool StrToIntOk(std::string_view text, int32_t& value) {
  int64_t wide = 0;
  if (!StrToInt64Ok(text, wide) || wide < INT32_MIN || wide > INT32_MAX) return false;
  value = static_cast<int32_t>(wide);
  return true;
}

bool StrToInt64Ok(std::string_view text, int64_t& value) {
  const std::string_view body = SkipPlus(text);
  if (body.empty() || (body.size() != text.size() && body.front() == '-')) return false;
  int64_t parsed = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), parsed);
  if (ec != std::errc() || end != body.data() + body.size()) return false;
  value = parsed;
  return true;
}

bool TextToBool(std::string_view text) {
  const std::string upper = StrFunc::UpperCaseCz(StrFunc::Trim(text));
  int64_t number = 0;
  if (StrToInt64Ok(upper, number)) return number != 0;
  return upper == "ON" || upper == "TRUE" || upper == "ANO" || upper == "YES";
}

std::string BoolToText(std::string_view stored, bool value) {
  static constexpr struct {
    std::string_view upperTrue, upperFalse, yes, no;
  } kStyles[] = {
      {"ON", "OFF", "On", "Off"},
      {"YES", "NO", "Yes", "No"},
      {"ANO", "NE", "Ano", "Ne"},
      {"1", "0", "1", "0"},
  };
  const std::string upper = StrFunc::UpperCaseCz(StrFunc::Trim(stored));
  for (const auto& style : kStyles) {
    if (upper == style.upperTrue || upper == style.upperFalse) {
      return std::string(value ? style.yes : style.no);
    }
  }
  return value ? "True" : "False";
}

std::string FloatToText(double value) {
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

}  // namespace simplestrfunc
