#include "gallery/FListFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "foundation/StrFunc.h"
#include "gallery/FixedText.h"
#include "platform/Environment.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kNameRecord = 128;
constexpr int64_t kEntryHeader = kNameRecord + 4;
constexpr size_t kTrailerSize = 537;
constexpr char kMagic[] = "#FLISTFILE#";
constexpr size_t kMagicSize = sizeof(kMagic) - 1;
constexpr uint16_t kVersion = 256;
constexpr size_t kPiece = 16384;
constexpr size_t kIndexBlock = 1024;
constexpr int64_t kMaxPosition = UINT32_MAX;

static_assert(kMagicSize == 11);
static_assert(kMagicSize + 2 + 4 + 4 + 4 + 512 == kTrailerSize);

using Trailer = std::array<unsigned char, kTrailerSize>;
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

uint32_t GetU32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutU32(unsigned char* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The trailer's fields.
struct TrailerFields {
  uint16_t version = 0;
  uint32_t base = 0;
  uint32_t indexOffset = 0;
  uint32_t count = 0;
};

bool DecodeTrailer(const Trailer& t, TrailerFields& fields) {
  if (std::memcmp(t.data(), kMagic, kMagicSize) != 0) return false;
  fields.version = static_cast<uint16_t>(t[11] | (t[12] << 8));
  fields.base = GetU32(&t[13]);
  fields.indexOffset = GetU32(&t[17]);
  fields.count = GetU32(&t[21]);
  return fields.version >= kVersion;
}

Trailer EncodeTrailer(const TrailerFields& fields) {
  Trailer t{};
  std::memcpy(t.data(), kMagic, kMagicSize);
  t[11] = static_cast<unsigned char>(fields.version);
  t[12] = static_cast<unsigned char>(fields.version >> 8);
  PutU32(&t[13], fields.base);
  PutU32(&t[17], fields.indexOffset);
  PutU32(&t[21], fields.count);
  return t;
}

File OpenFile(const std::string& name, const char* mode) {
  return File(name.empty() ? nullptr : std::fopen(name.c_str(), mode), std::fclose);
}

int64_t FileSize(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  return std::ftell(f);
}

bool SeekTo(std::FILE* f, int64_t position) { return std::fseek(f, position, SEEK_SET) == 0; }

bool ReadExact(std::FILE* f, void* buffer, size_t size) {
  return std::fread(buffer, 1, size, f) == size;
}

bool WriteExact(std::FILE* f, const void* buffer, size_t size) {
  return std::fwrite(buffer, 1, size, f) == size;
}

[[noreturn]] void Fail(const std::string& message) { throw EFListFileError(message); }

// A stored name reduced to its last part; empty when that is no plain name.
std::string SafeName(const std::string& stored) {
  const std::string name = StrFunc::ExtractName(stored);
  if (name == "." || name == ".." || name.find('\0') != std::string::npos) return {};
  return name;
}

// Reads the trailer at the end of an open file.
bool ReadTrailer(std::FILE* f, int64_t size, Trailer& trailer) {
  return size >= static_cast<int64_t>(kTrailerSize) &&
         SeekTo(f, size - static_cast<int64_t>(kTrailerSize)) &&
         ReadExact(f, trailer.data(), trailer.size());
}

// Copies from the current position of source to the end of target, in pieces.
// Returns false on a short write.
bool CopyRest(std::FILE* source, std::FILE* target, const std::function<void()>& perPiece) {
  std::vector<unsigned char> buffer(kPiece);
  for (;;) {
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), source);
    if (got == 0) return true;
    if (!WriteExact(target, buffer.data(), got)) return false;
    if (perPiece) perPiece();
  }
}

