// Reading day numbers and seconds from text by letter patterns.
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DateFuncPattern.h"
#include "foundation/StrFunc.h"

namespace DateFunc {

namespace {

using Chars = std::vector<std::string_view>;
using Pattern::Field;

bool IsDigit(std::string_view c) { return c.size() == 1 && c[0] >= '0' && c[0] <= '9'; }

size_t Find(const Chars& chars, size_t from, std::string_view c) {
  for (size_t i = from; i < chars.size(); ++i)
    if (chars[i] == c) return i;
  return chars.size();
}

// Brings a text whose fields are shorter than the pattern's into the
// pattern's places: at each separator the field before it is trimmed and
// filled with "0" at the front to the width of the pattern up to the same
// separator ("1.2.2007" against "dd.mm.yyyy" becomes "01.02.2007"). A
// separator the rest of the pattern lacks leaves the text as it is.
Chars Align(const Chars& pattern, const Chars& text) {
  Chars aligned;
  Chars field;
  size_t patternPos = 0;
  for (std::string_view c : text) {
    if (IsDigit(c) || c == " ") {
      field.push_back(c);
      continue;
    }
    const size_t sep = Find(pattern, patternPos, c);
    if (sep == pattern.size()) return text;
    size_t first = 0, last = field.size();
    while (first < last && field[first] == " ") ++first;
    while (last > first && field[last - 1] == " ") --last;
    for (size_t n = last - first; n < sep - patternPos; ++n) aligned.push_back("0");
    aligned.insert(aligned.end(), field.begin() + static_cast<ptrdiff_t>(first),
                   field.begin() + static_cast<ptrdiff_t>(last));
    aligned.push_back(c);
    patternPos = sep + 1;
    field.clear();
  }
  aligned.insert(aligned.end(), field.begin(), field.end());
  return aligned;
}

// The fields of a text aligned to its pattern.
class Reader {
 public:
  Reader(std::string_view pattern, std::string_view text)
      : pattern_(Pattern::SplitChars(pattern)),
        text_(Align(pattern_, Pattern::SplitChars(text))),
        defaults_(text_.size() < pattern_.size()) {}

  bool Has(char letter) const {
    Field field;
    return Pattern::FindField(pattern_, letter, field);
  }

  // The number under the letter's field, blanks ignored; fallback when the
  // pattern lacks the letter or the text is too short to read. False for an
  // empty field or one that is not a number.
  bool Number(char letter, int fallback, int& value) const {
    Field field;
    if (defaults_ || !Pattern::FindField(pattern_, letter, field)) {
      value = fallback;
      return true;
    }
    std::string digits;
    for (size_t i = field.pos; i < field.pos + field.width; ++i)
      if (text_[i] != " ") digits += text_[i];
    return Pattern::ParseNumber(digits, value);
  }

  // The month (1-12) whose name, cut or filled to the field as the text is,
  // matches the text without regard to case. False when none does.
  bool MonthByName(int& month) const {
    Field field;
    if (defaults_ || !Pattern::FindField(pattern_, 'n', field)) return false;
    std::string name;
    for (size_t i = field.pos; i < field.pos + field.width; ++i) name += text_[i];
    const std::string wanted = StrFunc::UpperCaseCz(Pattern::FitName(name, field.width, false));
    for (month = 1; month <= 12; ++month) {
      const std::string_view candidate = Pattern::MonthName(month);
      if (StrFunc::UpperCaseCz(Pattern::FitName(candidate, field.width, false)) == wanted)
        return true;
    }
    return false;
  }

  // The character at the first place of the letter; a blank when the pattern
  // lacks it or the text is too short.
  char At(char letter) const {
    Field field;
    if (defaults_ || !Pattern::FindField(pattern_, letter, field)) return ' ';
    const std::string_view c = text_[field.pos];
    return c.size() == 1 ? c[0] : '\0';
  }

 private:
  Chars pattern_;
  Chars text_;
  bool defaults_;
};

// Applies the am/pm letter to a 12-hour clock reading. False for a letter
// other than a blank, "A" or "P", or an hour the 12-hour clock lacks.
bool ApplyAmPm(char amPm, int& hour) {
  switch (amPm) {
    case ' ':
      return true;
    case 'A':
    case 'a':
      if (hour < 1 || hour > 12) return false;
      if (hour == 12) hour = 0;
      return true;
    case 'P':
    case 'p':
      if (hour < 1 || hour > 12) return false;
      if (hour < 12) hour += 12;
      return true;
    default:
      return false;
  }
}

}  // namespace

int32_t StrToDayNum(std::string_view pattern, std::string_view text) {
  const Reader reader(pattern, text);
  int day = 0, month = 0, year = 0;
  if (!reader.Number('d', 1, day) || !reader.Number('y', 0, year)) return -1;
  if (reader.Has('n')) {
    if (!reader.MonthByName(month)) return -1;
  } else if (!reader.Number('m', 0, month)) {
    return -1;
  }
  return DMYToDayNum(day, month, year);
}

int32_t StrToSeconds(std::string_view pattern, std::string_view text) {
  const Reader reader(pattern, text);
  int hour = 0, minute = 0, second = 0;
  if (!reader.Number('h', 0, hour) || !reader.Number('m', 0, minute) ||
      !reader.Number('s', 0, second))
    return -1;
  if (!ApplyAmPm(reader.At('t'), hour)) return -1;
  const char m = reader.At('e');
  if (m != ' ' && m != 'M' && m != 'm') return -1;
  if (!IsValidTime(hour, minute, second)) return -1;
  return EncodeSeconds(hour, minute, second);
}

int32_t StrToDayNumStrict(std::string_view pattern, std::string_view text) {
  const int32_t dayNum = StrToDayNum(pattern, text);
  return dayNum >= 0 && FormatDayNum(pattern, dayNum) == text ? dayNum : -1;
}

int32_t StrToSecondsStrict(std::string_view pattern, std::string_view text) {
  const int32_t seconds = StrToSeconds(pattern, text);
  return seconds >= 0 && FormatSeconds(pattern, seconds) == text ? seconds : -1;
}

}  // namespace DateFunc
