#include "platform/qt/OpenDocument.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

#include "platform/OpenDocument.h"

namespace platform::qt {

namespace {

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
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    return OpenWithXdgOpen(target);
  return QDesktopServices::openUrl(UrlOf(target));
}

}  // namespace platform::qt
