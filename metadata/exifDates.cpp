#include "metadata/exif.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "foundation/StrFunc.h"
#include "metadata/exifText.h"

namespace exif {

namespace {

constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// Cuts the text before the first separator and reads it as a whole number;
// the rest follows the separator. Without a separator the whole text is read.
bool TakeNumber(std::string_view& rest, char separator, int& value) {
  const size_t at = separator ? rest.find(separator) : std::string_view::npos;
  const std::string part = StrFunc::Trim(rest.substr(0, at));
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  if (part.empty()) return false;
  const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
  return ec == std::errc() && end == part.data() + part.size();
}

}  // namespace

TDateTime NullDate() {
  TDateTime value = 0;
  DateTime::TryEncodeDate(1900, 1, 1, value);
  return value;
}

bool IsNullDate(TDateTime value) {
  int year, month, day, hour, minute, second, ms;
  if (!DateTime::DecodeDateTime(value, year, month, day, hour, minute, second, ms)) return true;
  if (year == 0 || month == 0 || day == 0) return true;
  return month == 1 && day == 1 && year <= 2000 && hour == 0 && minute == 0 && second == 0;
}

TDateTime ParseExifDate(std::string_view text) {
  std::string s = StrFunc::Trim(text);
  for (char& c : s)
    if (c == '/') c = ':';
  std::string_view rest = s;
  int year, month, day, hour, minute, second;
  TDateTime value;
  if (TakeNumber(rest, ':', year) && TakeNumber(rest, ':', month) && TakeNumber(rest, ' ', day) &&
      TakeNumber(rest, ':', hour) && TakeNumber(rest, ':', minute) &&
      TakeNumber(rest, '\0', second) &&
      DateTime::TryEncodeDateTime(year, month, day, hour, minute, second, 0, value))
    return value;
  return NullDate();
}

std::string FormatDisplayDate(TDateTime value) {
  int year, month, day, hour, minute, second, ms;
  if (!DateTime::DecodeDateTime(value, year, month, day, hour, minute, second, ms)) return {};
  // Day 0 (1899-12-30) was a Saturday.
  const int64_t dayNumber = int64_t(std::trunc(value));
  const int weekday = int(((dayNumber + 6) % 7 + 7) % 7);
  return IntText(day, 2) + '.' + IntText(month, 2) + '.' + IntText(year, 4) + "  " +
         IntText(hour, 2) + ':' + IntText(minute, 2) + ':' + IntText(second, 2) + "   " +
         kDayNames[weekday];
}

}  // namespace exif
