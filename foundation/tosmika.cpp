#include "foundation/tosmika.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "platform/SharedLibrary.h"

namespace tosmika {

namespace {

constexpr const char* kRequiredExports[] = {"TosmikaLibVersion", "JeTosmika", "ReleaseTosmika",
                                            "ReleaseVelnara"};

using ReleaseFunction = void (*)();

bool LoadFirst(platform::SharedLibrary& library, const std::string& programDir) {
  for (const std::string& name : {kVelnaraName, kTosmikaName}) {
    const std::string path = StrFunc::IncludeBackslash(programDir) + name;
    if (DosFunc::FileExistsLong(path)) return library.Load(path);
  }
  return false;
}

bool HasAllExports(const platform::SharedLibrary& library) {
  for (const char* name : kRequiredExports)
    if (library.Symbol(name) == nullptr) return false;
  return true;
}

void Call(const platform::SharedLibrary& library, const char* name) {
  if (void* symbol = library.Symbol(name)) reinterpret_cast<ReleaseFunction>(symbol)();
}

}  // namespace

bool Release(const std::string& programDir) {
  platform::SharedLibrary library;
  if (!LoadFirst(library, programDir) || !HasAllExports(library)) return false;
  Call(library, "ReleaseTosmika");
  Call(library, "ReleaseVelnara");
  return true;
}

}  // namespace tosmika
