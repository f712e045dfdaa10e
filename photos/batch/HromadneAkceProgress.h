// How a running batch action talks to its window. The window shows the
// folder in work (PBDir) and the bar (PB), or its wait window when hidden,
// processes its events in Step, and answers the two questions. The defaults
// suit a caller without a window.
#pragma once

#include <cstddef>
#include <string>

namespace HromadneAkce {

class TProgress {
 public:
  virtual ~TProgress() = default;

  // A pass over one folder's files starts: folder is empty for the file
  // arguments of files mode; steps is the bar's maximum (a pass over n files
  // takes 2n + 1 steps, a rename by date 3n + 1, a rename in name order 2n).
  virtual void BeginFolder(const std::string& folder, size_t steps) {
    (void)folder;
    (void)steps;
  }
  virtual void Step() {}
  virtual void EndFolder() {}

  // True when the run should stop. It is asked between files, and during a
  // rename only between folders, so that no photo is left under a
  // temporary name.
  virtual bool StopRequested() { return false; }
  // True when a pass may take only the first 500 files of a folder: the
  // window is not visible (a first look at a large folder).
  virtual bool LimitFiles() { return false; }
  // A pass took only the first 500 of count files (the "Varování" warning).
  virtual void FilesLimited(const std::string& folder, size_t count) {
    (void)folder;
    (void)count;
  }
};

// Files a pass takes at most when LimitFiles answers true.
constexpr size_t kFileLimit = 500;

}  // namespace HromadneAkce
