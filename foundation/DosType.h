// The abstract file object and its copy engine. A concrete file (TFile in
// DosFunc.h) supplies positioning, reading and writing; the engine copies
// from one open file to one or two others in large blocks and leaves blocks
// that a target already holds untouched.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Told the bytes handled so far after each block of a copy; answering false
// stops the copy, which then fails.
using TCopyProgress = std::function<bool(int64_t bytesDone)>;

class TFileRoot {
 public:
  // The engine's block: 10 MiB.
  static constexpr int64_t kDefaultBufferSize = 0xA00000;
  // The last error of an operation on a file that is not open.
  static constexpr int32_t kErrorNotOpen = 103;

  enum class CopyMode { Overwrite, Append };

  explicit TFileRoot(bool owner = false) : owner_(owner) {}
  virtual ~TFileRoot() = default;
  TFileRoot(const TFileRoot&) = delete;
  TFileRoot& operator=(const TFileRoot&) = delete;

  // The copy engine. This file and every given target must be open. The
  // source starts at 0, or where it stands when fromCurrentPosition is set;
  // targets start at 0 (Overwrite) or at their end (Append). With count < 0
  // everything up to the source's end is copied, and in Overwrite mode the
  // leading whole blocks that a target already holds are compared, not
  // rewritten; the targets are then cut at their position and the rest is
  // written. With count >= 0 at most count bytes are copied, none compared.
  // True when every byte was handled and, in Overwrite mode for a whole file,
  // each target ends as long as the source. False on any short read or
  // write, or when progress answers false.
  [[nodiscard]] virtual bool CopyTo(TFileRoot& target, TFileRoot* secondTarget, CopyMode mode,
                      bool fromCurrentPosition, int64_t count, const TCopyProgress& progress);
  // CopyTo of the whole file to one target in Overwrite mode.
  [[nodiscard]] bool CopyToSimple(TFileRoot& target);

  // The name given to the last successful open or create.
  virtual std::string GetName() const { return fileName_; }
  // Position and size in bytes; -1 when the file is not open or on failure.
  virtual int64_t GetPosition() = 0;
  virtual int64_t GetSize() = 0;
  // The new position, -1 on failure.
  virtual int64_t Seek(int64_t position) = 0;
  virtual int64_t SeekRelative(int64_t delta) = 0;
  // Cuts the file at its position.
  virtual bool Truncate() = 0;
  virtual bool IsReady() const { return true; }
  // Reads up to count bytes; the bytes read (fewer only at the end of the
  // file), -1 on failure.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // True only when all count bytes were written.
  [[nodiscard]] virtual bool Write(const void* buffer, int64_t count) = 0;

  // Reads count bytes into buffer and returns their CRC-32 (Win32CRC) in crc;
  // when crc differs from expected, the position goes back to where the block
  // started. Returns the bytes read, -1 on failure.
  virtual int64_t ReadBlockCrc(void* buffer, int64_t count, uint32_t expected, uint32_t& crc);
  // The same after moving to position.
  virtual int64_t ReadBlockCrcAt(int64_t position, void* buffer, int64_t count, uint32_t expected,
                                 uint32_t& crc);

  bool IsOpen() const { return opened_; }
  // The block size of the copy engine in bytes (10 MiB unless set). A value
  // of 0 or less is ignored.
  int64_t BufferSize() const { return bufferSize_; }
  void SetBufferSize(int64_t size);
  // The access mode of the last open, 2 after a create.
  int32_t OpenMode() const { return openMode_; }
  bool Owner() const { return owner_; }
  // The error number of the last operation: 0 for success, kErrorNotOpen for
  // an operation on a closed file, else the system's errno.
  int32_t LastError() const { return lastError_; }

 protected:
  bool opened_ = false;
  std::string fileName_;
  int32_t openMode_ = 0;
  int32_t lastError_ = 0;

 private:
  bool owner_;
  int64_t bufferSize_ = kDefaultBufferSize;
};
