#include "platform/ftp/FtpPace.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace platform {

int64_t FtpNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

FtpPace::FtpPace(int windowMs, int64_t minBytes, int graceMs, int64_t minBytesPerSecond)
    : windowMs_(std::max(windowMs, 1)),
      minBytes_(minBytes),
      graceMs_(std::max(graceMs, 0)),
      minBytesPerSecond_(minBytesPerSecond),
      startMs_(FtpNowMs()),
      windowStartMs_(startMs_) {}

void FtpPace::Moved(int64_t bytes) {
  total_ += bytes;
  movedInWindow_ += bytes;
  if (movedInWindow_ < minBytes_) return;
  windowStartMs_ = FtpNowMs();
  movedInWindow_ = 0;
}

int64_t FtpPace::ElapsedMs() const { return FtpNowMs() - startMs_; }

int64_t FtpPace::AverageRemainingMs() const {
  if (minBytesPerSecond_ <= 0) return std::numeric_limits<int64_t>::max();
  // The bytes so far carry the average until this many ms after the start.
  const int64_t coveredMs = total_ > std::numeric_limits<int64_t>::max() / 1000
                                ? std::numeric_limits<int64_t>::max() / 2
                                : total_ * 1000 / minBytesPerSecond_;
  return std::max<int64_t>(startMs_ + std::max(graceMs_, coveredMs) - FtpNowMs(), 0);
}

int FtpPace::RemainingMs() const {
  const int64_t left = std::min(windowStartMs_ + windowMs_ - FtpNowMs(), AverageRemainingMs());
  return static_cast<int>(std::clamp<int64_t>(left, 0, windowMs_));
}

}  // namespace platform
