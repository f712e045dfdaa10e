// The journal of a rename run (PhotoRename.h), a text file in the photo
// folder replaced whole at each pass:
//   Quillmarsh rename
//   pass <1|2|3>
//   gallery TAB <output folder>            (one line per gallery)
//   shared TAB <old name>                  (a photo that shares its derived files)
//   <old name> TAB <new name>              (one line per photo)
// with its fields escaped (photos/WorkJournal.h).
//
// A journal may come with a folder from anyone: its content is untrusted.
// A name line or shared line whose names are not photo names of the folder
// itself (IsPhotoName) is refused on reading, and FinishInterrupted refuses
// a gallery that is not one of the folder's galleries now; what a refused
// line names is never touched.
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
  // The lines refused on reading, escaped as the user is told of them.
  std::vector<std::string> Refused;
};

// A photo's file name in the folder itself: not empty, no "/", no control
// byte, not beginning with "." (so neither "." nor ".."), no work mark, and
// the extension of a listed photo.
bool IsPhotoName(const std::string& name);

std::string JournalPath(const std::string& folder);
[[nodiscard]] bool WriteJournal(const std::string& folder, const TJournal& journal);
enum class TJournalRead { kNone, kRead, kDamaged };
TJournalRead ReadJournal(const std::string& folder, TJournal& journal);
bool RemoveJournal(const std::string& folder);

}  // namespace PhotoRename::detail
