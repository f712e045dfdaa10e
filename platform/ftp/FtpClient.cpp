#include "platform/ftp/FtpClient.h"

#include <algorithm>

namespace platform {

namespace {

// Limits on what a server may send on the control connection.
constexpr size_t kMaxLineBytes = 8192;
constexpr int kMaxReplyLines = 1000;
// How many "wait" (1xx) replies may come before the greeting.
constexpr int kMaxPreliminaryReplies = 16;
// How long QUIT may wait for its answer.
constexpr int kQuitTimeoutMs = 2000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The folder of a "257" reply: the first quoted text, a doubled quote inside
// standing for one; false when there is none.
bool ParseFolderReply(const std::string& text, std::string& folder) {
  size_t i = text.find('"');
  if (i == std::string::npos) return false;
  folder.clear();
  for (++i; i < text.size(); ++i) {
    if (text[i] != '"') {
      folder += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      folder += '"';
      ++i;
    } else {
      return !folder.empty();
    }
  }
  return false;
}

bool HasLineBreak(const std::string& s) {
  return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

}  // namespace

FtpClient::BusyGuard::BusyGuard(FtpClient& client, bool keepError)
    : client_(client), entered_(!client.busy_) {
  if (!entered_)
    client_.lastError_ = "Busy";
  else if (!keepError)
    client_.lastError_.clear();
  client_.busy_ = true;
}

FtpClient::BusyGuard::~BusyGuard() {
  if (entered_) client_.busy_ = false;
}

bool FtpClient::BusyGuard::Ready() const {
  if (!entered_) return false;
  if (client_.IsConnected()) return true;
  client_.lastError_ = "Not connected";
  return false;
}

FtpClient::FtpClient() = default;

// No events from here: their receivers may be gone already.
FtpClient::~FtpClient() { control_.Close(); }

void FtpClient::Status(const std::string& text) {
  if (events_.status) events_.status(text);
}

void FtpClient::Close() {
  const bool wasOpen = control_.IsOpen();
  control_.Close();
  buffer_.clear();
  command_.clear();
  typeKnown_ = false;
  if (!wasOpen) return;
  Status("Disconnected.");
  if (events_.disconnected) events_.disconnected();
}

bool FtpClient::Fail(const std::string& error) {
  lastError_ = error;
  Close();
  return false;
}

bool FtpClient::FailWaiting(const std::string& error, const std::string& waitedFor) {
  return Fail(error == kFtpTimedOut ? std::string(kFtpTimedOut) + " " + waitedFor : error);
}

std::string FtpClient::AwaitedReply() const {
  return command_.empty() ? "the server's greeting" : "the reply to " + command_;
}

bool FtpClient::Refused(const Reply& reply) {
  lastError_ = reply.text;
  return false;
}

bool FtpClient::ReadLine(std::string& line, int64_t deadlineMs) {
  char chunk[4096];
  for (;;) {
    const size_t end = buffer_.find('\n');
    if (end != std::string::npos) {
      line.assign(buffer_, 0, end);
      buffer_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    if (buffer_.size() > kMaxLineBytes) return Fail("Reply line too long");
    const int64_t remainingMs = deadlineMs - FtpNowMs();
    const std::string waitedFor = "waiting for " + AwaitedReply();
    if (remainingMs <= 0) return FailWaiting(kFtpTimedOut, waitedFor);
    std::string error;
    const int64_t n = control_.Read(chunk, sizeof chunk, static_cast<int>(remainingMs),
                                    events_.pump, error);
    if (n < 0) return FailWaiting(error, waitedFor);
    if (n == 0) return Fail("Connection closed by the server");
    buffer_.append(chunk, static_cast<size_t>(n));
  }
}

bool FtpClient::ReadReply(Reply& reply) {
  // The whole reply, not each read, has the time-out: a server dribbling a
  // byte now and then must not hold the client for days.
  const int64_t deadlineMs = FtpNowMs() + std::max(settings_.readTimeoutMs, 0);
  std::string line;
  if (!ReadLine(line, deadlineMs)) return false;
  if (events_.received) events_.received(line);
  if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2]) ||
      (line.size() > 3 && line[3] != ' ' && line[3] != '-'))
    return Fail("Bad reply: " + line);
  reply.code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
  reply.text = line;
  if (line.size() > 3 && line[3] == '-') {
    const std::string last = line.substr(0, 3) + " ";
    for (int count = 0;; ++count) {
      if (count >= kMaxReplyLines) return Fail("Reply too long");
      if (!ReadLine(line, deadlineMs)) return false;
      if (events_.received) events_.received(line);
      reply.text += "\n" + line;
      if (line.compare(0, 4, last) == 0 || line == last.substr(0, 3)) break;
    }
  }
  if (reply.code == 421) return Fail(reply.text);
  return true;
}

