#include "metadata/exifSegmentMap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "metadata/exif.h"
#include "metadata/exifBytes.h"
#include "metadata/exifSegment.h"
#include "metadata/exifValue.h"
#include "platform/FileSystem.h"

namespace {

constexpr size_t kApp0Size = 18;
constexpr uint64_t kMaxApp1Length = 65535;

bool HeaderAt(const uint8_t* h) {
  static constexpr uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
  static constexpr uint8_t kIntel[] = {'I', 'I', 0x2A, 0};
  static constexpr uint8_t kMotorola[] = {'M', 'M', 0, 0x2A};
  return h[0] == 0xFF && h[1] == 0xE1 && std::memcmp(h + 4, kExif, 6) == 0 &&
         (std::memcmp(h + 10, kIntel, 4) == 0 || std::memcmp(h + 10, kMotorola, 4) == 0);
}

bool IsMakerKind(uint8_t kind) { return kind >= exif::kMakerNote && kind < exif::kGpsIfd; }

// Pointer entries whose value is the TIFF offset of another standard IFD.
bool IsIfdPointer(uint8_t kind, uint16_t tag) {
  return (kind == exif::kIfd0 && (tag == exif::kTagExifPointer || tag == exif::kTagGpsPointer)) ||
         (kind == exif::kExifIfd && tag == exif::kTagInteropPointer);
}

// Entries of IFD1 whose value is the TIFF offset of the thumbnail.
bool IsThumbnailPointer(uint8_t kind, uint16_t tag, uint32_t count) {
  return kind == exif::kIfd1 &&
         (tag == exif::tiff::kJpegOffset || (tag == exif::tiff::kStripOffsets && count == 1));
}

void Damage(exif::TSegmentMap& map, int level) { map.damage = std::max(map.damage, level); }

bool HasIfdAt(const exif::TSegmentMap& map, uint64_t head) {
  return std::any_of(map.ifds.begin(), map.ifds.end(),
                     [head](const exif::TSegmentIfd& ifd) { return ifd.head == head; });
}

// Canon notes may end in a footer of a TIFF byte-order mark and the note's
// own TIFF offset, which readers use to find a moved note.
void AddNoteFooter(exif::TSegmentMap& map, const exif::TSegment& segment, uint8_t maker,
                   bool motorola) {
  constexpr uint8_t kCanon = 2;
  if (maker != kCanon || map.noteEnd < map.noteStart + 8) return;
  const uint8_t* footer = segment.Tiff() + map.noteEnd - 8;
  const char* mark = motorola ? "MM\0*" : "II*\0";
  if (std::memcmp(footer, mark, 4) == 0 && exif::LoadU32(footer + 4, motorola) == map.noteStart)
    map.offsetFields.push_back({map.noteEnd - 4, motorola});
}

}  // namespace

