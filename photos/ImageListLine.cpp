#include "photos/ImageListLine.h"

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"

namespace ImageList {

std::string ListLine(const std::string& path) {
  const std::string name = StrFunc::ExtractName(path);
  const std::string gap = Utf8::Length(name) >= kNameWidth ? " " : "";
  return StrFunc::PadRightS(name, kNameWidth) + gap + StrFunc::ExtractDir(path);
}

}  // namespace ImageList
