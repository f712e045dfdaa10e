// The data connection side of the FTP client: PASV and PORT, LIST, STOR, RETR.
#include "platform/ftp/FtpClient.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

constexpr size_t kChunkBytes = 64 * 1024;
// A folder listing larger than this is refused rather than held in memory.
constexpr size_t kMaxListingBytes = 64u * 1024 * 1024;

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
  Reply reply;
  if (!ReadReply(reply)) return false;
  if (!transferred) {
    lastError_ = transferError;
    return false;
  }
  if (reply.code / 100 != 2) return Refused(reply);
  return true;
}

bool FtpClient::ReadData(FtpSocket& data, const std::function<bool(const char*, size_t)>& sink,
                         std::string& error) {
  std::vector<char> chunk(kChunkBytes);
  for (;;) {
    const int64_t n =
        data.Read(chunk.data(), chunk.size(), settings_.readTimeoutMs, events_.pump, error);
    if (n < 0) return false;
    if (n == 0) return true;
    if (!sink(chunk.data(), static_cast<size_t>(n))) return false;
  }
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

bool FtpClient::Get(const std::string& remotePath, const std::string& localFile,
                    int64_t maxBytes) {
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  FtpSocket data;
  Reply reply;
  if (!StartTransfer("RETR", remotePath, data, reply)) return false;

  std::string error;
  std::FILE* out = std::fopen(localFile.c_str(), "wb");
  bool ok = out != nullptr;
  if (!ok) error = "Cannot create " + localFile;
  const bool ascii = type_ == FtpTransferType::Ascii;
  if (ok) {
    if (events_.workBegin) events_.workBegin(FtpWorkMode::Read, AnnouncedSize(reply.text));
    int64_t received = 0;
    bool pendingCr = false;
    std::string converted;
    ok = ReadData(
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
          if (std::fwrite(bytes, 1, size, out) != size) {
            error = "Cannot write " + localFile;
            return false;
          }
          if (events_.work) events_.work(FtpWorkMode::Read, received);
          return true;
        },
        error);
    if (ok && pendingCr) ok = std::fputc('\r', out) != EOF;
    if (std::fclose(out) != 0 && ok) {
      ok = false;
      error = "Cannot write " + localFile;
    }
    if (events_.workEnd) events_.workEnd(FtpWorkMode::Read);
  }
  const bool done = FinishTransfer(data, ok, error);
  if (!done && out != nullptr) std::remove(localFile.c_str());
  return done;
}

bool FtpClient::Put(const std::string& localFile, const std::string& remotePath) {
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  std::FILE* in = std::fopen(localFile.c_str(), "rb");
  struct stat st {};
  if (in == nullptr || fstat(fileno(in), &st) != 0 || !S_ISREG(st.st_mode)) {
    if (in != nullptr) std::fclose(in);
    lastError_ = "Cannot open " + localFile;
    return false;
  }
  FtpSocket data;
  Reply reply;
  if (!StartTransfer("STOR", remotePath, data, reply)) {
    std::fclose(in);
    return false;
  }

  if (events_.workBegin) events_.workBegin(FtpWorkMode::Write, static_cast<int64_t>(st.st_size));
  const bool ascii = type_ == FtpTransferType::Ascii;
  std::vector<char> chunk(kChunkBytes);
  std::string converted;
  std::string error;
  bool lastWasCr = false;
  int64_t sent = 0;
  bool ok = true;
  for (;;) {
    const size_t n = std::fread(chunk.data(), 1, chunk.size(), in);
    if (n == 0) {
      if (std::ferror(in)) {
        ok = false;
        error = "Cannot read " + localFile;
      }
      break;
    }
    const char* bytes = chunk.data();
    size_t size = n;
    if (ascii) {
      EncodeAscii(bytes, size, lastWasCr, converted);
      bytes = converted.data();
      size = converted.size();
    }
    if (!data.WriteAll(bytes, size, settings_.readTimeoutMs, events_.pump, error)) {
      ok = false;
      break;
    }
    sent += static_cast<int64_t>(n);
    if (events_.work) events_.work(FtpWorkMode::Write, sent);
  }
  std::fclose(in);
  if (events_.workEnd) events_.workEnd(FtpWorkMode::Write);
  return FinishTransfer(data, ok, error);
}

}  // namespace platform
