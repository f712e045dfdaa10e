#include "foundation/DosType.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "foundation/Win32CRC.h"

namespace {

// Leaves a target block that already equals the source block alone and
// rewrites it otherwise. The CRC decides quickly; the bytes themselves are
// compared too, so a CRC collision can never leave a stale block behind.
bool CompareOrRewrite(TFileRoot& target, const uint8_t* source, uint8_t* scratch, int64_t n,
                      uint32_t sourceCrc) {
  const int64_t start = target.GetPosition();
  uint32_t targetCrc = 0;
  if (start < 0 || target.ReadBlockCrc(scratch, n, sourceCrc, targetCrc) != n) return false;
  if (targetCrc == sourceCrc && std::memcmp(source, scratch, static_cast<size_t>(n)) == 0)
    return true;
  return target.Seek(start) == start && target.Write(source, n);
}

}  // namespace

void TFileRoot::SetBufferSize(int64_t size) {
  if (size > 0) bufferSize_ = size;
}

bool TFileRoot::CopyToSimple(TFileRoot& target) {
  return CopyTo(target, nullptr, CopyMode::Overwrite, false, -1, {});
}

bool TFileRoot::CopyTo(TFileRoot& target, TFileRoot* secondTarget, CopyMode mode,
                       bool fromCurrentPosition, int64_t count, const TCopyProgress& progress) {
  std::vector<TFileRoot*> targets{&target};
  if (secondTarget != nullptr) targets.push_back(secondTarget);
  if (!IsOpen()) return false;
  for (TFileRoot* t : targets) {
    if (!t->IsOpen()) return false;
    const int64_t at = mode == CopyMode::Append ? t->GetSize() : 0;
    if (at < 0 || t->Seek(at) != at) return false;
  }
  if (!fromCurrentPosition && Seek(0) != 0) return false;
  const int64_t start = GetPosition();
  const int64_t size = GetSize();
  if (start < 0 || size < 0) return false;

  const bool whole = count < 0;
  const int64_t remaining = std::max<int64_t>(0, size - start);
  const int64_t wanted = whole ? remaining : count;
  if (wanted == 0) {
    for (TFileRoot* t : targets)
      if (!t->Truncate()) return false;
    return true;
  }

  const int64_t block = bufferSize_;
  int64_t done = 0;
  std::vector<uint8_t> buffer;
  std::vector<uint8_t> scratch;
  int64_t compareBlocks = 0;
  if (whole && mode == CopyMode::Overwrite) {
    compareBlocks = remaining / block;
    for (TFileRoot* t : targets) {
      const int64_t left = t->GetSize() - t->GetPosition();
      compareBlocks = std::min(compareBlocks, std::max<int64_t>(0, left) / block);
    }
  }
  try {
    buffer.resize(static_cast<size_t>(std::min(block, wanted)));
    if (compareBlocks > 0) scratch.resize(static_cast<size_t>(block));
  } catch (const std::bad_alloc&) {
    return false;
  }

  for (int64_t i = 0; i < compareBlocks; ++i) {
    if (Read(buffer.data(), block) != block) return false;
    const uint32_t crc = Win32CRC::BufferCRC32(buffer.data(), block);
    for (TFileRoot* t : targets)
      if (!CompareOrRewrite(*t, buffer.data(), scratch.data(), block, crc)) return false;
    done += block;
    if (progress && !progress(done)) return false;
  }

  for (TFileRoot* t : targets)
    if (!t->Truncate()) return false;
  while (done < wanted) {
    const int64_t n = Read(buffer.data(), std::min(block, wanted - done));
    if (n < 0) return false;
    if (n == 0) break;
    for (TFileRoot* t : targets)
      if (!t->Write(buffer.data(), n)) return false;
    done += n;
    if (progress && !progress(done)) return false;
  }
  if (done != wanted) return false;
  if (whole && mode == CopyMode::Overwrite) {
    for (TFileRoot* t : targets)
      if (t->GetSize() != remaining) return false;
  }
  return true;
}

int64_t TFileRoot::ReadBlockCrc(void* buffer, int64_t count, uint32_t expected, uint32_t& crc) {
  const int64_t start = GetPosition();
  if (start < 0) return -1;
  const int64_t n = Read(buffer, count);
  if (n < 0) return -1;
  crc = Win32CRC::BufferCRC32(buffer, n);
  if (crc != expected && Seek(start) != start) return -1;
  return n;
}

int64_t TFileRoot::ReadBlockCrcAt(int64_t position, void* buffer, int64_t count, uint32_t expected,
                                  uint32_t& crc) {
  if (Seek(position) != position) return -1;
  return ReadBlockCrc(buffer, count, expected, crc);
}
