// Opening a document, folder or web address with the user's default program:
// the one way the program hands anything to the desktop. A window toolkit
// may do it better once it runs, so the program can install its own opener
// at start-up; without one, xdg-open does it.
#pragma once

#include <string>

namespace platform {

// Opens target with its default program; true when the request was handed on.
using DocumentOpener = bool (*)(const std::string& target);

// Makes OpenDocument hand on to open; nullptr removes it. Meant for start-up,
// before any other thread runs.
void SetDocumentOpener(DocumentOpener open);

// Opens target: a web address ("https://...") or a local path. When the
// environment variable QUILLMARSH_OPEN_LOG names a file, nothing is opened:
// target and a line break are appended to that file (tests); a log that
// cannot be written (its folder missing, say) fails the request, as a
// desktop without a program to open it would. Otherwise an empty target
// fails, and any other goes to the installed opener, or to OpenWithXdgOpen
// when none is installed. Returns true when the request was handed on (or
// logged).
bool OpenDocument(const std::string& target);

// Starts xdg-open on target and lets it run on its own; false when it could
// not be started.
bool OpenWithXdgOpen(const std::string& target);

}  // namespace platform
