// What a batch action reports back to its window: how the run ended, the
// files it could not handle and why, and the statistics of code 0. The
// window turns them into its messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "photos/FileProblem.h"

namespace HromadneAkce {

// Why one file was left as it was (or, for TemporaryNameLeft, left under a
// temporary name that the next run of the same action finishes).
enum class TFailureKind {
  NoUsableDate,       // no valid date to name, date or file the photo by
  DateNotSet,         // the file date did not take (or did not keep within 2 s)
  ExifNotWritten,     // the EXIF could not be written; the photo is as it was
  ExifDateNotInPlace, // a date tag cannot be rewritten in place; the photo is as it was
  GpsNotWritten,      // the GPS position could not be written
  NameTaken,          // the new name is held by other (also in another letter case)
  RenameFailed,       // the system refused to rename path to other
  TemporaryNameLeft,  // path could not take its final or its old name back
  FolderNotMade,      // the subfolder path could not be made
  LinkInTheWay,       // path is a symbolic link where a folder is written; not followed
  FolderUnreadable,   // the folder path could not be listed; its files are as they were
  JournalFailed,      // the rename journal path could not be written or read; the folder's
                      // files are as they were
};

struct TFailure {
  TFailureKind kind;
  std::string path;
  std::string other;  // the second name where the kind has one
  // What stood in the way, where the kind does not tell it.
  FileProblem::TProblem problem = FileProblem::TProblem::kNone;
};

using TFailures = std::vector<TFailure>;

// A failure of the kind, with what stood in the way told from the file as
// it is now (FileProblem.h) where the kind does not tell it: why a photo's
// EXIF or a file's date, name or place could not be changed, or a folder or
// journal made.
TFailure FailureOf(TFailureKind kind, const std::string& path, const std::string& other = {});

// Counts of the statistics pass (code 0): JPEG photos by their EXIF date and
// position, as full paths in date order.
struct TStatistics {
  std::vector<std::string> invalidDates;  // no valid EXIF date
  std::vector<std::string> withoutGps;
  std::vector<std::string> withGps;
  // The earliest and latest valid EXIF date, milliseconds since 1990-01-01
  // (DateFunc::DateTimeToMs1990); meaningful only when datesFound.
  bool datesFound = false;
  int64_t minDate = 0;
  int64_t maxDate = 0;
};

enum class TRunStatus {
  Done,            // files were handled ("Hotovo"); failures may be listed
  NothingFound,    // no media file was met
  NoFolder,        // the root folder is empty, missing or not reachable (text 577)
  Stopped,         // the window asked to stop; what was done stays done
  InvalidOptions,  // code 4 without a calendar day: nothing was touched
  InvalidPosition, // code 5 with a position that is not valid: nothing was touched
};

// Which GPS field is not valid, for the window's message.
enum class TGpsFieldError {
  None,
  LatitudeDegrees,   // not a whole number from 0 to 90
  LatitudeMinutes,   // not a whole number from 0 to 59
  LatitudeSeconds,   // not a number from 0 to below 60
  LatitudeRange,     // beyond 90 degrees
  LongitudeDegrees,  // not a whole number from 0 to 180
  LongitudeMinutes,
  LongitudeSeconds,
  LongitudeRange,    // beyond 180 degrees
  Altitude,          // not blank and not a number that EXIF can hold
};

struct TRunResult {
  TRunStatus status = TRunStatus::Done;
  size_t filesMet = 0;
  size_t gpsWritten = 0;  // code 5: the photos the position was written into
  std::vector<TFailure> failures;
  TStatistics statistics;  // code 0 only
  TGpsFieldError gpsError = TGpsFieldError::None;
};

}  // namespace HromadneAkce
