#include "gallery/slideshow/FListFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "foundation/DosFunc.h"
#include "foundation/LittleEndian.h"
#include "foundation/StrFunc.h"
#include "gallery/slideshow/FListFileTrailer.h"
#include "gallery/projects/FixedText.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"

using namespace FListFileTrailer;

namespace {

constexpr size_t kNameRecord = 128;
constexpr int64_t kEntryHeader = kNameRecord + 4;
constexpr char kMagic[] = "#FLISTFILE#";
constexpr size_t kMagicSize = sizeof(kMagic) - 1;
constexpr uint16_t kVersion = 256;
constexpr size_t kIndexBlock = 1024;

static_assert(kMagicSize == 11);
static_assert(kMagicSize + 2 + 4 + 4 + 4 + 512 == kTrailerSize);

// The i-th of the u32 values laid end to end in bytes.
std::span<unsigned char, 4> U32Field(std::vector<unsigned char>& bytes, size_t i) {
  return std::span(bytes).subspan(i * 4).first<4>();
}

[[noreturn]] void Fail(const std::string& message) { throw EFListFileError(message); }

// A stored name reduced to its last part; empty when that is no plain name.
std::string SafeName(const std::string& stored) {
  const std::string name = StrFunc::ExtractName(stored);
  if (name == "." || name == ".." || name.find('\0') != std::string::npos) return {};
  return name;
}

}  // namespace

namespace FListFileTrailer {

bool DecodeTrailer(const Trailer& t, TrailerFields& fields) {
  if (std::memcmp(t.data(), kMagic, kMagicSize) != 0) return false;
  const std::span<const unsigned char, kTrailerSize> s(t);
  fields.version = LittleEndian::Get16(s.subspan<11, 2>());
  fields.base = LittleEndian::Get32(s.subspan<13, 4>());
  fields.indexOffset = LittleEndian::Get32(s.subspan<17, 4>());
  fields.count = LittleEndian::Get32(s.subspan<21, 4>());
  return fields.version >= kVersion;
}

Trailer EncodeTrailer(const TrailerFields& fields) {
  Trailer t{};
  std::memcpy(t.data(), kMagic, kMagicSize);
  const std::span<unsigned char, kTrailerSize> s(t);
  LittleEndian::Put16(s.subspan<11, 2>(), fields.version);
  LittleEndian::Put32(s.subspan<13, 4>(), fields.base);
  LittleEndian::Put32(s.subspan<17, 4>(), fields.indexOffset);
  LittleEndian::Put32(s.subspan<21, 4>(), fields.count);
  return t;
}

bool SeekTo(TFile& f, int64_t position) { return f.Seek(position) == position; }

bool ReadExact(TFile& f, void* buffer, size_t size) {
  return f.Read(buffer, static_cast<int64_t>(size)) == static_cast<int64_t>(size);
}

bool WriteExact(TFile& f, const void* buffer, size_t size) {
  return f.Write(buffer, static_cast<int64_t>(size));
}

bool ReadTrailer(TFile& f, int64_t size, Trailer& trailer) {
  return size >= static_cast<int64_t>(kTrailerSize) &&
         SeekTo(f, size - static_cast<int64_t>(kTrailerSize)) &&
         ReadExact(f, trailer.data(), trailer.size());
}

bool CopyRest(TFile& source, TFile& target, const std::function<void()>& perPiece) {
  std::vector<unsigned char> buffer(kPiece);
  for (;;) {
    const int64_t got = source.Read(buffer.data(), static_cast<int64_t>(buffer.size()));
    if (got < 0) return false;
    if (got == 0) return true;
    if (!target.Write(buffer.data(), got)) return false;
    if (perPiece) perPiece();
  }
}

bool CopyRunPermissions(const std::string& player, const std::string& target) {
  platform::FileStatus st;
  if (!platform::StatPath(player, st)) return false;
  const uint32_t readBits = st.mode & 0444;
  return platform::SetPermissions(target, (st.mode & 07777) | (readBits >> 2));
}

}  // namespace FListFileTrailer

TFListFile::TFListFile() : extractFolder_(StrFunc::GetTempDir()) {}

TFListFile::~TFListFile() = default;

void TFListFile::Close() {
  // An uncommitted replacement goes with its work file.
  file_.Discard();
  writable_ = false;
  replacing_ = false;
  prefix_.clear();
  fileName_.clear();
  offsets_.clear();
  base_ = 0;
  indexOffset_ = 0;
}

