// Copying, synchronising and moving single files with their dates and
// attributes. An existing target is only ever replaced by renaming a whole,
// flushed new file over it, so a failure leaves the old target as it was.

#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"

namespace DosFunc {

namespace {

// Companion files of bulk data: name + "-p#000" to "-p#400".
constexpr int kLastCompanion = 1024;
constexpr int kCompanionMisses = 3;

std::string Hex3(int n) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(n >> 8) & 15], kDigits[(n >> 4) & 15], kDigits[n & 15]};
}

// An existing target that a copy or move may not replace: a folder, or a
// read-only file.
bool IsProtectedTarget(const std::string& target) {
  platform::FileStatus st;
  if (!platform::LinkStatPath(target, st)) return false;
  return st.isDirectory || (!st.isLink && (st.mode & 0222) == 0);
}

// Opens a new, hidden file beside target under a name nobody uses.
bool CreateBeside(const std::string& target, TFile& file, std::string& name) {
  const int fd = platform::CreateTempBeside(target, name);
  if (fd < 0) return false;
  platform::CloseFile(fd);
  if (file.OpenFile(name, 2)) return true;
  platform::RemoveFile(name);
  return false;
}

// Copies source into a new file beside target, flushes it and renames it
// over target. On failure the new file is removed and target is untouched.
bool ReplaceWithCopy(TFile& source, const std::string& target, const TCopyProgress& progress) {
  if (IsProtectedTarget(target)) return false;
  const std::string dir = StrFunc::ExtractDir(target);
  if (!dir.empty() && !ForceDirectoriesLong(dir)) return false;
  TFile temp;
  std::string tempName;
  if (!CreateBeside(target, temp, tempName)) return false;
  bool ok = source.CopyTo(temp, nullptr, TFileRoot::CopyMode::Overwrite, false, -1, progress) &&
            temp.Flush();
  ok = temp.Close() && ok;
  ok = ok && platform::RenameReplace(tempName, target);
  if (!ok) platform::RemoveFile(tempName);
  return ok;
}

// Appends source to target (created when missing). On failure an old target
// is cut back to its length and a new one removed.
bool AppendCopy(TFile& source, const std::string& target, const TCopyProgress& progress) {
  TFile out;
  const bool existed = FileExistsLong(target);
  if (existed ? !out.OpenFile(target, 2) : !out.CreateFile(target)) return false;
  const int64_t oldSize = out.GetSize();
  const bool ok =
      oldSize >= 0 && source.CopyTo(out, nullptr, TFileRoot::CopyMode::Append, false, -1, progress);
  if (!ok && existed && oldSize >= 0 && out.Seek(oldSize) == oldSize) out.Truncate();
  out.Close();
  if (!ok && !existed) platform::RemoveFile(target);
  return ok;
}

// True when the entry's last write shows as the local time that wanted
// stands for. In the hour repeated when summer time ends one local time names
// two instants; a file at either already has its date and keeps it.
bool ShowsDate(const platform::FileStatus& st, int64_t wanted) {
  int64_t shown = 0;
  return st.modifiedSeconds == wanted ||
         (DateTime::ToUnixTime(DateTime::FromUnixTime(st.modifiedSeconds), shown) &&
          shown == wanted);
}

// Sets date and read-only state of one entry where they differ; true when it
// ends with both.
bool ApplyTo(const std::string& path, int32_t attr, TDateTime date) {
  int64_t wanted = 0;
  platform::FileStatus st;
  if (!platform::StatPath(path, st)) return false;
  const bool dateOk = DateTime::ToUnixTime(date, wanted);
  if (dateOk && !ShowsDate(st, wanted)) platform::SetModifiedTime(path, wanted);
  const bool readOnly = (attr & faReadOnly) != 0;
  if (((AttributesOf(st) & faReadOnly) != 0) != readOnly) platform::SetWritable(path, !readOnly);
  if (!platform::StatPath(path, st)) return false;
  return dateOk && ShowsDate(st, wanted) && ((AttributesOf(st) & faReadOnly) != 0) == readOnly;
}

}  // namespace

