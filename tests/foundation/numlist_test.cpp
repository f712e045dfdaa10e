#include "foundation/numlist.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

int64_t ValueFor(int32_t i) { return i % 2 ? kMin + i : int64_t{i} * 1000003 - 7; }

TEST(NumberList, NewListHasOneEmptyBlockOf53) {
  TNumberList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.BlockCount(), 1);
  EXPECT_EQ(list.BlockCapacity(), 53);
}

TEST(NumberList, AppendFillsBlocksOf53) {
  struct Case {
    int32_t appended;
    int32_t blocks;
  };
  for (const Case& c : {Case{52, 1}, Case{53, 1}, Case{54, 2}, Case{106, 2}, Case{107, 3}}) {
    TNumberList list;
    for (int32_t i = 0; i < c.appended; ++i) ASSERT_EQ(list.Append(ValueFor(i)), i);
    EXPECT_EQ(list.Count(), c.appended);
    EXPECT_EQ(list.BlockCount(), c.blocks) << c.appended << " appended";
    for (int32_t i = 0; i < c.appended; ++i) EXPECT_EQ(list.GetInt64(i), ValueFor(i)) << i;
  }
}

TEST(NumberList, ReadOutsideGivesZero) {
  TNumberList list;
  EXPECT_EQ(list.GetInt64(0), 0);
  for (int32_t i = 0; i < 54; ++i) list.Add(kMax);
  for (int32_t index : {-1, 54, 106, std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max()}) {
    EXPECT_EQ(list.GetInt64(index), 0) << index;
  }
  EXPECT_EQ(list.GetInt64(53), kMax);
}

TEST(NumberList, ClearStartsAgainAtIndexZero) {
  TNumberList list;
  for (int32_t i = 0; i < 200; ++i) list.Append(i + 1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.BlockCount(), 1);
  EXPECT_EQ(list.GetInt64(0), 0);
  EXPECT_EQ(list.Append(-42), 0);
  EXPECT_EQ(list.GetInt64(0), -42);
  EXPECT_EQ(list.GetInt64(1), 0);
}

TEST(NumberList, BlockCapacityRule) {
  struct Case {
    int32_t requested;
    int32_t capacity;
  };
  for (const Case& c : {Case{-1, 53}, Case{-2, 107}, Case{0, 50}, Case{49, 50}, Case{51, 51},
                        Case{27595, 27595}, Case{27596, 27595}, Case{65535, 27595},
                        Case{-600, 27595}, Case{std::numeric_limits<int32_t>::min(), 27595}}) {
    EXPECT_EQ(numlist::BlockCapacityFor(c.requested), c.capacity) << c.requested;
  }
}

// 80-bit extended: 64-bit mantissa with explicit leading bit, then sign and
// 15-bit exponent (bias 16383).
std::array<uint8_t, 10> Extended(bool negative, uint16_t exponent, uint64_t mantissa) {
  std::array<uint8_t, 10> bytes{};
  for (size_t i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  const uint16_t top = static_cast<uint16_t>(exponent | (negative ? 0x8000 : 0));
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
  return bytes;
}

TEST(NumberList, ExtendedRoundsHalvesToEven) {
  constexpr uint64_t kLead = uint64_t{1} << 63;
  struct Case {
    const char* value;
    bool negative;
    uint16_t exponent;
    uint64_t mantissa;
    int64_t expected;
  };
  const Case cases[] = {
      {"0", false, 0, 0, 0},
      {"0.5", false, 16382, kLead, 0},
      {"0.75", false, 16382, kLead | kLead >> 1, 1},
      {"1.5", false, 16383, kLead | kLead >> 1, 2},
      {"2.5", false, 16384, kLead | kLead >> 2, 2},
      {"3.5", false, 16384, kLead | kLead >> 1 | kLead >> 2, 4},
      {"-2.5", true, 16384, kLead | kLead >> 2, -2},
      {"-1.5", true, 16383, kLead | kLead >> 1, -2},
      {"2^62", false, 16383 + 62, kLead, int64_t{1} << 62},
      {"-2^63", true, 16383 + 63, kLead, kMin},
      {"2^63", false, 16383 + 63, kLead, 0},
      {"2^63 - 0.5 rounds up out of range", false, 16383 + 62, ~uint64_t{0}, 0},
      {"-(2^63 - 0.5) rounds to -2^63", true, 16383 + 62, ~uint64_t{0}, kMin},
      {"2^100", false, 16383 + 100, kLead, 0},
      {"smallest denormal", false, 0, 1, 0},
      {"infinity", false, 0x7FFF, kLead, 0},
      {"NaN", true, 0x7FFF, kLead | 1, 0},
  };
  for (const Case& c : cases) {
    const auto bytes = Extended(c.negative, c.exponent, c.mantissa);
    EXPECT_EQ(numlist::ExtendedToInt64(bytes.data()), c.expected) << c.value;
  }
}

}  // namespace
