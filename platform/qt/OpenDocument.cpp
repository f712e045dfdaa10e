#include "platform/qt/OpenDocument.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>
#include <cstdlib>
#include <fstream>

#include "platform/Process.h"

namespace platform {

namespace {

bool AppendToLog(const char* logPath, const std::string& target) {
  std::ofstream log(logPath, std::ios::binary | std::ios::app);
  log << target << '\n';
  return static_cast<bool>(log);
}

// A scheme of one letter would be a drive letter, not a web address.
QUrl UrlOf(const std::string& target) {
  const QString text = QString::fromStdString(target);
  if (!text.startsWith('/')) {
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) return url;
  }
  return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

}  // namespace

bool OpenDocument(const std::string& target) {
  if (const char* log = std::getenv("QUILLMARSH_OPEN_LOG"); log != nullptr && *log != '\0')
    return AppendToLog(log, target);
  if (target.empty()) return false;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return QDesktopServices::openUrl(UrlOf(target));
  const int pid = StartProcess("xdg-open", {target}, std::string(), std::string());
  if (pid < 0) return false;
  DetachProcess(pid);
  return true;
}

}  // namespace platform
