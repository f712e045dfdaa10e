#include "photos/OwnFiles.h"

#include <string>

#include "foundation/StrFunc.h"

namespace OwnFiles {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return StrFunc::UpperCaseCz(a) == StrFunc::UpperCaseCz(b);
}

}  // namespace

bool IsOwnFile(std::string_view name) {
  return SameName(name, kIgnoreList) || SameName(name, kCheckerCache);
}

bool IsOwnFolder(std::string_view name) {
  return SameName(name, kThumbsFolder) || SameName(name, kExifFolder);
}

bool IsOwnPath(std::string_view relativePath) {
  size_t start = 0;
  for (size_t slash = relativePath.find('/'); slash != std::string_view::npos;
       slash = relativePath.find('/', start)) {
    if (IsOwnFolder(relativePath.substr(start, slash - start))) return true;
    start = slash + 1;
  }
  return IsOwnFile(relativePath.substr(start));
}

}  // namespace OwnFiles
