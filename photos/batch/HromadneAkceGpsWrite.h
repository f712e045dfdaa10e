// Writing one GPS position into photos (code 5), and checking the GPS
// group's fields before any photo is touched.
#pragma once

#include <cstdint>
#include <string>

#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

// A position that passed ParseGpsFields.
struct TGpsPosition {
  int32_t latDegrees = 0, latMinutes = 0;
  double latSeconds = 0;
  bool north = true;
  int32_t lonDegrees = 0, lonMinutes = 0;
  double lonSeconds = 0;
  bool east = true;
  bool hasAltitude = false;
  double altitude = 0;  // metres, negative below sea level
};

// Degrees and minutes must be whole numbers (blanks ignored), seconds a
// number ("," or "."); latitude up to 90 and longitude up to 180 degrees in
// all, minutes below 60, seconds from 0 to below 60. A blank altitude means
// none; any other must be a number EXIF can hold. The first field that
// fails is returned; on None, position holds the values.
TGpsFieldError ParseGpsFields(const TGpsFields& fields, TGpsPosition& position);

// Writes the position into a JPEG photo: with JustUnset only when the photo
// has no whole position (an all-zero position counts as one; a GPS block
// without latitude or longitude does not). Latitude and longitude are
// written where they differ (seconds by 0.001 or more), or both when the
// photo's position is not whole; the altitude when given. A photo already
// at the position is not rewritten. True when the position was written.
bool WriteGpsToFile(const std::string& path, const TGpsPosition& position, TGpsMode mode,
                    TFailures& failures);

}  // namespace HromadneAkce
