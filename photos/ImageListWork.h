// What the photo list window reads from a photo and writes into it, without
// the window: the date text it shows, and a position taken as decimal
// degrees, checked as every window checks a position before writing it, and
// written into the photo.
#pragma once

#include <string>

#include "photos/FileProblem.h"
#include "photos/GpsFields.h"

class TExifReader;

namespace ImageList {

// "dd.mm.yyyy  /  hh:mm:ss" of the photo's DateTimeDigitized, else of its
// DateTimeOriginal; "" when it holds neither (the IFD0 date alone says when
// the file was changed, not when the photo was taken).
std::string DateText(const TExifReader& reader);

// The position of two decimal texts and an altitude, through
// GpsFields::CheckPosition. An altitude that is no number counts as none.
// No position at all is incomplete (kIncomplete), never kEmpty.
GpsFields::TCheck CheckPosition(const std::string& lat, const std::string& lon,
                                const std::string& altitude, HromadneAkce::TGpsPosition& position);

enum class TWriteStatus {
  kWritten,  // the photo holds the position (also when it held it already)
  kRefused,  // the position did not pass CheckPosition; nothing was touched
  kFailed,   // the photo could not be written; it is as it was
};

struct TWriteResult {
  TWriteStatus status = TWriteStatus::kWritten;
  GpsFields::TCheck check;  // why it was refused
  FileProblem::TProblem problem = FileProblem::TProblem::kNone;  // why it failed
};

// Checks the position and writes it into the photo at path, whatever
// position the photo held.
TWriteResult WritePosition(const std::string& path, const std::string& lat, const std::string& lon,
                           const std::string& altitude);

}  // namespace ImageList
