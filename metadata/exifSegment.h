// The stand-alone EXIF segment file and the photo rewrites built on it.
//
// A segment file holds the first bytes of a JPEG, raw: SOI, an optional
// 18-byte JFIF APP0, and the EXIF APP1 (marker, big-endian length L,
// "Exif\0\0", the TIFF data). It is L + 4 (+ 18 with the APP0) bytes long.
// EXIF side files ("exif/<name>.exif" beside the photos) have this format.
//
// Rebuilding a segment keeps every byte it does not have to move: the maker
// note is carried over whole, and every offset that counts from the TIFF
// header (IFD links, pointers, out-of-line values, the thumbnail and the
// maker-note entries that count from there) is moved with the data it points
// at. A segment whose standard IFDs are damaged is never rewritten.
#pragma once

#include <cstdint>
#include <string>

#include "metadata/exifDataBlock.h"

namespace exif {

// Damage levels found by a segment walk: within a maker note (1: an IFD or
// value outside the segment, 2: an unknown type) a rewrite still goes on;
// in a standard IFD (3, 4) it is refused.
constexpr int kDamageNone = 0;
constexpr int kDamageMakerBounds = 1;
constexpr int kDamageMakerType = 2;
constexpr int kDamageBounds = 3;
constexpr int kDamageType = 4;

// Size of the minimal segment and the file names of the rewrites.
constexpr uint32_t kEmptyExifSize = 398;
inline constexpr const char kWorkFileName[] = "exif_work.$$$";
// The new photo is written beside the photo under its name and this suffix;
// a file of that name is the leftover of a killed write.
// WorkNames::kMark and "-new".
inline constexpr const char kNewPhotoSuffix[] = ".~qm-new";

// Writes the 398-byte minimal segment (little-endian, IFD0, Exif IFD, IFD1).
// False when the file cannot be written whole (nothing is left behind).
[[nodiscard]] bool WriteEmptyExif(const std::string& fileName);

// Looks for tag in an IFD of kind. damage receives the segment's damage
// level, valueSize the size of an out-of-line value (0 when the value is in
// the entry), valueOffset and entryOffset TIFF offsets. False when the tag is
// missing or the file is no segment.
bool FindTagInSegment(const std::string& segmentFile, uint8_t kind, uint16_t tag, int& damage,
                      uint32_t& valueSize, uint32_t& valueOffset, uint32_t& entryOffset);

// Rebuilds the segment file with the block put in: a new IFD hung into its
// parent, or entries merged into their IFD, each entry placed by its tag and
// its value in front of IFD1 (at the end of the TIFF data when there is no
// IFD1 or the IFD lies behind it). False, with the file unchanged, when the
// block is empty, its IFD or parent is missing, the segment is damaged
// beyond level 2 or the result would not fit into an APP1 (65535 bytes).
[[nodiscard]] bool InsertDataBlockInSegment(const std::string& segmentFile, const TExifDataBlock& block);

// Puts the block in the way that fits the segment: a new IFD whose IFD
// exists is merged into it, merged entries whose IFD is missing become a new
// IFD, and merged entries replace entries of the same tag one by one.
[[nodiscard]] bool WriteBlockIntoSegment(const std::string& segmentFile, const TExifDataBlock& block);

// Rebuilds the segment file without the entry and its value. False, with the
// file unchanged, when the tag is missing, lies in a maker note or the
// segment is damaged beyond level 2.
[[nodiscard]] bool DeleteTagFromSegment(const std::string& segmentFile, uint8_t kind, uint16_t tag);

// Puts the segment file into the photo. Where the photo's EXIF APP1 follows
// its SOI directly or behind an 18-byte JFIF APP0, the segment file (SOI,
// APP0 if any, APP1) replaces that head; where other segments stand in front
// of it, the segment file's APP1 alone replaces it in its place; a photo
// without one receives the segment file in place of its SOI. The new photo is
// written beside the photo, flushed, checked by a full decode, given the
// photo's permission bits and, after the stamped dates and pixel size are
// written, its last-write time, and only then renamed over it, all under the
// photo's lock; a work file a killed write left there is removed first. With
// stampDates the three EXIF dates become the photo's last-write time. False,
// with the photo untouched, when the photo is read-only, its head or the
// segment is not recognised (also a photo led by another APP1 and without
// EXIF), or the result does not decode.
[[nodiscard]] bool TransplantExif(const std::string& photo, const std::string& segmentFile, bool stampDates);

// Gives a photo without any EXIF segment the minimal segment, its dates
// stamped with the photo's last-write time. False when the photo has an EXIF
// APP1 among its leading segments (even one that does not read) or the
// transplant fails.
[[nodiscard]] bool AddEmptyExif(const std::string& photo);

// The pixel size of a JPEG, found by decoding it whole (at 1/8 scale). False
// when the file does not decode.
bool GetJpegPixelSize(const std::string& fileName, uint32_t& width, uint32_t& height);

}  // namespace exif
