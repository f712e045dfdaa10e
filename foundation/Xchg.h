// Table-driven character translation. The tables belong to the callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Xchg {

// Each of the count bytes found in fromTable (first match) is replaced by the
// byte at the same place of toTable; bytes not found stay.
void TranslateBuffer(uint8_t* buffer, size_t count, const uint8_t* fromTable,
                     const uint8_t* toTable, size_t tableLength);
// Characters with codes above 90 ("Z") found in from at place p become to[p]
// when p lies within the shorter of the two tables. Counts characters.
std::string TranslateString(std::string_view s, std::string_view from, std::string_view to);
// True when s holds a spacing accent: caron "ˇ", degree "°" or acute "´".
bool HasAccentMarks(std::string_view s);

}  // namespace Xchg
