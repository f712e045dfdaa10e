#include "foundation/AppFolders.h"

#include "foundation/StrFunc.h"
#include "platform/Environment.h"
#include "platform/NewFile.h"
#include "platform/SpecialFolders.h"

namespace AppFolders {

std::string ProgramFolder() { return StrFunc::ExtractDir(platform::ExecutablePath()); }

std::string DataFolder() { return DataFolderOf(ProgramFolder()); }

std::string DataFolderOf(const std::string& programFolder) {
  const std::string userData = platform::SpecialFolderPath(platform::SpecialFolder::UserData);
  // Tests point every per-user folder below QUILLMARSH_HOME, whose data folder
  // is the user data folder itself.
  if (!platform::HomeOverride().empty()) return userData;
  if (!programFolder.empty() && platform::IsWritableFolder(programFolder)) return programFolder;
  return userData.empty() ? userData : userData + "/quillmarsh";
}

}  // namespace AppFolders
