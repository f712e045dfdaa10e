#include "photos/IgnoreList.h"

#include <algorithm>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/config/cfgtoolsini.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace {

std::string ListPath(const std::string& folder) {
  return StrFunc::IncludeBackslash(folder) + TIgnoreList::kFileName;
}

bool Exists(const std::string& path) {
  platform::FileStatus status;
  return platform::StatPath(path, status);
}

bool ExistsExactly(const std::string& folder, const std::string& name) {
  platform::FileStatus status;
  return platform::LinkStatPath(StrFunc::IncludeBackslash(folder) + name, status);
}

}  // namespace

void TIgnoreList::Put(const std::string& name) {
  names_.push_back(name);
  byUpper_[StrFunc::UpperCaseCz(name)].push_back(name);
}

bool TIgnoreList::Load(const std::string& folder) {
  folder_ = folder;
  names_.clear();
  byUpper_.clear();
  const std::string file = ListPath(folder);
  std::vector<std::string> lines;
  unreadable_ = false;
  if (!LoadTextFileLines(file, lines)) {
    unreadable_ = Exists(file);
    return !unreadable_;
  }
  for (const std::string& line : lines) {
    const std::string name = StrFunc::Trim(line);
    if (!name.empty()) Put(name);
  }
  return true;
}

bool TIgnoreList::IsIgnored(const std::string& path) const {
  const std::string name = StrFunc::Trim(StrFunc::ExtractName(path));
  const auto found = byUpper_.find(StrFunc::UpperCaseCz(name));
  if (found == byUpper_.end()) return false;
  const std::vector<std::string>& entries = found->second;
  if (std::find(entries.begin(), entries.end(), name) != entries.end()) return true;
  return std::any_of(entries.begin(), entries.end(), [this](const std::string& entry) {
    return !ExistsExactly(folder_, entry);
  });
}

bool TIgnoreList::Add(const std::string& path) {
  const std::string folder = StrFunc::ExtractDir(path);
  if ((folder != folder_ || unreadable_) && !Load(folder)) return false;
  Put(StrFunc::Trim(StrFunc::ExtractName(path)));
  if (Save()) return true;
  Load(folder_);
  return false;
}

bool TIgnoreList::Save() const {
  if (unreadable_) return false;
  const std::string file = ListPath(folder_);
  if (DosFunc::GetFileAttr(file) >= 0) DosFunc::SetFileAttr(file, 0);
  if (!SaveTo(file)) return false;
  Protect(file);
  return true;
}

bool TIgnoreList::SaveTo(const std::string& file) const {
  return !unreadable_ && platform::ReplaceFile(file, platform::JoinLines(names_));
}

void TIgnoreList::Protect(const std::string& file) {
  DosFunc::SetFileAttr(file, DosFunc::faReadOnly | DosFunc::faHidden | DosFunc::faSysFile);
}

bool TIgnoreList::Rename(const std::vector<std::pair<std::string, std::string>>& renames) {
  std::unordered_map<std::string, std::string> exact, byUpper;
  for (const auto& [oldName, newName] : renames) {
    const std::string name = StrFunc::Trim(oldName);
    exact.emplace(name, newName);
    byUpper.emplace(StrFunc::UpperCaseCz(name), newName);
  }
  std::vector<std::string> names;
  names.swap(names_);
  byUpper_.clear();
  bool changed = false;
  for (const std::string& entry : names) {
    const std::string* renamed = nullptr;
    if (const auto found = exact.find(entry); found != exact.end()) {
      renamed = &found->second;
    } else if (const auto twin = byUpper.find(StrFunc::UpperCaseCz(entry)); twin != byUpper.end()) {
      renamed = &twin->second;
    }
    changed = changed || renamed != nullptr;
    Put(renamed != nullptr ? *renamed : entry);
  }
  return changed;
}
