// Which typed value each tag feeds, and how it is taken from the entry.
#include "metadata/exifExtract.h"

#include <cmath>
#include <type_traits>

#include "foundation/DateFunc.h"
#include "metadata/exifFormat.h"
#include "metadata/exifReadings.h"
#include "metadata/exifText.h"
#include "platform/TextLines.h"

namespace exif {

namespace {

using Values = TExifValues;
using Entry = TExifDecodedEntry;

// The TIFF types a rule reads, one bit each; types outside 1-12 share a bit.
constexpr uint32_t TypeBit(uint32_t type) { return 1u << (type >= 1 && type <= 12 ? type : 13); }
constexpr uint32_t kByte = TypeBit(kTypeByte);
constexpr uint32_t kAscii = TypeBit(kTypeAscii);
constexpr uint32_t kShort = TypeBit(kTypeShort);
constexpr uint32_t kLong = TypeBit(kTypeLong);
constexpr uint32_t kRational = TypeBit(kTypeRational);
constexpr uint32_t kUndefined = TypeBit(kTypeUndefined);
constexpr uint32_t kSignedWhole = TypeBit(kTypeSShort) | TypeBit(kTypeSLong);
constexpr uint32_t kNotAscii = ~kAscii;
constexpr uint32_t kAnyType = ~0u;

// A date's place is kept only when the value holds exactly a date and its
// NUL, "yyyy:mm:dd hh:mm:ss" or the GPS "yyyy:mm:dd", so that a date written
// back fits it.
constexpr uint32_t kDateSize = 20;
constexpr uint32_t kGpsDateSize = 11;

// A whole number that fits an int32 field, else -1 (unset).
int32_t ToField(double value) { return value >= 0 && value <= 2147483647.0 ? int32_t(value) : -1; }

double Quotient(const TExifValueView& v) {
  return v.Den(0) ? double(v.Num(0)) / v.Den(0) : 0;
}

// Edited values (texts, dates, GPS) are members of the edit-state base of
// TExifValues, so these take member pointers of either struct.
template <auto field>
void KeepText(const Entry& e, Values& x) {
  x.*field = e.text;
}

// The first element of a whole-number type, in the field's own type.
template <auto field>
void KeepFirst(const Entry& e, Values& x) {
  if (e.value.count == 0) return;
  x.*field = std::remove_reference_t<decltype(x.*field)>(e.value.Int(0));
}

// The first rational's quotient, 0 when its denominator is 0.
template <double Values::*field>
void KeepQuotient(const Entry& e, Values& x) {
  if (e.value.count > 0) x.*field = Quotient(e.value);
}

template <auto date, auto pos>
void KeepDate(const Entry& e, Values& x) {
  x.*date = ParseExifDate(e.text);
  x.*pos = e.value.pos >= 0 && e.count == kDateSize ? int32_t(e.value.pos) : -1;
}

template <std::string Values::*field>
void KeepVersion(const Entry& e, Values& x) {
  x.*field = VersionText(e.value);
}

// Where the entry's value field lies, for values written back in place.
template <int32_t Values::*pos>
void KeepFieldPlace(const Entry& e, Values& x) {
  x.*pos = int32_t(e.fieldPos);
}

// Where a value read out of line lies.
template <int32_t Values::*pos>
void KeepValuePlace(const Entry& e, Values& x) {
  if (e.value.pos >= 0) x.*pos = int32_t(e.value.pos);
}

void KeepExposureTime(const Entry& e, Values& x) {
  if (e.value.count == 0 || !e.value.Num(0) || !e.value.Den(0)) return;
  x.exposureTime = Quotient(e.value);
  x.exposureTimeText = ExposureTimeText(x.exposureTime);
}

void KeepFNumber(const Entry& e, Values& x) {
  if (e.value.count > 0 && e.value.Den(0)) x.fNumber = Quotient(e.value);
}

// A photo without an F-number has it from the aperture value.
void KeepApertureFNumber(const Entry& e, Values& x) {
  if (e.value.count > 0 && e.value.Den(0) && x.fNumber == 0)
    x.fNumber = std::pow(2.0, Quotient(e.value) / 2);
}

void KeepCompressedBits(const Entry& e, Values& x) {
  if (e.value.count > 0) x.compressedBitsPerPixel = RationalListText(e.value);
}

void KeepUserComment(const Entry& e, Values& x) {
  x.userComment = UserCommentText(e.value);
  x.userCommentLines = platform::SplitLines(x.userComment);
}

void KeepUserCommentPlace(const Entry& e, Values& x) {
  if (e.value.pos < 0) return;
  x.userCommentPos = int32_t(e.value.pos);
  x.userCommentCount = int32_t(e.count);
  x.userCommentOffset = int32_t(e.valueField);
}

void KeepAltitudeRef(const Entry& e, Values& x) {
  if (e.value.count > 0) x.altitudeRef = e.value.U8(0);
}

template <auto deg, auto min, auto sec, auto pos>
void KeepCoordinate(const Entry& e, Values& x) {
  if (e.value.count < 3) return;
  const GpsCoordinate c = ReadGpsCoordinate(e.value);
  x.*deg = ToField(c.degrees);
  x.*min = ToField(c.minutes);
  x.*sec = c.seconds;
  x.*pos = int32_t(e.value.pos);
}

void KeepAltitude(const Entry& e, Values& x) {
  if (e.value.count == 0 || !e.value.Den(0)) return;
  x.altitude = Quotient(e.value);
  x.altitudePos = int32_t(e.value.pos);
}

void KeepGpsTime(const Entry& e, Values& x) {
  GpsTime time;
  if (!ReadGpsTime(e.value, time)) return;
  x.gpsTime = time.value;
  x.gpsTimePos = int32_t(e.value.pos);
}

void KeepGpsDate(const Entry& e, Values& x) {
  int year = 0, month = 0, day = 0;
  if (!ReadGpsDate(e.text, year, month, day)) return;
  x.gpsDay = DateFunc::DMYToDayNum(day, month, year);
  if (e.value.pos >= 0 && e.count == kGpsDateSize) x.gpsDatePos = int32_t(e.value.pos);
}

void KeepSpecialMode(const Entry& e, Values& x) {
  if (e.value.count >= 3) ReadSpecialMode(e.value, x.olympusSpecialMode);
}

void KeepCanonSerial(const Entry& e, Values& x) {
  if (e.value.count > 0) x.canonSerial = CanonSerialText(e.value.U32(0));
}

void KeepCasioDistance(const Entry& e, Values& x) {
  if (e.value.count > 0) x.casioObjectDistance = e.value.U32(0) / 1000.0;
}

void KeepCasioZoom(const Entry& e, Values& x) {
  if (e.value.count > 0) x.casioDigitalZoom = CasioZoom(e.value.U32(0));
}

struct Extraction {
  uint8_t kind;
  uint16_t tag;
  uint32_t types;  // TypeBit of each type the rule reads
  void (*keep)(const Entry&, Values&);
};

constexpr Extraction kExtractions[] = {
    {kIfd0, tiff::kImageDescription, kAscii, KeepText<&Values::imageDescription>},
    {kIfd0, tiff::kMake, kAscii, KeepText<&Values::make>},
    {kIfd0, tiff::kModel, kAscii, KeepText<&Values::model>},
    {kIfd0, tiff::kSoftware, kAscii, KeepText<&Values::software>},
    {kIfd0, tiff::kCopyright, kAscii, KeepText<&Values::copyright>},
    {kIfd0, tiff::kOrientation, kShort, KeepFirst<&Values::orientation>},
    {kIfd0, tiff::kDateTime, kAscii, KeepDate<&Values::dateTime, &Values::dateTimePos>},
    {kIfd0, tiff::kXResolution, kRational, KeepQuotient<&Values::xResolution>},
    {kIfd0, tiff::kYResolution, kRational, KeepQuotient<&Values::yResolution>},

    {kIfd1, tiff::kImageWidth, kShort | kLong, KeepFirst<&Values::thumbnailWidth>},
    {kIfd1, tiff::kImageLength, kShort | kLong, KeepFirst<&Values::thumbnailLength>},
    {kIfd1, tiff::kJpegOffset, kLong, KeepFirst<&Values::thumbnailOffset>},
    {kIfd1, tiff::kJpegLength, kLong, KeepFirst<&Values::thumbnailSize>},

    {kExifIfd, photo::kExposureTime, kRational, KeepExposureTime},
    {kExifIfd, photo::kFNumber, kRational, KeepFNumber},
    {kExifIfd, photo::kIsoSpeed, kShort, KeepFirst<&Values::isoSpeed>},
    {kExifIfd, photo::kExifVersion, kUndefined, KeepVersion<&Values::exifVersion>},
    {kExifIfd, photo::kDateTimeOriginal, kAscii,
     KeepDate<&Values::dateTimeOriginal, &Values::dateTimeOriginalPos>},
    {kExifIfd, photo::kDateTimeDigitized, kAscii,
     KeepDate<&Values::dateTimeDigitized, &Values::dateTimeDigitizedPos>},
    {kExifIfd, photo::kSubSecTime, kAscii, KeepText<&Values::subSecTime>},
    {kExifIfd, photo::kSubSecTimeOriginal, kAscii, KeepText<&Values::subSecTimeOriginal>},
    {kExifIfd, photo::kCompressedBitsPerPixel, kRational, KeepCompressedBits},
    {kExifIfd, photo::kApertureValue, kRational, KeepApertureFNumber},
    {kExifIfd, photo::kFlash, kShort, KeepFirst<&Values::flash>},
    {kExifIfd, photo::kUserComment, kUndefined, KeepUserComment},
    {kExifIfd, photo::kUserComment, kNotAscii, KeepUserCommentPlace},
    {kExifIfd, photo::kFlashPixVersion, kUndefined, KeepVersion<&Values::flashPixVersion>},
    {kExifIfd, photo::kPixelXDimension, kShort | kLong, KeepFirst<&Values::pixelXDimension>},
    {kExifIfd, photo::kPixelXDimension, kNotAscii, KeepFieldPlace<&Values::pixelXPos>},
    {kExifIfd, photo::kPixelYDimension, kShort | kLong, KeepFirst<&Values::pixelYDimension>},
    {kExifIfd, photo::kPixelYDimension, kNotAscii, KeepFieldPlace<&Values::pixelYPos>},
    {kExifIfd, photo::kFocalPlaneXResolution, kRational,
     KeepQuotient<&Values::focalPlaneXResolution>},
    {kExifIfd, photo::kFocalPlaneYResolution, kRational,
     KeepQuotient<&Values::focalPlaneYResolution>},

    {kInteropIfd, interop::kVersion, kUndefined, KeepVersion<&Values::interopVersion>},
    {kInteropIfd, interop::kRelatedImageFileFormat, kAscii,
     KeepText<&Values::relatedImageFileFormat>},
    {kInteropIfd, interop::kRelatedImageWidth, kLong | kSignedWhole,
     KeepFirst<&Values::relatedImageWidth>},
    {kInteropIfd, interop::kRelatedImageLength, kLong | kSignedWhole,
     KeepFirst<&Values::relatedImageLength>},

    {kOlympusIfd, olympus::kSpecialMode, kLong, KeepSpecialMode},
    {kOlympusIfd, olympus::kSpecialMode, kNotAscii, KeepValuePlace<&Values::olympusSpecialModePos>},
    {kOlympusIfd, olympus::kFirmware, kAscii, KeepText<&Values::olympusFirmware>},
    {kOlympusIfd, olympus::kPictureInfo, kAscii, KeepText<&Values::olympusPictureInfo>},
    {kOlympusIfd, olympus::kSerialNumber, kAscii, KeepText<&Values::olympusSerial>},
    {kOlympusIfd, olympus::kImageWidth, kLong, KeepFirst<&Values::olympusImageWidth>},
    {kOlympusIfd, olympus::kImageHeight, kLong, KeepFirst<&Values::olympusImageHeight>},

    {kCanonIfd, canon::kImageType, kAscii, KeepText<&Values::canonImageType>},
    {kCanonIfd, canon::kFirmware, kAscii, KeepText<&Values::canonFirmware>},
    {kCanonIfd, canon::kImageNumber, kLong, KeepFirst<&Values::canonImageNumber>},
    {kCanonIfd, canon::kOwner, kAscii, KeepText<&Values::canonOwner>},
    {kCanonIfd, canon::kSerialNumber, kLong, KeepCanonSerial},

    {kNikon2Ifd, nikon2::kColorMode, kAscii, KeepText<&Values::nikonColorMode>},
    {kNikon2Ifd, nikon2::kQuality, kAscii, KeepText<&Values::nikonQuality>},
    {kNikon2Ifd, nikon2::kWhiteBalance, kAscii, KeepText<&Values::nikonWhiteBalance>},
    {kNikon2Ifd, nikon2::kSharpening, kAscii, KeepText<&Values::nikonSharpening>},
    {kNikon2Ifd, nikon2::kFocusMode, kAscii, KeepText<&Values::nikonFocusMode>},
    {kNikon2Ifd, nikon2::kFlashSetting, kAscii, KeepText<&Values::nikonFlashSetting>},
    {kNikon2Ifd, nikon2::kIsoSelection, kAscii, KeepText<&Values::nikonIsoSelection>},
    {kNikon2Ifd, nikon2::kImageAdjustment, kAscii, KeepText<&Values::nikonImageAdjustment>},
    {kNikon2Ifd, nikon2::kAdapter, kAscii, KeepText<&Values::nikonAdapter>},

    {kFujifilmIfd, fujifilm::kVersion, kUndefined, KeepVersion<&Values::fujifilmVersion>},

    {kCasioIfd, casio::kObjectDistance, kLong, KeepCasioDistance},
    {kCasioIfd, casio::kDigitalZoom, kLong, KeepCasioZoom},

    {kGpsIfd, gps::kLatitudeRef, kAscii, KeepText<&Values::latitudeRef>},
    {kGpsIfd, gps::kLatitudeRef, kAnyType, KeepFieldPlace<&Values::latitudeRefPos>},
    {kGpsIfd, gps::kLatitude, kRational,
     KeepCoordinate<&Values::latitudeDeg, &Values::latitudeMin, &Values::latitudeSec,
                    &Values::latitudePos>},
    {kGpsIfd, gps::kLongitudeRef, kAscii, KeepText<&Values::longitudeRef>},
    {kGpsIfd, gps::kLongitudeRef, kAnyType, KeepFieldPlace<&Values::longitudeRefPos>},
    {kGpsIfd, gps::kLongitude, kRational,
     KeepCoordinate<&Values::longitudeDeg, &Values::longitudeMin, &Values::longitudeSec,
                    &Values::longitudePos>},
    {kGpsIfd, gps::kAltitudeRef, kByte, KeepAltitudeRef},
    {kGpsIfd, gps::kAltitudeRef, kAnyType, KeepFieldPlace<&Values::altitudeRefPos>},
    {kGpsIfd, gps::kAltitude, kRational, KeepAltitude},
    {kGpsIfd, gps::kTimeStamp, kRational, KeepGpsTime},
    {kGpsIfd, gps::kDateStamp, kAscii, KeepGpsDate},
};

}  // namespace

void ExtractValue(const TExifDecodedEntry& entry, TExifValues& values) {
  const uint32_t type = TypeBit(entry.value.type);
  for (const Extraction& rule : kExtractions)
    if (rule.kind == entry.kind && rule.tag == entry.tag && (rule.types & type))
      rule.keep(entry, values);
}

}  // namespace exif
