// The files and folders the program itself keeps inside a photo folder: the
// ignore list, the checker cache, the thumbnail cache folder "thumbs" and the
// EXIF side-file folder "exif". Tools that rename, move or sort the user's
// files leave these alone: renaming the ignore list would silently switch it
// off, and a photo sorted into "thumbs" would be lost among the caches.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace OwnFiles {

constexpr char kIgnoreList[] = "ignore.list";
constexpr char kThumbsFolder[] = "thumbs";
constexpr char kExifFolder[] = "exif";
// The checker cache of gallery generation (gallery/checker/ImageCRCCache.h).
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

// The output folders of the stored gallery projects are the program's own
// too: a tool that walks a photo tree leaves a gallery inside it alone, so
// that its resized copies are never renamed, moved or sorted as photos. The
// projects file lies above this library, so the program installs where the
// folders come from at start-up; until then there are none.
using GalleryFolderSource = std::vector<std::string> (*)();
void SetGalleryFolderSource(GalleryFolderSource source);
// True when folder is one of those output folders: the same path (trimmed,
// without a trailing "/") or, when both exist, the same folder on disk.
bool IsGalleryFolder(const std::string& folder);

}  // namespace OwnFiles
