#include "photos/batch/HromadneAkceSplit.h"

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/TargetPath.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceRename.h"

namespace HromadneAkce {

namespace {

// True when folder ends with the levels of subfolder (any letter case).
bool StandsIn(const std::string& folder, const std::string& subfolder) {
  std::string tail(1, '/');
  tail += StrFunc::UpperCaseCz(subfolder);
  const std::string upper = StrFunc::UpperCaseCz(folder);
  return upper.size() >= tail.size() && upper.compare(upper.size() - tail.size(), tail.size(), tail) == 0;
}

// Makes folder + "/" + subfolder level by level; a level that is a link or
// a file stops it.
bool MakeLevels(const std::string& folder, const std::string& subfolder, TFailures& failures) {
  std::string path = folder;
  size_t start = 0;
  while (start <= subfolder.size()) {
    size_t end = subfolder.find('/', start);
    if (end == std::string::npos) end = subfolder.size();
    path = StrFunc::IncludeBackslash(path) + subfolder.substr(start, end - start);
    start = end + 1;
    if (DosFunc::IsReparsePoint(path)) {
      failures.push_back({TFailureKind::LinkInTheWay, NameOnDisk(path), {}});
      return false;
    }
    if (!DosFunc::ForceDirectoriesLong(path)) {
      failures.push_back(FailureOf(TFailureKind::FolderNotMade, path));
      return false;
    }
  }
  return true;
}

}  // namespace

std::string SplitSubfolder(TActionCode code, const TMediaFile& file, TDateTime exifDate) {
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::ExtractExt(file.path));
  const bool jpeg = IsJpegExt(ext);
  const std::string extFolder = "_" + ext;
  const bool hasExifDate = exifDate != exif::NullDate();
  if (code == kSplitByExif) return !jpeg ? extFolder : hasExifDate ? "EXIF" : "NO-EXIF";
  const TDateTime date = hasExifDate ? exifDate : file.fileDate;
  if (DateFunc::DateTimeToDayNum(date) <= 0) return std::string();
  const std::string period = DateFunc::FormatDate(code == kSplitByMonth ? "yyyy-mm" : "yyyy", date);
  return jpeg ? period : extFolder + "/" + period;
}

void SplitIntoSubfolder(TActionCode code, const TMediaFile& file, TDateTime exifDate,
                        TFailures& failures) {
  const std::string subfolder = SplitSubfolder(code, file, exifDate);
  if (subfolder.empty()) {
    failures.push_back({TFailureKind::NoUsableDate, file.path, {}});
    return;
  }
  const std::string folder = StrFunc::ExtractDir(file.path);
  if (StandsIn(folder, subfolder) || !MakeLevels(folder, subfolder, failures)) return;
  const std::string target = StrFunc::IncludeBackslash(folder) + subfolder + "/" +
                             StrFunc::ExtractName(file.path);
  if (DosFunc::RenameFileLong(file.path, target)) return;
  if (TargetPath::Exists(target))
    failures.push_back({TFailureKind::NameTaken, file.path, NameOnDisk(target)});
  else
    failures.push_back(FailureOf(TFailureKind::RenameFailed, file.path, target));
}

}  // namespace HromadneAkce
