#include "metadata/exifSegmentPlace.h"

#include <algorithm>
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

// The walk over the segments; readAt(at, buffer, count) gives the bytes
// read at a file position, or -1 when they are not at hand.
template <typename ReadAt>
exif::TApp1Search Walk(const ReadAt& readAt, exif::TApp1Place& place) {
  using exif::TApp1Search;
  uint8_t h[10];
  int64_t got = readAt(0, h, 2);
  if (got < 0) return TApp1Search::BeyondHead;
  if (got != 2 || h[0] != 0xFF || h[1] != 0xD8) return TApp1Search::NotThere;
  uint64_t at = 2;
  bool jfifFirst = false;
  for (int i = 0; i < kMaxLeadingSegments; ++i) {
    got = readAt(at, h, sizeof h);
    if (got < 0) return TApp1Search::BeyondHead;
    if (got < 4 || h[0] != 0xFF || EndsTheHead(h[1])) return TApp1Search::NotThere;
    const uint32_t length = uint32_t(h[2]) << 8 | h[3];
    if (length < 2) return TApp1Search::NotThere;
    if (h[1] == 0xE1 && got == sizeof h && std::memcmp(h + 4, "Exif\0\0", 6) == 0) {
      place = {at, length, at == 2 || (at == kJfifApp1At && jfifFirst)};
      return TApp1Search::Found;
    }
    if (at == 2) jfifFirst = h[1] == 0xE0 && length == kJfifApp1At - 4;
    at += 2 + length;
  }
  return TApp1Search::NotThere;
}

}  // namespace

bool exif::FindExifApp1(std::FILE* file, TApp1Place& place) {
  const auto readAt = [file](uint64_t at, uint8_t* buffer, size_t count) -> int64_t {
    if (std::fseek(file, long(at), SEEK_SET) != 0) return 0;
    return int64_t(std::fread(buffer, 1, count, file));
  };
  return Walk(readAt, place) == TApp1Search::Found;
}

exif::TApp1Search exif::FindExifApp1InHead(std::string_view head, bool wholeFile,
                                          TApp1Place& place) {
  const auto readAt = [head, wholeFile](uint64_t at, uint8_t* buffer, size_t count) -> int64_t {
    if (!wholeFile && at + count > head.size()) return -1;
    const size_t available = at < head.size() ? std::min(count, size_t(head.size() - at)) : 0;
    if (available > 0) std::memcpy(buffer, head.data() + at, available);
    return int64_t(available);
  };
  return Walk(readAt, place);
}

bool exif::HasExifApp1(const std::string& path) {
  std::FILE* file = platform::OpenReadStream(path);
  if (!file) return false;
  TApp1Place place;
  const bool found = FindExifApp1(file, place);
  std::fclose(file);
  return found;
}
