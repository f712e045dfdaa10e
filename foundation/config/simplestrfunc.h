// Value texts shared by both settings storages: escaping of control
// characters, "HEX:" byte texts and number parsing. Nothing here depends on the
// locale or throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace simplestrfunc {

// Trailing CR and LF removed. A text with a character below 32 is wrapped as
// "\?<" + text + ">?/", each such character written as "\" and the character
// at its code's place in "0123456789abcdefghijklmnopqrstuv", and each "\" as
// "\x"; any other text is returned unchanged.
std::string EscapeValue(std::string_view s);
// Reverses EscapeValue; a text without both wrappers is only stripped of
// trailing CR and LF. A "\" before any other character is dropped with it.
std::string UnescapeValue(std::string_view s);

// "HEX:" and two upper-case hexadecimal digits per byte.
std::string StreamToHex(std::string_view bytes);
// The digits after "HEX:" (trimmed), or of the whole text without that prefix,
// appended to bytes two by two; stops at the first pair that is not two
// hexadecimal digits. Returns the number of bytes appended.
size_t HexToStream(std::string_view text, std::string& bytes);

// Reads a number with "." or "," as the decimal mark, trailing zeros after the
// mark ignored. A whole number sets both outputs and gives true; another
// number sets value and its nearest whole number (halves to even) and gives
// false, except zero, which gives true; an unreadable text gives both 0 and
// false.
bool ParseFloat(std::string_view text, int64_t& whole, double& value);

// True (and value) only when the whole text is a decimal 32-bit number.
bool StrToIntOk(std::string_view text, int32_t& value);
// The same for 64-bit numbers. An optional "+" or "-" may lead.
bool StrToInt64Ok(std::string_view text, int64_t& value);

// A stored Boolean text: a whole number is true when not 0; otherwise true
// exactly for "ON", "TRUE", "ANO", "YES" and "1" in any letter case.
bool TextToBool(std::string_view text);
// The text for value in the style of the stored text: "On"/"Off",
// "Yes"/"No", "Ano"/"Ne", "1"/"0", otherwise "True"/"False".
std::string BoolToText(std::string_view stored, bool value);

// The shortest text that reads back as the same double, with "." as the mark.
std::string FloatToText(double value);

}  // namespace simplestrfunc
