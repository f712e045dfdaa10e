// The file lists of the resort window.
#include <algorithm>
#include <unordered_map>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/resort/edit_imgresortInternal.h"

namespace edit_imgresort::detail {

namespace {

// True when a folder on the way to rel (relative to dir) is a gallery's
// output folder; each folder is asked once.
bool InGallery(const std::string& dir, const std::string& rel,
               std::unordered_map<std::string, bool>& known) {
  for (size_t slash = rel.find('/'); slash != std::string::npos; slash = rel.find('/', slash + 1)) {
    const std::string folder = rel.substr(0, slash);
    auto found = known.find(folder);
    if (found == known.end())
      found = known.emplace(folder, OwnFiles::IsGalleryFolder(Join(dir, folder))).first;
    if (found->second) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& dir, bool recursive) {
  std::vector<std::string> files;
  std::unordered_map<std::string, bool> galleries;
  for (std::string& rel : DosFunc::FindFiles(dir, recursive)) {
    if (!OwnFiles::IsOwnPath(rel) && !InGallery(dir, rel, galleries)) files.push_back(std::move(rel));
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Join(const std::string& dir, const std::string& name) {
  return dir.empty() ? name : StrFunc::IncludeBackslash(dir) + name;
}

}  // namespace edit_imgresort::detail
