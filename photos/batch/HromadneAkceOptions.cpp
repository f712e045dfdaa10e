#include "photos/batch/HromadneAkceOptions.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"

namespace HromadneAkce {

TTarget FolderTarget(const std::string& rootDir) {
  TTarget target;
  target.rootDir = rootDir;
  return target;
}

TTarget FilesTarget(const std::vector<std::string>& lines) {
  TTarget target;
  target.filesMode = true;
  for (const std::string& line : lines) {
    if (StrFunc::Trim(line).empty()) continue;
    (DosFunc::DirectoryExistsLong(line) ? target.folders : target.files).push_back(line);
  }
  return target;
}

}  // namespace HromadneAkce
