#include "foundation/Win32CRC.h"

#include <vector>

#include <zlib.h>

#include "platform/FileSystem.h"

namespace Win32CRC {

namespace {

constexpr size_t kFileBlock = 32768;

}  // namespace

// zlib keeps the register inverted before and after, so ours is its
// complement on the way in and out. zlib's table walk is several times
// faster than a hand-written one.
void UpdateCRC32(uint32_t& crc, const void* buffer, int64_t length) {
  if (length <= 0) return;
  const auto* p = static_cast<const Bytef*>(buffer);
  crc = ~static_cast<uint32_t>(crc32_z(~crc & 0xFFFFFFFFu, p, static_cast<size_t>(length)));
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
