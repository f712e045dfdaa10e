// Saving GPS edits: values that have an entry are overwritten in place, the
// others go into the photo through a rebuild of its segment.
#include <cmath>

#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifBytes.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"

namespace {

// Rounded to the nearest whole number, halves to even.
int64_t RoundEven(double value) { return int64_t(std::nearbyint(value)); }

// n/scale, or n/1 when it is a whole number.
void AddScaled(std::vector<uint32_t>& pairs, double value, int64_t scale) {
  const int64_t n = RoundEven(value * double(scale));
  if (n % scale == 0) pairs.insert(pairs.end(), {uint32_t(n / scale), 1});
  else pairs.insert(pairs.end(), {uint32_t(n), uint32_t(scale)});
}

std::vector<uint32_t> Coordinate(int32_t degrees, int32_t minutes, double seconds) {
  std::vector<uint32_t> pairs{uint32_t(degrees), 1, uint32_t(minutes), 1};
  AddScaled(pairs, seconds, 1000);
  return pairs;
}

std::vector<uint8_t> RationalBytes(const std::vector<uint32_t>& pairs, bool motorola) {
  std::vector<uint8_t> bytes(pairs.size() * 4);
  for (size_t i = 0; i < pairs.size(); ++i) exif::StoreU32(bytes.data() + 4 * i, pairs[i], motorola);
  return bytes;
}

std::string RefText(const std::string& ref) {
  return StrFunc::UpperCaseCz(StrFunc::Trim(ref)).substr(0, 1);
}

}  // namespace

void TExifReader::AddGpsEdits(TExifDataBlock& block, Writes& writes, bool inPlace) const {
  const TExifValues& v = values_;
  const auto text = [&](uint16_t tag, int32_t pos, const std::string& ref) {
    if (inPlace && EntryIs(pos, exif::kTypeAscii, 4))
      writes.push_back({uint64_t(pos), {uint8_t(ref[0]), 0}});
    else
      block.AddString(tag, ref);
  };
  // The reader records a rational's position only for a value long enough.
  const auto rationals = [&](uint16_t tag, int32_t pos, const std::vector<uint32_t>& pairs) {
    if (inPlace && pos >= 1) writes.push_back({uint64_t(pos), RationalBytes(pairs, motorola_)});
    else block.AddRationals(tag, pairs);
  };
  if (IsGPSValid()) {
    const std::string latRef = RefText(v.latitudeRef), lonRef = RefText(v.longitudeRef);
    if (v.latitudeChanged && !latRef.empty()) {
      text(exif::gps::kLatitudeRef, v.latitudeRefPos, latRef);
      rationals(exif::gps::kLatitude, v.latitudePos,
                Coordinate(v.latitudeDeg, v.latitudeMin, v.latitudeSec));
    }
    if (v.longitudeChanged && !lonRef.empty()) {
      text(exif::gps::kLongitudeRef, v.longitudeRefPos, lonRef);
      rationals(exif::gps::kLongitude, v.longitudePos,
                Coordinate(v.longitudeDeg, v.longitudeMin, v.longitudeSec));
    }
  }
  if (v.altitudeChanged && v.altitude >= 0) {
    if (inPlace && EntryIs(v.altitudeRefPos, exif::kTypeByte, 4))
      writes.push_back({uint64_t(v.altitudeRefPos), {v.altitudeRef}});
    else
      block.AddByte(exif::gps::kAltitudeRef, v.altitudeRef);
    std::vector<uint32_t> pairs;
    AddScaled(pairs, v.altitude, 100);
    rationals(exif::gps::kAltitude, v.altitudePos, pairs);
  }
}

// A GPS IFD that holds no complete position is unhooked from IFD0 when a new
// position is written (its pointer entry is taken out rather than overwritten,
// which would leave an entry of no valid type), and the position goes into a
// GPS IFD of its own.
bool TExifReader::ReplacesGpsIfd() const {
  const TExifValues& v = values_;
  return (v.latitudeChanged || v.longitudeChanged) && v.gpsOffset > 0 && !v.gpsValid;
}

bool TExifReader::GpsNeedsRebuild() const {
  if (ReplacesGpsIfd()) return true;
  TExifDataBlock block = TExifDataBlock::ForKind(exif::kGpsIfd);
  Writes writes;
  AddGpsEdits(block, writes, true);
  return !block.Fields().empty();
}

// The entries the photo lacks go in; those it has are written in place into
// the rebuilt segment afterwards (StampSegment).
bool TExifReader::PutGpsInto(const std::string& segmentFile) const {
  const TExifValues& v = values_;
  if (!v.latitudeChanged && !v.longitudeChanged && !v.altitudeChanged) return true;
  const bool replace = ReplacesGpsIfd();
  const bool ownIfd = v.gpsOffset <= 0 || replace;
  TExifDataBlock block = ownIfd ? TExifDataBlock::ForPointerTag(exif::kTagGpsPointer)
                                : TExifDataBlock::ForKind(exif::kGpsIfd);
  // A GPS IFD the program makes names the version of the GPS tags it holds,
  // as readers require; one the photo has keeps its own.
  if (ownIfd) block.AddBytes(exif::gps::kVersion, {2, 2, 0, 0});
  const size_t made = block.Fields().size();
  Writes inPlace;
  AddGpsEdits(block, inPlace, !replace);
  if (replace && !exif::DeleteTagFromSegment(segmentFile, exif::kIfd0, exif::kTagGpsPointer))
    return false;
  return block.Fields().size() == made || exif::WriteBlockIntoSegment(segmentFile, block);
}
