// Copying, synchronising and moving single files with their dates and
// attributes. An existing target is only ever replaced by renaming a whole,
// flushed new file over it, so a failure leaves the old target as it was.

#include "foundation/DosFunc.h"
#include "foundation/DosFuncPath.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"
#include "platform/NewFile.h"

namespace DosFunc {

namespace {

// Companion files of bulk data: name + "-p#000" to "-p#400".
constexpr int kLastCompanion = 1024;
constexpr int kCompanionMisses = 3;

std::string Hex3(int n) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(n >> 8) & 15], kDigits[(n >> 4) & 15], kDigits[n & 15]};
}

bool IsProtectedTarget(const std::string& target) {
  platform::FileStatus st;
  return platform::LinkStatPath(target, st) && IsProtected(st);
}

// Copies source into a work file beside target and renames it over target.
// On failure the work file is removed and target is untouched.
bool ReplaceWithCopy(TFile& source, const std::string& target, const TCopyProgress& progress) {
  if (IsProtectedTarget(target)) return false;
  TReplacementFile out;
  return out.Create(target) &&
         source.CopyTo(out, nullptr, TFileRoot::CopyMode::Overwrite, false, -1, progress) &&
         out.Commit();
}

// Appends source to target (created when missing, never a link) and flushes
// it to the disk. On failure an old target is cut back to its length and a
// new one removed.
bool AppendCopy(TFile& source, const std::string& target, const TCopyProgress& progress) {
  TFile out;
  platform::FileStatus st;
  const bool existed = platform::LinkStatPath(target, st);
  if (existed ? !out.OpenFile(target, 2) : !out.CreateFile(target)) return false;
  const int64_t oldSize = out.GetSize();
  bool ok = oldSize >= 0 &&
            source.CopyTo(out, nullptr, TFileRoot::CopyMode::Append, false, -1, progress) &&
            out.Flush();
  if (!ok && existed && oldSize >= 0 && out.Seek(oldSize) == oldSize) out.Truncate();
  ok = out.Close() && ok;
  if (!ok && !existed) platform::RemoveFile(target);
  return ok;
}

// Moves across file systems: a copy, then the source removed. Only another
// file system stands in the way of a rename that a copy overcomes, and the
// copy is made only when the source can go afterwards; should it stay all
// the same, the copy goes again and the move fails.
bool MoveByCopy(const std::string& from, const std::string& to) {
  if (!platform::LastErrorCrossesFileSystems() ||
      !platform::IsWritableFolder(StrFunc::ExtractDir(from)) || !CopyFileEx(from, to))
    return false;
  if (platform::RemoveFile(from)) return true;
  platform::RemoveFile(to);
  return false;
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
// ends with both. A link is left alone: what it points to lies outside.
bool ApplyTo(const std::string& path, int32_t attr, TDateTime date) {
  int64_t wanted = 0;
  platform::FileStatus st;
  if (!platform::LinkStatPath(path, st) || st.isLink) return false;
  const bool dateOk = DateTime::ToUnixTime(date, wanted);
  if (dateOk && !ShowsDate(st, wanted)) platform::SetModifiedTime(path, wanted);
  const bool readOnly = (attr & faReadOnly) != 0;
  if (((AttributesOf(st) & faReadOnly) != 0) != readOnly) platform::SetWritable(path, !readOnly);
  if (!platform::LinkStatPath(path, st)) return false;
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
    if (platform::LinkStatPath(companion, st)) {
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
  // A link is replaced by a copy: bringing its date into line would change
  // the file it points to.
  if (force || !haveTarget || sourceSize != targetSize || IsReparsePoint(target))
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
    if (!MoveByCopy(from, to)) return false;
    // The source's own instant: its local time alone is ambiguous in the hour
    // repeated when summer time ends.
    if (haveInstant) platform::SetModifiedTime(to, own.modifiedSeconds);
  }
  ApplyDateAndAttributes(attr, to, date);
  return true;
}

}  // namespace DosFunc
