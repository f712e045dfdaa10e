// The files and folders the program itself keeps inside a photo folder: the
// ignore list, the checker cache, the thumbnail cache folder "thumbs" and the
// EXIF side-file folder "exif". Tools that rename, move or sort the user's
// files leave these alone: renaming the ignore list would silently switch it
// off, and a photo sorted into "thumbs" would be lost among the caches.
#pragma once

#include <string_view>

namespace OwnFiles {

constexpr char kIgnoreList[] = "ignore.list";
constexpr char kThumbsFolder[] = "thumbs";
constexpr char kExifFolder[] = "exif";
// The checker cache of gallery generation (gallery/ImageCRCCache.h).
constexpr char kCheckerCache[] = "quillmarsh.cache";

// True for the name (without folder) of the ignore list or the checker
// cache, compared without regard to case.
bool IsOwnFile(std::string_view name);
// True for the name of the thumbnail or the side-file folder, compared
// without regard to case.
bool IsOwnFolder(std::string_view name);
// True when a path relative to a photo folder is an own file, or lies in an
// own folder at any level.
bool IsOwnPath(std::string_view relativePath);

}  // namespace OwnFiles
