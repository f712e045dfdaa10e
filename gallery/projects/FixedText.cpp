#include "gallery/projects/FixedText.h"

#include <algorithm>
#include <cstring>

#include "foundation/Utf8.h"

namespace FixedText {

void Put(std::span<unsigned char> field, std::string_view text) {
  const std::string_view kept = Utf8::LeftBytes(text, field.size() - 1);
  std::fill(field.begin(), field.end(), 0);
  field[0] = static_cast<unsigned char>(kept.size());
  std::memcpy(&field[1], kept.data(), kept.size());
}

std::string Get(std::span<const unsigned char> field) {
  const size_t length = std::min<size_t>(field[0], field.size() - 1);
  return std::string(reinterpret_cast<const char*>(&field[1]), length);
}

}  // namespace FixedText
