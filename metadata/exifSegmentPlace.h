// Where a JPEG's EXIF APP1 stands among the segments in front of its image
// data. Cameras put it right behind the SOI, JFIF writers behind an APP0,
// and colour-managing or XMP-aware software behind an ICC APP2 or an XMP
// APP1; every reader and writer finds it the same way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace exif {

struct TApp1Place {
  uint64_t at = 0;      // file position of the APP1 marker
  uint32_t length = 0;  // the APP1's big-endian length field (counts itself)
  // True when the APP1 follows the SOI directly or behind an 18-byte JFIF
  // APP0 at byte 2: the head a segment file holds as a whole.
  bool atHead = false;
  uint64_t End() const { return at + 2 + length; }
};

// Walks the segments from the SOI up to the image data (at most 64) and finds
// the first APP1 that begins "Exif\0\0". False when the file does not begin
// with an SOI or carries no such APP1 there. Reads from the file's start and
// leaves its position anywhere.
bool FindExifApp1(std::FILE* file, TApp1Place& place);
// The same for a file by name; false also when it cannot be opened.
bool HasExifApp1(const std::string& path);

enum class TApp1Search { Found, NotThere, BeyondHead };
// FindExifApp1 over the first bytes of a file, held in head; wholeFile says
// that the file ends there. BeyondHead when the walk needs bytes past head
// that the file has: only the file can tell then.
TApp1Search FindExifApp1InHead(std::string_view head, bool wholeFile, TApp1Place& place);

}  // namespace exif
