// Reading dates and times whose pattern is not known in advance.
#include <string>
#include <utility>

#include "foundation/DateFunc.h"
#include "foundation/DateFuncPattern.h"
#include "foundation/Utf8.h"

namespace DateFunc {

namespace {

// Splits "a<sep>b<sep>c" (c takes the rest, separators included) into three
// trimmed numbers. False unless all three are non-empty whole numbers.
bool SplitThree(std::string_view text, char sep, int& a, int& b, int& c) {
  const size_t first = text.find(sep);
  if (first == std::string_view::npos) return false;
  const size_t second = text.find(sep, first + 1);
  if (second == std::string_view::npos) return false;
  using Pattern::ParseNumber;
  using Pattern::TrimBlanks;
  return ParseNumber(TrimBlanks(text.substr(0, first)), a) &&
         ParseNumber(TrimBlanks(text.substr(first + 1, second - first - 1)), b) &&
         ParseNumber(TrimBlanks(text.substr(second + 1)), c);
}

std::string ReplaceAny(std::string_view text, std::string_view from, char to) {
  std::string result(text);
  for (char& c : result)
    if (from.find(c) != std::string_view::npos) c = to;
  return result;
}

// Day, month and year in any usual order: a first number of 32 or more with
// a last one of at most 31 is a year first; then a middle number of 13 or
// more with a first one of at most 12 is a month first.
int32_t FreeFormDayNum(std::string_view text) {
  const std::string unified = ReplaceAny(Pattern::TrimBlanks(text), ",-./\\_", '-');
  int a = 0, b = 0, c = 0;
  if (!SplitThree(unified, '-', a, b, c)) return -1;
  if (a >= 32 && c <= 31) std::swap(a, c);
  if (b >= 13 && a <= 12) std::swap(a, b);
  return DMYToDayNum(a, b, c);
}

}  // namespace

int32_t StrToDayNumAuto(std::string_view text) {
  for (std::string_view pattern : {"yyyy-mm-dd", "dd.mm.yyyy", "yyyymmdd"}) {
    const int32_t dayNum = StrToDayNumStrict(pattern, text);
    if (dayNum > 0) return dayNum;
  }
  const int32_t dayNum = FreeFormDayNum(text);
  return dayNum > 0 ? dayNum : -1;
}

int32_t StrToSecondsAuto(std::string_view text) {
  const std::string unified = ReplaceAny(text, ".-/\\,_", ':');
  const size_t length = Utf8::Length(unified);
  const std::string_view pattern = length == 8   ? "hh:mm:ss"
                                   : length == 5 ? "hh:mm"
                                   : length == 6 ? "hhmmss"
                                                 : "";
  if (!pattern.empty()) {
    const int32_t seconds = StrToSecondsStrict(pattern, unified);
    if (seconds >= 0) return seconds;
  }
  int hour = 0, minute = 0, second = 0;
  if (!SplitThree(unified, ':', hour, minute, second)) return -1;
  return EncodeSeconds(hour, minute, second);
}

TDateTime StrToDateTimeS(std::string_view text) {
  const size_t blank = text.find(' ');
  const int32_t dayNum = StrToDayNumAuto(text.substr(0, blank));
  if (dayNum < 0) return 0;
  int32_t seconds = 0;
  if (blank != std::string_view::npos) seconds = StrToSecondsAuto(text.substr(blank + 1));
  return DayNumSecondsToDateTime(dayNum, seconds < 0 ? 0 : seconds);
}

}  // namespace DateFunc
