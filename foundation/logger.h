// Diagnostic entries for the system log. The file object reports failed
// writes here. Tests replace the sink to see what would be written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

using TLogLevel = int;

namespace logger {

constexpr TLogLevel LOG_UNSTABLE = 0;
constexpr TLogLevel LOG_ALERT = 1;
constexpr TLogLevel LOG_CRITICAL = 2;
constexpr TLogLevel LOG_ERROR = 3;
constexpr TLogLevel LOG_WARNING = 4;
constexpr TLogLevel LOG_NOTICE = 5;
constexpr TLogLevel LOG_INFO = 6;
constexpr TLogLevel LOG_DEBUG = 7;

// One entry as it leaves the logger.
struct LogEntry {
  TLogLevel level = 0;
  std::string levelName;  // "ERROR", ...; "UNKNOWN" for a level outside 0-7
  uint32_t eventId = 0;   // severity * 2^30 + 2^29
  std::string source;     // program name + ".log"
  std::string text;       // "\r\n\r\n" + message + "\r\n"
};

using LogSink = std::function<void(const LogEntry&)>;

// Writes one entry. Never fails towards the caller.
void LogMessage(TLogLevel level, std::string_view text);

// Replaces where entries go; an empty sink restores the system log.
void SetLogSink(LogSink sink);

}  // namespace logger
