// The statistics pass (code 0): which JPEG photos have a valid EXIF date and
// a GPS position, and the earliest and latest date.
#pragma once

#include <string>

#include "photos/batch/HromadneAkceDates.h"
#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

// Counts one file of the pass into statistics. Only a JPEG by its own
// extension counts (a leftover under a temporary name does not): to the
// invalid dates, or with its date into the earliest and latest; and by its
// position to the photos with or without GPS.
void CountStatistics(const std::string& path, const TPhotoInfo& info, TStatistics& statistics);

}  // namespace HromadneAkce
