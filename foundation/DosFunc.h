// The file-system layer of the program: existence tests, deleting files and
// trees, moving and synchronising files and trees with their dates and
// attributes, file dates, 64-bit sizes, directory searches, and the file
// object TFile that copies go through.
//
// Every path passes through StrFunc::LongPathName, and any "\\?\" prefix is
// dropped before the system sees it. Paths use "/" only. A name that does not
// exist as written is looked up folder by folder without regard to case
// (StrFunc::UpperCaseCz). Folder listings come back sorted by name, masks
// match the Windows way ("*.*" matches every name), and no walk follows a
// symbolic link into another tree. File dates are local time in whole
// seconds. Attributes: read-only stands for "no write bit set", a folder has
// faDirectory, a symbolic link faReparsePoint; hidden and system are never
// set. Nothing here throws: failures come back as false, 0, -1 or empty.
//
// A copy or move never loses data: when source and target are the same file
// nothing happens and the call succeeds, and an existing target is replaced
// only by renaming a complete, flushed new file over it. A symbolic link at
// the target side of a write, move, sync or delete (the target, a subfolder
// of a target folder) is replaced or removed as a link, or the call fails; it
// is never followed, so nothing outside the folders worked on is touched.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/DateTime.h"
#include "foundation/DosType.h"
#include "platform/Folder.h"
#include "platform/WorkFile.h"

