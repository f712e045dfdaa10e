// Reading one stretch of several files at once, checked against each other.
#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/Win32CRC.h"

namespace {

// The others are compared in pieces, so a large count needs no second
// buffer of its size.
constexpr int64_t kCompareChunk = 64 * 1024;

// Where each file stands; false when a position cannot be told.
bool Remember(const std::vector<TFileRoot*>& files, std::vector<int64_t>& positions) {
  positions.clear();
  for (TFileRoot* f : files) {
    const int64_t at = f->GetPosition();
    if (at < 0) return false;
    positions.push_back(at);
  }
  return true;
}

void Restore(const std::vector<TFileRoot*>& files, const std::vector<int64_t>& positions) {
  for (size_t i = 0; i < positions.size(); ++i) files[i]->Seek(positions[i]);
}

// True when file delivers count bytes equal to expected.
bool ReadsSame(TFileRoot& file, const uint8_t* expected, int64_t count) {
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min(count, kCompareChunk)));
  for (int64_t done = 0; done < count;) {
    const int64_t n = std::min(count - done, kCompareChunk);
    if (file.Read(chunk.data(), n) != n) return false;
    if (std::memcmp(chunk.data(), expected + done, static_cast<size_t>(n)) != 0) return false;
    done += n;
  }
  return true;
}

bool ReadAllSame(const std::vector<TFileRoot*>& files, void* buffer, int64_t count,
                 uint32_t& crc) {
  std::vector<int64_t> positions;
  if (count < 0 || !Remember(files, positions)) return false;
  bool same = files[0]->Read(buffer, count) == count;
  for (size_t i = 1; same && i < files.size(); ++i)
    same = ReadsSame(*files[i], static_cast<const uint8_t*>(buffer), count);
  if (!same) {
    Restore(files, positions);
    return false;
  }
  crc = Win32CRC::BufferCRC32(buffer, count);
  return true;
}

}  // namespace

int64_t TFile::ReadPair(TFileRoot& second, void* buffer, void* secondBuffer, int64_t count) {
  const std::vector<TFileRoot*> files{this, &second};
  std::vector<int64_t> positions;
  if (count < 0 || !Remember(files, positions)) return -1;
  const int64_t mine = Read(buffer, count);
  const int64_t theirs = second.Read(secondBuffer, count);
  if (mine < 0 || mine != theirs) {
    Restore(files, positions);
    return -1;
  }
  return mine;
}

bool TFile::ReadPairChecked(TFileRoot& second, void* buffer, int64_t count, uint32_t& crc) {
  return ReadAllSame({this, &second}, buffer, count, crc);
}

bool TFile::ReadTripleChecked(TFileRoot& second, TFileRoot& third, void* buffer, int64_t count,
                              uint32_t& crc) {
  return ReadAllSame({this, &second, &third}, buffer, count, crc);
}
