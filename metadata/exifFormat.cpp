// Display texts of decoded entries, by TIFF type and tag.
#include "metadata/exifFormat.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "metadata/exif.h"
#include "metadata/exifReadings.h"
#include "metadata/exifTables.h"
#include "metadata/exifText.h"
#include "platform/TextLines.h"

namespace exif {

namespace {

// A row lists at most this many values, so a huge array in a damaged file
// cannot blow up the text.
constexpr uint32_t kMaxListed = 64;

const std::string kHiddenText(1, '\0');

struct TagOfKind {
  uint8_t kind;
  uint16_t tag;
};

// LONG tags shown by their first value alone.
constexpr TagOfKind kFirstValueOnly[] = {
    {kIfd1, tiff::kImageWidth},
    {kIfd1, tiff::kImageLength},
    {kIfd1, tiff::kJpegOffset},
    {kIfd1, tiff::kJpegLength},
    {kExifIfd, photo::kPixelXDimension},
    {kExifIfd, photo::kPixelYDimension},
    {kInteropIfd, interop::kRelatedImageWidth},
    {kInteropIfd, interop::kRelatedImageLength},
    {kOlympusIfd, olympus::kImageWidth},
    {kOlympusIfd, olympus::kImageHeight},
};

// Four bytes of text made into a version number.
constexpr TagOfKind kVersionTags[] = {
    {kExifIfd, photo::kExifVersion},
    {kExifIfd, photo::kFlashPixVersion},
    {kInteropIfd, interop::kVersion},
    {kFujifilmIfd, fujifilm::kVersion},
};

// Rationals whose whole quotient stands alone when it is exact.
constexpr TagOfKind kResolutionTags[] = {
    {kIfd0, tiff::kXResolution},
    {kIfd0, tiff::kYResolution},
    {kIfd1, tiff::kXResolution},
    {kIfd1, tiff::kYResolution},
    {kExifIfd, photo::kFocalPlaneXResolution},
    {kExifIfd, photo::kFocalPlaneYResolution},
};

template <size_t n>
bool Holds(const TagOfKind (&tags)[n], uint8_t kind, uint16_t tag) {
  return std::any_of(std::begin(tags), std::end(tags),
                     [&](const TagOfKind& t) { return t.kind == kind && t.tag == tag; });
}

template <class Each>
std::string List(const TExifValueView& v, Each each) {
  std::string text;
  const uint32_t shown = std::min(v.count, kMaxListed);
  for (uint32_t i = 0; i < shown; ++i) {
    if (i) text += ", ";
    text += each(i);
  }
  if (v.count > shown) text += ", ...";
  return text;
}

std::string IntList(const TExifValueView& v) {
  return List(v, [&](uint32_t i) { return IntText(v.Int(i)); });
}

std::string SignedRationalList(const TExifValueView& v) {
  return List(v, [&](uint32_t i) {
    return IntText(int32_t(v.Num(i))) + '/' + IntText(int32_t(v.Den(i)));
  });
}

bool IsPowerOfTen(uint32_t value) {
  while (value >= 10 && value % 10 == 0) value /= 10;
  return value == 1;
}

// whole "." fraction, computed exactly from the ratio; the fraction keeps
// its leading zeros.
std::string FixedText(uint64_t num, uint64_t den, int decimals) {
  uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  return IntText(int64_t(num / den)) + '.' + IntText(int64_t(num % den * scale / den), decimals);
}

std::string TwoRows(const char* name1, const std::string& text1, const char* name2,
                    const std::string& text2) {
  return std::string(name1) + "\r\n" + text1 + "\r\n" + name2 + "\r\n" + text2;
}

std::string EnumText(uint8_t kind, uint16_t tag, uint32_t value, bool hideUnnamed) {
  if (const char* text = FindEnumText(kind, tag, value)) return text;
  return hideUnnamed ? kHiddenText : "Unknown: " + IntText(value);
}

std::string SpecialModeText(const uint32_t mode[3]) {
  static constexpr const char* kPanoramas[] = {"Panorama", "Panorama, left to right",
                                               "Panorama, right to left",
                                               "Panorama, bottom to top",
                                               "Panorama, top to bottom"};
  std::string text;
  if (mode[0] == 0 || mode[0] == 2) text = "Normal mode";
  if (mode[0] == 1) text = "Unknown mode";
  if (mode[0] == 3) text = kPanoramas[mode[2] <= 4 ? mode[2] : 0];
  if (mode[1] != 0) text += ", ID " + IntText(mode[1]);
  return text;
}

std::string CasioDistanceText(uint32_t value) {
  if (value == 0) return "Infinity";
  if (value <= 25) return IntText(value) + " mm";
  if (value <= 2000) return FormatGeneral(value / 10.0, 15) + " cm";
  return FormatGeneral(value / 1000.0, 15) + " m";
}

std::string FormatCanonArray(uint16_t tag, const TExifValueView& v) {
  std::string text;
  const auto addRow = [&](const char* name, const std::string& value) {
    if (!text.empty()) text += "\r\n";
    text += name;
    text += "\r\n";
    text += value;
  };
  for (const CanonSetting& s : CanonSettings()) {
    if (s.tag != tag || s.index >= v.count) continue;
    const uint16_t e = v.U16(s.index);
    const char* valueText = nullptr;
    switch (s.show) {
      case CanonShow::kText: valueText = FindCanonText(tag, s.index, e); break;
      case CanonShow::kSignedText: valueText = FindCanonText(tag, s.index, int16_t(e)); break;
      case CanonShow::kNumber: addRow(s.name, IntText(e)); break;
      case CanonShow::kBits:
        for (int bit = 0; bit < 3; ++bit)
          if (e & (1 << bit)) addRow(s.name, FindCanonText(tag, s.index, bit));
        break;
      case CanonShow::kTopBits:
        if (e >> 12) addRow(s.name, IntText(e >> 12));
        break;
    }
    if (valueText) addRow(s.name, valueText);
  }
  return text;
}

std::string FormatByte(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (kind == kGpsIfd && tag == gps::kAltitudeRef && v.count > 0) {
    if (v.U8(0) == 0) return "Above sea";
    if (v.U8(0) == 1) return "Below sea";
  }
  return IntList(v);
}

std::string FormatSByte(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (kind == kGpsIfd && tag == gps::kDifferential && v.count > 0) {
    const int8_t value = int8_t(v.U8(0));
    if (value == 0) return "Without differential correction";
    if (value == 1) return "Differential correction applied ";
    return IntText(value) + " (\?\?\?)";
  }
  return IntList(v);
}

std::string FormatShort(uint8_t kind, uint16_t tag, const TExifValueView& v, bool hideUnnamed) {
  if (v.count == 0) return {};
  const uint16_t first = v.U16(0);
  switch (kind) {
    case kIfd1:
      if (tag == tiff::kCompression && !FindEnumText(kind, tag, first))
        return "Unknown compression method: " + IntText(first);
      if (tag == tiff::kYCbCrSubSampling && v.count >= 2)
        return "Horiz: " + IntText(first) + ", Vert: " + IntText(v.U16(1));
      break;
    case kExifIfd:
      // An ISO speed is a plain number, no APEX value.
      if (tag == photo::kIsoSpeed) return IntText(first);
      break;
    case kCanonIfd:
      if (tag == canon::kFlashParams || tag == canon::kColorParams)
        return FormatCanonArray(tag, v);
      break;
    case kNikon2Ifd:
      if (tag == nikon2::kIsoSettings && v.count >= 2) return "ISO " + IntText(v.U16(1));
      break;
  }
  if (HasEnumTexts(kind, tag)) return EnumText(kind, tag, first, hideUnnamed);
  return IntList(v);
}

std::string FormatLong(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  const uint32_t first = v.U32(0);
  if (Holds(kFirstValueOnly, kind, tag)) return IntText(first);
  if (kind == kOlympusIfd && tag == olympus::kSpecialMode && v.count >= 3) {
    uint32_t mode[3];
    ReadSpecialMode(v, mode);
    return SpecialModeText(mode);
  }
  if (kind == kCanonIfd && tag == canon::kImageNumber)
    return IntText(first / 1000) + '-' + IntText(first % 1000);
  if (kind == kCanonIfd && tag == canon::kSerialNumber) return CanonSerialText(first);
  if (kind == kCasioIfd && tag == casio::kObjectDistance) return CasioDistanceText(first);
  if (kind == kCasioIfd && tag == casio::kDigitalZoom) {
    const int32_t zoom = CasioZoom(first);
    return zoom == 0 ? "No digital zoom" : IntText(zoom) + "x";
  }
  return IntList(v);
}

std::string ResolutionText(const TExifValueView& v) {
  const uint32_t num = v.Num(0), den = v.Den(0);
  if (v.count == 1 && num && den && (den == 1 || (IsPowerOfTen(den) && num % den == 0)))
    return IntText(num / den);
  return RationalListText(v);
}

std::string ExifRationalText(uint16_t tag, const TExifValueView& v) {
  const uint32_t num = v.Num(0), den = v.Den(0);
  const double q = den ? double(num) / den : 0;
  switch (tag) {
    case photo::kExposureTime:
      if (!num || !den) break;
      return ExposureTimeText(q);
    case photo::kFNumber:
      if (!den) return {};
      return "F" + FormatGeneral(q, 5);
    case photo::kApertureValue:
    case photo::kMaxApertureValue: {
      if (!den) break;
      const double f = std::pow(2.0, q / 2);
      const bool max = tag == photo::kMaxApertureValue;
      return TwoRows(max ? "Max Aperture Value" : "Aperture Value",
                     FormatGeneral(q, 15) + " (apex)",
                     max ? "Max F-Number from aperture" : "F-Number from aperture",
                     "F" + FormatGeneral(f, 5));
    }
    case photo::kBrightnessValue:
    case photo::kExposureBiasValue:
      if (!den) break;
      return FormatGeneral(q, 15) + " (apex)";
    case photo::kSubjectDistance:
      if (!den) break;
      if (uint64_t(num) >= 10 * uint64_t(den)) return FixedText(num, den, 4) + " m";
      return FixedText(uint64_t(num) * 100, den, 3) + " cm";
    case photo::kFocalLength:
      if (!den) break;
      return FixedText(num, den, 2) + " mm";
  }
  return RationalListText(v);
}

std::string GpsCoordinateText(const TExifValueView& v) {
  if (v.count < 3) return RationalListText(v);
  const GpsCoordinate c = ReadGpsCoordinate(v);
  return FormatGeneral(c.degrees, 15) + "\xC2\xB0 " + FormatGeneral(c.minutes, 15) + "' " +
         StrFunc::Trim(StrFunc::FormatNumber("##.###", c.seconds)) + "\"";
}

std::string GpsRationalText(uint16_t tag, const TExifValueView& v) {
  switch (tag) {
    case gps::kLatitude:
    case gps::kLongitude:
    case gps::kDestLatitude:
    case gps::kDestLongitude:
      return GpsCoordinateText(v);
    case gps::kAltitude:
      if (v.Den(0) == 0) break;
      return StrFunc::Trim(StrFunc::FormatNumber("#######.###", double(v.Num(0)) / v.Den(0))) +
             "m";
    case gps::kTimeStamp: {
      GpsTime time;
      if (!ReadGpsTime(v, time)) break;
      return IntText(time.hour, 2) + ':' + IntText(time.minute, 2) + ':' + IntText(time.second, 2);
    }
  }
  return RationalListText(v);
}

std::string MakerRationalText(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  const uint32_t num = v.Num(0), den = v.Den(0);
  const double q = den ? double(num) / den : 0;
  if (kind == kOlympusIfd && tag == olympus::kDigitalZoom) {
    if (q == 0 || num == den) return "no digital zoom";
    return FormatGeneral(q, 7);
  }
  if (kind == kNikon1Ifd && tag == nikon1::kFocus) {
    if (!den) return "Infinite focus";
    return FormatGeneral(q, 15) + " m";
  }
  if (kind == kNikon1Ifd && tag == nikon1::kDigitalZoom && (!num || !den || num == den))
    return "No digital zoom";
  return RationalListText(v);
}

std::string FormatRational(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  if (Holds(kResolutionTags, kind, tag)) return ResolutionText(v);
  if (kind == kExifIfd) return ExifRationalText(tag, v);
  if (kind == kGpsIfd) return GpsRationalText(tag, v);
  return MakerRationalText(kind, tag, v);
}

std::string FormatSRational(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  const int32_t num = int32_t(v.Num(0));
  const int32_t den = int32_t(v.Den(0));
  if (kind == kExifIfd && den != 0) {
    const double value = double(num) / den;
    if (tag == photo::kShutterSpeedValue) {
      const double time = std::pow(2.0, value);
      if (std::isfinite(time) && time < 1e18)
        return "1/" + IntText(StrFunc::RoundToInt64(time)) + " s, " + FormatGeneral(value, 15) +
               " (apex)";
    }
    if (tag == photo::kExposureBiasValue) return FormatGeneral(value, 15) + " (apex)";
  }
  return SignedRationalList(v);
}

std::string FormatUndefined(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (TypeSize(v.type) == 0) return "Unknown data format: " + IntText(v.type);
  if (Holds(kVersionTags, kind, tag)) return VersionText(v);
  if (kind == kExifIfd && tag == photo::kComponentsConfiguration) return {};
  if (kind == kExifIfd && tag == photo::kUserComment) {
    // The row shows the first line; the whole comment is kept.
    const std::vector<std::string> lines = platform::SplitLines(UserCommentText(v));
    return lines.empty() ? std::string() : lines.front();
  }
  if (kind == kExifIfd && tag == photo::kRelatedSoundFile) {
    std::string text(reinterpret_cast<const char*>(v.data), v.count);
    TrimRightBlanks(text);
    return text;
  }
  return "Undefined";
}

std::string FormatGpsAscii(uint16_t tag, const std::string& text) {
  if (IsGpsRefTag(tag)) {
    if (const char* refText = FindGpsRefText(tag, AsciiUpper(text))) return refText;
    return text + " (\?\?\?)";
  }
  int year = 0, month = 0, day = 0;
  if (tag == gps::kDateStamp && ReadGpsDate(text, year, month, day))
    return IntText(year, 4) + '-' + IntText(month, 2) + '-' + IntText(day, 2);
  return text;
}

// UTF-16 in the byte order of the photo's EXIF, unless a byte-order mark
// in front says otherwise; the mark is no part of the text.
std::string UnicodeCommentText(const uint8_t* bytes, uint32_t size, bool motorola) {
  if (size >= 2 && ((bytes[0] == 0xFE && bytes[1] == 0xFF) || (bytes[0] == 0xFF && bytes[1] == 0xFE))) {
    motorola = bytes[0] == 0xFE;
    bytes += 2;
    size -= 2;
  }
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = char16_t(LoadU16(bytes + 2 * i, motorola));
  return Utf8::FromUtf16(units);
}

}  // namespace

std::string FormatValue(uint8_t kind, uint16_t tag, const TExifValueView& v, bool hideUnnamed) {
  switch (v.type) {
    case kTypeByte: return FormatByte(kind, tag, v);
    case kTypeShort: return FormatShort(kind, tag, v, hideUnnamed);
    case kTypeLong: return FormatLong(kind, tag, v);
    case kTypeRational: return FormatRational(kind, tag, v);
    case kTypeSByte: return FormatSByte(kind, tag, v);
    case kTypeSShort:
    case kTypeSLong: return IntList(v);
    case kTypeSRational: return FormatSRational(kind, tag, v);
    case kTypeFloat: return List(v, [&](uint32_t i) { return FormatGeneral(v.F32(i), 7); });
    case kTypeDouble: return List(v, [&](uint32_t i) { return FormatGeneral(v.F64(i), 15); });
    default: return FormatUndefined(kind, tag, v);
  }
}

std::string FormatAscii(uint8_t kind, uint16_t tag, const std::string& text) {
  return kind == kGpsIfd ? FormatGpsAscii(tag, text) : text;
}

std::string ExposureTimeText(double t) {
  if (t < 1) return "1/" + IntText(StrFunc::RoundToInt64(1 / t)) + " s";
  if (t < 2) {
    if (t - 1 < 0.001) return "1 s";
    return "1 + 1/" + IntText(StrFunc::RoundToInt64(1 / (t - 1))) + " s";
  }
  return FormatGeneral(t, 15) + " s";
}

std::string RationalListText(const TExifValueView& v) {
  return List(v, [&](uint32_t i) { return IntText(v.Num(i)) + '/' + IntText(v.Den(i)); });
}

std::string VersionText(const TExifValueView& v) {
  std::string text(reinterpret_cast<const char*>(v.data), std::min<uint32_t>(v.count, 4));
  TrimRightBlanks(text);
  if (text.size() >= 2) text.insert(2, ".");
  if (!text.empty() && text[0] == '0') text.erase(0, 1);
  return text;
}

std::string CanonSerialText(uint32_t value) {
  return StrFunc::WordToHex(value >> 16) + IntText(value & 0xFFFF, 5);
}

std::string UserCommentText(const TExifValueView& v) {
  const char* bytes = reinterpret_cast<const char*>(v.data);
  const uint32_t codeSize = std::min<uint32_t>(v.count, 8);
  std::string code(bytes, codeSize);
  TrimRightBlanks(code);
  const std::string upperCode = AsciiUpper(code);
  std::string text;
  if (upperCode != "ASCII" && upperCode != "UNICODE" && !code.empty()) text = code + ": ";
  const uint32_t size = v.count - codeSize;
  if (upperCode == "UNICODE") {
    text += UnicodeCommentText(v.data + codeSize, size, v.motorola);
  } else {
    text.append(bytes + codeSize, size);
  }
  TrimRightBlanks(text);
  return text;
}

}  // namespace exif
