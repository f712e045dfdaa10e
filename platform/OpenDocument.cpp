#include "platform/OpenDocument.h"

#include <cstdlib>
#include <fstream>

#include "platform/Process.h"

namespace platform {

namespace {

DocumentOpener installed = nullptr;

bool AppendToLog(const char* logPath, const std::string& target) {
  std::ofstream log(logPath, std::ios::binary | std::ios::app);
  log << target << '\n';
  return static_cast<bool>(log);
}

}  // namespace

void SetDocumentOpener(DocumentOpener open) { installed = open; }

bool OpenDocument(const std::string& target) {
  if (const char* log = std::getenv("QUILLMARSH_OPEN_LOG"); log != nullptr && *log != '\0')
    return AppendToLog(log, target);
  if (target.empty()) return false;
  return installed != nullptr ? installed(target) : OpenWithXdgOpen(target);
}

bool OpenWithXdgOpen(const std::string& target) {
  const int pid = StartProcess("xdg-open", {target}, std::string(), std::string());
  if (pid < 0) return false;
  DetachProcess(pid);
  return true;
}

}  // namespace platform
