// The exceptions of the settings library. Messages are fixed texts that
// callers may show; nothing inside the library catches them.
#pragma once

#include <stdexcept>

// No storage open, no section current, or a section name that cannot be used.
class EInvalidSection : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A write on a read-only settings object.
class EReadOnlyWriting : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A storage kind that is not supported.
class EInvalidData : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A full registry key name that does not lie below the opened key: another
// root, or another path.
class EInvalidRegisterKey : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
