// The data connection side of the FTP client: PASV and PORT, LIST, STOR, RETR.
#include "platform/ftp/FtpClient.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/WorkFile.h"

namespace platform {

namespace {

constexpr size_t kChunkBytes = 64 * 1024;
// A socket's wait runs the pump every 20 ms, so repeating the work count
// after this long brings a work event at least every 100 ms.
constexpr int64_t kWorkRepeatMs = 80;
// A folder listing larger than this is refused rather than held in memory.
constexpr size_t kMaxListingBytes = 64u * 1024 * 1024;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The six numbers of "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)".
bool ParsePassiveReply(const std::string& text, int (&numbers)[6]) {
  size_t i = text.find('(');
  if (i == std::string::npos) i = 3;
  while (i < text.size() && (text[i] < '0' || text[i] > '9')) ++i;
  for (int k = 0; k < 6; ++k) {
    int value = 0;
    int digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
      value = value * 10 + (text[i++] - '0');
      ++digits;
    }
    if (digits == 0 || value > 255) return false;
    numbers[k] = value;
    if (k < 5) {
      if (i >= text.size() || text[i] != ',') return false;
      ++i;
    }
  }
  return true;
}

// The size announced by "150 ... (1234 bytes)"; 0 when there is none.
int64_t AnnouncedSize(const std::string& text) {
  const size_t open = text.rfind('(');
  if (open == std::string::npos) return 0;
  int64_t value = 0;
  size_t i = open + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (INT64_MAX - 9) / 10) return 0;
    value = value * 10 + (text[i] - '0');
  }
  return text.compare(i, 6, " bytes") == 0 ? value : 0;
}

// LF to CR LF for the wire; a CR LF already there stays as it is.
void EncodeAscii(const char* data, size_t size, bool& lastWasCr, std::string& out) {
  out.clear();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' && !lastWasCr) out += '\r';
    out += data[i];
    lastWasCr = data[i] == '\r';
  }
}

// CR LF from the wire to LF; a CR at the end of a chunk waits for the next.
void DecodeAscii(const char* data, size_t size, bool& pendingCr, std::string& out) {
  out.clear();
  for (size_t i = 0; i < size; ++i) {
    if (pendingCr && data[i] != '\n') out += '\r';
    pendingCr = data[i] == '\r';
    if (!pendingCr) out += data[i];
  }
}

bool WriteLocal(int fd, const char* bytes, size_t size) {
  int error = 0;
  return WriteFile(fd, bytes, static_cast<int64_t>(size), error) == static_cast<int64_t>(size);
}

std::string PortArgument(const FtpAddress& address) {
  const uint32_t ip = address.ip;
  return std::to_string(ip >> 24) + "," + std::to_string((ip >> 16) & 255) + "," +
         std::to_string((ip >> 8) & 255) + "," + std::to_string(ip & 255) + "," +
         std::to_string(address.port >> 8) + "," + std::to_string(address.port & 255);
}

}  // namespace

bool FtpClient::OpenDataConnection(FtpSocket& data, FtpSocket& listener) {
  if (settings_.passive) {
    Reply reply;
    if (!Command("PASV", "", reply)) return false;
    int numbers[6];
    if (reply.code != 227) return Refused(reply);
    if (!ParsePassiveReply(reply.text, numbers)) {
      lastError_ = "Bad passive reply: " + reply.text;
      return false;
    }
    // The data connection goes to the host of the control connection: the
    // address in the reply may be private, or point somewhere else entirely.
    FtpAddress address;
    if (!control_.PeerAddress(address)) return Fail("Not connected");
    address.port = static_cast<uint16_t>(numbers[4] * 256 + numbers[5]);
    return data.Connect(address, settings_.connectTimeoutMs, events_.pump, lastError_);
  }
  FtpAddress local;
  if (!control_.LocalAddress(local)) return Fail("Not connected");
  if (!listener.Listen(local.ip, lastError_) || !listener.LocalAddress(local)) return false;
  return SimpleCommand("PORT", PortArgument(local));
}

bool FtpClient::StartTransfer(const std::string& command, const std::string& argument,
                              FtpSocket& data, Reply& reply) {
  FtpSocket listener;
  if (!OpenDataConnection(data, listener)) return false;
  if (!Command(command, argument, reply)) return false;
  if (reply.code / 100 != 1) {
    data.Close();
    return Refused(reply);
  }
  if (settings_.passive) return true;
  std::string error;
  if (!listener.Accept(data, settings_.connectTimeoutMs, events_.pump, error)) return Fail(error);
  return true;
}

