// Inserting and deleting entries of a segment file.
#include <algorithm>
#include <map>

#include "metadata/exif.h"
#include "metadata/exifBytes.h"
#include "metadata/exifSegment.h"
#include "metadata/exifSegmentMap.h"
#include "metadata/exifValue.h"

namespace {

using exif::TSegment;
using exif::TSegmentEdit;
using exif::TSegmentEntry;
using exif::TSegmentIfd;
using exif::TSegmentMap;

bool IsMakerKind(uint8_t kind) { return kind >= exif::kMakerNote && kind < exif::kGpsIfd; }

uint64_t EntriesEnd(const TSegmentIfd& ifd) { return ifd.head + 2 + 12 * uint64_t(ifd.count); }

bool EntryOf(const TSegmentIfd& ifd, const TSegmentEntry& e) {
  return e.kind == ifd.kind && e.entry >= ifd.head + 2 && e.entry < EntriesEnd(ifd);
}

// Where an entry of the tag goes so that the IFD stays sorted by tag.
uint64_t SortedPlace(const TSegmentMap& map, const TSegmentIfd& ifd, uint16_t tag) {
  uint64_t place = EntriesEnd(ifd);
  for (const TSegmentEntry& e : map.entries)
    if (EntryOf(ifd, e) && e.tag > tag) place = std::min(place, e.entry);
  return place;
}

// New data goes in front of IFD1, or to the end of the TIFF data when there
// is no IFD1 or the receiving IFD lies behind it.
uint64_t DataPoint(const TSegment& segment, const TSegmentMap& map, const TSegmentIfd& ifd) {
  const TSegmentIfd* ifd1 = map.FindIfd(exif::kIfd1);
  if (ifd1 && ifd1->head >= EntriesEnd(ifd)) return ifd1->head;
  return segment.TiffSize();
}

void AddInsert(std::map<uint64_t, std::vector<uint8_t>>& inserts, uint64_t at, const uint8_t* p,
               size_t size) {
  std::vector<uint8_t>& bytes = inserts[at];
  bytes.insert(bytes.end(), p, p + size);
}

std::vector<TSegmentEdit> ToEdits(const std::map<uint64_t, std::vector<uint8_t>>& inserts) {
  std::vector<TSegmentEdit> edits;
  for (const auto& [at, bytes] : inserts) edits.push_back({at, 0, bytes});
  return edits;
}

bool SetEntryCount(TSegment& segment, const std::vector<TSegmentEdit>& edits,
                   const TSegmentIfd& ifd, int64_t count) {
  if (count < 0 || count > 0xFFFF) return false;
  exif::StoreU16(segment.Tiff() + exif::ShiftOffset(edits, ifd.head), uint16_t(count),
                 segment.motorola);
  return true;
}

// The byte ranges that other parts of the segment use.
struct Range {
  uint64_t from, to;
  bool Overlaps(uint64_t a, uint64_t b) const { return a < to && from < b; }
};

std::vector<Range> RangesInUse(const TSegment& segment, const TSegmentMap& map,
                               const TSegmentEntry& except) {
  std::vector<Range> used;
  for (const TSegmentIfd& ifd : map.ifds) used.push_back({ifd.head, EntriesEnd(ifd) + 4});
  for (const TSegmentEntry& e : map.entries)
    if (e.entry != except.entry && e.valueSize > 0) used.push_back({e.valueAt, e.valueAt + e.valueSize});
  used.push_back({map.noteStart, map.noteEnd});
  for (const exif::TOffsetField& field : map.offsetFields) {
    if (field.at == except.entry + 8) continue;
    const uint64_t target = exif::LoadU32(segment.Tiff() + field.at, field.motorola);
    used.push_back({target, target + 1});
  }
  return used;
}

// How many bytes of the deleted entry's value can go: none when anything
// else uses them; an odd-sized value takes its zero pad byte along.
uint64_t RemovableValue(const TSegment& segment, const TSegmentMap& map, const TSegmentEntry& e) {
  if (e.valueSize == 0) return 0;
  const std::vector<Range> used = RangesInUse(segment, map, e);
  const auto free = [&used](uint64_t a, uint64_t b) {
    return std::none_of(used.begin(), used.end(), [a, b](const Range& r) { return r.Overlaps(a, b); });
  };
  const uint64_t end = e.valueAt + e.valueSize;
  if (!free(e.valueAt, end)) return 0;
  const bool pad = (e.valueSize & 1) && end < segment.TiffSize() && segment.Tiff()[end] == 0 &&
                   free(end, end + 1);
  return e.valueSize + (pad ? 1 : 0);
}

bool InsertEntries(TSegment& segment, const TSegmentMap& map, const TExifDataBlock& block) {
  const TSegmentIfd* ifd = map.FindIfd(block.Kind());
  if (!ifd) return false;
  const bool motorola = segment.motorola;
  uint64_t dataPoint = DataPoint(segment, map, *ifd);
  std::map<uint64_t, std::vector<uint8_t>> inserts;
  if (dataPoint & 1) inserts[dataPoint].push_back(0);
  const size_t newEntries = block.IsOwnIfd() ? 1 : block.Fields().size();
  // Every new entry lies in front of the data point, so the data moves by
  // all of them.
  const uint64_t data = dataPoint + 12 * newEntries + (dataPoint & 1);
  if (data > 0xFFFFFFFFu) return false;
  uint8_t entry[12];
  if (block.IsOwnIfd()) {
    block.SavePointerEntry(motorola, uint32_t(data), entry);
    AddInsert(inserts, SortedPlace(map, *ifd, block.PointerTag()), entry, 12);
    const std::vector<uint8_t> bytes = block.SaveIfd(motorola, uint32_t(data));
    AddInsert(inserts, dataPoint, bytes.data(), bytes.size());
  } else {
    std::vector<size_t> order(block.Fields().size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&block](size_t a, size_t b) {
      return block.Fields()[a].tag < block.Fields()[b].tag;
    });
    uint64_t valueAt = data;
    for (const size_t i : order) {
      std::vector<uint8_t> value;
      block.SaveEntry(i, motorola, uint32_t(valueAt), entry, value);
      AddInsert(inserts, SortedPlace(map, *ifd, block.Fields()[i].tag), entry, 12);
      AddInsert(inserts, dataPoint, value.data(), value.size());
      valueAt += value.size();
    }
  }
  const std::vector<TSegmentEdit> edits = ToEdits(inserts);
  const TSegmentIfd target = *ifd;
  return exif::ApplyEdits(segment, map, edits) &&
         SetEntryCount(segment, edits, target, int64_t(target.count) + int64_t(newEntries));
}

}  // namespace

