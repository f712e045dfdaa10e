// Helpers shared by the date and time pattern formatter and parser. A pattern
// and a text are handled as sequences of UTF-8 characters, so field widths and
// positions count characters, never bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace DateFunc::Pattern {

// One entry per character: a well-formed UTF-8 sequence, or a stray byte on
// its own. The views point into s.
std::vector<std::string_view> SplitChars(std::string_view s);

// The first run of one pattern letter, in either case.
struct Field {
  size_t pos = 0;      // index of the first character
  size_t width = 0;    // number of characters in the run
  bool upper = false;  // the run starts with the upper-case letter
};

// True when c is the lower-case ASCII letter given, or its upper case.
bool IsLetter(std::string_view c, char lower);

// Finds the first run of the letter (given in lower case). False when the
// pattern does not hold it.
bool FindField(const std::vector<std::string_view>& chars, char lower, Field& field);

// "Leden" for 1 ... "Prosinec" for 12; "Neděle" for 0 (Sunday) ... "Sobota" for
// 6. Empty outside those ranges.
std::string_view MonthName(int month);
std::string_view DayName(int weekday);

// The name cut or blank-filled to exactly width characters; with upper, its
// letters a-z are upper-cased (other characters keep their case).
std::string FitName(std::string_view name, size_t width, bool upper);

// Reads a text of decimal digits only (no sign, no blanks) that fits an int.
bool ParseNumber(std::string_view s, int& value);

// The text without leading and trailing characters up to the blank (control
// characters and blanks).
std::string_view TrimBlanks(std::string_view s);

}  // namespace DateFunc::Pattern
