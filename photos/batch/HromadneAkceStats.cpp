#include "photos/batch/HromadneAkceStats.h"

#include <algorithm>

#include "foundation/DateFunc.h"
#include "metadata/exif.h"
#include "photos/batch/HromadneAkceKinds.h"

namespace HromadneAkce {

void CountStatistics(const std::string& path, const TPhotoInfo& info, TStatistics& s) {
  if (!IsJpegFile(path)) return;
  if (info.exifDate == exif::NullDate()) {
    s.invalidDates.push_back(path);
  } else {
    const int64_t ms = DateFunc::DateTimeToMs1990(0, info.exifDate);
    s.minDate = s.datesFound ? std::min(s.minDate, ms) : ms;
    s.maxDate = s.datesFound ? std::max(s.maxDate, ms) : ms;
    s.datesFound = true;
  }
  const bool located = !info.latitude.empty() && !info.longitude.empty();
  (located ? s.withGps : s.withoutGps).push_back(path);
}

}  // namespace HromadneAkce
