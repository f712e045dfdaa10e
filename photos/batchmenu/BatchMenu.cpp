#include "photos/batchmenu/BatchMenu.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/JPegUtils.h"
#include "photos/OwnFiles.h"
#include "photos/batch/HromadneAkceDateActions.h"

namespace BatchMenu {

namespace {

std::string Subfolder(const std::string& photo, const std::string& name) {
  return StrFunc::IncludeBackslash(StrFunc::ExtractDir(photo)) + name;
}

enum class TOutcome { kDone, kPassed, kFailed };

TOutcome Outcome(bool done) { return done ? TOutcome::kDone : TOutcome::kFailed; }

// One photo of codes 1 to 4 and 7.
TOutcome RunOne(int code, const std::string& photo) {
  if ((code == kExtractExif || code == kJoinExif || code == kFileDateByExposure) && IsSideFile(photo))
    return TOutcome::kPassed;
  TExifReader reader;
  switch (code) {
    case kExtractExif:
      reader.ReadFromFile(photo);
      if (!reader.HasExif()) return TOutcome::kPassed;
      return Outcome(ExtractExif(reader, photo));
    case kSaveThumbnails:
      reader.ReadFromFile(photo);
      return Outcome(SaveThumbnail(reader, photo));
    case kJoinExif:
      if (!DosFunc::FileExistsLong(SideFilePath(photo))) return TOutcome::kPassed;
      reader.ReadFromFile(photo);
      return Outcome(JoinExif(reader, photo));
    case kFileDateByExposure:
      reader.ReadPictureInfo(photo);
      if (!HasExposureDate(reader)) return TOutcome::kPassed;
      return Outcome(SetFileDateByExposure(photo, reader));
    default:
      return TOutcome::kPassed;
  }
}

}  // namespace

std::string TargetSubfolder(int code) {
  switch (code) {
    case kExtractExif:
    case kJoinExif: return OwnFiles::kExifFolder;
    case kSaveThumbnails: return OwnFiles::kThumbsFolder;
    default: return std::string();
  }
}

std::string SideFilePath(const std::string& photo) {
  return Subfolder(photo, OwnFiles::kExifFolder) + "/" +
         StrFunc::LowerCaseCz(StrFunc::ExtractNameNoExt(StrFunc::ExtractName(photo))) + ".exif";
}

bool IsSideFile(const std::string& path) {
  return StrFunc::UpperCaseCz(StrFunc::ExtractExt(StrFunc::ExtractName(path))) == "EXIF";
}

bool ExtractExif(const TExifReader& reader, const std::string& photo) {
  return DosFunc::ForceDirectoriesLong(Subfolder(photo, OwnFiles::kExifFolder)) &&
         reader.ExportExifSegment(SideFilePath(photo));
}

bool SaveThumbnail(const TExifReader& reader, const std::string& photo) {
  const std::string cache = JPegUtils::ThumbnailCacheFile(photo);
  return DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(cache)) &&
         JPegUtils::ExtractThumbnail(reader, cache);
}

bool JoinExif(TExifReader& reader, const std::string& photo) {
  return reader.ImportExifSegment(DosFunc::ExistingPathLong(SideFilePath(photo)), false);
}

bool HasExposureDate(const TExifReader& reader) {
  return !exif::IsNullDate(reader.GetPictureDate());
}

bool SetFileDateByExposure(const std::string& path, const TExifReader& reader) {
  return HasExposureDate(reader) && HromadneAkce::SetFileDate(path, reader.GetPictureDate());
}

TReport Run(int code, const std::vector<std::string>& photos, const TSeparation& how,
            const std::function<void()>& step) {
  TReport report;
  for (const std::string& photo : photos) {
    if (step) step();
    if (code == kSeparateByFlash || code == kSeparateByGps) {
      TExifReader reader;
      reader.ReadFromFile(photo);
      const TSeparated separated = code == kSeparateByFlash ? SeparateByFlash(photo, reader, how)
                                                            : SeparateByGps(photo, reader, how);
      if (separated == TSeparated::kDone) ++report.Done;
      if (separated == TSeparated::kNameTaken) report.NameTaken.push_back(photo);
      if (separated == TSeparated::kFailed) report.Failed.push_back(photo);
      continue;
    }
    const TOutcome outcome = RunOne(code, photo);
    if (outcome == TOutcome::kDone) ++report.Done;
    if (outcome == TOutcome::kFailed) report.Failed.push_back(photo);
  }
  return report;
}

}  // namespace BatchMenu
