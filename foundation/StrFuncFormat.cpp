#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "foundation/StrFunc.h"
#include "foundation/StrFuncInternal.h"

namespace StrFunc {

namespace {

constexpr std::string_view kPictureChars = "#@*$-+,.";
constexpr int kMaxPrintedDecimals = 18;

bool IsPictureChar(char c) { return kPictureChars.find(c) != std::string_view::npos; }
bool IsDigitPlace(char c) { return c == '#' || c == '@' || c == '*' || c == '$'; }
bool IsSignPlace(char c) { return c == '+' || c == '-'; }

// What one part of a field (the number, or the exponent after "E") asks for.
struct Layout {
  size_t point = std::string::npos;  // index of the decimal point in the part
  int leadingPlaces = 0;             // digit places before the point
  int decimals = 0;                  // digit places after the point
  bool hasSignPlace = false;
  bool floatingDollar = false;
  char fill = ' ';
};

Layout Analyse(std::string_view part) {
  Layout layout;
  layout.point = part.find('.');
  bool dollar = false;
  bool at = false;
  for (size_t i = 0; i < part.size(); ++i) {
    const char c = part[i];
    if (IsDigitPlace(c)) {
      if (layout.point != std::string::npos && i > layout.point) {
        ++layout.decimals;
      } else {
        ++layout.leadingPlaces;
      }
    }
    if (c == '@') layout.fill = '0', at = true;
    if (c == '*') layout.fill = '*';
    if (c == '$') dollar = true;
    if (IsSignPlace(c)) layout.hasSignPlace = true;
  }
  layout.floatingDollar = dollar && !at;
  return layout;
}

// The digits of a non-negative value with the given decimals, without the locale.
// Empty for a value that is not a finite number.
std::string PrintFixed(long double value, int decimals) {
  if (!std::isfinite(value)) return {};
  const int printed = std::min(decimals, kMaxPrintedDecimals);
  std::string buf(5000, '\0');  // the largest long double has 4933 digits
  const auto res =
      std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, printed);
  if (res.ec != std::errc()) return {};
  buf.resize(static_cast<size_t>(res.ptr - buf.data()));
  buf.append(static_cast<size_t>(decimals - printed), '0');
  return buf;
}

// Writes the digits of an unsigned number text ("3.14") into one part of the
// field. False when they do not fit into its places.
bool FillPart(std::string& part, const Layout& layout, std::string_view digits, bool negative) {
  const size_t dot = digits.find('.');
  const std::string_view whole = digits.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? "" : digits.substr(dot + 1);
  std::string pending;  // symbols that float just before the first digit
  if (negative && !layout.hasSignPlace) pending += '-';
  if (layout.floatingDollar) pending += '$';
  if (whole.size() + pending.size() > static_cast<size_t>(layout.leadingPlaces)) return false;

  const size_t point = std::min(layout.point, part.size());
  size_t next = 0;
  for (size_t i = point + 1; i < part.size(); ++i) {
    if (IsDigitPlace(part[i])) part[i] = fraction[next++];
  }
  size_t left = whole.size();
  for (size_t i = point; i-- > 0;) {
    const char c = part[i];
    if (IsSignPlace(c)) continue;
    const bool free = IsDigitPlace(c) || (left == 0 && (c == ',' || c == '.'));
    if (!free) continue;
    if (left > 0) {
      part[i] = whole[--left];
    } else if (!pending.empty()) {
      part[i] = pending.back();
      pending.pop_back();
    } else {
      part[i] = layout.fill;
    }
  }
  return true;
}

void ShowSigns(std::string& part, bool negative) {
  for (char& c : part) {
    if (c == '+') c = negative ? '-' : '+';
    if (c == '-') c = negative ? '-' : ' ';
  }
}

void ShowOverflow(std::string& part) {
  for (char& c : part) {
    if (IsDigitPlace(c)) c = '*';
  }
}

// The field without an exponent part.
bool FormatPlain(std::string& field, long double value) {
  const Layout layout = Analyse(field);
  const bool negative = value < 0;
  const std::string digits = PrintFixed(std::fabs(value), layout.decimals);
  const bool fits = !digits.empty() && FillPart(field, layout, digits, negative);
  if (!fits) ShowOverflow(field);
  ShowSigns(field, negative);
  return fits;
}

// The exponent of a to_chars scientific text ("e+02", "e-05").
int ExponentOf(std::string_view text) {
  const bool negative = text.size() > 1 && text[1] == '-';
  int magnitude = 0;
  std::from_chars(text.data() + std::min<size_t>(2, text.size()), text.data() + text.size(),
                  magnitude);
  return negative ? -magnitude : magnitude;
}

// The field split at its "E": a mantissa with one digit before the point, and
// the exponent formatted by the places after the "E".
void FormatWithExponent(std::string& field, size_t e, long double value) {
  std::string mantissa = field.substr(0, e);
  std::string exponent = field.substr(e + 1);
  const Layout layout = Analyse(mantissa);
  const int printed = std::min(layout.decimals, kMaxPrintedDecimals);
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, printed);
  const std::string_view text(buf, res.ec == std::errc() ? static_cast<size_t>(res.ptr - buf) : 0);
  const size_t mark = text.find('e');
  std::string filledMantissa = mantissa;
  std::string filledExponent = exponent;
  bool fits = mark != std::string_view::npos;
  if (fits) {
    std::string digits(text.substr(0, mark));
    digits.append(static_cast<size_t>(layout.decimals - printed), '0');
    fits = FillPart(filledMantissa, layout, digits, value < 0) &&
           FormatPlain(filledExponent, ExponentOf(text.substr(mark)));
  }
  if (fits) {
    mantissa = filledMantissa;
    exponent = filledExponent;
  } else {
    ShowOverflow(mantissa);
    ShowOverflow(exponent);
    ShowSigns(exponent, false);
  }
  ShowSigns(mantissa, value < 0);
  field = mantissa + 'E' + exponent;
}

}  // namespace

std::string FormatNumber(std::string_view picture, long double value) {
  std::string result = ShortString(picture);
  const auto first = std::find_if(result.begin(), result.end(), IsPictureChar);
  if (first == result.end()) return result;
  const auto last =
      std::find_if_not(first, result.end(), [](char c) { return IsPictureChar(c) || c == 'E'; });
  std::string field(first, last);
  const size_t e = field.find('E');
  if (e == std::string::npos) {
    FormatPlain(field, value);
  } else {
    FormatWithExponent(field, e, value);
  }
  std::copy(field.begin(), field.end(), first);
  return result;
}

}  // namespace StrFunc
