// After a rename by photo date in the "yyyymmdd_hhmmss" format, the photos
// that share one second (S-0001, S-0002, ... of the stamp S) move to free
// neighbouring seconds, so that most photos carry a plain stamp.
#pragma once

#include <string>
#include <vector>

#include "photos/batch/HromadneAkceRenamePlan.h"

namespace HromadneAkce {

// Changes the planned new names of a folder's photos (names: the folder's
// names as the plan holds them). For each second S with numbered photos: up
// counts the seconds S+1, S+2, ... (at most one per photo) that no name of
// the folder uses, up to the first one used; down the same below S for the
// photos left. When all photos find a second, one of them keeps S itself.
// The photos keep their order: the first go to the free seconds below S,
// the next to S (or stay numbered, renumbered from -0001), the last to the
// seconds above. A run over the names it gave gives the same names again.
void SpreadCollisions(const std::vector<std::string*>& newNames, TFolderNames& names);

}  // namespace HromadneAkce
