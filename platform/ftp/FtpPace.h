// The minimum rate of a data transfer. A server that sends or takes a byte
// now and then never lets a single read time out, so the transfer as a whole
// must move at least minBytes within every window of windowMs. One that
// trickles just above that keeps every window, so once graceMs have passed
// the transfer must also have averaged minBytesPerSecond since it started.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds of the steady clock, for the deadlines of the FTP client.
int64_t FtpNowMs();

class FtpPace {
 public:
  // minBytesPerSecond 0 or below: no average is asked for.
  FtpPace(int windowMs, int64_t minBytes, int graceMs = 0, int64_t minBytesPerSecond = 0);

  // Counts bytes moved; once the window holds minBytes a new window starts.
  void Moved(int64_t bytes);
  // How long the transfer may still wait for the network; 0 once a window
  // ended short of its bytes or the average fell below its minimum.
  int RemainingMs() const;
  bool TooSlow() const { return RemainingMs() == 0; }
  // The average since the start is what ended the transfer.
  bool BelowAverage() const { return AverageRemainingMs() == 0; }
  int64_t Total() const { return total_; }
  int64_t ElapsedMs() const;

 private:
  int64_t AverageRemainingMs() const;

  int64_t windowMs_;
  int64_t minBytes_;
  int64_t graceMs_;
  int64_t minBytesPerSecond_;
  int64_t startMs_;
  int64_t windowStartMs_;
  int64_t movedInWindow_ = 0;
  int64_t total_ = 0;
};

}  // namespace platform
