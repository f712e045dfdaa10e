#include "foundation/Win32CRC.h"

#include <array>
#include <vector>

#include "platform/FileSystem.h"

namespace Win32CRC {

namespace {

// Eight tables, so that the register takes eight bytes per step ("slicing by
// 8"): kTables[0] is the classic byte table, kTables[k] advances a byte
// through k further zero bytes.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (size_t k = 1; k < 8; ++k)
    for (size_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

constexpr Tables kTables = MakeTables();
static_assert(kTables[0][1] == 0x77073096u);

uint32_t Load32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

constexpr size_t kFileBlock = 32768;

}  // namespace

void UpdateCRC32(uint32_t& crc, const void* buffer, int64_t length) {
  const auto* p = static_cast<const uint8_t*>(buffer);
  const auto& t = kTables;
  for (; length >= 8; length -= 8, p += 8) {
    const uint32_t lo = crc ^ Load32(p);
    const uint32_t hi = Load32(p + 4);
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
  }
  for (int64_t i = 0; i < length; ++i) crc = t[0][(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
}

uint32_t BufferCRC32(const void* buffer, int64_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  UpdateCRC32(crc, buffer, length);
  return crc;
}

int32_t FileCRC32(const std::string& fileName) {
  const int fd = platform::OpenFile(fileName, platform::OpenAccess::Read);
  if (fd < 0) return -1;
  std::vector<uint8_t> block(kFileBlock);
  uint32_t crc = 0xFFFFFFFFu;
  bool any = false;
  bool failed = false;
  for (;;) {
    const int64_t n = platform::ReadFile(fd, block.data(), static_cast<int64_t>(block.size()));
    if (n < 0) {
      failed = true;
      break;
    }
    if (n == 0) break;
    any = true;
    UpdateCRC32(crc, block.data(), n);
  }
  platform::CloseFile(fd);
  if (failed) return -1;
  // An empty file has checksum 0, not the untouched register.
  return any ? static_cast<int32_t>(crc) : 0;
}

}  // namespace Win32CRC