bool FtpClient::FinishTransfer(FtpSocket& data, bool transferred,
                               const std::string& transferError) {
  data.Close();
  if (!IsConnected()) return false;  // the transfer closed it and said why
  Reply reply;
  if (!ReadReply(reply)) return false;
  if (!transferred) {
    lastError_ = transferError;
    return false;
  }
  if (reply.code / 100 != 2) return Refused(reply);
  return true;
}

bool FtpClient::DataBroken(const FtpPace& pace, const std::string& error) {
  if (!pace.TooSlow()) return FailWaiting(error, "on the data connection of " + command_);
  if (pace.BelowAverage())
    return Fail("Transfer too slow: " + command_ + " moved " + std::to_string(pace.Total()) +
                " bytes in " + std::to_string(pace.ElapsedMs()) + " ms, less than " +
                std::to_string(settings_.transferMinBytesPerSecond) + " bytes a second");
  return Fail("Transfer too slow: less than " + std::to_string(settings_.transferMinBytes) +
              " bytes in " + std::to_string(settings_.transferWindowMs) + " ms");
}

FtpPace FtpClient::Pace() const {
  return FtpPace(settings_.transferWindowMs, settings_.transferMinBytes, settings_.transferGraceMs,
                 settings_.transferMinBytesPerSecond);
}

int FtpClient::DataWaitMs(const FtpPace& pace) const {
  return std::min(settings_.readTimeoutMs, pace.RemainingMs());
}

bool FtpClient::ReadData(FtpSocket& data, const std::function<bool(const char*, size_t)>& sink,
                         std::string& error) {
  std::vector<char> chunk(kChunkBytes);
  FtpPace pace = Pace();
  const int64_t deadlineMs = FtpNowMs() + std::max(settings_.downloadLimitMs, 0);
  for (;;) {
    const int64_t leftMs = deadlineMs - FtpNowMs();
    if (leftMs <= 0)
      return Fail(std::string(kFtpTimedOut) + ": " + command_ + " not complete within " +
                  std::to_string(settings_.downloadLimitMs) + " ms");
    const int waitMs = static_cast<int>(std::min<int64_t>(DataWaitMs(pace), leftMs));
    const int64_t n = pace.TooSlow()
                          ? -1
                          : data.Read(chunk.data(), chunk.size(), waitMs, events_.pump, error);
    if (n < 0 && error == kFtpTimedOut && FtpNowMs() >= deadlineMs) continue;
    if (n < 0) return DataBroken(pace, error);
    if (n == 0) return true;
    pace.Moved(n);
    if (!sink(chunk.data(), static_cast<size_t>(n))) return false;
  }
}

bool FtpClient::WriteData(FtpSocket& data, const char* bytes, size_t size, FtpPace& pace,
                          const std::function<void(size_t written)>& progress) {
  std::string error;
  size_t written = 0;
  while (written < size) {
    const int64_t n = pace.TooSlow() ? -1
                                     : data.Write(bytes + written, size - written,
                                                  DataWaitMs(pace), events_.pump, error);
    if (n < 0) return DataBroken(pace, error);
    pace.Moved(n);
    written += static_cast<size_t>(n);
    if (progress) progress(written);
  }
  return true;
}

void FtpClient::BeginWork(FtpWorkMode mode, int64_t maximum) {
  if (events_.workBegin) events_.workBegin(mode, maximum);
  work_.active = true;
  work_.mode = mode;
  work_.bytes = 0;
  work_.reportedMs = NowMs();
  work_.pump = events_.pump;
  events_.pump = [this] {
    if (work_.active && NowMs() - work_.reportedMs >= kWorkRepeatMs) ReportWork(work_.bytes);
    if (work_.pump) work_.pump();
  };
}

void FtpClient::ReportWork(int64_t bytes) {
  work_.bytes = bytes;
  work_.reportedMs = NowMs();
  if (events_.work) events_.work(work_.mode, bytes);
}

void FtpClient::EndWork() {
  work_.active = false;
  events_.pump = std::move(work_.pump);
  work_.pump = nullptr;
  if (events_.workEnd) events_.workEnd(work_.mode);
}