TFListFile::IndexState TFListFile::ReadIndex() {
  Trailer trailer;
  TrailerFields fields;
  const int64_t size = file_.GetSize();
  if (!ReadTrailer(file_, size, trailer) || !DecodeTrailer(trailer, fields))
    return IndexState::kNoTrailer;
  // The index lies between the entries and the trailer and fills that space
  // exactly; every entry header lies between base and the index.
  const int64_t indexBytes = int64_t{fields.count} * 4;
  if (fields.base > fields.indexOffset ||
      int64_t{fields.indexOffset} + indexBytes + static_cast<int64_t>(kTrailerSize) != size)
    return IndexState::kNoTrailer;
  std::vector<uint32_t> offsets;
  offsets.reserve(fields.count);
  std::vector<unsigned char> block(kIndexBlock * 4);
  if (!SeekTo(file_, fields.indexOffset)) return IndexState::kBadIndex;
  for (uint32_t done = 0; done < fields.count;) {
    const uint32_t n = std::min<uint32_t>(kIndexBlock, fields.count - done);
    if (!ReadExact(file_, block.data(), n * 4)) return IndexState::kBadIndex;
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t offset = LittleEndian::Get32(U32Field(block, i));
      if (int64_t{fields.base} + offset + kEntryHeader > fields.indexOffset)
        return IndexState::kBadIndex;
      offsets.push_back(offset);
    }
    done += n;
  }
  offsets_ = std::move(offsets);
  base_ = fields.base;
  indexOffset_ = fields.indexOffset;
  return IndexState::kSound;
}

bool TFListFile::OpenRead(const std::string& fileName) {
  Close();
  const std::string name = StrFunc::Trim(fileName);
  if (!file_.OpenFile(name.empty() ? platform::ExecutablePath() : name, 0) ||
      ReadIndex() != IndexState::kSound) {
    Close();
    return false;
  }
  fileName_ = name;
  return true;
}

bool TFListFile::OpenWrite(const std::string& fileName) {
  const std::string name = StrFunc::Trim(fileName);
  Close();
  if (name.empty()) Fail("Cannot write to EXE-file");
  if (!file_.OpenFile(name, 2)) {
    if (!file_.CreateFile(name)) Fail("Cannot create file " + name);
    WriteIndexAndTrailer();
  }
  switch (ReadIndex()) {
    case IndexState::kSound:
      break;
    case IndexState::kNoTrailer:
      Close();
      Fail("Fatal read error (1)");
    case IndexState::kBadIndex:
      Close();
      Fail("Fatal read error (2)");
  }
  writable_ = true;
  fileName_ = name;
  return true;
}

void TFListFile::CreateReplacing(const std::string& target, const std::string& prefix) {
  const std::string name = StrFunc::Trim(target);
  Close();
  if (name.empty()) Fail("Cannot write to EXE-file");
  if (!file_.Create(name)) Fail("Cannot create file " + name);
  if (!prefix.empty()) {
    TFile player;
    const bool copied = player.OpenFile(prefix, 0) && CopyRest(player, file_, nullptr);
    const int64_t size = file_.GetSize();
    if (!copied || size < 0 || size > kMaxPosition) {
      Close();
      Fail("Cannot create file " + name);
    }
    base_ = static_cast<uint32_t>(size);
  }
  try {
    WriteIndexAndTrailer();
  } catch (const EFListFileError&) {
    Close();
    throw;
  }
  writable_ = true;
  replacing_ = true;
  fileName_ = name;
  prefix_ = prefix;
}

bool TFListFile::Commit() {
  if (!replacing_) return false;
  const std::string target = file_.GetName();
  const std::string prefix = prefix_;
  replacing_ = false;
  const bool committed = file_.Commit();
  Close();
  if (!committed) return false;
  if (prefix.empty() || CopyRunPermissions(prefix, target)) return true;
  // A show that cannot be started is no show.
  DosFunc::DeleteFileLong(target);
  return false;
}

void TFListFile::WriteIndexAndTrailer() {
  const int64_t size = file_.GetSize();
  if (size < 0 || size > kMaxPosition || !SeekTo(file_, size)) Fail("Fatal write error (1)");
  std::vector<unsigned char> block(kIndexBlock * 4);
  for (size_t done = 0; done < offsets_.size();) {
    const size_t n = std::min(kIndexBlock, offsets_.size() - done);
    for (size_t i = 0; i < n; ++i) LittleEndian::Put32(U32Field(block, i), offsets_[done + i]);
    if (!WriteExact(file_, block.data(), n * 4)) Fail("Fatal write error (1)");
    done += n;
  }
  TrailerFields fields;
  fields.version = kVersion;
  fields.base = base_;
  fields.indexOffset = static_cast<uint32_t>(size);
  fields.count = static_cast<uint32_t>(offsets_.size());
  const Trailer trailer = EncodeTrailer(fields);
  if (!WriteExact(file_, trailer.data(), trailer.size())) Fail("Fatal write error (2)");
  indexOffset_ = fields.indexOffset;
}

