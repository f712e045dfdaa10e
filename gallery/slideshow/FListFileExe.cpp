// The self-running package: a player followed by a container, and the
// container taken back out of one. Both write their target whole beside it
// and rename it over the old one, so a failure leaves the old target as it was
// and a link at the target is replaced, never written through.

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/slideshow/FListFile.h"
#include "gallery/slideshow/FListFileTrailer.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"

using namespace FListFileTrailer;

namespace FListFile {

namespace {

// Rewrites the trailer at the end of an open file with the container now
// starting at newBase and its index moved by indexDelta.
bool RebaseTrailer(TFile& f, uint32_t newBase, int64_t indexDelta) {
  Trailer trailer;
  TrailerFields fields;
  const int64_t size = f.GetSize();
  if (!ReadTrailer(f, size, trailer) || !DecodeTrailer(trailer, fields)) return false;
  const int64_t index = fields.indexOffset + indexDelta;
  if (index < 0 || index > kMaxPosition) return false;
  fields.base = newBase;
  fields.indexOffset = static_cast<uint32_t>(index);
  trailer = EncodeTrailer(fields);
  return SeekTo(f, size - static_cast<int64_t>(kTrailerSize)) &&
         WriteExact(f, trailer.data(), trailer.size());
}

// The same file, when both exist.
bool SameFile(const std::string& a, const std::string& b) {
  platform::FileStatus sa, sb;
  return platform::StatPath(a, sa) && platform::StatPath(b, sb) && sa.device == sb.device &&
         sa.inode == sb.inode;
}

// player + container into target. False on any failure; target is then left
// as it was.
bool JoinFiles(const std::string& player, const std::string& container,
               const std::string& target) {
  TFile in;
  TReplacementFile out;
  if (!in.OpenFile(player, 0) || !out.Create(target) || !CopyRest(in, out, nullptr)) return false;
  const int64_t exeSize = out.GetSize();
  if (!in.OpenFile(container, 0) || exeSize < 0 || exeSize > kMaxPosition ||
      !CopyRest(in, out, nullptr) ||
      !RebaseTrailer(out, static_cast<uint32_t>(exeSize), exeSize) || !out.Commit())
    return false;
  if (CopyRunPermissions(player, out.GetName())) return true;
  DosFunc::DeleteFileLong(out.GetName());
  return false;
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
    own.SetExtractFolder(StrFunc::GetTempDir());
    try {
      extracted = own.ExtractFile(0);
    } catch (const EFListFileError&) {
      return false;
    }
    if (extracted.empty() || SameFile(targetExe, extracted)) return false;
    player = extracted;
  }
  const bool ok = JoinFiles(player, containerFile, targetExe);
  if (!extracted.empty()) DosFunc::DeleteFileLong(extracted);
  return ok;
}

bool ExtractContainer(const std::string& sourceExe, const std::string& targetFile,
                      const TFListProgress& progress) {
  const std::string name = StrFunc::Trim(sourceExe);
  const std::string source = name.empty() ? platform::ExecutablePath() : name;
  // The source is checked before the target is made, so a source that holds
  // no container leaves an existing target alone.
  TFListFile container;
  TFile in;
  if (!in.OpenFile(source, 0) || !container.OpenRead(name) || SameFile(source, targetFile))
    return false;
  TReplacementFile out;
  if (!out.Create(targetFile)) return false;
  const int64_t base = container.TrailerBase();
  const int64_t start = base + (container.EntryCount() > 0 ? container.EntryOffset(0) : 0);
  container.Close();
  const int64_t maxStep = (in.GetSize() - base) / static_cast<int64_t>(kPiece) + 1;
  int64_t step = 0;
  if (progress) progress(step, maxStep);
  const auto advance = [&] {
    if (progress) progress(++step, maxStep);
  };
  if (!SeekTo(in, start) || !CopyRest(in, out, advance))
    throw EFListFileError("Fatal write error (8)");
  if (!RebaseTrailer(out, 0, -base)) return false;
  if (!out.Commit()) throw EFListFileError("Fatal write error (8)");
  return true;
}

}  // namespace FListFile
