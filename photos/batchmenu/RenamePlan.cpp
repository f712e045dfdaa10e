#include "photos/batchmenu/RenamePlan.h"

#include <unordered_map>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/batchmenu/BatchMenu.h"

namespace BatchMenu {

namespace {

std::string Key(const std::string& name) { return StrFunc::UpperCaseCz(StrFunc::Trim(name)); }

// The names of a folder's entries by Key; none when it cannot be read.
std::unordered_map<std::string, std::vector<std::string>> NamesByKey(const std::string& folder,
                                                                     std::vector<std::string>* photos) {
  std::unordered_map<std::string, std::vector<std::string>> byKey;
  std::vector<DosFunc::TFoundEntry> entries;
  DosFunc::ListFolderLong(folder, entries);
  for (const DosFunc::TFoundEntry& entry : entries) {
    byKey[Key(entry.Name)].push_back(entry.Name);
    if (photos != nullptr && entry.Regular && IsJpegName(entry.Name)) photos->push_back(entry.Name);
  }
  return byKey;
}

// True when every entry of the key is among the vacated names.
bool FreeOrVacated(const std::unordered_map<std::string, std::vector<std::string>>& byKey,
                   const std::string& key, const std::unordered_set<std::string>& vacated) {
  const auto found = byKey.find(key);
  if (found == byKey.end()) return true;
  for (const std::string& name : found->second)
    if (vacated.count(name) == 0) return false;
  return true;
}

std::string SideKey(const std::string& name) { return BaseKey(name) + ".EXIF"; }

}  // namespace

bool IsPlainNamePart(const std::string& pattern) {
  if (pattern.size() > kMaxPatternBytes || (!pattern.empty() && pattern[0] == '.')) return false;
  for (const char c : pattern) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

std::string NewName(const std::string& pattern, int64_t number) {
  return pattern + StrFunc::PadLeftCh(std::to_string(number), '0', 4) + ".jpg";
}

std::string BaseKey(const std::string& name) {
  return Key(StrFunc::ExtractNameNoExt(StrFunc::ExtractName(name)));
}

bool IsJpegName(const std::string& name) {
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::ExtractExt(StrFunc::ExtractName(name)));
  return ext == "JPG" || ext == "JPEG";
}

std::unordered_set<std::string> SharedBases(const std::vector<std::string>& photoNames) {
  std::unordered_set<std::string> seen, shared;
  for (const std::string& name : photoNames)
    if (!seen.insert(BaseKey(name)).second) shared.insert(BaseKey(name));
  return shared;
}

TRenamePlan PlanRenames(const std::string& folder, const std::vector<std::string>& photos,
                        const std::string& pattern, int64_t first, int64_t step) {
  TRenamePlan plan;
  std::vector<std::string> olds, news;
  int64_t number = first;
  for (const std::string& photo : photos) {
    if (!IsJpegName(photo) || IsSideFile(photo)) continue;
    if (number < 0) plan.Refusal = TRefusal::kBadNumbers;
    const std::string name = StrFunc::ExtractName(photo);
    const std::string fresh = NewName(pattern, number);
    number += step;
    if (Key(name) == Key(fresh)) {
      ++plan.Unchanged;
      continue;
    }
    olds.push_back(name);
    news.push_back(fresh);
  }
  if (step == 0 || plan.Refusal == TRefusal::kBadNumbers) {
    plan.Refusal = TRefusal::kBadNumbers;
    return plan;
  }
  if (!IsPlainNamePart(pattern)) {
    plan.Refusal = TRefusal::kBadPattern;
    return plan;
  }

  std::vector<std::string> folderPhotos;
  const auto byKey = NamesByKey(folder, &folderPhotos);
  const std::unordered_set<std::string> vacated(olds.begin(), olds.end());
  std::unordered_set<std::string> stayingBases, newKeys;
  for (const std::string& name : folderPhotos)
    if (vacated.count(name) == 0) stayingBases.insert(BaseKey(name));
  for (const std::string& name : news) {
    const bool distinct = newKeys.insert(Key(name)).second;
    if (!distinct || !FreeOrVacated(byKey, Key(name), vacated) || stayingBases.count(BaseKey(name)) > 0)
      plan.Names.push_back(name);
  }
  if (!plan.Names.empty()) {
    plan.Refusal = TRefusal::kNamesTaken;
    return plan;
  }

  // A side file moves with its photo only when no other photo shares it.
  const std::unordered_set<std::string> shared = SharedBases(folderPhotos);
  const std::string exifFolder = StrFunc::IncludeBackslash(folder) + OwnFiles::kExifFolder;
  const auto sideFiles = NamesByKey(exifFolder, nullptr);
  std::unordered_set<std::string> vacatedSides;
  for (const std::string& name : olds) {
    if (shared.count(BaseKey(name)) > 0) continue;
    const auto found = sideFiles.find(SideKey(name));
    if (found != sideFiles.end()) vacatedSides.insert(found->second.begin(), found->second.end());
  }
  for (const std::string& name : news) {
    const auto found = sideFiles.find(SideKey(name));
    if (found == sideFiles.end()) continue;
    for (const std::string& side : found->second)
      if (vacatedSides.count(side) == 0) plan.Names.push_back(std::string(OwnFiles::kExifFolder) + "/" + side);
  }
  if (!plan.Names.empty()) {
    plan.Refusal = TRefusal::kSideFilesInTheWay;
    return plan;
  }
  for (size_t i = 0; i < olds.size(); ++i) plan.Renames.emplace_back(olds[i], news[i]);
  return plan;
}

}  // namespace BatchMenu
