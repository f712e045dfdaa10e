// Renaming photos after their dates (codes 2 and 9). The pass hands over
// every file of a folder in date order; their new names are planned all at
// once, each photo in its turn, and the whole plan is then carried out and
// recorded as HromadneAkceRenamePlan.h says, so that a rename stopped at any
// point ends, at the next rename, with the very names it was to give. Photos
// of one second get the suffixes -0001, -0002, ... in that order. A rename
// never replaces a file; a photo that cannot take its new name keeps (or
// goes back to) its old one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceProgress.h"
#include "photos/batch/HromadneAkceResult.h"
#include "photos/batch/HromadneAkceScan.h"

namespace HromadneAkce {

// n in decimal, padded with "0" to 4 digits (more above 9999).
std::string Pad4(int64_t n);

// The new name without extension: rb_date the key ("yyyymmdd_hhmmss"), or as
// rb_date2 when its time is 00:00:00; rb_date2 the day + "_img" +
// Pad4(dayNumber); rb_index "img_" + Pad4(position).
std::string DateBaseName(TRenameFormat format, std::string_view key, int32_t dayNumber,
                         int32_t position);

// One file of a rename by date, in the pass's date order.
struct TDatedFile {
  TMediaFile* file;       // set to where the rename took it
  std::string_view key;   // DateKey of its date; "" for none
  int32_t dayNumber = 0;  // files of the key's day so far in date order, from 1
  int32_t position = 0;   // place in date order, from 1
};

// Renames files (of one folder, or of several for the file arguments) by
// date: base name + "." + the lower-cased extension in the file's folder.
// When that name is held by a photo named before it, that one takes base +
// "-0001" and this one the first free base + "-nnnn" from "-0002"; a name
// held by anything else (a folder, a file left out) stays, and the photo
// takes the first free numbered name. A file without a key keeps its name.
// With spread, the photos of one second then move to free neighbouring
// seconds (HromadneAkceSpread.h). Two progress steps per file.
void RenameByDate(std::vector<TDatedFile>& files, TRenameFormat format, bool spread,
                  TProgress& progress, TFailures& failures);

// The path under which name is found, in the letter case it has on disk; the
// path itself when it is missing.
std::string NameOnDisk(const std::string& path);

}  // namespace HromadneAkce
