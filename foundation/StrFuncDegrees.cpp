#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/StrFunc.h"

namespace StrFunc {

std::string DegMinSecToStr(int32_t degrees, int32_t minutes, double seconds, bool negative) {
  long double value = static_cast<long double>(degrees) + minutes / 60.0L + seconds / 3600.0L;
  if (negative) value = -value;
  return Trim(FormatNumber("###############.######", value));
}

bool StrToDegMinSec(std::string_view text, int32_t& degrees, int32_t& minutes, double& seconds,
                    bool& negative) {
  degrees = 0;
  minutes = 0;
  seconds = 0;
  negative = false;
  const std::string cleaned = RemoveBlanks(text);
  double parsed = 0;
  if (cleaned.empty() || !TryStrToFloatS(cleaned, parsed)) return false;
  const long double v = std::fabs(static_cast<long double>(parsed));
  if (v >= 2147483648.0L) return false;
  const long double whole = std::trunc(v);
  const long double f = (v - whole) * 60;
  const long double minutePart = std::trunc(f);
  degrees = static_cast<int32_t>(whole);
  minutes = static_cast<int32_t>(minutePart);
  seconds = static_cast<double>((f - minutePart) * 60);
  negative = parsed < 0;
  return true;
}

}  // namespace StrFunc
