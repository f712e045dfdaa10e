// Whole-file reads and safe whole-file replacement for the program's text
// files (settings, language files).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

enum class ReadResult { kOk, kMissing, kFailed };

// Reads the whole file into bytes. kMissing when no file of that name exists,
// kFailed (bytes empty) when it cannot be read, is not a regular file or is
// larger than maxBytes.
ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& bytes);

// Writes bytes to a work file in the same folder (WorkFile.h; the folder is
// created when missing), flushes it to disk and renames it over path, so that
// path always holds either the old or the new contents; a link at path is
// replaced, never written through. An existing file keeps its permissions.
// False on any failure; the old file is then untouched.
[[nodiscard]] bool ReplaceFile(const std::string& path, std::string_view bytes);

// True when path is itself a regular file (not a link) holding exactly
// bytes: a writer that keeps a file's date when nothing changed asks this
// before ReplaceFile.
bool HoldsBytes(const std::string& path, std::string_view bytes);

}  // namespace platform
