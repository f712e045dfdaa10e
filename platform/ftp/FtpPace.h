// The minimum rate of a data transfer. A server that sends or takes a byte
// now and then never lets a single read time out, so the transfer as a whole
// must move at least minBytes within every window of windowMs.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds of the steady clock, for the deadlines of the FTP client.
int64_t FtpNowMs();

class FtpPace {
 public:
  FtpPace(int windowMs, int64_t minBytes);

  // Counts bytes moved; once the window holds minBytes a new window starts.
  void Moved(int64_t bytes);
  // How long the transfer may still wait for the network; 0 once the window
  // ended short of its bytes (the transfer is too slow).
  int RemainingMs() const;
  bool TooSlow() const { return RemainingMs() == 0; }

 private:
  int64_t windowMs_;
  int64_t minBytes_;
  int64_t windowStartMs_;
  int64_t movedInWindow_ = 0;
};

}  // namespace platform
