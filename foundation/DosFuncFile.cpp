// The file object: a descriptor with byte positions.
#include <algorithm>
#include <new>
#include <string>

#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "foundation/logger.h"
#include "platform/FileSystem.h"
#include "platform/TextLines.h"
#include "platform/TextFile.h"

TFile::~TFile() {
  if (opened_) platform::CloseFile(fd_);
}

bool TFile::Fail() {
  lastError_ = platform::LastError();
  return false;
}

bool TFile::Adopt(int fd, std::string_view name, int32_t mode) {
  fd_ = fd;
  opened_ = true;
  fileName_ = std::string(name);
  openMode_ = mode;
  lastError_ = 0;
  return true;
}

std::unique_ptr<TFile> TFile::CreateNew() const { return std::make_unique<TFile>(); }

bool TFile::OpenFile(std::string_view name, int32_t mode) {
  if (opened_) Close();
  const auto access =
      (mode & 2) != 0 ? platform::OpenAccess::ReadWrite : platform::OpenAccess::Read;
  const int fd = platform::OpenFile(DosFunc::SystemPath(name), access);
  return fd >= 0 ? Adopt(fd, name, mode) : Fail();
}

bool TFile::OpenIn(const platform::Folder& folder, std::string_view name) {
  if (opened_) Close();
  const int fd = folder.OpenFileForReading(std::string(name));
  return fd >= 0 ? Adopt(fd, name, 0) : Fail();
}

bool TFile::CreateFile(std::string_view name) {
  if (opened_) Close();
  const std::string dir = StrFunc::ExtractDir(name);
  if (!dir.empty()) DosFunc::ForceDirectoriesLong(dir);
  const int fd = platform::CreateFile(DosFunc::SystemPath(name));
  return fd >= 0 ? Adopt(fd, name, 2) : Fail();
}

bool TFile::CreateNewFile(std::string_view name) {
  if (opened_) Close();
  const int fd = platform::CreateNewFile(DosFunc::SystemPath(name));
  return fd >= 0 ? Adopt(fd, name, 2) : Fail();
}

bool TFile::Close() {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return false;
  }
  const bool ok = platform::CloseFile(fd_);
  fd_ = -1;
  opened_ = false;
  lastError_ = ok ? 0 : platform::LastError();
  return ok;
}

bool TFile::CloseAndDelete() {
  Close();
  return DosFunc::DeleteFileLong(fileName_);
}

bool TFile::Flush() {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return false;
  }
  return platform::SyncFile(fd_) || Fail();
}

int64_t TFile::GetPosition() {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return -1;
  }
  const int64_t pos = platform::SeekFile(fd_, 0, platform::SeekFrom::Current);
  if (pos < 0) Fail();
  return pos;
}

int64_t TFile::GetSize() {
  platform::FileStatus st;
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return -1;
  }
  if (!platform::StatFile(fd_, st)) {
    Fail();
    return -1;
  }
  return st.size;
}

int64_t TFile::Seek(int64_t position) {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return -1;
  }
  const int64_t pos = platform::SeekFile(fd_, position, platform::SeekFrom::Begin);
  if (pos < 0) Fail();
  return pos;
}

int64_t TFile::SeekRelative(int64_t delta) {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return -1;
  }
  const int64_t pos = platform::SeekFile(fd_, delta, platform::SeekFrom::Current);
  if (pos < 0) Fail();
  return pos;
}

bool TFile::Truncate() {
  const int64_t pos = GetPosition();
  return pos >= 0 && (platform::TruncateFile(fd_, pos) || Fail());
}

int64_t TFile::Read(void* buffer, int64_t count) {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    return -1;
  }
  if (count <= 0) return 0;
  const int64_t n = platform::ReadFile(fd_, buffer, count);
  if (n < 0) Fail();
  return n;
}

bool TFile::Write(const void* buffer, int64_t count) {
  if (!opened_) {
    lastError_ = kErrorNotOpen;
    logger::LogMessage(logger::LOG_ERROR, "Cannot write to closed file; " + fileName_);
    return false;
  }
  if (count <= 0) return true;
  int error = 0;
  const int64_t written = platform::WriteFile(fd_, buffer, count, error);
  lastError_ = error;
  if (written == count) return true;
  logger::LogMessage(logger::LOG_ERROR, "Cannot write to file; request=" + std::to_string(count) +
                                            ", written=" + std::to_string(written) + ", status=" +
                                            std::to_string(error) + ", fname=" + fileName_);
  return false;
}