bool FtpClient::SendCommand(const std::string& command, const std::string& argument) {
  std::string line = command;
  if (!argument.empty()) line += " " + argument;
  command_ = command == "PASS" ? std::string("PASS ***") : line;
  if (events_.sent) events_.sent(command_);
  line += "\r\n";
  std::string error;
  if (!control_.WriteAll(line.data(), line.size(), settings_.readTimeoutMs, events_.pump, error))
    return FailWaiting(error, "sending " + command_);
  return true;
}

bool FtpClient::Command(const std::string& command, const std::string& argument, Reply& reply) {
  if (HasLineBreak(argument)) {
    reply = Reply{0, "Invalid character in the argument of " + command};
    return true;
  }
  // A name from a listing may be of any length; the server's reply to a
  // huge line is not worth the wait.
  if (command.size() + 1 + argument.size() > kFtpMaxCommandBytes) {
    reply = Reply{0, "Command too long: " + command + " of " +
                         std::to_string(command.size() + 1 + argument.size()) + " bytes"};
    return true;
  }
  return SendCommand(command, argument) && ReadReply(reply);
}

bool FtpClient::SimpleCommand(const std::string& command, const std::string& argument) {
  Reply reply;
  if (!Command(command, argument, reply)) return false;
  if (reply.code / 100 != 2) return Refused(reply);
  return true;
}

bool FtpClient::Connect() {
  BusyGuard guard(*this);
  if (!guard.Entered()) return false;
  Close();
  const FtpLoginPlan plan = MakeFtpLoginPlan(settings_.login);
  if (plan.port < 1 || plan.port > 65535) {
    lastError_ = "Invalid port " + std::to_string(plan.port);
    return false;
  }
  Status("Resolving hostname " + plan.host + ".");
  FtpAddress address;
  if (!ResolveFtpHost(plan.host, static_cast<uint16_t>(plan.port), address, lastError_))
    return false;
  Status("Connecting to " + FtpAddressText(address) + ".");
  if (!control_.Connect(address, settings_.connectTimeoutMs, events_.pump, lastError_))
    return false;
  Status("Connected.");
  if (events_.connected) events_.connected();

  Reply greeting;
  for (int count = 0;; ++count) {
    if (!ReadReply(greeting)) return false;
    if (greeting.code / 100 != 1) break;
    if (count >= kMaxPreliminaryReplies) return Fail("No greeting: " + greeting.text);
  }
  if (greeting.code != 220) return Fail(greeting.text);
  return Login();
}

bool FtpClient::Login() {
  const FtpLoginPlan plan = MakeFtpLoginPlan(settings_.login);
  int userCode = 0;
  for (const FtpLoginCommand& step : plan.commands) {
    const bool isUser = step.command == "USER";
    const bool isPass = step.command == "PASS";
    if (isPass && userCode == 230) continue;  // the password was not asked for
    Reply reply;
    if (!Command(step.command, step.argument, reply)) return false;
    bool accepted;
    if (isUser)
      accepted = reply.code == 230 || reply.code == 331;
    else if (isPass)
      accepted = reply.code == 230 || reply.code == 202;
    else
      accepted = reply.code / 100 == 2 || reply.code / 100 == 3;
    if (!accepted) return Fail(reply.text);
    if (isUser) userCode = reply.code;
  }
  return true;
}

void FtpClient::Disconnect() {
  // The reason of a failed run stays for the caller to show.
  BusyGuard guard(*this, true);
  if (guard.Entered() && IsConnected()) {
    Status("Disconnecting.");
    const int readTimeout = settings_.readTimeoutMs;
    settings_.readTimeoutMs = std::min(readTimeout, kQuitTimeoutMs);
    Reply reply;
    Command("QUIT", "", reply);
    settings_.readTimeoutMs = readTimeout;
  }
  Close();
}

bool FtpClient::CurrentDir(std::string& path) {
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  Reply reply;
  if (!Command("PWD", "", reply)) return false;
  if (reply.code != 257) return Refused(reply);
  if (ParseFolderReply(reply.text, path)) return true;
  lastError_ = "No folder in the reply: " + reply.text;
  return false;
}

bool FtpClient::ChangeDir(const std::string& path) {
  BusyGuard guard(*this);
  return guard.Ready() && SimpleCommand("CWD", path);
}

bool FtpClient::MakeDir(const std::string& path) {
  BusyGuard guard(*this);
  return guard.Ready() && SimpleCommand("MKD", path);
}

bool FtpClient::Delete(const std::string& path) {
  BusyGuard guard(*this);
  return guard.Ready() && SimpleCommand("DELE", path);
}

bool FtpClient::SetTransferType(FtpTransferType type) {
  BusyGuard guard(*this);
  if (!guard.Ready()) return false;
  if (typeKnown_ && type_ == type) return true;
  if (!SimpleCommand("TYPE", type == FtpTransferType::Ascii ? "A" : "I")) return false;
  type_ = type;
  typeKnown_ = true;
  return true;
}

}  // namespace platform
