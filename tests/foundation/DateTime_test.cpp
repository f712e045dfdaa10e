#include "foundation/DateTime.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

struct Case {
  int y, mo, d, h, mi, s, ms;
  double value;
};

TEST(DateTime, EncodesAndDecodesAroundTheEpoch) {
  const Case cases[] = {
      {1899, 12, 30, 0, 0, 0, 0, 0.0},
      {1900, 1, 1, 0, 0, 0, 0, 2.0},
      {1899, 12, 29, 6, 0, 0, 0, -1.25},  // before the epoch the time counts up
      {1600, 1, 1, 12, 0, 0, 0, -109571.5},
      {2007, 2, 1, 7, 56, 3, 0, 39114.0 + (7 * 3600 + 56 * 60 + 3) / 86400.0},
  };
  for (const Case& c : cases) {
    TDateTime v = 0;
    ASSERT_TRUE(DateTime::TryEncodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms, v));
    EXPECT_NEAR(v, c.value, 1e-9) << c.y << "-" << c.mo << "-" << c.d;
    int y, mo, d, h, mi, s, ms;
    ASSERT_TRUE(DateTime::DecodeDateTime(c.value, y, mo, d, h, mi, s, ms));
    EXPECT_EQ((std::tuple{y, mo, d, h, mi, s, ms}),
              (std::tuple{c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms}));
  }
}

// Before the epoch a time that rounds up to 24:00 moves to the next day,
// as it does after the epoch.
TEST(DateTime, RoundsToTheNextDayOnEitherSide) {
  const std::tuple<double, int, int, int> cases[] = {
      {0.9999999999, 1899, 12, 31},
      {-0.9999999999, 1899, 12, 31},
      {-1.9999999999, 1899, 12, 30},
      {-1.0000000001, 1899, 12, 29},
  };
  for (const auto& [value, year, month, day] : cases) {
    int y, mo, d, h, mi, s, ms;
    ASSERT_TRUE(DateTime::DecodeDateTime(value, y, mo, d, h, mi, s, ms));
    EXPECT_EQ((std::tuple{y, mo, d, h, mi, s, ms}), (std::tuple{year, month, day, 0, 0, 0, 0}))
        << value;
  }
}

TEST(DateTime, RejectsImpossibleValues) {
  TDateTime v = 7;
  EXPECT_FALSE(DateTime::TryEncodeDate(2001, 2, 29, v));
  EXPECT_FALSE(DateTime::TryEncodeTime(24, 0, 0, 0, v));
  EXPECT_EQ(v, 7);
  int y, m, d;
  EXPECT_FALSE(DateTime::DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d));
  EXPECT_FALSE(DateTime::DecodeDate(1e300, y, m, d));
}

TEST(DateTime, DosStampRoundTrip) {
  TDateTime v = 0;
  ASSERT_TRUE(DateTime::TryEncodeDateTime(2003, 5, 17, 13, 45, 58, 0, v));
  uint32_t stamp = 0;
  ASSERT_TRUE(DateTime::DateTimeToDos(v, stamp));
  TDateTime back = 0;
  ASSERT_TRUE(DateTime::DosToDateTime(stamp, back));
  EXPECT_NEAR(back, v, 1e-9);
  EXPECT_FALSE(DateTime::DosToDateTime(0, back));  // month and day 0
  ASSERT_TRUE(DateTime::TryEncodeDate(1979, 12, 31, v));
  EXPECT_FALSE(DateTime::DateTimeToDos(v, stamp));
}

TEST(DateTime, UnixTimeRoundTripKeepsWholeSeconds) {
  TDateTime v = 0;
  ASSERT_TRUE(DateTime::TryEncodeDateTime(1975, 6, 1, 7, 56, 3, 0, v));
  int64_t unix = 0;
  ASSERT_TRUE(DateTime::ToUnixTime(v, unix));
  EXPECT_NEAR(DateTime::FromUnixTime(unix), v, 1e-9);
}

}  // namespace
