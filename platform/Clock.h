// Wall-clock time in the machine's local time zone.
#pragma once

#include <cstdint>

namespace platform {

// A broken-down local time. Month 1-12, day 1-31.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The current local time, to the millisecond.
LocalTime LocalNow();

// Seconds since 1970-01-01 UTC to local time.
LocalTime UnixToLocal(int64_t unixSeconds);

// Local time to seconds since 1970-01-01 UTC (milliseconds ignored).
// Returns false when the time cannot be expressed.
bool LocalToUnix(const LocalTime& local, int64_t& unixSeconds);

// Sets the system clock to the given local time. Needs privileges the
// program normally lacks; returns false when the system refuses.
bool SetLocalClock(const LocalTime& local);

}  // namespace platform
