// The system log (syslog).
#pragma once

#include <string_view>

namespace platform {

// Priorities of syslog(3), named so that callers need not include it.
enum class LogPriority { Emergency, Alert, Critical, Error, Warning, Notice, Info, Debug };

// Writes one entry under the given ident (the program's name for the log).
// Never fails towards the caller.
void WriteSystemLog(std::string_view ident, LogPriority priority, std::string_view text);

}  // namespace platform
