#include "platform/SystemLog.h"

#include <string>
#include <syslog.h>

namespace platform {

namespace {

int ToSyslog(LogPriority p) {
  switch (p) {
    case LogPriority::Emergency: return LOG_EMERG;
    case LogPriority::Alert: return LOG_ALERT;
    case LogPriority::Critical: return LOG_CRIT;
    case LogPriority::Error: return LOG_ERR;
    case LogPriority::Warning: return LOG_WARNING;
    case LogPriority::Notice: return LOG_NOTICE;
    case LogPriority::Info: return LOG_INFO;
    case LogPriority::Debug: return LOG_DEBUG;
  }
  return LOG_INFO;
}

}  // namespace

void WriteSystemLog(std::string_view ident, LogPriority priority, std::string_view text) {
  // openlog keeps the pointer it is given, so the ident must outlive the call;
  // each call opens and closes its own connection, as entries are rare.
  const std::string identCopy(ident);
  const std::string textCopy(text);
  openlog(identCopy.c_str(), LOG_PID, LOG_USER);
  syslog(ToSyslog(priority), "%s", textCopy.c_str());
  closelog();
}

}  // namespace platform
