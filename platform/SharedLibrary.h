// Optional shared libraries, loaded by full path only (dlopen).
#pragma once

#include <string>

namespace platform {

// One loaded library; unloaded when the object goes away.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Loads the library at path, which must be absolute: a bare name would be
  // looked up on the system's search path. Unloads any library held before.
  // Returns false when the file is missing or not a loadable library.
  bool Load(const std::string& path);
  // Unloads the library; nothing when none is loaded.
  void Unload();
  bool IsLoaded() const { return handle_ != nullptr; }
  // The address of an exported symbol, or nullptr.
  void* Symbol(const char* name) const;

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