namespace DosFunc {

constexpr int32_t faReadOnly = 0x01;
constexpr int32_t faHidden = 0x02;
constexpr int32_t faSysFile = 0x04;
constexpr int32_t faVolumeID = 0x08;
constexpr int32_t faDirectory = 0x10;
constexpr int32_t faArchive = 0x20;
constexpr int32_t faAnyFile = 0x3F;
constexpr int32_t faReparsePoint = 0x400;

// Results of FindFirstLong and FindNextLong.
constexpr int kFindOk = 0;
constexpr int kFindNotFound = 2;
constexpr int kFindNoMoreFiles = 18;

// Flags of CopyFileWorker.
constexpr int kCopyAppend = 1;
constexpr int kCopyKeepDateAttr = 2;

// Asks MoveFileKeepAttrs for the source's own date or attributes.
constexpr TDateTime kSourceDate = -1;
constexpr int32_t kSourceAttr = -1;

// One directory entry. For a symbolic link, size, date and faDirectory are
// those of what it points to, and faReparsePoint is set.
struct TFoundEntry {
  std::string Name;
  int64_t Size = 0;  // 0 for a folder
  int32_t Attr = 0;
  TDateTime Time = 0;  // last write, local time
  // A regular file: no folder, pipe, device or socket (a link counts as what
  // it points to). Tools that rename, date or move photos take only these.
  bool Regular = false;
  // What a rename keeps: the fraction of the second of the last-write time,
  // when the file was made (nanoseconds since 1970, 0 when unknown) and its
  // serial number on its volume.
  int32_t Nanoseconds = 0;
  int64_t Born = 0;
  uint64_t Serial = 0;
};

// A running directory search: the current entry and what is still to come.
struct TSearchRec : TFoundEntry {
  std::vector<TFoundEntry> Matches;
  size_t Next = 0;
};

// --- Existence and folders --------------------------------------------------

// True when an entry of any kind (a folder too) has this name.
bool FileExistsLong(std::string_view name);
bool FileExistsW(std::u16string_view name);
// True for a folder, or a link to one; a trailing "/" does not matter.
bool DirectoryExistsLong(std::string_view name);
// Creates every missing level of the folder path (relative paths below the
// current folder). True when the folder exists afterwards.
bool ForceDirectoriesLong(std::string_view path);
bool CreateDirLong(std::string_view name);
// Removes an empty folder.
bool RemoveDirLong(std::string_view name);
// True when name is a symbolic link.
bool IsReparsePoint(std::string_view name);
// The path the system is given for name: as written when that exists, else
// each level looked up without regard to case as far as levels are found.
// Tells the name a file really has on disk.
std::string ExistingPathLong(std::string_view name);

// --- Deleting ---------------------------------------------------------------

// Deletes one file (not a folder).
bool DeleteFileLong(std::string_view name);
// Deletes a file (also a read-only one), a symbolic link (never what it
// points to), or a folder with everything in it. False for an empty name or
// when anything remains. Folders are walked by open handles, so a subfolder
// swapped for a link during the walk is removed as a link, never entered.
bool DeleteFileOrDir(std::string_view name);
// Deletes the files of a folder and, when recursive, its subfolders with
// their contents, walked as DeleteFileOrDir does; links are removed as links.
// A missing folder is created empty; a link is not emptied (false). True
// when nothing failed; an empty name does nothing and is true.
bool DeleteDirContents(std::string_view dir, bool recursive);
// True when the folder holds nothing; with recursive, subfolders that are
// themselves empty by this rule are allowed. A link counts as a file. False
// when the folder cannot be read.
bool IsDirectoryEmpty(std::string_view dir, bool recursive);
// Deletes path, then each parent folder that exists, is empty and is not
// stopFolder (compared without regard to case), up to the first that is not.
void RemoveEmptyParents(std::string_view path, std::string_view stopFolder);

// --- Renaming, copying, moving ----------------------------------------------

// Renames; never replaces another existing entry. Changing only the case of
// a name is allowed.
bool RenameFileLong(std::string_view oldName, std::string_view newName);
// Copies the content. An existing target (a link too) is replaced as a
// whole; it gets no date or attributes of the source. bufferSize > 0 sets
// the copy block.
[[nodiscard]] bool CopyFileEx(std::string_view source, std::string_view target,
                              const TCopyProgress& progress = {}, int64_t bufferSize = 0);
// CopyFileEx with flags: kCopyAppend appends to an existing target (cut back
// to its old length when the copy fails; a link is refused) and succeeds
// only when the data reached the disk; kCopyKeepDateAttr gives the target
// the source's date and attributes after a successful copy. A read-only or
// folder target is not replaced (false).
[[nodiscard]] bool CopyFileWorker(std::string_view source, std::string_view target, int flags,
                                  const TCopyProgress& progress, int64_t bufferSize);
// Copies when force is set, the target is missing or a link, or the sizes
// differ, with the source's date and attributes; otherwise only brings the
// target's date and attributes into line. False for a missing source.
[[nodiscard]] bool SyncFile(std::string_view source, std::string_view target, bool force);
// Moves one file (or a link) to target, replacing an existing file or link
// that is not read-only, and gives it date and attr (kSourceDate,
// kSourceAttr: the source's own). Renames where it can; across file systems
// copies and deletes the source. Succeeds only when the source is gone: when
// it cannot be removed the move fails and leaves no copy.
[[nodiscard]] bool MoveFileKeepAttrs(std::string_view source, std::string_view target,
                                     TDateTime date, int32_t attr);
// Moves a file, or a folder tree file by file, keeping dates and attributes.
// Folders are walked by open handles; a link at the target side (the target
// folder, a subfolder in it) is never entered. The first failure ends the
// move with false; nothing is lost. Succeeds only when the source is gone. A
// target inside the source tree is refused.
[[nodiscard]] bool MoveTree(std::string_view source, std::string_view target);
// True when both paths lie on the same file system (for a path that does
// not exist yet: its nearest existing folder).
bool SameVolume(std::string_view a, std::string_view b);

// --- Dates, attributes, sizes -----------------------------------------------

// Last-write time in local time, whole seconds; 0 when it cannot be read.
TDateTime GetFileDateTime(std::string_view name);
// Sets the last-write time (whole seconds); a date that the system cannot
// express is ignored.
void SetFileDateTime(std::string_view name, TDateTime value);
// faReadOnly, faDirectory, faReparsePoint; -1 when the entry is missing.
int32_t GetFileAttr(std::string_view name);
// Applies faReadOnly (the write bits); the other bits have no effect.
bool SetFileAttr(std::string_view name, int32_t attr);
// Sets date and read-only state where they differ. True when the target
// ends with them (also when nothing had to change); false when it is
// missing or a link (never followed). For a bulk-data extension
// (StrFunc::IsBulkDataExt) the numbered companions name + "-p#000" ...
// "-p#400" get the same, up to three missing names in a row.
bool ApplyDateAndAttributes(int32_t attr, std::string_view target, TDateTime date);
// The size in bytes (0 for a folder); -1 when the entry is missing.
int64_t GetFileSize64(std::string_view name);
// Size, date and attributes at once; false (size -1) when missing.
bool GetFileInfo(std::string_view name, int64_t& size, TDateTime& date, int32_t& attr);

// --- Searches ---------------------------------------------------------------

// Starts a search: pattern is a folder path and a mask ("dir/*.jpg"); attr
// faAnyFile gives every entry, otherwise entries with hidden, system, volume
// or folder bits missing from attr are skipped. Entries come sorted by name,
// without "." and "..". Returns kFindOk with the first entry in rec, else
// kFindNotFound.
int FindFirstLong(std::string_view pattern, int32_t attr, TSearchRec& rec);
// The next entry: kFindOk, or kFindNoMoreFiles at the end.
int FindNextLong(TSearchRec& rec);
// Every entry of a folder, sorted by name as FindFirstLong gives them; false
// (no entries) when the folder cannot be read, which an empty one can.
bool ListFolderLong(std::string_view dir, std::vector<TFoundEntry>& entries);
void FindCloseLong(TSearchRec& rec);
// The entry of one name (masks allowed, any attributes); false when none.
bool FindFileLong(std::string_view name, TFoundEntry& entry);
// Every file below dir (mask "*.*") as its path relative to dir, folders'
// files after the files of their parent; with recursive, subfolders are
// searched too (never through a link). Empty when dir is missing.
std::vector<std::string> FindFiles(std::string_view dir, bool recursive);
// The general search behind FindFiles: names matching mask; withDirs also
// lists matching folders with "*" in front; withDate appends "|" and the
// last-write time ("yyyy-mm-dd hh:nn:ss"); a non-empty extra is appended
// after one more "|".
std::vector<std::string> FindFilesEx(std::string_view dir, std::string_view mask, bool recursive,
                                     bool withDirs, bool withDate, std::string_view extra);
// True when name matches mask the Windows way, without regard to case: "*"
// and "*.*" match every name, and "x.*" matches "x" too.
bool MatchesFileMask(std::string_view name, std::string_view mask);

// --- Drives -----------------------------------------------------------------
// Linux has no drive letters: every letter is "no such drive" (0), and the
// drive list is empty.

int GetDriveKind(char letter);
// Clears list (when given) and fills it with "X:/   LABEL" lines; returns the
// drive letters found.
std::string ListDrives(std::vector<std::string>* list);

}  // namespace DosFunc

