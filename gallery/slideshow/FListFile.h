// The file-list container: named files stored one after another in a single
// file, found from a fixed trailer at its very end. A container stands alone
// (a slide-show package) or follows an executable (a self-running slide
// show), where the trailer says at which position it begins.
//
// Layout, integers little-endian, "base" the position where the container
// begins (0 when it stands alone, the executable's size otherwise):
//   entry   128 bytes: name as a length byte (0-127) and its bytes, zeros
//           after; u32 data size; the data
//   entries one after another from base
//   index   u32 per entry: its offset relative to base, in the order added;
//           right after the last entry
//   trailer 537 bytes: "#FLISTFILE#" (11 bytes), u16 version (256), u32 base,
//           u32 absolute position of the index, u32 entry count, 512 zeros
//
// A container is untrusted: every count, offset and size is checked against
// the file before use, and an entry name is reduced to a plain file name.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/DosFunc.h"

// Raised by TFListFile for damaged or unwritable containers; the message is
// one of the fixed texts ("Fatal read error (1)", "Cannot create file x"...).
class EFListFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Told the progress of a long copy: step advances from 0 to maxStep.
using TFListProgress = std::function<void(int64_t step, int64_t maxStep)>;

// One container file, opened for reading or for appending entries. The file
// stays open until Close or destruction; after every AddFile the file on disk
// is again a complete container.
class TFListFile {
 public:
  TFListFile();
  ~TFListFile();
  TFListFile(const TFListFile&) = delete;
  TFListFile& operator=(const TFListFile&) = delete;

  // Closes the file when open and forgets the index and the trailer.
  void Close();

  // Opens a container read-only; a blank name means the running program's own
  // executable. Returns false (and stays closed) when the file cannot be
  // opened or holds no sound container at its end.
  bool OpenRead(const std::string& fileName);

  // Opens a stand-alone container for appending, creating an empty one (537
  // bytes) when the file does not exist. Returns true or raises: "Cannot write
  // to EXE-file" for a blank name, "Cannot create file " + name, "Fatal read
  // error (1)" when an existing file is not a container, "Fatal read error
  // (2)" when its index cannot be read.
  bool OpenWrite(const std::string& fileName);

  // Starts a new container that replaces target only when Commit succeeds:
  // it is written whole in a work file beside target (platform/WorkFile.h),
  // so target stays as it was until then, and a container closed or
  // destroyed without Commit leaves nothing behind. With a prefix file the
  // container follows a copy of it (a player: the result is a self-running
  // show, its base the prefix's size). Raises "Cannot write to EXE-file" for
  // a blank target, "Cannot create file " + target when the work file cannot
  // be made or the prefix cannot be copied.
  void CreateReplacing(const std::string& target, const std::string& prefix = "");
  // Renames a container started by CreateReplacing over its target and
  // closes it. False (the work file removed, the target as it was) when that
  // fails or no such container is open.
  [[nodiscard]] bool Commit();

  // Appends a file as a new entry named by its trimmed file name (cut to 127
  // bytes). A container opened for reading is reopened for writing. A source
  // that exists but cannot be opened adds nothing. Raises "File " + name +
  // " not exist", "Function is not supported in EXE-ReadOnly mode" (opened as
  // the program itself), "Cannot re-open file " + name + " for writing.", or
  // "Fatal write error (1)" to "(5)"; after a failed write the container is
  // put back as it was.
  void AddFile(const std::string& fileName);

  // Writes entry index (0 = first added) into the extract folder under the
  // entry's name and returns the written file's path. The entry is written
  // whole beside that name and renamed over it: a file or link there is
  // replaced, never written through, and a name there in another case is the
  // file written (and returned). The file is a work file, used and deleted
  // while the program runs, so it is not flushed to the disk: a show
  // unpacks picture after picture. Returns empty when no container is open,
  // the index is out of range, the stored name is not a plain file name ("",
  // ".", ".."), or the file cannot be created. Raises "Fatal read error (3)"
  // / "Fatal write error (6)" when the entry's header cannot be read, "Fatal
  // read error (4)" when its data is damaged or missing, "Fatal write error
  // (7)"; an old file of that name is then left as it was.
  std::string ExtractFile(int index);

  // The stored name of entry index reduced to a plain file name, as
  // ExtractFile would write it; empty when the index is out of range or the
  // name is no plain file name. Raises "Fatal read error (3)" when the
  // entry's header cannot be read.
  std::string EntryName(int index);

  int EntryCount() const { return static_cast<int>(offsets_.size()); }
  // The offset of entry index relative to the base; 0 when out of range.
  uint32_t EntryOffset(int index) const {
    return index >= 0 && index < EntryCount() ? offsets_[static_cast<size_t>(index)] : 0;
  }
  // Where ExtractFile writes; the private temporary folder at first.
  const std::string& ExtractFolder() const { return extractFolder_; }
  void SetExtractFolder(const std::string& folder) { extractFolder_ = folder; }
  // The position where the container begins inside its file.
  uint32_t TrailerBase() const { return base_; }

 private:
  enum class IndexState { kSound, kNoTrailer, kBadIndex };

  IndexState ReadIndex();
  void WriteIndexAndTrailer();
  void WriteEntry(const std::string& fileName, TFile& source, uint32_t size);
  void EnsureWritable();

  TReplacementFile file_;
  bool writable_ = false;
  bool replacing_ = false;
  std::string prefix_;
  std::string fileName_;
  std::vector<uint32_t> offsets_;
  uint32_t base_ = 0;
  uint32_t indexOffset_ = 0;
  std::string extractFolder_;
};

namespace FListFile {

// Joins a player program and a stand-alone container into targetExe (an
// existing target, or a link there, is replaced whole) and gives it the
// player's permissions, so it stays executable. An empty playerExe takes the
// player from entry 0 of the running program's own container. Returns false
// when anything fails; an old target is then left as it was. Nothing is
// touched when the container is not a sound stand-alone container or
// targetExe is the player or the container itself.
[[nodiscard]] bool MakeExecutable(const std::string& playerExe, const std::string& containerFile,
                    const std::string& targetExe);

// Copies the container at the end of sourceExe (empty = the running program)
// into targetFile as a stand-alone container, replacing a file or link there
// whole. progress, when given, is told the copied 16 KiB pieces. Returns
// false, without touching targetFile, when sourceExe holds no sound
// container or is targetFile itself, or when targetFile cannot be created.
// Raises "Fatal write error (8)" when the copy cannot be written (targetFile
// is then left as it was).
[[nodiscard]] bool ExtractContainer(const std::string& sourceExe, const std::string& targetFile,
                      const TFListProgress& progress);

}  // namespace FListFile
