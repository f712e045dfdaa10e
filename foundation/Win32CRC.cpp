#include "foundation/Win32CRC.h"

#include <array>
#include <vector>

#include "platform/FileSystem.h"

namespace Win32CRC {

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();
static_assert(kTable[1] == 0x77073096u);

constexpr size_t kFileBlock = 32768;

}  // namespace

void UpdateCRC32(uint32_t& crc, const void* buffer, int64_t length) {
  const auto* p = static_cast<const uint8_t*>(buffer);
  for (int64_t i = 0; i < length; ++i) crc = kTable[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
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
