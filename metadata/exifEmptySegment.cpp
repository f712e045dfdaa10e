// The minimal EXIF segment given to a photo that has none: 398 bytes,
// little-endian, with IFD0, the Exif IFD and IFD1. Its sample dates are
// replaced right after the transplant (all but IFD1's).
#include <array>
#include <cstring>
#include <string>

#include "metadata/exifBytes.h"
#include "metadata/exifSegment.h"
#include "platform/FileSystem.h"

namespace {

struct Entry {
  uint16_t tag, type;
  uint32_t count, value;  // value: inline bytes as a little-endian number, or a TIFF offset
};

struct Ifd {
  uint32_t at;  // file offset
  std::array<Entry, 8> entries;
  size_t count;
};

constexpr Ifd kIfds[] = {
    {20,
     {{{256, 3, 1, 1000}, {257, 3, 1, 663}, {259, 3, 1, 1}, {262, 3, 1, 6}, {284, 3, 1, 1},
       {306, 2, 20, 110}, {531, 3, 1, 1}, {34665, 4, 1, 130}}},
     8},
    {142,
     {{{36864, 7, 4, 0x30323230}, {36867, 2, 20, 232}, {36868, 2, 20, 252},
       {37121, 7, 4, 0x00030201}, {40960, 7, 4, 0x30303130}, {40961, 3, 1, 65535},
       {40962, 4, 1, 1000}, {40963, 4, 1, 663}}},
     8},
    {284,
     {{{259, 3, 1, 1}, {274, 3, 1, 1}, {282, 5, 1, 350}, {283, 5, 1, 358}, {296, 3, 1, 2},
       {306, 2, 20, 366}}},
     6},
};

struct Bytes {
  uint32_t at;
  const char* data;
  size_t size;
};

constexpr char kResolution[] = "\x00\x00\x00\x48\x00\x00\x00\x01";
const Bytes kValues[] = {
    {0, "\xFF\xD8\xFF\xE1\x01\x8A" "Exif\0\0" "II\x2A\0\x08\0\0\0", 20},
    {118, "\x10\x01\x00\x00", 4},  // IFD0's link to IFD1
    {122, "2013:10:05 07:56:03", 20},
    {244, "2013:10:05 07:55:56", 20},
    {264, "2013:10:05 07:55:57", 20},
    {362, kResolution, 8},
    {370, kResolution, 8},
    {378, "2013:10:05 07:56:03", 20},
};

std::array<uint8_t, exif::kEmptyExifSize> EmptySegment() {
  std::array<uint8_t, exif::kEmptyExifSize> out{};
  for (const Bytes& b : kValues) std::memcpy(out.data() + b.at, b.data, b.size);
  for (const Ifd& ifd : kIfds) {
    exif::StoreU16(out.data() + ifd.at, uint16_t(ifd.count), false);
    for (size_t i = 0; i < ifd.count; ++i) {
      uint8_t* p = out.data() + ifd.at + 2 + 12 * i;
      const Entry& e = ifd.entries[i];
      exif::StoreU16(p, e.tag, false);
      exif::StoreU16(p + 2, e.type, false);
      exif::StoreU32(p + 4, e.count, false);
      exif::StoreU32(p + 8, e.value, false);
    }
  }
  return out;
}

}  // namespace

bool exif::WriteEmptyExif(const std::string& fileName) {
  const std::array<uint8_t, kEmptyExifSize> bytes = EmptySegment();
  const int fd = platform::CreateFile(fileName);
  if (fd < 0) return false;
  int error = 0;
  const bool written = platform::WriteFile(fd, bytes.data(), int64_t(bytes.size()), error) ==
                       int64_t(bytes.size());
  const bool closed = platform::CloseFile(fd);
  if (written && closed) return true;
  platform::RemoveFile(fileName);
  return false;
}