// Rewrites the trailer at the end of a file with its base and index moved by
// delta (the container now starts at newBase).
bool RebaseTrailer(const std::string& fileName, uint32_t newBase, int64_t indexDelta) {
  File f = OpenFile(fileName, "r+b");
  Trailer trailer;
  TrailerFields fields;
  if (!f) return false;
  const int64_t size = FileSize(f.get());
  if (!ReadTrailer(f.get(), size, trailer) || !DecodeTrailer(trailer, fields)) return false;
  const int64_t index = fields.indexOffset + indexDelta;
  if (index < 0 || index > kMaxPosition) return false;
  fields.base = newBase;
  fields.indexOffset = static_cast<uint32_t>(index);
  trailer = EncodeTrailer(fields);
  if (!SeekTo(f.get(), size - static_cast<int64_t>(kTrailerSize)) ||
      !WriteExact(f.get(), trailer.data(), trailer.size()))
    return false;
  return std::fclose(f.release()) == 0;
}

// The same file, when both exist.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

void RemoveFile(const std::string& fileName) {
  std::error_code ec;
  fs::remove(fileName, ec);
}

}  // namespace

TFListFile::TFListFile() : file_(nullptr, std::fclose), extractFolder_(platform::PrivateTempDir()) {}

TFListFile::~TFListFile() = default;

void TFListFile::Close() {
  file_.reset();
  writable_ = false;
  fileName_.clear();
  offsets_.clear();
  base_ = 0;
  indexOffset_ = 0;
}

