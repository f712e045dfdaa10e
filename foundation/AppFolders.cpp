#include "foundation/AppFolders.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/SpecialFolders.h"
#include "platform/WorkFile.h"

namespace AppFolders {

namespace {

bool IsRegularFile(const std::string& path) {
  platform::FileStatus st;
  return platform::StatPath(path, st) && st.isRegular;
}

bool EntryExists(const std::string& path) {
  platform::FileStatus st;
  return platform::LinkStatPath(path, st);
}

}  // namespace

std::string ProgramFolder() { return StrFunc::ExtractDir(platform::ExecutablePath()); }

std::string DataFolder() {
  const std::string userData = platform::SpecialFolderPath(platform::SpecialFolder::UserData);
  if (userData.empty()) return userData;
  // Tests point every per-user folder below QUILLMARSH_HOME, whose data folder
  // is the user data folder itself.
  const std::string folder = platform::HomeOverride().empty() ? userData + "/quillmarsh" : userData;
  if (!DosFunc::ForceDirectoriesLong(folder)) return std::string();
  return folder;
}

std::string DataFile(const std::string& name, const std::vector<std::string>& olderPaths) {
  const std::string folder = DataFolder();
  if (folder.empty()) return folder;
  const std::string path = folder + "/" + name;
  if (EntryExists(path)) return path;
  for (const std::string& older : olderPaths) {
    if (older == path || !IsRegularFile(older)) continue;
    // A copy is put in place only when complete; when it fails, the older
    // file still holds the data and is tried again next time.
    (void)DosFunc::CopyFileWorker(older, path, DosFunc::kCopyKeepDateAttr, {}, 0);
    break;
  }
  return path;
}

std::string DataFile(const std::string& name) {
  const std::string program = ProgramFolder();
  if (program.empty()) return DataFile(name, {});
  return DataFile(name, {program + "/" + name});
}

std::vector<std::string> LookupFolders() {
  std::vector<std::string> folders;
  for (const std::string& folder : {DataFolder(), ProgramFolder()})
    if (!folder.empty()) folders.push_back(folder);
  return folders;
}

std::string FindUserFile(const std::string& relativePath) {
  for (const std::string& folder : LookupFolders()) {
    const std::string path = folder + "/" + relativePath;
    if (IsRegularFile(path)) return path;
  }
  return std::string();
}

void RemoveLeftovers() {
  const std::string data = DataFolder();
  if (!data.empty()) platform::RemoveLeftovers(data);
  const std::string temp = platform::PrivateTempDir();
  if (!temp.empty()) platform::RemoveLeftovers(temp, WorkNames::IsGenerationThumbnailName);
}

}  // namespace AppFolders
