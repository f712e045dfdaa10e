// Separating photos into subfolders by flash and by GPS (codes 6 and 8).
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/TargetPath.h"
#include "photos/batchmenu/BatchMenu.h"

namespace BatchMenu {

namespace {

TSeparated Separate(const std::string& photo, const std::string& subfolder, const TSeparation& how) {
  const std::string folder = StrFunc::IncludeBackslash(StrFunc::Trim(how.Destination)) + subfolder;
  // A link standing for the subfolder would carry the photo out of the
  // destination.
  if (DosFunc::IsReparsePoint(folder) || !DosFunc::ForceDirectoriesLong(folder)) return TSeparated::kFailed;
  const std::string target = folder + "/" + StrFunc::ExtractName(photo);
  if (TargetPath::SameEntry(photo, target)) return TSeparated::kInPlace;
  if (TargetPath::Exists(target)) return TSeparated::kNameTaken;
  if (!how.Move) {
    return DosFunc::CopyFileWorker(photo, target, DosFunc::kCopyKeepDateAttr, {}, 0) ? TSeparated::kDone
                                                                                      : TSeparated::kFailed;
  }
  // A rename never replaces; only across file systems is the photo copied,
  // and then removed once the copy is complete.
  if (DosFunc::RenameFileLong(photo, target)) return TSeparated::kDone;
  if (TargetPath::Exists(target)) return TSeparated::kNameTaken;
  return DosFunc::MoveFileKeepAttrs(photo, target, DosFunc::kSourceDate, DosFunc::kSourceAttr)
             ? TSeparated::kDone
             : TSeparated::kFailed;
}

}  // namespace

std::string FlashFolder(const TExifReader& reader) {
  switch (reader.GetFlashState()) {
    case 0: return "noflash";
    case 1: return "flash";
    default: return "unknown";
  }
}

std::string GpsFolder(const TExifReader& reader) {
  if (!reader.HasGPS()) return "nogps";
  if (!reader.IsGPSValid() || reader.IsGPSEmpty()) return "unkwn-gps";
  return "gps";
}

TSeparated SeparateByFlash(const std::string& photo, const TExifReader& reader, const TSeparation& how) {
  return Separate(photo, FlashFolder(reader), how);
}

TSeparated SeparateByGps(const std::string& photo, const TExifReader& reader, const TSeparation& how) {
  return Separate(photo, GpsFolder(reader), how);
}

}  // namespace BatchMenu
