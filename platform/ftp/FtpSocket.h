// One TCP connection of the FTP client, IPv4, non-blocking. Every wait has a
// time-out and runs the caller's pump between short polls, so a client on the
// one UI thread keeps its window alive while the network is slow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// The error of a wait that ran out of time.
inline constexpr char kFtpTimedOut[] = "Timed out";

// Called while a socket waits; processes the caller's pending events.
using FtpPump = std::function<void()>;

// An IPv4 address and port in host byte order.
struct FtpAddress {
  uint32_t ip = 0;
  uint16_t port = 0;
};

// The IPv4 address of a host name or dotted address. False with a message in
// error when it cannot be resolved.
bool ResolveFtpHost(const std::string& host, uint16_t port, FtpAddress& address,
                    std::string& error);

// The dotted form of an address ("127.0.0.1").
std::string FtpAddressText(const FtpAddress& address);

class FtpSocket {
 public:
  FtpSocket() = default;
  ~FtpSocket();
  FtpSocket(const FtpSocket&) = delete;
  FtpSocket& operator=(const FtpSocket&) = delete;

  // Connects within timeoutMs. False with a message in error on failure.
  bool Connect(const FtpAddress& address, int timeoutMs, const FtpPump& pump,
               std::string& error);
  // Listens on the given address with a port the system picks.
  bool Listen(uint32_t ip, std::string& error);
  // Takes one incoming connection of a listening socket within timeoutMs.
  bool Accept(FtpSocket& connection, int timeoutMs, const FtpPump& pump, std::string& error);

  // Reads at most size bytes within timeoutMs. Returns the count read, 0 when
  // the peer closed the connection, -1 on an error or time-out (see error).
  int64_t Read(char* buffer, size_t size, int timeoutMs, const FtpPump& pump,
               std::string& error);
  // Writes at most size bytes, waiting up to timeoutMs until the peer takes
  // some. Returns the count written (at least 1), -1 on an error or time-out.
  int64_t Write(const char* data, size_t size, int timeoutMs, const FtpPump& pump,
                std::string& error);
  // Writes all bytes, each wait limited to timeoutMs.
  bool WriteAll(const char* data, size_t size, int timeoutMs, const FtpPump& pump,
                std::string& error);

  // Sends end-of-data to the peer and closes; harmless when closed.
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // The addresses of the two ends; false when not connected.
  bool LocalAddress(FtpAddress& address) const;
  bool PeerAddress(FtpAddress& address) const;

 private:
  bool Wait(short events, int timeoutMs, const FtpPump& pump, std::string& error) const;

  int fd_ = -1;
};

}  // namespace platform
