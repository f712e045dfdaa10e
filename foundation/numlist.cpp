#include "foundation/numlist.h"

#include <cstdlib>
#include <limits>
#include <span>

#include "foundation/LittleEndian.h"

namespace numlist {

namespace {

// Entry layout.
constexpr int kKindOffset = 0;
constexpr int kValueOffset = 9;

enum EntryKind : uint8_t { kInteger = 0, kExtended = 1, kInteger2 = 2 };

constexpr int32_t kMinCapacity = 50;
constexpr int32_t kMaxCapacity = 27595;

// |mantissa * 2^-shift| rounded to the nearest integer, halves to even;
// shift is 1..64.
uint64_t RoundShiftedRight(uint64_t mantissa, int shift) {
  const uint64_t whole = shift == 64 ? 0 : mantissa >> shift;
  const uint64_t fraction = shift == 64 ? mantissa : mantissa & ((uint64_t{1} << shift) - 1);
  const uint64_t half = uint64_t{1} << (shift - 1);
  if (fraction > half || (fraction == half && (whole & 1))) return whole + 1;
  return whole;
}

}  // namespace

int32_t BlockCapacityFor(int32_t requested) {
  int64_t capacity = requested;
  if (requested < 0) capacity = -int64_t{requested} * 1024 / kEntrySize;
  if (capacity < kMinCapacity) return kMinCapacity;
  if (capacity > kMaxCapacity) return kMaxCapacity;
  return static_cast<int32_t>(capacity);
}

int64_t ExtendedToInt64(const uint8_t* bytes) {
  const std::span<const uint8_t, 10> extended(bytes, 10);
  const uint64_t mantissa = LittleEndian::Get64(extended.first<8>());
  const uint16_t signExponent = LittleEndian::Get16(extended.subspan<8, 2>());
  const bool negative = signExponent & 0x8000;
  const int exponent = signExponent & 0x7FFF;
  if (exponent == 0x7FFF) return 0;  // infinity or NaN
  // value = mantissa * 2^(exponent - 16383 - 63)
  const int shift = exponent - 16383 - 63;
  uint64_t magnitude;
  if (shift >= 0) {
    if (mantissa != 0 && (shift >= 64 || mantissa > (~uint64_t{0} >> shift))) return 0;
    magnitude = mantissa << shift;
  } else if (shift >= -64) {
    magnitude = RoundShiftedRight(mantissa, -shift);
  } else {
    return 0;  // below one half
  }
  constexpr uint64_t kMaxPositive = std::numeric_limits<int64_t>::max();
  if (!negative) return magnitude <= kMaxPositive ? static_cast<int64_t>(magnitude) : 0;
  if (magnitude > kMaxPositive + 1) return 0;
  return static_cast<int64_t>(0 - magnitude);
}

}  // namespace numlist

TNumberList::TNumberList() : capacity_(numlist::BlockCapacityFor(-1)) { Clear(); }

void TNumberList::Clear() {
  blocks_.clear();
  blocks_.emplace_back(capacity_);
}

int32_t TNumberList::Append(int64_t value) {
  if (blocks_.back().used == capacity_) blocks_.emplace_back(capacity_);
  TNumlistBlock& block = blocks_.back();
  uint8_t* entry = block.entries.data() + static_cast<size_t>(block.used) * numlist::kEntrySize;
  entry[numlist::kKindOffset] = numlist::kInteger;
  LittleEndian::Put64(std::span<uint8_t, 8>(entry + numlist::kValueOffset, 8),
                      static_cast<uint64_t>(value));
  ++block.used;
  return Count() - 1;
}

int32_t TNumberList::Count() const {
  return static_cast<int32_t>(blocks_.size() - 1) * capacity_ + blocks_.back().used;
}

int64_t TNumberList::GetInt64(int32_t index) const {
  if (index < 0 || index >= Count()) return 0;
  const TNumlistBlock& block = blocks_[static_cast<size_t>(index / capacity_)];
  const uint8_t* entry =
      block.entries.data() + static_cast<size_t>(index % capacity_) * numlist::kEntrySize;
  switch (entry[numlist::kKindOffset]) {
    case numlist::kInteger:
    case numlist::kInteger2:
      return static_cast<int64_t>(
          LittleEndian::Get64(std::span<const uint8_t, 8>(entry + numlist::kValueOffset, 8)));
    case numlist::kExtended:
      return numlist::ExtendedToInt64(entry + numlist::kValueOffset);
    default:
      return 0;
  }
}

int32_t TNumberList::BlockCapacity() const { return capacity_; }

int32_t TNumberList::BlockCount() const { return static_cast<int32_t>(blocks_.size()); }
