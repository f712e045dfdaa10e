#include "platform/ftp/FtpPace.h"

#include <algorithm>
#include <chrono>

namespace platform {

namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

FtpPace::FtpPace(int windowMs, int64_t minBytes)
    : windowMs_(std::max(windowMs, 1)), minBytes_(minBytes), windowStartMs_(NowMs()) {}

void FtpPace::Moved(int64_t bytes) {
  movedInWindow_ += bytes;
  if (movedInWindow_ < minBytes_) return;
  windowStartMs_ = NowMs();
  movedInWindow_ = 0;
}

int FtpPace::RemainingMs() const {
  return static_cast<int>(std::clamp<int64_t>(windowStartMs_ + windowMs_ - NowMs(), 0, windowMs_));
}

}  // namespace platform
