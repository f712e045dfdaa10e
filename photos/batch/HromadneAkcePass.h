// The file pass every batch action shares, over the media files of one
// folder (or the file arguments of files mode): collect each file's date,
// sort by date, then run the action on each file in date order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "metadata/exif.h"
#include "photos/batch/HromadneAkceDateActions.h"
#include "photos/batch/HromadneAkceDates.h"
#include "photos/batch/HromadneAkceGpsWrite.h"
#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceProgress.h"
#include "photos/batch/HromadneAkceRename.h"
#include "photos/batch/HromadneAkceResult.h"
#include "photos/batch/HromadneAkceScan.h"

namespace HromadneAkce {

// One file of a pass.
struct TPassLine {
  TMediaFile file;
  TPhotoInfo info;
  std::string key;        // DateKey of the date the pass sorts by; "" for none
  std::string fraction;   // what orders one second: the fraction the camera wrote,
  std::string path;       // then the path it stands for, upper-cased
  int32_t dayNumber = 0;  // files of the key's day so far in date order, from 1
  int32_t position = 0;   // place in date order, from 1
};

// What the actions of one run share.
struct TPassContext {
  TPassContext(TActionCode actionCode, const TOptions& runOptions, TProgress& runProgress,
               TRunResult& runResult)
      : code(actionCode), options(runOptions), progress(runProgress), result(runResult) {
    // Only dates and positions are read; rows of tags without a name would
    // only cost time.
    reader.SetHideUnnamedTags(true);
  }

  TActionCode code;
  const TOptions& options;
  TProgress& progress;
  TRunResult& result;
  TGpsPosition gps;                   // code 5
  std::optional<TDirectClock> clock;  // code 4, set anew for every pass
  TExifReader reader;                 // reads the dates of the collect step
  // Files mode: the paths of the files handled so far (and where a rename
  // took them), so that a photo given as a file and again inside a folder
  // argument, or twice, is not shifted or dated twice.
  std::optional<std::unordered_set<std::string>> handled;
};

// Runs ctx.code over files, folder being their folder ("" for the file
// arguments), in date order. Renames (codes 2 and 9) name every file at
// once and are never stopped inside a pass.
void ProcessFiles(std::vector<TMediaFile> files, const std::string& folder, TPassContext& ctx);

}  // namespace HromadneAkce
