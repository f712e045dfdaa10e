// The names of a generated gallery below its output folder:
//   ico/                         the navigation images
//   th/th_<photo file name>      thumbnails
//   foto/<photo file name>       resized photos
//   exif/exif_<photo name>.htm   EXIF detail pages
//   800x600/, 1024x768/          index.htm, film-strip pages page0001.htm...,
//                                one page <photo name>.htm per photo
// Photo file names are lower-cased in every output name (never the folders
// above them); <photo name> is the file name without its extension.
#pragma once

#include <string>

namespace GalleryLayout {

constexpr const char* kIcoFolder = "ico";
constexpr const char* kThumbFolder = "th";
constexpr const char* kPhotoFolder = "foto";
constexpr const char* kExifFolder = "exif";
constexpr const char* k800Folder = "800x600";
constexpr const char* k1024Folder = "1024x768";
// The subfolders in the order generation creates them.
constexpr const char* kSubfolders[] = {kThumbFolder, kIcoFolder, kPhotoFolder,
                                       kExifFolder,  k800Folder, k1024Folder};

constexpr const char* kThumbPrefix = "th_";
constexpr const char* kExifPrefix = "exif_";
constexpr const char* kFrameset = "index.htm";
constexpr const char* kPageExt = ".htm";

// A file written beside its target under this extra extension replaces the
// target only when its content differs.
constexpr const char* kNewVersionExt = ".new_ver";
// The trial encoding of an image made without a size limit, as it once
// stood beside the image; a run removes one beside an image it made.
constexpr const char* kTrialExt = ".imgtmp";

// Film-strip page n: "page" + n with at least four digits + ".htm".
std::string PageFileName(int n);

// Output names of a photo given by its file name (a folder before it is
// dropped): "th_" + name, name, "exif_" + name without extension + ".htm",
// and the photo page name without extension + ".htm"; all lower-cased.
std::string ThumbnailName(const std::string& photo);
std::string SitePhotoName(const std::string& photo);
std::string ExifPageName(const std::string& photo);
std::string PhotoPageName(const std::string& photo);

// htmlDir + "/" + folder + "/" + name (one "/" each).
std::string OutputPath(const std::string& htmlDir, const std::string& folder,
                       const std::string& name);

}  // namespace GalleryLayout