// A file opened by name, with byte positions. Reads and writes go straight
// to the system; a failed or short write is logged (logger) and reported as
// false. Freeing the object closes the file.
class TFile : public TFileRoot {
 public:
  explicit TFile(bool owner = false) : TFileRoot(owner) {}
  ~TFile() override;

  int64_t GetPosition() override;
  int64_t GetSize() override;
  int64_t Seek(int64_t position) override;
  int64_t SeekRelative(int64_t delta) override;
  bool Truncate() override;
  int64_t Read(void* buffer, int64_t count) override;
  [[nodiscard]] bool Write(const void* buffer, int64_t count) override;

  // A fresh, closed file object.
  std::unique_ptr<TFile> CreateNew() const;
  // Creates (or empties) the file with its folder, for reading and writing.
  // A link is refused, never emptied through.
  bool CreateFile(std::string_view name);
  // Creates a file that must not exist yet, for reading and writing.
  bool CreateNewFile(std::string_view name);
  // Opens an existing file (not a folder); mode & 2 asks for writing too,
  // and then a link is refused. Sharing bits have no effect.
  bool OpenFile(std::string_view name, int32_t mode);
  // Opens the file name of an open folder for reading.
  bool OpenIn(const platform::Folder& folder, std::string_view name);
  // False (last error kErrorNotOpen) when the file was not open.
  bool Close();
  // Closes and deletes the file.
  bool CloseAndDelete();
  // Writes the system's buffers to the disk.
  [[nodiscard]] bool Flush();
  bool IsOpenable() const { return true; }
  // Of the open file: last-write time (0 when closed) and attributes (-1).
  TDateTime GetDateTime();
  int32_t GetAttributes();
  // Gives the open file the last-write time and permission bits of source.
  bool TakeTimeAndMode(TFile& source);

