// TNumberList: 64-bit integers in insertion order, kept in fixed blocks so
// that appending never moves earlier entries.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The list's exception class; its messages begin with "NumList".
class ENumlistError : public std::runtime_error {
 public:
  explicit ENumlistError(const std::string& message) : std::runtime_error(message) {}
};

namespace numlist {

// Bytes of one entry: kind (1), payload (8), value (10).
constexpr int32_t kEntrySize = 19;

// Entries per block for a requested size: a negative n asks for |n| KiB of
// entries, a positive n for n entries; the result is kept within 50..27595.
int32_t BlockCapacityFor(int32_t requested);

// The 80-bit extended float at bytes (little-endian: 64-bit mantissa, then
// sign and exponent) rounded to the nearest integer, halves to even. 0 for a
// NaN, an infinity or a value outside the 64-bit range.
int64_t ExtendedToInt64(const uint8_t* bytes);

}  // namespace numlist

// One block of entries, zero-filled when made and never resized.
struct TNumlistBlock {
  explicit TNumlistBlock(int32_t capacity)
      : entries(static_cast<size_t>(capacity) * numlist::kEntrySize) {}
  std::vector<uint8_t> entries;
  int32_t used = 0;
};

class TNumberList {
 public:
  // An empty list with one empty block of 53 entries.
  TNumberList();

  // Frees every block and starts again with one empty block.
  void Clear();
  // Appends a value and returns its index (Count() - 1).
  int32_t Append(int64_t value);
  int32_t Add(int64_t value) { return Append(value); }
  int32_t Count() const;
  // The value at index; 0 for an index outside the list.
  int64_t GetInt64(int32_t index) const;

  // Entries per block, and the number of blocks (at least 1).
  int32_t BlockCapacity() const;
  int32_t BlockCount() const;

 private:
  int32_t capacity_;
  // Every block but the last is full; appends go to the last.
  std::vector<TNumlistBlock> blocks_;
};
