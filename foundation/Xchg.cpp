#include "foundation/Xchg.h"

#include <algorithm>
#include <array>

#include "foundation/StrFuncInternal.h"
#include "foundation/Utf8.h"

namespace Xchg {

void TranslateBuffer(uint8_t* buffer, size_t count, const uint8_t* fromTable,
                     const uint8_t* toTable, size_t tableLength) {
  if (buffer == nullptr || fromTable == nullptr || toTable == nullptr) return;
  // Walked backwards so the first occurrence of a byte in fromTable wins.
  std::array<int, 256> place;
  place.fill(-1);
  for (size_t i = tableLength; i-- > 0;) place[fromTable[i]] = static_cast<int>(i);
  for (size_t i = 0; i < count; ++i) {
    const int p = place[buffer[i]];
    if (p >= 0) buffer[i] = toTable[p];
  }
}

std::string TranslateString(std::string_view s, std::string_view from, std::string_view to) {
  const std::u32string fromChars = StrFunc::ToChars(from);
  const std::u32string toChars = StrFunc::ToChars(to);
  const size_t usable = std::min(fromChars.size(), toChars.size());
  std::string out;
  for (size_t pos = 0; pos < s.size();) {
    size_t len = 0;
    const char32_t c = Utf8::DecodeAt(s, pos, len);
    const size_t p = (c != Utf8::kInvalid && c > U'Z') ? fromChars.find(c) : std::u32string::npos;
    if (p < usable && toChars[p] < StrFunc::kStrayByte) {
      Utf8::Append(out, toChars[p]);
    } else {
      out.append(s.substr(pos, len));
    }
    pos += len;
  }
  return StrFunc::ShortString(out);
}

bool HasAccentMarks(std::string_view s) {
  for (size_t pos = 0; pos < s.size();) {
    size_t len = 0;
    const char32_t c = Utf8::DecodeAt(s, pos, len);
    if (c == U'ˇ' || c == U'°' || c == U'´') return true;
    pos += len;
  }
  return false;
}

}  // namespace Xchg
