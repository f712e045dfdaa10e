#include "platform/ftp/FtpSocket.h"

#include "platform/ftp/FtpPace.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace platform {

namespace {

// How long one poll lasts between two runs of the caller's pump.
constexpr int kPumpSliceMs = 20;

sockaddr_in ToSockaddr(const FtpAddress& address) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(address.ip);
  sa.sin_port = htons(address.port);
  return sa;
}

FtpAddress FromSockaddr(const sockaddr_in& sa) {
  return FtpAddress{ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
}

int NewSocket(std::string& error) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) error = std::string("Cannot create a socket: ") + std::strerror(errno);
  return fd;
}

}  // namespace

bool ResolveFtpHost(const std::string& host, uint16_t port, FtpAddress& address,
                    std::string& error) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int rc = getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (rc != 0 || found == nullptr) {
    error = "Cannot resolve host " + host + ": " + gai_strerror(rc);
    return false;
  }
  sockaddr_in sa{};
  std::memcpy(&sa, found->ai_addr, std::min<size_t>(sizeof sa, found->ai_addrlen));
  freeaddrinfo(found);
  address = FromSockaddr(sa);
  address.port = port;
  return true;
}

std::string FtpAddressText(const FtpAddress& address) {
  const uint32_t ip = address.ip;
  return std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 255) + "." +
         std::to_string((ip >> 8) & 255) + "." + std::to_string(ip & 255);
}

FtpSocket::~FtpSocket() { Close(); }

bool FtpSocket::Wait(short events, int timeoutMs, const FtpPump& pump,
                     std::string& error) const {
  const int64_t deadline = FtpNowMs() + std::max(timeoutMs, 0);
  for (;;) {
    if (fd_ < 0) {
      error = "Not connected";
      return false;
    }
    const int64_t remaining = deadline - FtpNowMs();
    const int slice = static_cast<int>(pump ? std::min<int64_t>(remaining, kPumpSliceMs)
                                            : remaining);
    pollfd p{fd_, events, 0};
    const int rc = poll(&p, 1, std::max(slice, 0));
    if (rc > 0) return true;
    if (rc < 0 && errno != EINTR) {
      error = std::string("Socket wait failed: ") + std::strerror(errno);
      return false;
    }
    if (FtpNowMs() >= deadline) {
      error = kFtpTimedOut;
      return false;
    }
    if (pump) pump();
  }
}

bool FtpSocket::Connect(const FtpAddress& address, int timeoutMs, const FtpPump& pump,
                        std::string& error) {
  Close();
  fd_ = NewSocket(error);
  if (fd_ < 0) return false;
  const sockaddr_in sa = ToSockaddr(address);
  if (connect(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
    if (errno != EINPROGRESS) {
      error = std::string("Cannot connect: ") + std::strerror(errno);
      Close();
      return false;
    }
    if (!Wait(POLLOUT, timeoutMs, pump, error)) {
      error = "Cannot connect: " + error;
      Close();
      return false;
    }
    int soError = 0;
    socklen_t len = sizeof soError;
    if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &soError, &len) != 0 || soError != 0) {
      error = std::string("Cannot connect: ") + std::strerror(soError ? soError : errno);
      Close();
      return false;
    }
  }
  return true;
}

bool FtpSocket::Listen(uint32_t ip, std::string& error) {
  Close();
  fd_ = NewSocket(error);
  if (fd_ < 0) return false;
  const sockaddr_in sa = ToSockaddr(FtpAddress{ip, 0});
  if (bind(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 || listen(fd_, 1) != 0) {
    error = std::string("Cannot listen: ") + std::strerror(errno);
    Close();
    return false;
  }
  return true;
}

bool FtpSocket::Accept(FtpSocket& connection, int timeoutMs, const FtpPump& pump,
                       std::string& error) {
  if (!Wait(POLLIN, timeoutMs, pump, error)) {
    error = "No data connection: " + error;
    return false;
  }
  const int fd = accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) {
    error = std::string("No data connection: ") + std::strerror(errno);
    return false;
  }
  connection.Close();
  connection.fd_ = fd;
  return true;
}

int64_t FtpSocket::Read(char* buffer, size_t size, int timeoutMs, const FtpPump& pump,
                        std::string& error) {
  if (fd_ < 0) {
    error = "Not connected";
    return -1;
  }
  for (;;) {
    const ssize_t n = recv(fd_, buffer, size, 0);
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      error = std::string("Read failed: ") + std::strerror(errno);
      return -1;
    }
    if (!Wait(POLLIN, timeoutMs, pump, error)) return -1;
  }
}

int64_t FtpSocket::Write(const char* data, size_t size, int timeoutMs, const FtpPump& pump,
                         std::string& error) {
  if (fd_ < 0) {
    error = "Not connected";
    return -1;
  }
  for (;;) {
    const ssize_t n = send(fd_, data, size, MSG_NOSIGNAL);
    if (n > 0) return n;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      error = std::string("Write failed: ") + std::strerror(errno);
      return -1;
    }
    if (!Wait(POLLOUT, timeoutMs, pump, error)) return -1;
  }
}

bool FtpSocket::WriteAll(const char* data, size_t size, int timeoutMs, const FtpPump& pump,
                         std::string& error) {
  while (size > 0) {
    const int64_t n = Write(data, size, timeoutMs, pump, error);
    if (n < 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void FtpSocket::Close() {
  if (fd_ < 0) return;
  shutdown(fd_, SHUT_WR);
  close(fd_);
  fd_ = -1;
}

bool FtpSocket::LocalAddress(FtpAddress& address) const {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  if (fd_ < 0 || getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return false;
  address = FromSockaddr(sa);
  return true;
}

bool FtpSocket::PeerAddress(FtpAddress& address) const {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  if (fd_ < 0 || getpeername(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return false;
  address = FromSockaddr(sa);
  return true;
}

}  // namespace platform
