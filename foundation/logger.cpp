#include "foundation/logger.h"

#include <iterator>
#include <mutex>
#include <utility>

#include "platform/Environment.h"
#include "platform/SystemLog.h"

namespace logger {

namespace {

struct LevelInfo {
  const char* name;
  uint32_t severity;  // 3 error, 2 warning, 1 informational, 0 success
  platform::LogPriority priority;
};

// Level 0 would be syslog's "emergency", which many systems echo to every
// terminal; a program's own trouble is reported as critical instead.
constexpr LevelInfo kLevels[] = {
    {"UNSTABLE", 3, platform::LogPriority::Critical},
    {"ALERT", 2, platform::LogPriority::Alert},
    {"CRITICAL", 3, platform::LogPriority::Critical},
    {"ERROR", 3, platform::LogPriority::Error},
    {"WARNING", 2, platform::LogPriority::Warning},
    {"NOTICE", 1, platform::LogPriority::Notice},
    {"INFO", 1, platform::LogPriority::Info},
    {"DEBUG", 1, platform::LogPriority::Debug},
};
constexpr LevelInfo kUnknown = {"UNKNOWN", 0, platform::LogPriority::Info};

const LevelInfo& InfoOf(TLogLevel level) {
  if (level < 0 || level >= static_cast<TLogLevel>(std::size(kLevels))) return kUnknown;
  return kLevels[level];
}

// The program's file name without its extension, followed by ".log".
std::string SourceName() {
  std::string name = platform::ExecutablePath();
  const auto slash = name.rfind('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name + ".log";
}

const std::string& Source() {
  static const std::string source = SourceName();
  return source;
}

void WriteToSystemLog(const LogEntry& entry) {
  // The system log keeps one line per entry; the line breaks around the
  // message are for readers of the entry, not for syslog.
  std::string_view text = entry.text;
  while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  platform::WriteSystemLog(entry.source, InfoOf(entry.level).priority, text);
}

std::mutex sinkMutex;
LogSink& Sink() {
  static LogSink sink;
  return sink;
}

}  // namespace

void LogMessage(TLogLevel level, std::string_view text) {
  const LevelInfo& info = InfoOf(level);
  LogEntry entry;
  entry.level = level;
  entry.levelName = info.name;
  entry.eventId = (info.severity << 30) | (1u << 29);
  entry.source = Source();
  entry.text = "\r\n\r\n";
  entry.text.append(text);
  entry.text += "\r\n";

  LogSink sink;
  {
    std::lock_guard<std::mutex> lock(sinkMutex);
    sink = Sink();
  }
  // Logging never fails towards its caller, whatever the sink does.
  try {
    if (sink) {
      sink(entry);
    } else {
      WriteToSystemLog(entry);
    }
  } catch (...) {
  }
}

void SetLogSink(LogSink sink) {
  std::lock_guard<std::mutex> lock(sinkMutex);
  Sink() = std::move(sink);
}

}  // namespace logger
