#include "photos/batch/HromadneAkceScan.h"

#include <unordered_set>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/batch/HromadneAkceKinds.h"

namespace HromadneAkce {

namespace {

constexpr std::string_view kThumbsFolder = "THUMBS";
constexpr std::string_view kThumbPrefix = "THUMB_";

std::string Join(const std::string& folder, const std::string& name) {
  return StrFunc::IncludeBackslash(folder) + name;
}

// The name a file stands for when the batch actions take it, "" when they
// do not. taken holds the folder's names upper-cased.
std::string StandingOf(const std::string& name, const std::unordered_set<std::string>& taken) {
  if (StrFunc::UpperCaseCz(name.substr(0, kThumbPrefix.size())) == kThumbPrefix) return {};
  const std::string spread = SpreadLeftoverName(name);
  if (!spread.empty()) return taken.count(StrFunc::UpperCaseCz(spread)) ? std::string() : spread;
  std::string standing = StandingName(name);
  return IsMediaExt(StrFunc::ExtractExt(standing)) ? standing : std::string();
}

bool IsLink(const DosFunc::TFoundEntry& entry) {
  return (entry.Attr & DosFunc::faReparsePoint) != 0;
}

}  // namespace

TFolderScan ScanFolder(const std::string& folder, const TScanRule& rule) {
  TFolderScan scan;
  std::vector<DosFunc::TFoundEntry> entries;
  DosFunc::TSearchRec rec;
  if (DosFunc::FindFirstLong(Join(folder, "*"), DosFunc::faAnyFile, rec) == DosFunc::kFindOk) {
    entries = rec.Matches;
    DosFunc::FindCloseLong(rec);
  }
  std::unordered_set<std::string> taken;
  for (const DosFunc::TFoundEntry& e : entries) taken.insert(StrFunc::UpperCaseCz(e.Name));
  for (const DosFunc::TFoundEntry& e : entries) {
    if (IsLink(e)) continue;
    if ((e.Attr & DosFunc::faDirectory) != 0) {
      const bool thumbs = StrFunc::UpperCaseCz(e.Name) == kThumbsFolder;
      if (rule.subfolders && !(thumbs && rule.skipThumbs) &&
          !(rule.skipThumbs && OwnFiles::IsGalleryFolder(Join(folder, e.Name))))
        scan.subfolders.push_back(Join(folder, e.Name));
      continue;
    }
    const std::string standing = StandingOf(e.Name, taken);
    if (!standing.empty())
      scan.files.push_back({Join(folder, e.Name), Join(folder, standing), e.Time});
  }
  return scan;
}

bool MediaFileOf(const std::string& path, TMediaFile& file) {
  // Looked up by its own name: "*" and "?" are characters of a Linux name,
  // and as a mask they would pick another photo of the folder.
  const int32_t attr = DosFunc::GetFileAttr(path);
  if (attr < 0 || (attr & (DosFunc::faDirectory | DosFunc::faReparsePoint)) != 0) return false;
  const std::string onDisk = DosFunc::ExistingPathLong(path);
  const std::string folder = StrFunc::ExtractDir(onDisk);
  const std::string name = StrFunc::ExtractName(onDisk);
  std::unordered_set<std::string> taken;
  const std::string spread = SpreadLeftoverName(name);
  if (!spread.empty() && DosFunc::FileExistsLong(Join(folder, spread)))
    taken.insert(StrFunc::UpperCaseCz(spread));
  const std::string standing = StandingOf(name, taken);
  if (standing.empty()) return false;
  file = {Join(folder, name), Join(folder, standing), DosFunc::GetFileDateTime(onDisk)};
  return true;
}

}  // namespace HromadneAkce
