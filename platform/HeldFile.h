// A file of the program's own that stays at one name while in use and is
// rewritten there in place, locked (flock) for as long as it is open. A sweep
// for leftovers (RemoveLeftovers in WorkFile.h) therefore keeps it while its
// process runs, and removes it once a killed process has left it behind,
// whatever process id the name may carry and whoever runs under that id now.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class HeldFile {
 public:
  HeldFile() = default;
  // Removes the file.
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // Creates the file at path (mode 0600), or takes over a plain file there
  // that nobody holds; a link at path is never followed. False, with error
  // receiving errno (EWOULDBLOCK when a running process holds it), on
  // failure.
  bool Open(const std::string& path, int& error);
  bool IsOpen() const { return fd_ >= 0; }
  // The path given to Open; empty when closed.
  const std::string& Path() const { return path_; }
  // Makes bytes the file's whole contents. Not flushed to the disk: the file
  // lives only while its process uses it.
  [[nodiscard]] bool Rewrite(std::string_view bytes);
  // Removes the file and lets it go.
  void Close();

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace platform
