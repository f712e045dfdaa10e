// Renaming photos after their dates (codes 2 and 9). The pass first moves
// every photo of the folder to a temporary name (TakeTemporaryName), so that
// while the new names are given out no photo still waiting for its own holds
// a name another might take; RenameByDate then gives each its new name in
// date order. Photos of one second get the suffixes -0001, -0002, ... in
// that order. A rename never replaces a file; a photo that cannot take its
// new name goes back to its old one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceResult.h"
#include "photos/batch/HromadneAkceScan.h"

namespace HromadneAkce {

// n in decimal, padded with "0" to 4 digits (more above 9999).
std::string Pad4(int64_t n);

// Moves the file to its name + ".tmp" (two or three of them when shorter
// ones are taken) and updates file.path. A file already under a temporary
// name stays. False when no such name could be taken.
bool TakeTemporaryName(TMediaFile& file);
// Brings a file under a temporary name back to the name it stands for.
// False (TemporaryNameLeft) when that name is taken; the next run finishes it.
bool RestoreName(TMediaFile& file, TFailures& failures);

// The new name without extension: rb_date the key ("yyyymmdd_hhmmss"), or as
// rb_date2 when its time is 00:00:00; rb_date2 the day + "_img" +
// Pad4(dayNumber); rb_index "img_" + Pad4(position).
std::string DateBaseName(TRenameFormat format, std::string_view key, int32_t dayNumber,
                         int32_t position);

// The numbers of numbered names already found taken, by the name's path
// without number and extension: a burst of many photos in one second does
// not try every lower number again for each photo. One per pass.
using TSuffixHints = std::unordered_map<std::string, int32_t>;

// Gives a file of the pass its name by date: base name + "." + its lower-cased
// extension in its folder. When that name is held, the holder moves to
// base + "-0001" and the file takes the first free base + "-nnnn" from
// "-0002"; a holder that is a folder stays, and the file takes the first free
// numbered name. An empty key (no usable date) leaves the file as it was.
void RenameByDate(TMediaFile& file, std::string_view key, int32_t dayNumber, int32_t position,
                  TRenameFormat format, TSuffixHints& hints, TFailures& failures);

// The path under which name is found, in the letter case it has on disk; the
// path itself when it is missing.
std::string NameOnDisk(const std::string& path);

}  // namespace HromadneAkce
