// Opening documents through Qt's desktop services: what the program installs
// with platform::SetDocumentOpener.
#pragma once

#include <string>

namespace platform::qt {

// Opens target, a web address ("https://...") or a local path (a relative one
// from the current folder), with the desktop's default program. Before a
// QGuiApplication exists it starts xdg-open instead (OpenWithXdgOpen).
// Returns true when the request was handed on.
bool OpenDocument(const std::string& target);

}  // namespace platform::qt
