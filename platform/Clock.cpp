#include "platform/Clock.h"

#include <ctime>
#include <sys/time.h>

namespace platform {

namespace {

LocalTime FromTm(const std::tm& tm, int millisecond) {
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                   tm.tm_min,         tm.tm_sec,     millisecond};
}

}  // namespace

LocalTime LocalNow() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm tm{};
  localtime_r(&ts.tv_sec, &tm);
  return FromTm(tm, static_cast<int>(ts.tv_nsec / 1000000));
}

LocalTime UnixToLocal(int64_t unixSeconds) {
  const time_t t = static_cast<time_t>(unixSeconds);
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return LocalTime{};
  return FromTm(tm, 0);
}

bool LocalToUnix(const LocalTime& local, int64_t& unixSeconds) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;  // let the time zone rules decide summer time
  const time_t t = mktime(&tm);
  if (t == static_cast<time_t>(-1) && !(tm.tm_year == 69 && tm.tm_mon == 11 && tm.tm_mday == 31))
    return false;
  unixSeconds = static_cast<int64_t>(t);
  return true;
}

bool SetLocalClock(const LocalTime& local) {
  int64_t seconds = 0;
  if (!LocalToUnix(local, seconds)) return false;
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(seconds);
  ts.tv_nsec = static_cast<long>(local.millisecond) * 1000000L;
  return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

}  // namespace platform