namespace exif {

const TSegmentIfd* TSegmentMap::FindIfd(uint8_t kind) const {
  for (const TSegmentIfd& ifd : ifds)
    if (ifd.kind == kind) return &ifd;
  return nullptr;
}

const TSegmentEntry* TSegmentMap::FindEntry(uint8_t kind, uint16_t tag) const {
  for (const TSegmentEntry& e : entries)
    if (e.kind == kind && e.tag == tag) return &e;
  return nullptr;
}

bool LoadSegment(const std::string& path, TSegment& segment) {
  std::FILE* file = platform::OpenReadStream(path);
  if (!file) return false;
  uint8_t head[16 + kApp0Size] = {};
  const size_t got = std::fread(head, 1, sizeof head, file);
  size_t shift = 0;
  bool ok = got >= 16 && head[0] == 0xFF && head[1] == 0xD8;
  if (ok && !HeaderAt(head + 2)) {
    ok = got >= 16 + kApp0Size && head[2] == 0xFF && head[3] == 0xE0 && head[4] == 0 &&
         head[5] == kApp0Size - 2 && HeaderAt(head + 20);
    shift = kApp0Size;
  }
  if (ok) {
    const uint64_t length = uint64_t(head[4 + shift]) << 8 | head[5 + shift];
    ok = length >= 16;
    segment.bytes.resize(length + 4 + shift);
    segment.tiffStart = 12 + shift;
    segment.motorola = head[12 + shift] == 'M';
    ok = ok && std::fseek(file, 0, SEEK_SET) == 0 &&
         std::fread(segment.bytes.data(), 1, segment.bytes.size(), file) == segment.bytes.size();
  }
  std::fclose(file);
  return ok;
}

bool SaveSegment(const std::string& path, TSegment& segment) {
  const uint64_t length = segment.bytes.size() - segment.tiffStart + 8;
  if (length > kMaxApp1Length) return false;
  const size_t at = segment.tiffStart - 8;
  segment.bytes[at] = uint8_t(length >> 8);
  segment.bytes[at + 1] = uint8_t(length);
  const int fd = platform::CreateFile(path);
  if (fd < 0) return false;
  int error = 0;
  const int64_t size = int64_t(segment.bytes.size());
  const bool written = platform::WriteFile(fd, segment.bytes.data(), size, error) == size;
  return platform::CloseFile(fd) && written;
}

TSegmentMap MapSegment(const std::string& path, const TSegment& segment) {
  TSegmentMap map;
  TExifReader reader;
  if (!reader.ReadFromFile(path)) {
    map.damage = kDamageBounds;
    return map;
  }
  const uint64_t tiffStart = segment.tiffStart;
  const uint64_t tiffSize = segment.TiffSize();
  const auto inside = [tiffSize](uint64_t at, uint64_t size) {
    return at <= tiffSize && size <= tiffSize - at;
  };
  const bool motorola = segment.motorola;
  const bool noteMotorola = reader.MakerNoteMotorola();
  map.offsetFields.push_back({4, motorola});  // IFD0 in the TIFF header

  std::vector<TExifEntryRecord> records(size_t(reader.Records().Count()));
  for (size_t i = 0; i < records.size(); ++i) reader.Records().GetItem(int32_t(i), &records[i]);
  for (const TExifEntryRecord& r : records)
    if (r.recordType == kRecordHead) map.ifds.push_back({r.kind, r.position - tiffStart, r.tag});

  for (const TExifEntryRecord& r : records) {
    const bool maker = IsMakerKind(r.kind);
    const uint64_t pos = r.position - tiffStart;
    if (r.recordType == kRecordLink) {
      const uint32_t next = uint32_t(r.type) << 16 | r.tag;
      const bool followed = r.kind == kIfd0 || r.kind == kIfd1 || r.kind == kExifIfd;
      if (next == 0 || maker) continue;
      if (!inside(next, 2) || (followed && !HasIfdAt(map, next))) Damage(map, kDamageBounds);
      else map.offsetFields.push_back({pos, motorola});
      continue;
    }
    if (r.recordType != kRecordEntry) continue;
    TSegmentEntry e{r.kind, r.tag, r.type, r.count, pos, 0, 0};
    if (r.type > kTypeDouble) {
      Damage(map, maker ? kDamageMakerType : kDamageType);
      map.entries.push_back(e);
      continue;
    }
    const uint64_t size = uint64_t(r.count) * TypeSize(r.type);
    if (!maker && (IsIfdPointer(r.kind, r.tag) || IsThumbnailPointer(r.kind, r.tag, r.count))) {
      const bool target = IsIfdPointer(r.kind, r.tag) ? HasIfdAt(map, r.value) : inside(r.value, 1);
      if (target) map.offsetFields.push_back({pos + 8, motorola});
      else Damage(map, kDamageBounds);
    } else if (size > 4) {
      // Offsets are 32 bits; a base may take them down as well as up.
      e.valueAt = uint32_t(r.value + r.offsetBase);
      e.valueSize = size;
      if (!inside(e.valueAt, size)) Damage(map, maker ? kDamageMakerBounds : kDamageBounds);
      else if (r.offsetBase == 0)
        map.offsetFields.push_back({pos + 8, maker ? noteMotorola : motorola});
      if (r.kind == kExifIfd && r.tag == kTagMakerNote) {
        map.noteStart = e.valueAt;
        map.noteEnd = e.valueAt + size;
      }
    }
    map.entries.push_back(e);
  }
  AddNoteFooter(map, segment, reader.MakerNumber(), noteMotorola);
  return map;
}

uint64_t ShiftOffset(const std::vector<TSegmentEdit>& edits, uint64_t offset) {
  int64_t delta = 0;
  for (const TSegmentEdit& e : edits) {
    if (offset < e.at) break;
    if (offset < e.at + e.remove) return uint64_t(int64_t(e.at) + delta);
    delta += int64_t(e.insert.size()) - int64_t(e.remove);
  }
  return uint64_t(int64_t(offset) + delta);
}

bool ApplyEdits(TSegment& segment, const TSegmentMap& map, const std::vector<TSegmentEdit>& edits) {
  for (const TSegmentEdit& e : edits)
    if (e.at > map.noteStart && e.at < map.noteEnd) return false;
  const uint8_t* old = segment.Tiff();
  const uint64_t oldSize = segment.TiffSize();
  std::vector<uint8_t> tiff;
  tiff.reserve(oldSize + 1024);
  uint64_t from = 0;
  for (const TSegmentEdit& e : edits) {
    tiff.insert(tiff.end(), old + from, old + e.at);
    tiff.insert(tiff.end(), e.insert.begin(), e.insert.end());
    from = e.at + e.remove;
  }
  tiff.insert(tiff.end(), old + from, old + oldSize);

  for (const TOffsetField& field : map.offsetFields) {
    const bool removed = std::any_of(edits.begin(), edits.end(), [&field](const TSegmentEdit& e) {
      return field.at + 4 > e.at && field.at < e.at + e.remove;
    });
    if (removed) continue;
    const uint32_t value = LoadU32(old + field.at, field.motorola);
    if (value == 0) continue;
    StoreU32(tiff.data() + ShiftOffset(edits, field.at), uint32_t(ShiftOffset(edits, value)),
             field.motorola);
  }
  segment.bytes.resize(segment.tiffStart);
  segment.bytes.insert(segment.bytes.end(), tiff.begin(), tiff.end());
  return true;
}

}  // namespace exif
