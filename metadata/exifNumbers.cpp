#include "metadata/exif.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "metadata/exifText.h"

namespace exif {

std::string FormatGeneral(double value, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  precision = precision < 1 ? 1 : precision > 18 ? 18 : precision;

  // Scientific form rounds the exact binary value to precision digits, a
  // tie going to the even digit: "-d.ddde-XX".
  char buf[64];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1).ptr;
  std::string_view s(buf, size_t(end - buf));
  std::string out;
  if (s.front() == '-') {
    out = "-";
    s.remove_prefix(1);
  }
  const size_t e = s.find('e');
  std::string digits(1, s[0]);
  if (e > 1) digits.append(s.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string_view expText = s.substr(e + 1);
  if (expText.front() == '+') expText.remove_prefix(1);
  int exp = 0;
  std::from_chars(expText.data(), expText.data() + expText.size(), exp);

  if (exp >= -4 && exp < precision) {
    if (exp < 0) {
      out += "0.";
      out.append(size_t(-exp - 1), '0');
      out += digits;
    } else if (digits.size() <= size_t(exp) + 1) {
      out += digits;
      out.append(size_t(exp) + 1 - digits.size(), '0');
    } else {
      out += digits.substr(0, size_t(exp) + 1);
      out += '.';
      out += digits.substr(size_t(exp) + 1);
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += '.';
    out += digits.substr(1);
  }
  out += 'E';
  out += IntText(exp);
  return out;
}

}  // namespace exif
