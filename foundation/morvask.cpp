#include "foundation/morvask.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "platform/SharedLibrary.h"

namespace morvask {

namespace {

platform::SharedLibrary& Library() {
  static platform::SharedLibrary library;
  return library;
}

}  // namespace

bool Load(const std::string& programDir) {
  Free();
  const std::string path = StrFunc::IncludeBackslash(programDir) + kLibraryName;
  return DosFunc::FileExistsLong(path) && Library().Load(path);
}

void Free() { Library().Unload(); }

bool IsLoaded() { return Library().IsLoaded(); }

}  // namespace morvask
