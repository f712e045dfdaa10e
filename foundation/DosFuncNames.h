// Names of a folder for callers that handle many of them: a run of renames
// that keeps a folder's names, and a folder's names listed without their
// status.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace DosFunc {

// A run of many renames in the folders of one walk, as the batch actions
// make them. While an object of this class lives, the names of a folder
// looked up without regard to case are listed once and then kept together
// with the renames made through RenameFileLong, rather than checked against
// the folder's modification time at every name; FileExistsLong and
// FindFileLong answer from them for that folder. A name another program adds
// or removes meanwhile may go unseen; a rename still never replaces an
// existing entry. When the last run ends, the next lookup lists the folder
// again. Only renames may change the folder while the run lives.
class TNameRun {
 public:
  TNameRun();
  ~TNameRun();
  TNameRun(const TNameRun&) = delete;
  TNameRun& operator=(const TNameRun&) = delete;
};

// The names of a folder's entries, in no order and without their status, so
// that a large folder lists quickly; empty when it cannot be read.
std::vector<std::string> FolderEntryNames(std::string_view dir);

}  // namespace DosFunc
