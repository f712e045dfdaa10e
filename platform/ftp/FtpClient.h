// An FTP client (RFC 959) on one control connection: login (also through a
// proxy), CWD, MKD, LIST, TYPE A/I, STOR, RETR, DELE and QUIT, with passive
// (PASV) or active (PORT) data connections.
//
// Everything runs on the caller's thread. Sockets never block: while waiting,
// the client runs the pump event so that a window stays responsive. A call
// made from inside an event while another is running fails ("Busy").
//
// Operations return false on failure and leave the reason in LastError().
// A refused command keeps the connection; a lost connection, a time-out or a
// reply that breaks the protocol closes it, so IsConnected() tells the two
// apart.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ftp/FtpListing.h"
#include "platform/ftp/FtpLogin.h"
#include "platform/ftp/FtpSocket.h"

namespace platform {

enum class FtpTransferType { Ascii, Binary };
enum class FtpWorkMode { Read, Write };

struct FtpClientSettings {
  FtpLoginSettings login;
  bool passive = true;
  int connectTimeoutMs = 20000;
  int readTimeoutMs = 60000;
};

// Every event may be empty.
struct FtpClientEvents {
  // A transfer starts; maximum is its size in bytes, 0 when unknown.
  std::function<void(FtpWorkMode mode, int64_t maximum)> workBegin;
  // Bytes moved so far in the current transfer.
  std::function<void(FtpWorkMode mode, int64_t bytes)> work;
  std::function<void(FtpWorkMode mode)> workEnd;
  // Short texts about the connection ("Connecting to 127.0.0.1.").
  std::function<void(const std::string& text)> status;
  std::function<void()> connected;
  std::function<void()> disconnected;
  // Every line sent and received on the control connection, without its line
  // end; the argument of PASS is shown as "***".
  std::function<void(const std::string& line)> sent;
  std::function<void(const std::string& line)> received;
  // Runs while the client waits for the network.
  FtpPump pump;
};

class FtpClient {
 public:
  FtpClient();
  ~FtpClient();
  FtpClient(const FtpClient&) = delete;
  FtpClient& operator=(const FtpClient&) = delete;

  FtpClientSettings& Settings() { return settings_; }
  FtpClientEvents& Events() { return events_; }

  // Connects and logs in (closing an earlier connection first).
  bool Connect();
  // Sends QUIT when connected and closes; always leaves the client closed.
  void Disconnect();
  bool IsConnected() const { return control_.IsOpen(); }

  bool ChangeDir(const std::string& path);
  bool MakeDir(const std::string& path);
  bool Delete(const std::string& path);
  // LIST of the current remote folder.
  bool List(std::vector<FtpListEntry>& entries);

  // Sends TYPE when the type differs from the one in force.
  bool SetTransferType(FtpTransferType type);
  FtpTransferType TransferType() const { return type_; }

  // STOR of a local file under remotePath in the current transfer type.
  bool Put(const std::string& localFile, const std::string& remotePath);
  // RETR of remotePath into localFile (replaced). A failed transfer, or one
  // longer than maxBytes when that is not negative, leaves no local file.
  bool Get(const std::string& remotePath, const std::string& localFile, int64_t maxBytes = -1);

  const std::string& LastError() const { return lastError_; }

 private:
  struct Reply {
    int code = 0;
    std::string text;  // every line of the reply, joined by "\n"
  };
  // Marks the client busy for one operation; a nested call is refused.
  class BusyGuard {
   public:
    explicit BusyGuard(FtpClient& client);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    bool Entered() const { return entered_; }
    // Entered, and the client holds a connection.
    bool Ready() const;

   private:
    FtpClient& client_;
    bool entered_;
  };

  bool Login();
  bool SendCommand(const std::string& command, const std::string& argument);
  bool ReadReply(Reply& reply);
  bool ReadLine(std::string& line);
  // Sends a command and reads its reply; false only when the connection failed.
  bool Command(const std::string& command, const std::string& argument, Reply& reply);
  // A command whose reply must be 2xx.
  bool SimpleCommand(const std::string& command, const std::string& argument);

  bool OpenDataConnection(FtpSocket& data, FtpSocket& listener);
  bool StartTransfer(const std::string& command, const std::string& argument, FtpSocket& data,
                     Reply& reply);
  bool FinishTransfer(FtpSocket& data, bool transferred, const std::string& transferError);
  // Reads the data connection to its end into sink; false when sink refuses.
  bool ReadData(FtpSocket& data, const std::function<bool(const char*, size_t)>& sink,
                std::string& error);

  bool Refused(const Reply& reply);
  bool Fail(const std::string& error);
  void Close();
  void Status(const std::string& text);

  FtpClientSettings settings_;
  FtpClientEvents events_;
  FtpSocket control_;
  std::string buffer_;
  FtpTransferType type_ = FtpTransferType::Ascii;
  bool typeKnown_ = false;
  bool busy_ = false;
  std::string lastError_;
};

}  // namespace platform
