#include "gallery/FixedText.h"

#include <algorithm>
#include <cstring>

#include "foundation/Utf8.h"

namespace FixedText {

void Put(std::span<unsigned char> field, std::string_view text) {
  const size_t capacity = field.size() - 1;
  size_t end = 0;
  while (end < text.size()) {
    size_t length = 0;
    Utf8::DecodeAt(text, end, length);
    if (end + length > capacity) break;
    end += length;
  }
  std::fill(field.begin(), field.end(), 0);
  field[0] = static_cast<unsigned char>(end);
  std::memcpy(&field[1], text.data(), end);
}

std::string Get(std::span<const unsigned char> field) {
  const size_t length = std::min<size_t>(field[0], field.size() - 1);
  return std::string(reinterpret_cast<const char*>(&field[1]), length);
}

}  // namespace FixedText
