// Internal to the exif unit: what the values of some tags mean, read once for
// both their display text and the typed values kept from them.
#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/DateTime.h"
#include "metadata/exifValue.h"

namespace exif {

// A GPS position of three rationals. Fractions of the degrees and minutes
// carry into the next part, so degrees and minutes are whole.
struct GpsCoordinate {
  double degrees = 0;
  double minutes = 0;
  double seconds = 0;
};
// REQUIRES v.count >= 3.
GpsCoordinate ReadGpsCoordinate(const TExifValueView& v);

// The time of day of a GPS TimeStamp, each of its three rationals taken whole.
struct GpsTime {
  int64_t hour = 0, minute = 0, second = 0;
  TDateTime value = 0;
};
// False when there are fewer than three parts or they make no time of day.
bool ReadGpsTime(const TExifValueView& v, GpsTime& time);

// "yyyy:mm:dd" of a GPS DateStamp; false unless the parts make a real date.
bool ReadGpsDate(std::string_view text, int& year, int& month, int& day);

// The Olympus shooting mode of a SpecialMode value: kind, sequence number and
// panorama direction, the last only in panorama mode (3), else 0.
// REQUIRES v.count >= 3.
void ReadSpecialMode(const TExifValueView& v, uint32_t mode[3]);

// The Casio digital zoom factor: the value less 65536, never below 0.
int32_t CasioZoom(uint32_t value);

}  // namespace exif
