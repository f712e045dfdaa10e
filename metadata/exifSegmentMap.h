// Internal to the exif writers: a segment file in memory, the map of what
// its TIFF data holds, and byte edits that move every offset along.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace exif {

// A segment file's bytes. TIFF offsets count from tiffStart.
struct TSegment {
  std::vector<uint8_t> bytes;
  size_t tiffStart = 0;  // 12, or 30 behind an APP0
  bool motorola = false;
  uint64_t TiffSize() const { return bytes.size() - tiffStart; }
  uint8_t* Tiff() { return bytes.data() + tiffStart; }
  const uint8_t* Tiff() const { return bytes.data() + tiffStart; }
};

// Reads and recognises a segment file; false when it is none or is shorter
// than its APP1 length says. Bytes beyond the segment are not read.
bool LoadSegment(const std::string& path, TSegment& segment);
// Writes the segment with its APP1 length set from its size. False when the
// APP1 would exceed 65535 bytes or the file cannot be written.
bool SaveSegment(const std::string& path, TSegment& segment);

// One entry of a walked IFD; offsets are TIFF offsets.
struct TSegmentEntry {
  uint8_t kind = 0;
  uint16_t tag = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  uint64_t entry = 0;
  uint64_t valueAt = 0;    // of an out-of-line value
  uint64_t valueSize = 0;  // 0 when the value is held in the entry
};

// A u32 field that holds a TIFF offset, in the byte order of the IFD that
// holds it: a maker note may differ from the segment.
struct TOffsetField {
  uint64_t at = 0;
  bool motorola = false;
};

struct TSegmentIfd {
  uint8_t kind = 0;
  uint64_t head = 0;  // the entry count
  uint16_t count = 0;
};

// What a walk of the segment found.
struct TSegmentMap {
  int damage = 0;
  std::vector<TSegmentIfd> ifds;
  std::vector<TSegmentEntry> entries;
  // The u32 fields that hold TIFF offsets.
  std::vector<TOffsetField> offsetFields;
  // The maker note's bytes, empty when there is none.
  uint64_t noteStart = 0, noteEnd = 0;

  const TSegmentIfd* FindIfd(uint8_t kind) const;
  const TSegmentEntry* FindEntry(uint8_t kind, uint16_t tag) const;
};

// Walks the segment file (which LoadSegment read into segment).
TSegmentMap MapSegment(const std::string& path, const TSegment& segment);

// Bytes removed at and inserted at a TIFF offset.
struct TSegmentEdit {
  uint64_t at = 0;
  uint64_t remove = 0;
  std::vector<uint8_t> insert;
};

// Where an old TIFF offset lies after the edits (sorted by at).
uint64_t ShiftOffset(const std::vector<TSegmentEdit>& edits, uint64_t offset);
// Applies the edits to the TIFF data and moves every mapped offset field and
// the value it holds along. False when an edit would cut into the maker note.
bool ApplyEdits(TSegment& segment, const TSegmentMap& map, const std::vector<TSegmentEdit>& edits);

}  // namespace exif
