// An FTP client (RFC 959) on one control connection: login (also through a
// proxy), CWD, MKD, LIST, TYPE A/I, STOR, RETR, DELE and QUIT, with passive
// (PASV) or active (PORT) data connections.
//
// Everything runs on the caller's thread. Sockets never block: while waiting,
// the client runs the pump event so that a window stays responsive. A call
// made from inside an event while another is running fails ("Busy").
//
// Operations return false on failure and leave the reason in LastError(),
// which every operation but Disconnect empties when it starts; a time-out
// names the command or the reply it waited for. A refused command keeps the
// connection; a lost connection, a time-out, a transfer below the minimum
// rate or beyond its time limit, or a reply that breaks the protocol closes
// it, so IsConnected() tells the two apart. A command line longer than
// kFtpMaxCommandBytes is refused without being sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ftp/FtpListing.h"
#include "platform/ftp/FtpLogin.h"
#include "platform/ftp/FtpPace.h"
#include "platform/ftp/FtpSocket.h"

namespace platform {

// The longest command line the client sends, without its line end: a
// remote path of the longest a file system holds, with room to spare.
inline constexpr size_t kFtpMaxCommandBytes = 8192;

enum class FtpTransferType { Ascii, Binary };
enum class FtpWorkMode { Read, Write };

struct FtpClientSettings {
  FtpLoginSettings login;
  bool passive = true;
  int connectTimeoutMs = 20000;
  // A reply on the control connection must be complete within this time,
  // however slowly the server sends it.
  int readTimeoutMs = 60000;
  // A data transfer fails when it moves fewer than transferMinBytes within
  // transferWindowMs; a server sending a byte now and then holds no run.
  int transferWindowMs = 30000;
  int64_t transferMinBytes = 1024;
  // Once a transfer has run transferGraceMs, it must have averaged at least
  // transferMinBytesPerSecond since it started: a server trickling just above
  // the window's minimum would otherwise hold every listing of a run for
  // downloadLimitMs.
  int transferGraceMs = 60000;
  int64_t transferMinBytesPerSecond = 512;
  // A listing or a retrieved file (the checksum cache) must be complete
  // within this time, however steadily it comes.
  int downloadLimitMs = 600000;
};

// Every event may be empty.
struct FtpClientEvents {
  // A transfer starts; maximum is its size in bytes, 0 when unknown.
  std::function<void(FtpWorkMode mode, int64_t maximum)> workBegin;
  // Bytes moved so far in the current transfer: as they move, and at least
  // every 100 ms while the network keeps the transfer waiting, so that a
  // window shows a slow transfer's rate as it falls.
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

  // PWD: the server's current folder, as it names it.
  bool CurrentDir(std::string& path);
  bool ChangeDir(const std::string& path);
  bool MakeDir(const std::string& path);
  bool Delete(const std::string& path);
  // LIST of the current remote folder.
  bool List(std::vector<FtpListEntry>& entries);

  // Sends TYPE when the type differs from the one in force.
  bool SetTransferType(FtpTransferType type);
  FtpTransferType TransferType() const { return type_; }

  // STOR of a local regular file (also behind a link) under remotePath in the
  // current transfer type; a pipe or device is refused without waiting.
  bool Put(const std::string& localFile, const std::string& remotePath);
  // RETR of remotePath into a new file renamed over localFile when the
  // transfer completed (a link there is replaced, not written through). A
  // failed transfer, or one longer than maxBytes when that is not negative,
  // leaves localFile as it was.
  bool Get(const std::string& remotePath, const std::string& localFile, int64_t maxBytes = -1);

  const std::string& LastError() const { return lastError_; }

 private:
  struct Reply {
    int code = 0;
    std::string text;  // every line of the reply, joined by "\n"
  };
  // Marks the client busy for one operation and empties LastError() unless
  // keepError; a nested call is refused.
  class BusyGuard {
   public:
    explicit BusyGuard(FtpClient& client, bool keepError = false);
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
  // One line of a reply that must be complete by deadlineMs (steady clock).
  bool ReadLine(std::string& line, int64_t deadlineMs);
  // Sends a command and reads its reply; false only when the connection failed.
  bool Command(const std::string& command, const std::string& argument, Reply& reply);
  // A command whose reply must be 2xx.
  bool SimpleCommand(const std::string& command, const std::string& argument);

  bool OpenDataConnection(FtpSocket& data, FtpSocket& listener);
  bool StartTransfer(const std::string& command, const std::string& argument, FtpSocket& data,
                     Reply& reply);
  bool FinishTransfer(FtpSocket& data, bool transferred, const std::string& transferError);
  // The data connection's side of a transfer. A data connection that fails,
  // times out or falls below the minimum rate closes the client (the run
  // fails as on a dropped connection); a sink that refuses keeps it.
  // Reads the data connection to its end into sink.
  bool ReadData(FtpSocket& data, const std::function<bool(const char*, size_t)>& sink,
                std::string& error);
  // progress, when given, gets the count written so far after each write.
  bool WriteData(FtpSocket& data, const char* bytes, size_t size, FtpPace& pace,
                 const std::function<void(size_t written)>& progress = {});
  // Closes the client with the reason a data connection failed.
  bool DataBroken(const FtpPace& pace, const std::string& error);
  // How long one wait of a data connection may last.
  int DataWaitMs(const FtpPace& pace) const;
  // The minimum rate of a transfer starting now.
  FtpPace Pace() const;
  // RETR's data into the open local file; STOR's from it.
  bool ReceiveFile(FtpSocket& data, int fd, int64_t maxBytes, std::string& error);
  bool SendFile(FtpSocket& data, int fd, const std::string& localFile, std::string& error);

  // The work events of one transfer. While it runs, the pump also repeats
  // the last count when no work was reported for a while.
  void BeginWork(FtpWorkMode mode, int64_t maximum);
  void ReportWork(int64_t bytes);
  void EndWork();

  bool Refused(const Reply& reply);
  bool Fail(const std::string& error);
  // Fail with a socket's error; its time-out names what was waited for.
  bool FailWaiting(const std::string& error, const std::string& waitedFor);
  // "the reply to LIST", or "the server's greeting" before any command.
  std::string AwaitedReply() const;
  void Close();
  void Status(const std::string& text);

  FtpClientSettings settings_;
  FtpClientEvents events_;
  FtpSocket control_;
  std::string buffer_;
  // The last command sent, as the log shows it; empty before the greeting.
  std::string command_;
  struct Work {
    bool active = false;
    FtpWorkMode mode = FtpWorkMode::Read;
    int64_t bytes = 0;
    int64_t reportedMs = 0;
    FtpPump pump;  // the caller's, while a transfer's own is installed
  };
  Work work_;
  FtpTransferType type_ = FtpTransferType::Ascii;
  bool typeKnown_ = false;
  bool busy_ = false;
  std::string lastError_;
};

}  // namespace platform
