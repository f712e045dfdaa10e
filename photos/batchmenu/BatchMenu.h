// The work of the main window's Batch menu over the photos of one folder,
// one photo at a time: the EXIF segment to a side file in "exif" (code 1),
// the thumbnail into the thumbnail cache in "thumbs" (2), the side file back
// into the photo (3), the file date from the exposure time (4), and moving
// or copying the photo into a subfolder by flash (6) or by GPS (8). Code 7
// does nothing per photo. Renaming (5) is gallery/rename/PhotoRename.h, planned by
// RenamePlan.h.
//
// Nothing here loses a photo: a separated photo never replaces or removes
// another file, and a move removes the photo only once it stands in its new
// place. Failures are collected, never thrown.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TExifReader;

namespace BatchMenu {

enum TBatchCode : int {
  kExtractExif = 1,
  kSaveThumbnails = 2,
  kJoinExif = 3,
  kFileDateByExposure = 4,
  kRenameFiles = 5,
  kSeparateByFlash = 6,
  kListOnly = 7,
  kSeparateByGps = 8,
};

// The subfolder of the photo folder a code writes into: "exif" for codes 1
// and 3, "thumbs" for code 2; empty for the others.
std::string TargetSubfolder(int code);

// The EXIF side file of a photo: "exif/" in the photo's folder, then the
// photo's name without its extension, lower-cased, and ".exif" (the folders
// stay as they are written).
std::string SideFilePath(const std::string& photo);

// True for a listed ".exif" side file, which codes 1, 3 and 4 pass over.
bool IsSideFile(const std::string& path);

// --- One photo; the reader has read it ---------------------------------------
// Code 1: the EXIF segment into the side file; false when it cannot be written.
bool ExtractExif(const TExifReader& reader, const std::string& photo);
// Code 2: the thumbnail into the photo's thumbnail cache file
// (JPegUtils::ThumbnailCacheFile), the one the browser uses.
bool SaveThumbnail(const TExifReader& reader, const std::string& photo);
// Code 3: the side file (in any letter case) put into the photo, its dates
// left as they are; the reader reads the photo again.
bool JoinExif(TExifReader& reader, const std::string& photo);
// Code 4: the file's last-write time := the photo date; false when the
// photo has no valid date or the time does not take.
bool HasExposureDate(const TExifReader& reader);
bool SetFileDateByExposure(const std::string& path, const TExifReader& reader);

// Codes 6 and 8: the photo goes into destination + "/" + its subfolder
// ("flash", "noflash", "unknown"; "gps", "nogps", "unkwn-gps"), made when
// missing.
struct TSeparation {
  std::string Destination;
  bool Move = true;
};
enum class TSeparated {
  kDone,
  kInPlace,    // the target is the photo itself: left where it is
  kNameTaken,  // another file of that name (in any case) is there: the photo stays
  kFailed,     // the folder cannot be made or the move or copy failed: the photo stays
};
std::string FlashFolder(const TExifReader& reader);
std::string GpsFolder(const TExifReader& reader);
TSeparated SeparateByFlash(const std::string& photo, const TExifReader& reader, const TSeparation& how);
TSeparated SeparateByGps(const std::string& photo, const TExifReader& reader, const TSeparation& how);

// --- A run over the list -----------------------------------------------------
struct TReport {
  int Done = 0;
  // Photos (paths) the code could not handle; they are as they were.
  std::vector<std::string> Failed;
  // Separation: photos that stayed because another file holds their name in
  // the target folder.
  std::vector<std::string> NameTaken;
};

// Runs code (1 to 4, 6 to 8) over photos, full paths in list order. step
// runs once per photo, before it. Photos without EXIF have no segment to
// extract, photos without a side file none to join, photos without a valid
// date no time to set: each is passed over, not failed.
TReport Run(int code, const std::vector<std::string>& photos, const TSeparation& how,
            const std::function<void()>& step);

}  // namespace BatchMenu