namespace exif {

bool FindTagInSegment(const std::string& segmentFile, uint8_t kind, uint16_t tag, int& damage,
                      uint32_t& valueSize, uint32_t& valueOffset, uint32_t& entryOffset) {
  damage = kDamageBounds;
  valueSize = valueOffset = entryOffset = 0;
  TSegment segment;
  if (!LoadSegment(segmentFile, segment)) return false;
  const TSegmentMap map = MapSegment(segmentFile, segment);
  damage = map.damage;
  const TSegmentEntry* e = map.FindEntry(kind, tag);
  if (!e) return false;
  valueSize = uint32_t(e->valueSize);
  valueOffset = uint32_t(e->valueAt);
  entryOffset = uint32_t(e->entry);
  return true;
}

bool InsertDataBlockInSegment(const std::string& segmentFile, const TExifDataBlock& block) {
  if (block.Fields().empty()) return false;
  TSegment segment;
  if (!LoadSegment(segmentFile, segment)) return false;
  const TSegmentMap map = MapSegment(segmentFile, segment);
  if (map.damage > kDamageMakerType) return false;
  if (block.IsOwnIfd() && map.FindIfd(block.EntryKind())) return false;
  return InsertEntries(segment, map, block) && SaveSegment(segmentFile, segment);
}

bool DeleteTagFromSegment(const std::string& segmentFile, uint8_t kind, uint16_t tag) {
  if (IsMakerKind(kind)) return false;
  TSegment segment;
  if (!LoadSegment(segmentFile, segment)) return false;
  const TSegmentMap map = MapSegment(segmentFile, segment);
  const TSegmentEntry* e = map.FindEntry(kind, tag);
  if (!e || map.damage > kDamageMakerType) return false;
  const TSegmentIfd* ifd = nullptr;
  for (const TSegmentIfd& candidate : map.ifds)
    if (EntryOf(candidate, *e)) ifd = &candidate;
  if (!ifd) return false;
  std::vector<TSegmentEdit> edits{{e->entry, 12, {}}};
  const uint64_t valueBytes = RemovableValue(segment, map, *e);
  if (valueBytes > 0) edits.push_back({e->valueAt, valueBytes, {}});
  std::sort(edits.begin(), edits.end(),
            [](const TSegmentEdit& a, const TSegmentEdit& b) { return a.at < b.at; });
  const TSegmentIfd target = *ifd;
  return ApplyEdits(segment, map, edits) &&
         SetEntryCount(segment, edits, target, int64_t(target.count) - 1) &&
         SaveSegment(segmentFile, segment);
}

bool WriteBlockIntoSegment(const std::string& segmentFile, const TExifDataBlock& block) {
  if (block.Fields().empty()) return false;
  TSegment segment;
  if (!LoadSegment(segmentFile, segment)) return false;
  const TSegmentMap map = MapSegment(segmentFile, segment);
  if (block.IsOwnIfd() && !map.FindIfd(block.EntryKind()))
    return InsertDataBlockInSegment(segmentFile, block);
  const TExifDataBlock merged = block.AsMerge();
  if (!map.FindIfd(merged.Kind())) return InsertDataBlockInSegment(segmentFile, merged.AsNewIfd());
  for (size_t i = 0; i < merged.Fields().size(); ++i) {
    int damage = 0;
    uint32_t size = 0, offset = 0, entry = 0;
    const uint16_t tag = merged.Fields()[i].tag;
    const bool found = FindTagInSegment(segmentFile, merged.Kind(), tag, damage, size, offset, entry);
    if (damage >= kDamageBounds) return false;
    if (found && IsMakerKind(merged.Kind()) && damage != kDamageNone) return false;
    if (found && !DeleteTagFromSegment(segmentFile, merged.Kind(), tag)) return false;
    if (!InsertDataBlockInSegment(segmentFile, merged.SingleField(i))) return false;
  }
  return true;
}

}  // namespace exif
