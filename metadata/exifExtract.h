// Internal to the exif unit: the typed values kept from decoded entries, a
// step of its own after each entry's display row is made.
#pragma once

#include <cstdint>
#include <string>

#include "metadata/exif.h"
#include "metadata/exifValue.h"

// One entry as the walk decoded it.
struct TExifDecodedEntry {
  uint8_t kind = 0;
  uint16_t tag = 0;
  uint32_t count = 0;       // element count, as in the file
  uint32_t valueField = 0;  // the entry's value or value offset, as in the file
  int64_t fieldPos = -1;    // file position of the entry's value field
  // The value as decoded. value.pos is the file position of a value read out
  // of line, -1 when it stands in the entry. An ASCII entry has no elements
  // here; its text is below.
  TExifValueView value;
  std::string text;
};

namespace exif {

// Copies into the typed values what the program works with from one entry;
// an entry that feeds no typed value changes nothing.
void ExtractValue(const TExifDecodedEntry& entry, TExifValues& values);

}  // namespace exif
