// Little-endian integers in stored records. The fields are fixed-size spans,
// so a record's layout is checked when it is compiled: a field that does not
// fit its record does not build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace LittleEndian {

template <size_t N>
uint64_t Get(std::span<const unsigned char, N> bytes) {
  static_assert(N >= 1 && N <= 8);
  uint64_t value = 0;
  for (size_t i = N; i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

template <size_t N>
void Put(std::span<unsigned char, N> bytes, uint64_t value) {
  static_assert(N >= 1 && N <= 8);
  for (size_t i = 0; i < N; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline uint16_t Get16(std::span<const unsigned char, 2> bytes) {
  return static_cast<uint16_t>(Get(bytes));
}
inline uint32_t Get32(std::span<const unsigned char, 4> bytes) {
  return static_cast<uint32_t>(Get(bytes));
}
inline uint64_t Get64(std::span<const unsigned char, 8> bytes) { return Get(bytes); }

inline void Put16(std::span<unsigned char, 2> bytes, uint16_t value) { Put(bytes, value); }
inline void Put32(std::span<unsigned char, 4> bytes, uint32_t value) { Put(bytes, value); }
inline void Put64(std::span<unsigned char, 8> bytes, uint64_t value) { Put(bytes, value); }

}  // namespace LittleEndian
