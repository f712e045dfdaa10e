// The replacement file: a work file beside the target, renamed over it once
// complete.
#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"

bool TReplacementFile::AdoptWorkFile(std::string_view name) {
  // The object writes through a descriptor of its own; the work file's stays
  // open, keeping the file locked as in use until it is renamed.
  const int fd = platform::DuplicateFile(work_.Descriptor());
  if (fd >= 0) return Adopt(fd, name, 2);
  Fail();
  work_.Discard();
  return false;
}

bool TReplacementFile::Create(std::string_view target) {
  Discard();
  const std::string dir = StrFunc::ExtractDir(target);
  if (!dir.empty() && !DosFunc::ForceDirectoriesLong(dir)) return false;
  const std::string path = DosFunc::SystemPath(target);
  if (!work_.Create(path)) return Fail();
  return AdoptWorkFile(path);
}

bool TReplacementFile::CreateIn(const platform::Folder& folder, std::string_view name) {
  Discard();
  if (!work_.CreateIn(folder, std::string(name))) return Fail();
  return AdoptWorkFile(name);
}

bool TReplacementFile::Commit() {
  const bool closed = IsOpen() && Close();
  if (!closed) {
    work_.Discard();
    return false;
  }
  return work_.Commit() || Fail();
}

bool TReplacementFile::CommitUnsynced() {
  const bool closed = IsOpen() && Close();
  if (!closed) {
    work_.Discard();
    return false;
  }
  return work_.CommitUnsynced() || Fail();
}

void TReplacementFile::Discard() {
  if (IsOpen()) Close();
  work_.Discard();
}
