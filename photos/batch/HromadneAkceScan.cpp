#include "photos/batch/HromadneAkceScan.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "platform/FileSystem.h"

namespace HromadneAkce {

namespace {

constexpr std::string_view kThumbsFolder = "THUMBS";
constexpr std::string_view kThumbPrefix = "THUMB_";

std::string Join(const std::string& folder, const std::string& name) {
  return StrFunc::IncludeBackslash(folder) + name;
}

// The name a file stands for when the batch actions take it, "" when they
// do not.
std::string StandingOf(const std::string& name) {
  if (StrFunc::UpperCaseCz(name.substr(0, kThumbPrefix.size())) == kThumbPrefix) return {};
  std::string standing = StandingName(name);
  return IsMediaExt(StrFunc::ExtractExt(standing)) ? standing : std::string();
}

bool IsLink(const DosFunc::TFoundEntry& entry) {
  return (entry.Attr & DosFunc::faReparsePoint) != 0;
}

TMediaFile FileOf(const std::string& folder, const DosFunc::TFoundEntry& e,
                  const std::string& standing) {
  return {Join(folder, e.Name), Join(folder, standing), e.Time};
}

}  // namespace

TFolderScan ScanFolder(const std::string& folder, const TScanRule& rule) {
  TFolderScan scan;
  std::vector<DosFunc::TFoundEntry> entries;
  scan.readable = DosFunc::ListFolderLong(folder, entries);
  for (const DosFunc::TFoundEntry& e : entries) {
    if (IsLink(e)) continue;
    if ((e.Attr & DosFunc::faDirectory) != 0) {
      const bool thumbs = StrFunc::UpperCaseCz(e.Name) == kThumbsFolder;
      if (rule.subfolders && !(thumbs && rule.skipThumbs) &&
          !(rule.skipGalleries && OwnFiles::IsGalleryFolder(Join(folder, e.Name))))
        scan.subfolders.push_back(Join(folder, e.Name));
      continue;
    }
    const std::string standing = e.Regular ? StandingOf(e.Name) : std::string();
    if (!standing.empty()) scan.files.push_back(FileOf(folder, e, standing));
  }
  return scan;
}

bool MediaFileOf(const std::string& path, TMediaFile& file) {
  // Looked up by its own name: "*" and "?" are characters of a Linux name,
  // and as a mask they would pick another photo of the folder.
  const int32_t attr = DosFunc::GetFileAttr(path);
  if (attr < 0 || (attr & (DosFunc::faDirectory | DosFunc::faReparsePoint)) != 0) return false;
  const std::string onDisk = DosFunc::ExistingPathLong(path);
  platform::FileStatus status;
  if (!platform::StatPath(onDisk, status) || !status.isRegular) return false;
  const std::string standing = StandingOf(StrFunc::ExtractName(onDisk));
  if (standing.empty()) return false;
  const std::string folder = StrFunc::ExtractDir(onDisk);
  file = {onDisk, Join(folder, standing), DosFunc::GetFileDateTime(onDisk)};
  return true;
}

}  // namespace HromadneAkce
