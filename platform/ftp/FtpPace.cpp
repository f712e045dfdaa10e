#include "platform/ftp/FtpPace.h"

#include <algorithm>
#include <chrono>

namespace platform {

int64_t FtpNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

FtpPace::FtpPace(int windowMs, int64_t minBytes)
    : windowMs_(std::max(windowMs, 1)), minBytes_(minBytes), windowStartMs_(FtpNowMs()) {}

void FtpPace::Moved(int64_t bytes) {
  movedInWindow_ += bytes;
  if (movedInWindow_ < minBytes_) return;
  windowStartMs_ = FtpNowMs();
  movedInWindow_ = 0;
}

int FtpPace::RemainingMs() const {
  const int64_t left = windowStartMs_ + windowMs_ - FtpNowMs();
  return static_cast<int>(std::clamp<int64_t>(left, 0, windowMs_));
}

}  // namespace platform
