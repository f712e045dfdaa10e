// The file lists of the resort window.
#include <algorithm>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/resort/edit_imgresortInternal.h"

namespace edit_imgresort::detail {

std::vector<std::string> ListFiles(const std::string& dir, bool recursive) {
  std::vector<std::string> files;
  for (std::string& rel : DosFunc::FindFiles(dir, recursive)) {
    if (!OwnFiles::IsOwnPath(rel)) files.push_back(std::move(rel));
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Join(const std::string& dir, const std::string& name) {
  return dir.empty() ? name : StrFunc::IncludeBackslash(dir) + name;
}

}  // namespace edit_imgresort::detail