bool FtpClient::List(std::vector<FtpListEntry>& entries) {
  entries.clear();
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  FtpSocket data;
  Reply reply;
  if (!StartTransfer("LIST", "", data, reply)) return false;
  std::string text;
  std::string error;
  const bool ok = ReadData(
      data,
      [&](const char* bytes, size_t size) {
        if (text.size() + size > kMaxListingBytes) {
          error = "Listing too large";
          return false;
        }
        text.append(bytes, size);
        return true;
      },
      error);
  if (!FinishTransfer(data, ok, error)) return false;
  entries = ParseFtpListing(text);
  return true;
}

bool FtpClient::ReceiveFile(FtpSocket& data, int fd, int64_t maxBytes, std::string& error) {
  const bool ascii = type_ == FtpTransferType::Ascii;
  int64_t received = 0;
  bool pendingCr = false;
  std::string converted;
  bool ok = ReadData(
      data,
      [&](const char* bytes, size_t size) {
        received += static_cast<int64_t>(size);
        if (maxBytes >= 0 && received > maxBytes) {
          error = "File too large";
          return false;
        }
        if (ascii) {
          DecodeAscii(bytes, size, pendingCr, converted);
          bytes = converted.data();
          size = converted.size();
        }
        if (!WriteLocal(fd, bytes, size)) {
          error = "Cannot write the local file";
          return false;
        }
        ReportWork(received);
        return true;
      },
      error);
  if (ok && pendingCr) ok = WriteLocal(fd, "\r", 1);
  if (ok && !SyncFile(fd)) {
    ok = false;
    error = "Cannot write the local file";
  }
  return ok;
}

bool FtpClient::Get(const std::string& remotePath, const std::string& localFile,
                    int64_t maxBytes) {
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  // Written beside the target and renamed over it only when complete, so a
  // failed transfer leaves the old file, and a link there is replaced.
  WorkFile work;
  if (!work.Create(localFile)) {
    lastError_ = "Cannot create " + localFile;
    return false;
  }
  FtpSocket data;
  Reply reply;
  bool done = StartTransfer("RETR", remotePath, data, reply);
  if (done) {
    BeginWork(FtpWorkMode::Read, AnnouncedSize(reply.text));
    std::string error;
    const bool ok = ReceiveFile(data, work.Descriptor(), maxBytes, error);
    EndWork();
    done = FinishTransfer(data, ok, error);
  }
  if (done && !work.Commit()) {
    lastError_ = "Cannot write " + localFile;
    done = false;
  }
  return done;
}

bool FtpClient::Put(const std::string& localFile, const std::string& remotePath) {
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  // Opened without waiting: a pipe is refused, and a device checked below.
  const int fd = OpenFile(localFile, OpenAccess::Read);
  FileStatus status;
  if (fd < 0 || !StatFile(fd, status) || !status.isRegular) {
    if (fd >= 0) CloseFile(fd);
    lastError_ = "Cannot open " + localFile;
    return false;
  }
  FtpSocket data;
  Reply reply;
  bool done = StartTransfer("STOR", remotePath, data, reply);
  if (done) {
    BeginWork(FtpWorkMode::Write, status.size);
    std::string error;
    const bool ok = SendFile(data, fd, localFile, error);
    EndWork();
    done = FinishTransfer(data, ok, error);
  }
  CloseFile(fd);
  return done;
}

bool FtpClient::SendFile(FtpSocket& data, int fd, const std::string& localFile,
                         std::string& error) {
  const bool ascii = type_ == FtpTransferType::Ascii;
  FtpPace pace = Pace();
  std::vector<char> chunk(kChunkBytes);
  std::string converted;
  bool lastWasCr = false;
  int64_t sent = 0;
  for (;;) {
    const int64_t n = ReadFile(fd, chunk.data(), static_cast<int64_t>(chunk.size()));
    if (n < 0) {
      error = "Cannot read " + localFile;
      return false;
    }
    if (n == 0) return true;
    const char* bytes = chunk.data();
    size_t size = static_cast<size_t>(n);
    if (ascii) {
      EncodeAscii(bytes, size, lastWasCr, converted);
      bytes = converted.data();
      size = converted.size();
    }
    // A text file grows on the wire; the count is of its own bytes.
    const int64_t before = sent;
    const auto progress = [&](size_t written) {
      ReportWork(before + static_cast<int64_t>(written) * n / static_cast<int64_t>(size));
    };
    if (!WriteData(data, bytes, size, pace, progress)) return false;
    sent += n;
  }
}

}  // namespace platform
