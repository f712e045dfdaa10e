// Renaming in name order: the media files of a folder, sorted by name, take
// numbered names prefix + number (+ step for each next file), the numbers
// padded to the width of (count + 2) x step, at least 3 digits. Like the
// rename by date it goes through temporary names, so no file waiting for its
// own new name is in the way of another's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/DateTime.h"
#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceProgress.h"
#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

// cislovatod: the trimmed text as a whole number from 0; 1 when it is none.
int32_t GetStartNumber(std::string_view text);
// imgprefix: the trimmed text; "img" when it is empty.
std::string GetPrefix(std::string_view text);
// The digits the numbers of a folder of count files get.
int NumberWidth(size_t count, int32_t step);
// The prefix of a new name: rb_date2 the file date "yyyymmdd" + "_", else
// (rb_date does not apply in name order) GetPrefix(prefix) + "_"; "img" is
// added when it does not begin with it (in any letter case).
std::string NamePrefix(TRenameFormat format, std::string_view prefix, TDateTime fileDate);

// Renames folder's files; with options.subdirs each subfolder (the thumbnail
// folder too) is renamed first, depth first. Stops between folders when the
// window asks.
void RenameByName(const std::string& folder, const TOptions& options, TProgress& progress,
                      TRunResult& result);

}  // namespace HromadneAkce
