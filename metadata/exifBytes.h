// Internal to the exif writers: storing numbers into segment bytes.
#pragma once

#include <cstdint>

namespace exif {

inline void StoreU16(uint8_t* p, uint16_t v, bool motorola) {
  if (motorola) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
  } else {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
  }
}

inline void StoreU32(uint8_t* p, uint32_t v, bool motorola) {
  for (int i = 0; i < 4; ++i) p[motorola ? 3 - i : i] = uint8_t(v >> (8 * i));
}

}  // namespace exif