void TFListFile::EnsureWritable() {
  if (writable_) return;
  if (fileName_.empty()) Fail("Function is not supported in EXE-ReadOnly mode");
  const std::string name = fileName_;
  try {
    OpenWrite(name);
  } catch (const EFListFileError&) {
    Fail("Cannot re-open file " + name + " for writing.");
  }
}

void TFListFile::WriteEntry(const std::string& fileName, TFile& source, uint32_t size) {
  std::array<unsigned char, kNameRecord> record;
  FixedText::Put(record, StrFunc::Trim(StrFunc::ExtractName(fileName)));
  if (!WriteExact(file_, record.data(), record.size())) Fail("Fatal write error (3)");
  std::array<unsigned char, 4> sizeField;
  LittleEndian::Put32(sizeField, size);
  if (!WriteExact(file_, sizeField.data(), 4)) Fail("Fatal write error (4)");
  std::vector<unsigned char> buffer(kPiece);
  for (uint32_t left = size; left > 0;) {
    const size_t n = std::min<size_t>(kPiece, left);
    // A source that shrank since it was measured would leave a wrong size.
    if (!ReadExact(source, buffer.data(), n) || !WriteExact(file_, buffer.data(), n))
      Fail("Fatal write error (5)");
    left -= static_cast<uint32_t>(n);
  }
}

void TFListFile::AddFile(const std::string& fileName) {
  if (!DosFunc::FileExistsLong(fileName)) Fail("File " + fileName + " not exist");
  EnsureWritable();
  // A source that cannot be opened (a folder too) adds nothing.
  TFile source;
  const bool opened = source.OpenFile(fileName, 0);
  const int64_t sourceSize = opened ? source.GetSize() : -1;
  // Positions in a container are 32-bit; refuse an entry that cannot fit
  // before touching the container.
  const int64_t entryStart = indexOffset_;
  if (opened && (sourceSize < 0 || entryStart + kEntryHeader + sourceSize +
                                           (int64_t{EntryCount()} + 1) * 4 +
                                           static_cast<int64_t>(kTrailerSize) >
                                       kMaxPosition))
    Fail("Fatal write error (4)");
  if (!SeekTo(file_, entryStart) || !file_.Truncate()) Fail("Fatal write error (1)");
  if (opened) {
    try {
      WriteEntry(fileName, source, static_cast<uint32_t>(sourceSize));
    } catch (const EFListFileError&) {
      // Put the container back as it was before this entry.
      if (SeekTo(file_, entryStart) && file_.Truncate()) WriteIndexAndTrailer();
      throw;
    }
    offsets_.push_back(static_cast<uint32_t>(entryStart - base_));
  }
  WriteIndexAndTrailer();
}

std::string TFListFile::EntryName(int index) {
  if (!file_.IsOpen() || index < 0 || index >= EntryCount()) return {};
  std::array<unsigned char, kNameRecord> record;
  if (!SeekTo(file_, int64_t{base_} + offsets_[static_cast<size_t>(index)]) ||
      !ReadExact(file_, record.data(), record.size()))
    Fail("Fatal read error (3)");
  return SafeName(FixedText::Get(record));
}

std::string TFListFile::ExtractFile(int index) {
  if (!file_.IsOpen() || index < 0 || index >= EntryCount()) return {};
  const int64_t position = int64_t{base_} + offsets_[static_cast<size_t>(index)];
  std::array<unsigned char, kNameRecord> record;
  std::array<unsigned char, 4> sizeField;
  if (!SeekTo(file_, position) || !ReadExact(file_, record.data(), record.size()))
    Fail("Fatal read error (3)");
  if (!ReadExact(file_, sizeField.data(), 4)) Fail("Fatal write error (6)");
  const uint32_t size = LittleEndian::Get32(sizeField);
  if (position + kEntryHeader + size > indexOffset_) Fail("Fatal read error (4)");
  const std::string name = SafeName(FixedText::Get(record));
  if (name.empty() || extractFolder_.empty()) return {};

  // Written beside the name and renamed over it, so a link standing there
  // (named exactly so or in another case) is replaced, never written through.
  TReplacementFile target;
  if (!target.Create(StrFunc::IncludeBackslash(extractFolder_) + name)) return {};
  std::vector<unsigned char> buffer(kPiece);
  for (uint32_t left = size; left > 0;) {
    const size_t n = std::min<size_t>(kPiece, left);
    if (!ReadExact(file_, buffer.data(), n)) Fail("Fatal read error (4)");
    if (!WriteExact(target, buffer.data(), n)) Fail("Fatal write error (7)");
    left -= static_cast<uint32_t>(n);
  }
  if (!target.CommitUnsynced()) Fail("Fatal write error (7)");
  return target.GetName();
}
