#include "photos/DialogFolder.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "platform/SpecialFolders.h"

namespace DialogFolder {

namespace {

// The root stays "/".
std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

bool Usable(const std::string& folder) {
  return folder.starts_with('/') && DosFunc::DirectoryExistsLong(folder);
}

std::string StartFolder(const std::string& shownPhoto, const std::string& last) {
  const std::string photoFolder = shownPhoto.empty() ? std::string() : StrFunc::ExtractDir(shownPhoto);
  for (const std::string& folder : {photoFolder, last, platform::HomeFolder()}) {
    if (Usable(folder)) return WithoutTrailingSlashes(DosFunc::ExistingPathLong(folder));
  }
  return "/";
}

}  // namespace DialogFolder
