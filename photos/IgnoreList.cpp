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
  if (!platform::ReplaceFile(file, platform::JoinLines(names_))) return false;
  DosFunc::SetFileAttr(file, DosFunc::faReadOnly | DosFunc::faHidden | DosFunc::faSysFile);
  return true;
}
