#include "photos/ImageListLine.h"

#include "foundation/StrFunc.h"

namespace ImageList {

std::string ListLine(const std::string& path) {
  return StrFunc::PadRightS(StrFunc::ExtractName(path), kNameWidth) + StrFunc::ExtractDir(path);
}

}  // namespace ImageList
