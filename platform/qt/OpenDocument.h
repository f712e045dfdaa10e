// Opening a document, folder or web address with the user's default program:
// the one way the program hands anything to the desktop.
#pragma once

#include <string>

namespace platform {

// Opens target: a web address ("https://...") or a local path. With a running
// QApplication the desktop services open it; before one exists, xdg-open is
// started on it. When the environment variable QUILLMARSH_OPEN_LOG names a
// file, nothing is opened: target and a line break are appended to that file.
// Returns true when the request was handed on (or logged).
bool OpenDocument(const std::string& target);

}  // namespace platform
