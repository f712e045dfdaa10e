// Splitting a folder's media files into subfolders (codes 6, 10 and 11):
// by month "yyyy-mm", by year "yyyy", or JPEG photos by whether they have a
// valid EXIF date ("EXIF", "NO-EXIF"). Other media go into "_" + their
// upper-cased extension ("_PNG"), with the month or year folder inside.
#pragma once

#include <string>

#include "foundation/DateTime.h"
#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceResult.h"
#include "photos/batch/HromadneAkceScan.h"

namespace HromadneAkce {

// The subfolder of the file's own folder it belongs in, levels separated by
// "/"; the months and years go by the EXIF date (exif::NullDate() for none)
// and else by the file date. "" when there is no valid date to go by.
std::string SplitSubfolder(TActionCode code, const TMediaFile& file, TDateTime exifDate);

// Moves the file into its subfolder under its own name, making the folder as
// needed. A file already standing in such a folder stays, so a second split
// does not move files one level deeper. A file of the same name there (in
// any letter case) is never replaced, and a symbolic link in the way is
// never followed: the file then stays where it is.
void SplitIntoSubfolder(TActionCode code, const TMediaFile& file, TDateTime exifDate,
                        TFailures& failures);

}  // namespace HromadneAkce
