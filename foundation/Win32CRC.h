// CRC-32 as stored by the program: the reflected IEEE polynomial, register
// started at 0xFFFFFFFF and NOT inverted at the end ("123456789" gives
// 0x340BC6D9). Checksums are stored as signed 32-bit values, -1 = unknown.
#pragma once

#include <cstdint>
#include <string>

namespace Win32CRC {

// Updates the register over length bytes; nothing for a length of 0 or less.
void UpdateCRC32(uint32_t& crc, const void* buffer, int64_t length);
// The register started at 0xFFFFFFFF and updated over the buffer.
uint32_t BufferCRC32(const void* buffer, int64_t length);
// The checksum of a whole file: 0 for an empty file, -1 when it cannot be read.
int32_t FileCRC32(const std::string& fileName);

}  // namespace Win32CRC
