// The text toolbox of the whole program: trimming, Czech and Slovak case
// rules, paths, padding, number texts, pictures, masks, GPS degrees and
// command-line switches.
//
// Text is UTF-8. Lengths, widths and positions count characters (code
// points), not bytes. Functions that return a "short string" cut their result
// at 255 characters. Nothing here depends on the C or Qt locale, and nothing
// throws on bad text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/DateTime.h"

namespace StrFunc {

// --- Text -------------------------------------------------------------------

// Leading and trailing characters with codes 0-32 removed.
std::string Trim(std::string_view s);
// Every character with a code below 33 removed, wherever it stands.
std::string RemoveBlanks(std::string_view s);
// "a"-"z" and the Czech and Slovak small letters (á ä ĺ č é ě í ď ň ó ö ř ů ú
// ü ý ŕ š ť ž ľ) to their capitals; every other character unchanged.
std::string UpperCaseCz(std::string_view s);
// UpperCaseCz(a) compared with UpperCaseCz(b) byte by byte (< 0, 0, > 0),
// without making either: for sorting and finding among many names.
int CompareUpperCaseCz(std::string_view a, std::string_view b);
// The exact inverse of UpperCaseCz.
std::string LowerCaseCz(std::string_view s);

// Fill to len characters; a longer s is returned unchanged. ch is an ASCII
// character.
std::string PadLeftS(std::string_view s, int len);
std::string PadRightS(std::string_view s, int len);
std::string PadLeftCh(std::string_view s, char ch, int len);
std::string PadRightCh(std::string_view s, char ch, int len);
std::string StringOfCharS(char ch, int count);

// Every character whose ASCII upper case equals that of oldCh becomes newCh.
// Nothing happens when either is not an ASCII character.
void ReplaceLetterCI(std::string& s, char oldCh, char newCh);
// When from and to hold equally many characters, each character of s found in
// from (first occurrence counts) becomes the character at the same place in
// to; otherwise s is returned unchanged.
std::string TranslateChars(std::string_view s, std::string_view from, std::string_view to);

std::string IntToStrS(int32_t value);
std::string Int64ToStrS(int64_t value);
// The low 16 bits as 4, or all 32 bits as 8, upper-case hexadecimal digits.
std::string WordToHex(uint32_t value);
std::string LongToHex(uint32_t value);

// --- Paths ------------------------------------------------------------------
// Paths are separated by "/" only: a Linux file name may hold "\" and ":".

// "/" appended unless the path is empty or already ends with "/".
std::string IncludeBackslash(std::string_view path);
// One trailing "/" removed.
std::string ExcludeBackslash(std::string_view path);
// The folder part: empty when there is no "/", "/" for a file in the root,
// otherwise the text before the last "/".
std::string ExtractDir(std::string_view path);
// The text after the last "/"; the whole text when there is none.
std::string ExtractName(std::string_view path);
// ExtractName cut before its last "."; unchanged when it holds no ".".
std::string ExtractNameNoExt(std::string_view path);
// The text after the last ".", without the dot; empty when there is none or
// when that dot stands in a folder name.
std::string ExtractExt(std::string_view path);
// ext given without a dot: replaces the last extension (a name ending in "."
// just gets ext), or appends one; an empty name gives an empty result.
std::string ChangeExt(std::string_view name, std::string_view ext);

// The long-path rule: "\\?\" is added to a path of more than 200 characters
// that does not begin with "\\", and removed from a prefixed path of fewer than
// 200 characters (prefix included); anything else is returned unchanged.
std::string LongPathName(std::string_view path);
std::u16string LongPathNameW(std::u16string_view path);
// Drops a leading "\\?\"; the form a path takes before it reaches the system.
std::string StripLongPathPrefix(std::string_view path);

// A relative path made absolute against the current folder; an empty path
// gives the current folder; an absolute one, or one beginning with "\\", is
// returned unchanged. Empty when the current folder cannot be read.
std::string ExpandPath(std::string_view path);
// The program's private temporary folder with a trailing "/"; empty on failure.
std::string GetTempDir();

// Extension groups; the extension (without the dot) is trimmed and compared
// without regard to case.
bool IsDiskImageExt(std::string_view ext);
bool IsArchiveExt(std::string_view ext);
bool IsVideoExt(std::string_view ext);
bool IsAudioExt(std::string_view ext);
// BAK BBF BBC BMP TIFF TIF RAW ESP, or any extension of the four groups above.
bool IsBulkDataExt(std::string_view ext);

// --- DOS date stamps --------------------------------------------------------

// Decodes a DOS date-time stamp; when it is not valid, clamps it
// (DosDateTimeClamped); when that fails too, 1980-01-01 00:00:00.
TDateTime FileDateToDateTimeSafe(uint32_t stamp);
// A stamp with an out-of-range month, day or time brought into range: month to
// 12, day to the month's last, time to 23:59:59. A stamp of 1980, or one with a
// month past 12 before 1985, gives 1 January of its year. False for a stamp
// that cannot be mended (month or day 0).
bool DosDateTimeClamped(uint32_t stamp, TDateTime& result);

// --- Numbers ----------------------------------------------------------------

// The whole text must be an integer: optional sign, decimal digits, or
// hexadecimal after "$" (the 32 bits themselves: "$FFFFFFFF" is -1). False
// (value 0) otherwise.
bool TryStrToIntS(std::string_view text, int32_t& value);
// Spaces removed and "," read as "."; false with value 0 on failure.
bool TryStrToFloatS(std::string_view text, double& value);
// Trimmed, read with "."; failing that, a text with no "." but a "," is read
// with its first "," as "."; false with value 0 on failure.
bool TryStrToExtS(std::string_view text, long double& value);
// Nearest integer, halves to even; 0 when the value cannot be represented.
int64_t RoundToInt64(long double value);
// value rounded to the given decimals, halves to even.
double RoundTo(uint8_t decimals, double value);
// Formats value by a "#" picture ("####.##"): digit places "#", "@", "*", "$",
// sign places "+" and "-", "." and "," as they stand. The decimal mark is
// always "."; an overflow shows "*" in every digit place. An "E" in the field
// shows a mantissa with one digit before the point and, after the "E", its
// exponent formatted by the places there ("#.##E+@@" gives "1.23E+04").
// Characters outside the field are copied; the picture's first 255
// characters count.
std::string FormatNumber(std::string_view picture, long double value);

// --- GPS degrees ------------------------------------------------------------

// Signed decimal degrees with six decimals ("50.083333", "-50.083333").
std::string DegMinSecToStr(int32_t degrees, int32_t minutes, double seconds, bool negative);
// Decimal degrees ("," or ".") to degrees, minutes, seconds and sign. False
// with all outputs 0 for an empty or unreadable text.
bool StrToDegMinSec(std::string_view text, int32_t& degrees, int32_t& minutes, double& seconds,
                    bool& negative);

// --- Masks and switches -----------------------------------------------------

// "*" matches any run of characters (also none), "?" exactly one character.
bool MatchesMask(std::string_view text, std::string_view mask, bool caseSensitive);

// The index (1 = first) of the first argument that is the switch name, given
// with "/", "-", "--" or "\" in any case (with allowValue also as "/name=x");
// 0 when there is none.
int FindCmdLineSwitch(const std::vector<std::string>& args, std::string_view name,
                      bool allowValue);
// The same over the program's own arguments.
int FindCmdLineSwitch(std::string_view name, bool allowValue);
bool HasCmdLineSwitch(std::string_view name, bool allowValue);

// How long a message of this text stays on screen, in milliseconds.
int32_t ReadingTimeMs(std::string_view text);

}  // namespace StrFunc
