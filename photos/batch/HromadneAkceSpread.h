// After a rename by photo date in the "yyyymmdd_hhmmss" format, the photos
// that share one second (S-0001, S-0002, ... of the stamp S) move to free
// neighbouring seconds, so that most photos carry a plain stamp.
#pragma once

#include <string>


namespace HromadneAkce {

// For each second S with numbered photos in folder: up counts the seconds
// S+1, S+2, ... (at most one per photo) that no photo of the folder uses, up
// to the first one used; down the same below S for the photos left. When
// all photos find a second, one of them keeps S itself. The photos keep
// their order: the first go to the free seconds below S, the next to S (or
// stay numbered, renumbered from -0001), the last to the seconds above.
// Each photo moves by one rename that never replaces a file, so a run that
// is stopped half-way leaves every photo under a final name, and a second
// run gives the same names. A photo that cannot move keeps its numbered name.
void SpreadCollisions(const std::string& folder);

}  // namespace HromadneAkce
