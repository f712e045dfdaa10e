#include "metadata/exifSegmentPlace.h"

#include <cstring>

#include "platform/FileSystem.h"

namespace {

constexpr int kMaxLeadingSegments = 64;
constexpr uint64_t kJfifApp1At = 20;  // SOI and an 18-byte APP0

// Markers that carry no length, or that end the segments in front of the
// image data (SOS, EOI).
bool EndsTheHead(uint8_t marker) {
  return marker == 0xDA || marker == 0xD9 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8) ||
         marker == 0xFF || marker == 0x00;
}

}  // namespace

bool exif::FindExifApp1(std::FILE* file, TApp1Place& place) {
  uint8_t h[10];
  if (std::fseek(file, 0, SEEK_SET) != 0 || std::fread(h, 1, 2, file) != 2 || h[0] != 0xFF ||
      h[1] != 0xD8)
    return false;
  uint64_t at = 2;
  bool jfifFirst = false;
  for (int i = 0; i < kMaxLeadingSegments; ++i) {
    if (std::fseek(file, long(at), SEEK_SET) != 0) return false;
    const size_t got = std::fread(h, 1, sizeof h, file);
    if (got < 4 || h[0] != 0xFF || EndsTheHead(h[1])) return false;
    const uint32_t length = uint32_t(h[2]) << 8 | h[3];
    if (length < 2) return false;
    if (h[1] == 0xE1 && got == sizeof h && std::memcmp(h + 4, "Exif\0\0", 6) == 0) {
      place = {at, length, at == 2 || (at == kJfifApp1At && jfifFirst)};
      return true;
    }
    if (at == 2) jfifFirst = h[1] == 0xE0 && length == kJfifApp1At - 4;
    at += 2 + length;
  }
  return false;
}

bool exif::HasExifApp1(const std::string& path) {
  std::FILE* file = platform::OpenReadStream(path);
  if (!file) return false;
  TApp1Place place;
  const bool found = FindExifApp1(file, place);
  std::fclose(file);
  return found;
}
