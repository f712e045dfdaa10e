// Fixed-capacity text fields of stored records: a length byte followed by up
// to capacity - 1 bytes of UTF-8 text, zeros after it.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace FixedText {

// Writes text into field, cut on a character boundary to fit; the rest of the
// field becomes zeros. REQUIRES: 2 <= field.size() <= 256.
void Put(std::span<unsigned char> field, std::string_view text);

// The text of a field; a length byte beyond the field counts as the field's
// capacity.
std::string Get(std::span<const unsigned char> field);

}  // namespace FixedText