  // Name-based helpers; see the free functions of DosFunc.
  bool DeleteFileAt(std::string_view name);
  bool DeleteDirContentsAt(std::string_view dir, bool recursive);
  bool DirectoryExists(std::string_view name);
  bool ForceDirectories(std::string_view path);
  bool FileExists(std::string_view name);
  TDateTime GetFileDateTime(std::string_view name);
  void SetFileDateTime(std::string_view name, TDateTime value);
  int32_t GetFileAttr(std::string_view name);
  bool SetFileAttr(std::string_view name, int32_t attr);
  // Renames source over target when both lie on the same file system; an
  // existing target is replaced in one step, never deleted first.
  bool MoveWithinDrive(std::string_view source, std::string_view target);
  std::string ExpandPath(std::string_view path);
  bool IsDirectoryEmpty(std::string_view dir, bool recursive);
  void RemoveEmptyParents(std::string_view path, std::string_view stopFolder);

  // Reading the same stretch of two or three files at once, as when a copy
  // is checked against its original. Each file reads from its own position
  // and moves on by count on success; on any failure every file is back
  // where it was. A negative count fails. REQUIRES: each buffer holds count
  // bytes.
  //
  // Reads count bytes from this file into buffer and from second into
  // secondBuffer. Returns the bytes read, the same for both (fewer than
  // count only where both end); -1 when a read fails or one file ends
  // before the other.
  int64_t ReadPair(TFileRoot& second, void* buffer, void* secondBuffer, int64_t count);
  // Reads count bytes from this file into buffer and checks that second
  // holds the same count of bytes, equal to them. True with crc = their
  // CRC-32 (Win32CRC) when both delivered all count bytes and they agree;
  // false when a file is short, unreadable or different.
  bool ReadPairChecked(TFileRoot& second, void* buffer, int64_t count, uint32_t& crc);
  // The same check over three files.
  bool ReadTripleChecked(TFileRoot& second, TFileRoot& third, void* buffer, int64_t count,
                         uint32_t& crc);

  std::vector<std::string> FindFilesEx(std::string_view dir, std::string_view mask, bool recursive,
                                       bool withDirs, bool withDate, std::string_view extra);
  std::vector<std::string> FindFilesByMask(std::string_view dir, std::string_view mask,
                                           bool recursive);
  std::string ListDrives(std::vector<std::string>* list);
  [[nodiscard]] bool CopyFile(std::string_view source, std::string_view target);
  // The lines of an existing file (line ends CR LF, LF or CR); empty when
  // it cannot be read.
  std::vector<std::string> LoadLines(std::string_view name);
  // Creates the folder and writes the lines, each ended by CR LF, through
  // platform::ReplaceFile: the old file (or link) is replaced whole.
  [[nodiscard]] bool SaveLines(std::string_view name, const std::vector<std::string>& lines);
  TDateTime Now();

 protected:
  bool Fail();  // records errno as the last error; returns false
  bool Adopt(int fd, std::string_view name, int32_t mode);  // marks the object open on fd

 private:
  int fd_ = -1;
};

// A file written whole beside its target and renamed over it once complete
// (platform/WorkFile.h): until Commit the target stays as it was, and a link
// standing at the target is replaced, never written through. A replacement
// not committed is removed when the object goes away.
class TReplacementFile : public TFile {
 public:
  // Creates the work file for target, with target's folder when missing.
  // GetName() is then the path that will be replaced: a name that exists in
  // another case stands for that file.
  bool Create(std::string_view target);
  // The same for the entry name of an open folder.
  bool CreateIn(const platform::Folder& folder, std::string_view name);
  // Closes the file, flushes it to the disk and renames it over the target.
  // False on any failure; the work file is then removed and the target left
  // as it was.
  [[nodiscard]] bool Commit();
  // The same without flushing anything to the disk (WorkFile::CommitUnsynced).
  [[nodiscard]] bool CommitUnsynced();
  // Closes and removes the work file.
  void Discard();

 private:
  bool AdoptWorkFile(std::string_view name);
  platform::WorkFile work_;
};
