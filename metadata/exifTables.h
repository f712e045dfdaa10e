// Internal to the exif unit: the value texts of enumerated tags and of the
// settings packed into the Canon arrays. The tables are in exifTags.cpp.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace exif {

// True when the SHORT values of the tag have texts.
bool HasEnumTexts(uint8_t kind, uint16_t tag);
// The text of one value; nullptr when the value has none.
const char* FindEnumText(uint8_t kind, uint16_t tag, uint32_t value);

// The GPS reference tags (1, 3, 9, 10, 12, 14, 16, 19, 21, 23, 25) and the
// text of a one-letter, upper-cased value; nullptr for any other value.
bool IsGpsRefTag(uint16_t tag);
const char* FindGpsRefText(uint16_t tag, std::string_view upperValue);

// How a setting of a Canon array is shown.
enum class CanonShow {
  kText,        // the value's text; no row for a value without one
  kSignedText,  // the same, the element taken as a signed 16-bit number
  kNumber,      // the number
  kBits,        // one row per set bit 0-2, texts by bit number
  kTopBits,     // the top four bits as a number, only when not zero
};

struct CanonSetting {
  uint16_t tag;
  uint16_t index;
  const char* name;
  CanonShow show;
};

struct CanonValueText {
  uint16_t tag;
  uint16_t index;
  int32_t value;
  const char* text;
};

// The settings of Canon tags 1 and 4 in display order.
std::span<const CanonSetting> CanonSettings();
const char* FindCanonText(uint16_t tag, uint16_t index, int32_t value);

}  // namespace exif
