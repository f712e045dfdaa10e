// Work files: the new contents of a file are written whole into a hidden file
// beside it, flushed to the disk and renamed over it, so the file always holds
// its old or its new contents, and a symbolic link standing at its name is
// replaced as a link, never written through.
//
// A work file is named ".~qm", eight hexadecimal digits made from the target's
// name, "-", a slot number and ".tmp", and is locked (flock) for as long as it
// is open. The next write of the same file therefore finds the work files that
// earlier writes of it left behind without listing the folder, and removes
// those nobody holds: a process killed half-way leaves one behind, while a
// running copy of the program keeps its own. Leftovers never use up the names:
// each is removed when its slot is wanted.
#pragma once

#include <string>
#include <string_view>

#include "platform/Folder.h"

namespace platform {

// Slots tried per target: as many writes of one file as may run at once.
constexpr int kWorkFileSlots = 64;

// The name of work file slot for a target named targetName (no folder).
std::string WorkFileName(const std::string& targetName, int slot);
// True for a name WorkFileName gives, and for no other.
bool IsWorkFileName(std::string_view name);

// Removes the entry name of folder when it is a plain file that nobody holds
// locked (flock): a link, a folder or a file a running process holds stays.
// True when it was removed.
bool RemoveUnheldFile(const Folder& folder, const std::string& name);

// Removes from the folder path names the leftovers of processes that no
// longer run: every work file nobody holds, and every file nobody holds whose
// name ownName accepts (the program's other files that are locked while in
// use). No other entry is touched and no link is followed. A folder that
// cannot be read is left alone.
void RemoveLeftovers(const std::string& path, bool (*ownName)(std::string_view) = nullptr);

class WorkFile {
 public:
  WorkFile() = default;
  // Discards a work file that was not committed.
  ~WorkFile();
  WorkFile(const WorkFile&) = delete;
  WorkFile& operator=(const WorkFile&) = delete;

  // Creates the work file for target in target's folder (which must exist),
  // open for reading and writing, mode 0666 less the umask. False on failure.
  bool Create(const std::string& target);
  // The same for the entry name of an open folder.
  bool CreateIn(const Folder& folder, const std::string& name);
  // The open work file; -1 when there is none.
  int Descriptor() const { return fd_; }
  // Flushes the work file to the disk, renames it over the target, closes it
  // and flushes the folder. False on any failure; the work file is then
  // removed and the target left as it was.
  [[nodiscard]] bool Commit();
  // Renames the work file over the target and closes it, with neither
  // flushed to the disk: for a throwaway file that need not outlive a crash
  // (an entry unpacked into a private work folder). False on failure, as
  // Commit.
  [[nodiscard]] bool CommitUnsynced();
  // Removes the work file (nothing when there is none).
  void Discard();

 private:
  Folder folder_;
  std::string target_;
  std::string name_;
  int fd_ = -1;
};

}  // namespace platform
