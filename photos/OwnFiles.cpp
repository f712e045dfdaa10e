#include "photos/OwnFiles.h"

#include <string>

#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"

namespace OwnFiles {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return StrFunc::UpperCaseCz(a) == StrFunc::UpperCaseCz(b);
}

GalleryFolderSource& Source() {
  static GalleryFolderSource source = nullptr;
  return source;
}

std::string FolderKey(std::string_view folder) {
  std::string key = StrFunc::Trim(folder);
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
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

void SetGalleryFolderSource(GalleryFolderSource source) { Source() = source; }

bool IsGalleryFolder(const std::string& folder) {
  if (Source() == nullptr) return false;
  const std::string key = FolderKey(folder);
  platform::FileStatus status, other;
  const bool exists = platform::StatPath(key, status) && status.isDirectory;
  for (const std::string& gallery : Source()()) {
    if (FolderKey(gallery) == key) return true;
    if (exists && platform::StatPath(gallery, other) && other.device == status.device &&
        other.inode == status.inode)
      return true;
  }
  return false;
}

}  // namespace OwnFiles
