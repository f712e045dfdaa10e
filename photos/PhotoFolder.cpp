#include "photos/PhotoFolder.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "photos/PhotoList.h"
#include "platform/FileSystem.h"

namespace PhotoFolder {

bool List(const std::string& folder, const std::function<bool(const std::string&)>& ignored,
          std::vector<std::string>& paths) {
  paths.clear();
  std::vector<std::string> names;
  if (!platform::ListRegularFiles(folder, names)) return false;
  const std::string dir = StrFunc::IncludeBackslash(folder);
  for (const std::string& name : names) {
    if (name.starts_with('.') || !PhotoList::IsListedName(name)) continue;
    std::string path = dir + name;
    if (ignored && ignored(path)) continue;
    paths.push_back(std::move(path));
  }
  // The system's order is arbitrary, and the photo list keeps the given
  // order of names that differ only in case: sorted, every read agrees.
  std::sort(paths.begin(), paths.end());
  return true;
}

}  // namespace PhotoFolder
