#include "photos/ImageListLine.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"

namespace ImageList {

int NameWidth(const std::vector<std::string>& paths) {
  size_t widest = 0;
  for (const std::string& path : paths) widest = std::max(widest, Utf8::Length(StrFunc::ExtractName(path)));
  return std::max(kNameWidth, static_cast<int>(widest) + 1);
}

std::string ListLine(const std::string& path, int nameWidth) {
  const std::string name = StrFunc::ExtractName(path);
  // A name as wide as the column still keeps one blank from its folder.
  const std::string gap = Utf8::Length(name) >= static_cast<size_t>(nameWidth) ? " " : "";
  return StrFunc::PadRightS(name, nameWidth) + gap + StrFunc::ExtractDir(path);
}

}  // namespace ImageList
