// TNumberList: 64-bit integers in insertion order, kept in fixed blocks so
// that appending never moves earlier entries.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The list's exception class; its messages begin with "NumList".
class ENumlistError : public std::runtime_error {
 public:
  explicit ENumlistError(const std::string& message) : std::runtime_error(message) {}
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
};
