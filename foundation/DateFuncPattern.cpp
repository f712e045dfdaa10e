#include "foundation/DateFuncPattern.h"

#include <charconv>

#include "foundation/Utf8.h"

namespace DateFunc::Pattern {

namespace {

constexpr std::string_view kMonthNames[12] = {"Leden",  "Únor",   "Březen",   "Duben",
                                              "Květen", "Červen", "Červenec", "Srpen",
                                              "Září",   "Říjen",  "Listopad", "Prosinec"};

constexpr std::string_view kDayNames[7] = {"Neděle",  "Pondělí", "Úterý", "Středa",
                                           "Čtvrtek", "Pátek",   "Sobota"};

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::vector<std::string_view> SplitChars(std::string_view s) {
  std::vector<std::string_view> chars;
  chars.reserve(s.size());
  size_t pos = 0;
  while (pos < s.size()) {
    size_t len = 1;
    Utf8::DecodeAt(s, pos, len);
    chars.push_back(s.substr(pos, len));
    pos += len;
  }
  return chars;
}

bool IsLetter(std::string_view c, char lower) {
  return c.size() == 1 && (c[0] == lower || c[0] == AsciiUpper(lower));
}

bool FindField(const std::vector<std::string_view>& chars, char lower, Field& field) {
  for (size_t i = 0; i < chars.size(); ++i) {
    if (!IsLetter(chars[i], lower)) continue;
    size_t end = i + 1;
    while (end < chars.size() && IsLetter(chars[end], lower)) ++end;
    field = Field{i, end - i, chars[i][0] != lower};
    return true;
  }
  return false;
}

std::string_view MonthName(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string_view();
}

std::string_view DayName(int weekday) {
  return weekday >= 0 && weekday <= 6 ? kDayNames[weekday] : std::string_view();
}

std::string FitName(std::string_view name, size_t width, bool upper) {
  std::string fitted;
  size_t count = 0;
  for (std::string_view c : SplitChars(name)) {
    if (count == width) break;
    for (char b : c) fitted += upper ? AsciiUpper(b) : b;
    ++count;
  }
  fitted.append(width - count, ' ');
  return fitted;
}

bool ParseNumber(std::string_view s, int& value) {
  if (s.empty() || s.front() < '0' || s.front() > '9') return false;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size();
}

std::string_view TrimBlanks(std::string_view s) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace DateFunc::Pattern
