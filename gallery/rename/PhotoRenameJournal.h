// The journal of a rename run (PhotoRename.h), a text file in the photo
// folder replaced whole at each pass:
//   Quillmarsh rename
//   pass <1|2|3>
//   gallery TAB <output folder>            (one line per gallery)
//   shared TAB <old name>                  (a photo that shares its derived files)
//   <old name> TAB <new name>              (one line per photo)
// with its fields escaped (photos/WorkJournal.h).
#pragma once

#include <string>
#include <vector>

#include "photos/batchmenu/RenamePlan.h"

namespace PhotoRename::detail {

struct TJournal {
  int Pass = 1;
  std::vector<std::string> Galleries;
  // Old names of the photos whose side files and gallery outputs are shared
  // with another photo, as the folder held them when the run began.
  std::vector<std::string> Shared;
  BatchMenu::TRenames Renames;
};

std::string JournalPath(const std::string& folder);
[[nodiscard]] bool WriteJournal(const std::string& folder, const TJournal& journal);
enum class TJournalRead { kNone, kRead, kDamaged };
TJournalRead ReadJournal(const std::string& folder, TJournal& journal);
bool RemoveJournal(const std::string& folder);

}  // namespace PhotoRename::detail