bool ApplyDateAndAttributes(int32_t attr, std::string_view target, TDateTime date) {
  if (StrFunc::Trim(target).empty()) return false;
  const std::string path = SystemPath(target);
  if (!ApplyTo(path, attr, date)) return false;
  if (!StrFunc::IsBulkDataExt(StrFunc::ExtractExt(path))) return true;
  int misses = 0;
  for (int n = 0; n <= kLastCompanion && misses < kCompanionMisses; ++n) {
    const std::string companion = SystemPath(path + "-p#" + Hex3(n));
    platform::FileStatus st;
    if (platform::StatPath(companion, st)) {
      misses = 0;
      ApplyTo(companion, attr, date);
    } else {
      ++misses;
    }
  }
  return true;
}

bool CopyFileWorker(std::string_view source, std::string_view target, int flags,
                    const TCopyProgress& progress, int64_t bufferSize) {
  if (StrFunc::Trim(source).empty() || StrFunc::Trim(target).empty()) return false;
  const std::string from = SystemPath(source);
  const std::string to = SystemPath(target);
  if (SameFile(from, to)) return true;
  TFile in;
  if (!in.OpenFile(from, 0)) return false;
  in.SetBufferSize(bufferSize);
  const bool ok =
      (flags & kCopyAppend) != 0 ? AppendCopy(in, to, progress) : ReplaceWithCopy(in, to, progress);
  const TDateTime date = in.GetDateTime();
  const int32_t attr = in.GetAttributes();
  platform::FileStatus st;
  const bool haveInstant = platform::StatPath(from, st);
  in.Close();
  if (ok && (flags & kCopyKeepDateAttr) != 0) {
    // The source's own instant first: its local time alone is ambiguous in
    // the hour repeated when summer time ends.
    if (haveInstant) platform::SetModifiedTime(to, st.modifiedSeconds);
    ApplyDateAndAttributes(attr, to, date);
  }
  return ok;
}

bool CopyFileEx(std::string_view source, std::string_view target, const TCopyProgress& progress,
                int64_t bufferSize) {
  return CopyFileWorker(source, target, 0, progress, bufferSize);
}

bool SyncFile(std::string_view source, std::string_view target, bool force) {
  int64_t sourceSize = 0, targetSize = 0;
  TDateTime sourceDate = 0, targetDate = 0;
  int32_t sourceAttr = 0, targetAttr = 0;
  if (!GetFileInfo(source, sourceSize, sourceDate, sourceAttr)) return false;
  const bool haveTarget = GetFileInfo(target, targetSize, targetDate, targetAttr);
  if (force || !haveTarget || sourceSize != targetSize)
    return CopyFileWorker(source, target, kCopyKeepDateAttr, {}, 0);
  return ApplyDateAndAttributes(sourceAttr, target, sourceDate);
}

bool MoveFileKeepAttrs(std::string_view source, std::string_view target, TDateTime date,
                       int32_t attr) {
  if (StrFunc::Trim(source).empty() || StrFunc::Trim(target).empty()) return false;
  const std::string from = SystemPath(StrFunc::ExpandPath(StrFunc::StripLongPathPrefix(source)));
  const std::string to = SystemPath(StrFunc::ExpandPath(StrFunc::StripLongPathPrefix(target)));
  platform::FileStatus st;
  if (!platform::LinkStatPath(from, st)) return false;
  if (SameFile(from, to)) return true;
  if (IsProtectedTarget(to)) return false;
  platform::FileStatus own;
  const bool haveInstant = date == kSourceDate && platform::StatPath(from, own);
  if (date == kSourceDate || attr == kSourceAttr) {
    int64_t size = 0;
    TDateTime ownDate = 0;
    int32_t ownAttr = 0;
    GetFileInfo(from, size, ownDate, ownAttr);
    if (date == kSourceDate) date = ownDate;
    if (attr == kSourceAttr) attr = ownAttr;
  }
  if (!platform::RenameReplace(from, to)) {
    if (!CopyFileEx(from, to)) return false;
    // The source's own instant: its local time alone is ambiguous in the hour
    // repeated when summer time ends.
    if (haveInstant) platform::SetModifiedTime(to, own.modifiedSeconds);
    platform::RemoveFile(from);
  }
  ApplyDateAndAttributes(attr, to, date);
  return true;
}

}  // namespace DosFunc
