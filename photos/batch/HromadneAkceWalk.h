// The batch actions window's engine: runs one action over a folder tree or
// over the files and folders of files mode. The window gathers its options,
// calls one of these, shows the progress through TProgress and then the
// result: "Hotovo" for Done, text 577 for NoFolder, and the failures listed.
#pragma once

#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceProgress.h"
#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

// Runs code. Folder mode walks the root folder: each folder's own files
// first, then (with options.subdirs) its subfolders in name order, depth
// first; the thumbnail folder "THUMBS", names beginning with "THUMB_" and
// symbolic links are left out. Files mode runs one pass over the file
// arguments, then walks each folder argument; a file met again there (or
// given twice) is handled once. Code 2 in the
// "yyyymmdd_hhmmss" format spreads each folder's photos of one second after
// its pass. A rename (codes 2 and 9) first finishes in each folder a rename
// that was stopped there (HromadneAkceRenamePlan.h); a folder whose record
// of it does not read keeps its files. Code 0 fills result.statistics. Code 4 needs options.directDay
// and code 5 a valid options.gps (ParseGpsFields); without them nothing is
// touched.
TRunResult RunAction(TActionCode code, const TOptions& options, const TTarget& target,
                     TProgress& progress);

// Renames in name order (sortbyexif unchecked): in folder mode the root
// folder, in files mode each folder argument (NoFolder when there is none);
// each folder's subfolders first with options.subdirs, a stopped rename of
// each folder finished first.
TRunResult RunRenameByName(const TOptions& options, const TTarget& target, TProgress& progress);

}  // namespace HromadneAkce