TFListFile::IndexState TFListFile::ReadIndex() {
  Trailer trailer;
  TrailerFields fields;
  const int64_t size = FileSize(file_.get());
  if (!ReadTrailer(file_.get(), size, trailer) || !DecodeTrailer(trailer, fields))
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
  if (!SeekTo(file_.get(), fields.indexOffset)) return IndexState::kBadIndex;
  for (uint32_t done = 0; done < fields.count;) {
    const uint32_t n = std::min<uint32_t>(kIndexBlock, fields.count - done);
    if (!ReadExact(file_.get(), block.data(), n * 4)) return IndexState::kBadIndex;
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t offset = GetU32(&block[i * 4]);
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
  file_ = OpenFile(name.empty() ? platform::ExecutablePath() : name, "rb");
  if (!file_ || ReadIndex() != IndexState::kSound) {
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
  file_ = OpenFile(name, "r+b");
  if (!file_) {
    file_ = OpenFile(name, "w+b");
    if (!file_) Fail("Cannot create file " + name);
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

void TFListFile::WriteIndexAndTrailer() {
  // FileSize leaves the position at the end, where the index goes.
  const int64_t size = FileSize(file_.get());
  if (size < 0 || size > kMaxPosition) Fail("Fatal write error (1)");
  std::vector<unsigned char> block(kIndexBlock * 4);
  for (size_t done = 0; done < offsets_.size();) {
    const size_t n = std::min(kIndexBlock, offsets_.size() - done);
    for (size_t i = 0; i < n; ++i) PutU32(&block[i * 4], offsets_[done + i]);
    if (!WriteExact(file_.get(), block.data(), n * 4)) Fail("Fatal write error (1)");
    done += n;
  }
  TrailerFields fields;
  fields.version = kVersion;
  fields.base = base_;
  fields.indexOffset = static_cast<uint32_t>(size);
  fields.count = static_cast<uint32_t>(offsets_.size());
  const Trailer trailer = EncodeTrailer(fields);
  if (!WriteExact(file_.get(), trailer.data(), trailer.size()) || std::fflush(file_.get()) != 0)
    Fail("Fatal write error (2)");
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

void TFListFile::WriteEntry(const std::string& fileName, std::FILE* source, uint32_t size) {
  std::array<unsigned char, kNameRecord> record;
  FixedText::Put(record, StrFunc::Trim(StrFunc::ExtractName(fileName)));
  if (!WriteExact(file_.get(), record.data(), record.size())) Fail("Fatal write error (3)");
  unsigned char sizeField[4];
  PutU32(sizeField, size);
  if (!WriteExact(file_.get(), sizeField, 4)) Fail("Fatal write error (4)");
  std::vector<unsigned char> buffer(kPiece);
  for (uint32_t left = size; left > 0;) {
    const size_t n = std::min<size_t>(kPiece, left);
    // A source that shrank since it was measured would leave a wrong size.
    if (!ReadExact(source, buffer.data(), n) || !WriteExact(file_.get(), buffer.data(), n))
      Fail("Fatal write error (5)");
    left -= static_cast<uint32_t>(n);
  }
}

void TFListFile::AddFile(const std::string& fileName) {
  std::error_code ec;
  if (!fs::exists(fileName, ec)) Fail("File " + fileName + " not exist");
  EnsureWritable();
  // A folder cannot be opened as a source: it adds nothing.
  File source = fs::is_directory(fileName, ec) ? File(nullptr, std::fclose)
                                                : OpenFile(fileName, "rb");
  const int64_t sourceSize = source ? FileSize(source.get()) : -1;
  // Positions in a container are 32-bit; refuse an entry that cannot fit
  // before touching the container.
  const int64_t entryStart = indexOffset_;
  if (source && (sourceSize < 0 || entryStart + kEntryHeader + sourceSize +
                                           (int64_t{EntryCount()} + 1) * 4 +
                                           static_cast<int64_t>(kTrailerSize) >
                                       kMaxPosition))
    Fail("Fatal write error (4)");
  std::fflush(file_.get());
  fs::resize_file(fileName_, static_cast<uintmax_t>(entryStart), ec);
  if (ec || !SeekTo(file_.get(), entryStart)) Fail("Fatal write error (1)");
  if (source) {
    try {
      if (!SeekTo(source.get(), 0)) Fail("Fatal write error (5)");
      WriteEntry(fileName, source.get(), static_cast<uint32_t>(sourceSize));
    } catch (const EFListFileError&) {
      // Put the container back as it was before this entry.
      std::fflush(file_.get());
      fs::resize_file(fileName_, static_cast<uintmax_t>(entryStart), ec);
      if (!ec && SeekTo(file_.get(), entryStart)) WriteIndexAndTrailer();
      throw;
    }
    offsets_.push_back(static_cast<uint32_t>(entryStart - base_));
  }
  WriteIndexAndTrailer();
}

std::string TFListFile::ExtractFile(int index) {
  if (!file_ || index < 0 || index >= EntryCount()) return {};
  const int64_t position = int64_t{base_} + offsets_[static_cast<size_t>(index)];
  std::array<unsigned char, kNameRecord> record;
  unsigned char sizeField[4];
  if (!SeekTo(file_.get(), position) || !ReadExact(file_.get(), record.data(), record.size()))
    Fail("Fatal read error (3)");
  if (!ReadExact(file_.get(), sizeField, 4)) Fail("Fatal write error (6)");
  const uint32_t size = GetU32(sizeField);
  if (position + kEntryHeader + size > indexOffset_) Fail("Fatal read error (4)");
  const std::string name = SafeName(FixedText::Get(record));
  if (name.empty() || extractFolder_.empty()) return {};

  std::error_code ec;
  fs::create_directories(extractFolder_, ec);
  const std::string path = StrFunc::IncludeBackslash(extractFolder_) + name;
  File target = OpenFile(path, "wb");
  if (!target) return {};
  std::vector<unsigned char> buffer(kPiece);
  for (uint32_t left = size; left > 0;) {
    const size_t n = std::min<size_t>(kPiece, left);
    if (!ReadExact(file_.get(), buffer.data(), n)) {
      target.reset();
      RemoveFile(path);
      Fail("Fatal read error (4)");
    }
    if (!WriteExact(target.get(), buffer.data(), n)) {
      target.reset();
      RemoveFile(path);
      Fail("Fatal write error (7)");
    }
    left -= static_cast<uint32_t>(n);
  }
  if (std::fclose(target.release()) != 0) {
    RemoveFile(path);
    Fail("Fatal write error (7)");
  }
  return path;
}

namespace FListFile {

namespace {

// The target runs like the player. A player taken from a container has no
// execute bits of its own, so every class that may read it may also run it.
bool CopyPermissions(const std::string& player, const std::string& target) {
  std::error_code ec;
  fs::perms perms = fs::status(player, ec).permissions();
  if (ec) return false;
  if ((perms & fs::perms::owner_read) != fs::perms::none) perms |= fs::perms::owner_exec;
  if ((perms & fs::perms::group_read) != fs::perms::none) perms |= fs::perms::group_exec;
  if ((perms & fs::perms::others_read) != fs::perms::none) perms |= fs::perms::others_exec;
  fs::permissions(target, perms, ec);
  return !ec;
}

// player + container into target. False on any failure; a target that was
// opened is then removed, one that could not be opened is left alone.
bool JoinFiles(const std::string& player, const std::string& container,
               const std::string& target) {
  File in = OpenFile(player, "rb");
  if (!in) return false;
  File out = OpenFile(target, "wb");
  if (!out) return false;
  const auto fail = [&] {
    out.reset();
    RemoveFile(target);
    return false;
  };
  if (!CopyRest(in.get(), out.get(), nullptr)) return fail();
  const int64_t exeSize = std::ftell(out.get());
  in = OpenFile(container, "rb");
  if (!in || exeSize < 0 || exeSize > kMaxPosition || !CopyRest(in.get(), out.get(), nullptr) ||
      std::fclose(out.release()) != 0 ||
      !RebaseTrailer(target, static_cast<uint32_t>(exeSize), exeSize) ||
      !CopyPermissions(player, target))
    return fail();
  return true;
}

}  // namespace

bool MakeExecutable(const std::string& playerExe, const std::string& containerFile,
                    const std::string& targetExe) {
  TFListFile check;
  if (StrFunc::Trim(containerFile).empty() || !check.OpenRead(containerFile) ||
      check.TrailerBase() != 0)
    return false;
  check.Close();
  if (SameFile(targetExe, containerFile) || SameFile(targetExe, playerExe)) return false;

  std::string player = playerExe;
  std::string extracted;
  if (player.empty()) {
    TFListFile own;
    if (!own.OpenRead("")) return false;
    own.SetExtractFolder(platform::PrivateTempDir());
    try {
      extracted = own.ExtractFile(0);
    } catch (const EFListFileError&) {
      return false;
    }
    if (extracted.empty() || SameFile(targetExe, extracted)) return false;
    player = extracted;
  }
  const bool ok = JoinFiles(player, containerFile, targetExe);
  if (!extracted.empty()) RemoveFile(extracted);
  return ok;
}

bool ExtractContainer(const std::string& sourceExe, const std::string& targetFile,
                      const TFListProgress& progress) {
  const std::string name = StrFunc::Trim(sourceExe);
  const std::string source = name.empty() ? platform::ExecutablePath() : name;
  // The source is checked before the target is created, so a source that
  // holds no container leaves an existing target alone.
  TFListFile container;
  File in = OpenFile(source, "rb");
  if (!in || !container.OpenRead(name) || SameFile(source, targetFile)) return false;
  File out = OpenFile(targetFile, "wb");
  if (!out) return false;
  const int64_t base = container.TrailerBase();
  const int64_t start = base + (container.EntryCount() > 0 ? container.EntryOffset(0) : 0);
  container.Close();
  const int64_t maxStep = (FileSize(in.get()) - base) / static_cast<int64_t>(kPiece) + 1;
  int64_t step = 0;
  if (progress) progress(step, maxStep);
  const auto advance = [&] {
    if (progress) progress(++step, maxStep);
  };
  if (!SeekTo(in.get(), start) || !CopyRest(in.get(), out.get(), advance) ||
      std::fclose(out.release()) != 0) {
    out.reset();
    RemoveFile(targetFile);
    Fail("Fatal write error (8)");
  }
  if (!RebaseTrailer(targetFile, 0, -base)) {
    RemoveFile(targetFile);
    return false;
  }
  return true;
}

}  // namespace FListFile
