#include "gallery/generate/GalleryLayout.h"

#include "foundation/StrFunc.h"

namespace GalleryLayout {

namespace {

std::string LowerName(const std::string& photo) {
  return StrFunc::LowerCaseCz(StrFunc::ExtractName(photo));
}

std::string LowerNameNoExt(const std::string& photo) {
  return StrFunc::LowerCaseCz(StrFunc::ExtractNameNoExt(photo));
}

}  // namespace

std::string PageFileName(int n) { return "page" + StrFunc::PadLeftCh(std::to_string(n), '0', 4) + kPageExt; }

std::string ThumbnailName(const std::string& photo) { return kThumbPrefix + LowerName(photo); }

std::string SitePhotoName(const std::string& photo) { return LowerName(photo); }

std::string ExifPageName(const std::string& photo) {
  return kExifPrefix + LowerNameNoExt(photo) + kPageExt;
}

std::string PhotoPageName(const std::string& photo) { return LowerNameNoExt(photo) + kPageExt; }

std::string OutputPath(const std::string& htmlDir, const std::string& folder,
                       const std::string& name) {
  return StrFunc::IncludeBackslash(htmlDir) + folder + "/" + name;
}

}  // namespace GalleryLayout