TDateTime TFile::GetDateTime() {
  platform::FileStatus st;
  if (!opened_ || !platform::StatFile(fd_, st)) return 0;
  return DateTime::FromUnixTime(st.modifiedSeconds);
}

int32_t TFile::GetAttributes() {
  platform::FileStatus st;
  if (!opened_ || !platform::StatFile(fd_, st)) return -1;
  return DosFunc::AttributesOf(st);
}

bool TFile::TakeTimeAndMode(TFile& source) {
  platform::FileStatus st;
  return opened_ && source.opened_ && platform::StatFile(source.fd_, st) &&
         (platform::SetTimeAndMode(fd_, st) || Fail());
}

// --- Name-based helpers -----------------------------------------------------

bool TFile::DeleteFileAt(std::string_view name) { return DosFunc::DeleteFileOrDir(name); }

bool TFile::DeleteDirContentsAt(std::string_view dir, bool recursive) {
  return DosFunc::DeleteDirContents(dir, recursive);
}

bool TFile::DirectoryExists(std::string_view name) { return DosFunc::DirectoryExistsLong(name); }

bool TFile::ForceDirectories(std::string_view path) { return DosFunc::ForceDirectoriesLong(path); }

bool TFile::FileExists(std::string_view name) { return DosFunc::FileExistsLong(name); }

TDateTime TFile::GetFileDateTime(std::string_view name) { return DosFunc::GetFileDateTime(name); }

void TFile::SetFileDateTime(std::string_view name, TDateTime value) {
  DosFunc::SetFileDateTime(name, value);
}

int32_t TFile::GetFileAttr(std::string_view name) { return DosFunc::GetFileAttr(name); }

bool TFile::SetFileAttr(std::string_view name, int32_t attr) {
  return DosFunc::SetFileAttr(name, attr);
}

bool TFile::MoveWithinDrive(std::string_view source, std::string_view target) {
  const std::string from = DosFunc::SystemPath(StrFunc::ExpandPath(source));
  const std::string to = DosFunc::SystemPath(StrFunc::ExpandPath(target));
  if (!DosFunc::SameVolume(from, to)) return false;
  if (DosFunc::SameFile(from, to)) return true;
  platform::FileStatus st;
  if (platform::LinkStatPath(to, st) && st.isDirectory) return false;
  return platform::RenameReplace(from, to);
}

std::string TFile::ExpandPath(std::string_view path) { return StrFunc::ExpandPath(path); }

bool TFile::IsDirectoryEmpty(std::string_view dir, bool recursive) {
  return DosFunc::IsDirectoryEmpty(dir, recursive);
}

void TFile::RemoveEmptyParents(std::string_view path, std::string_view stopFolder) {
  DosFunc::RemoveEmptyParents(path, stopFolder);
}

std::vector<std::string> TFile::FindFilesEx(std::string_view dir, std::string_view mask,
                                            bool recursive, bool withDirs, bool withDate,
                                            std::string_view extra) {
  return DosFunc::FindFilesEx(dir, mask, recursive, withDirs, withDate, extra);
}

std::vector<std::string> TFile::FindFilesByMask(std::string_view dir, std::string_view mask,
                                                bool recursive) {
  return DosFunc::FindFilesEx(dir, mask, recursive, false, false, "");
}

std::string TFile::ListDrives(std::vector<std::string>* list) { return DosFunc::ListDrives(list); }

bool TFile::CopyFile(std::string_view source, std::string_view target) {
  return DosFunc::CopyFileEx(source, target);
}

std::vector<std::string> TFile::LoadLines(std::string_view name) {
  std::vector<std::string> lines;
  TFile in;
  if (!in.OpenFile(name, 0)) return lines;
  const int64_t size = in.GetSize();
  if (size <= 0) return lines;
  std::string text;
  try {
    text.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return lines;
  }
  text.resize(static_cast<size_t>(std::max<int64_t>(0, in.Read(text.data(), size))));
  return platform::SplitLines(text);
}

bool TFile::SaveLines(std::string_view name, const std::vector<std::string>& lines) {
  const std::string text = platform::JoinLines(lines);
  const std::string dir = StrFunc::ExtractDir(name);
  if (!dir.empty() && !DosFunc::ForceDirectoriesLong(dir)) return false;
  return platform::ReplaceFile(DosFunc::SystemPath(name), text);
}

TDateTime TFile::Now() { return DateTime::Now(); }
