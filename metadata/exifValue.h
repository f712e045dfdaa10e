// Internal to the exif unit: reading numbers from the segment's bytes, and the
// bounds-checked view of one entry's value that the formatters take.
#pragma once

#include <cstdint>
#include <cstring>

#include "metadata/exif.h"

namespace exif {

inline uint16_t LoadU16(const uint8_t* p, bool motorola) {
  return motorola ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
}

inline uint32_t LoadU32(const uint8_t* p, bool motorola) {
  return motorola ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                  : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

inline uint64_t LoadU64(const uint8_t* p, bool motorola) {
  const uint64_t a = LoadU32(p, motorola);
  const uint64_t b = LoadU32(p + 4, motorola);
  return motorola ? a << 32 | b : b << 32 | a;
}

}  // namespace exif

// The value bytes of one entry, in file order, with count whole elements of
// its type available at data. Element accessors take i < count.
struct TExifValueView {
  const uint8_t* data = nullptr;
  uint32_t type = 0;
  uint32_t count = 0;
  bool motorola = false;
  int64_t pos = -1;  // file position of the value bytes; -1 when held in the entry

  uint8_t U8(uint32_t i) const { return data[i]; }
  uint16_t U16(uint32_t i) const { return exif::LoadU16(data + 2 * size_t(i), motorola); }
  uint32_t U32(uint32_t i) const { return exif::LoadU32(data + 4 * size_t(i), motorola); }
  // Numerator and denominator of the i-th (S)RATIONAL.
  uint32_t Num(uint32_t i) const { return exif::LoadU32(data + 8 * size_t(i), motorola); }
  uint32_t Den(uint32_t i) const { return exif::LoadU32(data + 8 * size_t(i) + 4, motorola); }
  float F32(uint32_t i) const {
    const uint32_t bits = U32(i);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  double F64(uint32_t i) const {
    const uint64_t bits = exif::LoadU64(data + 8 * size_t(i), motorola);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // The i-th element of an integer type as a signed 64-bit number.
  int64_t Int(uint32_t i) const {
    switch (type) {
      case exif::kTypeByte: return U8(i);
      case exif::kTypeShort: return U16(i);
      case exif::kTypeLong: return U32(i);
      case exif::kTypeSByte: return int8_t(U8(i));
      case exif::kTypeSShort: return int16_t(U16(i));
      case exif::kTypeSLong: return int32_t(U32(i));
      default: return 0;
    }
  }
};
