// Display texts of decoded entries, by TIFF type and tag; the formatters also
// keep the typed values the program works with.
#include "metadata/exif.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "metadata/exifTables.h"
#include "metadata/exifText.h"
#include "metadata/exifValue.h"
#include "platform/TextLines.h"

using exif::FormatGeneral;
using exif::IntText;

namespace {

// A row lists at most this many values, so a huge array in a damaged file
// cannot blow up the text.
constexpr uint32_t kMaxListed = 64;

const std::string kHiddenText(1, '\0');

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

std::string RationalList(const TExifValueView& v, bool isSigned) {
  return List(v, [&](uint32_t i) {
    if (isSigned) return IntText(int32_t(v.Num(i))) + '/' + IntText(int32_t(v.Den(i)));
    return IntText(v.Num(i)) + '/' + IntText(v.Den(i));
  });
}

bool IsPowerOfTen(uint32_t value) {
  while (value >= 10 && value % 10 == 0) value /= 10;
  return value == 1;
}

// An element of a GPS triple as a number; a zero denominator gives the numerator.
double GpsPart(const TExifValueView& v, uint32_t i) {
  return v.Den(i) == 0 ? double(v.Num(i)) : double(v.Num(i)) / v.Den(i);
}

int64_t GpsWholePart(const TExifValueView& v, uint32_t i) {
  return v.Den(i) == 0 ? v.Num(i) : v.Num(i) / v.Den(i);
}

// A whole number that fits the typed field, else -1 (unset).
int32_t ToField(double value) {
  return value >= 0 && value <= 2147483647.0 ? int32_t(value) : -1;
}

std::string ExposureText(double t) {
  if (t < 1) return "1/" + IntText(StrFunc::RoundToInt64(1 / t)) + " s";
  if (t < 2) {
    if (t - 1 < 0.001) return "1 s";
    return "1 + 1/" + IntText(StrFunc::RoundToInt64(1 / (t - 1))) + " s";
  }
  return FormatGeneral(t, 15) + " s";
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

// The Olympus shooting mode: kind, sequence number, panorama direction.
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

}  // namespace

std::string TExifReader::FormatValue(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  switch (v.type) {
    case exif::kTypeByte:
      if (kind == exif::kGpsIfd && tag == 5 && v.count > 0) {
        values_.altitudeRef = v.U8(0);
        if (v.U8(0) == 0) return "Above sea";
        if (v.U8(0) == 1) return "Below sea";
      }
      return IntList(v);
    case exif::kTypeShort: return FormatShort(kind, tag, v);
    case exif::kTypeLong: return FormatLong(kind, tag, v);
    case exif::kTypeRational: return FormatRational(kind, tag, v);
    case exif::kTypeSByte:
      if (kind == exif::kGpsIfd && tag == 30 && v.count > 0) {
        const int8_t value = int8_t(v.U8(0));
        if (value == 0) return "Without differential correction";
        if (value == 1) return "Differential correction applied ";
        return IntText(value) + " (\?\?\?)";
      }
      return IntList(v);
    case exif::kTypeSShort:
    case exif::kTypeSLong:
      if (kind == exif::kInteropIfd && v.count > 0) {
        if (tag == 4097) values_.relatedImageWidth = int32_t(v.Int(0));
        if (tag == 4098) values_.relatedImageLength = int32_t(v.Int(0));
      }
      return IntList(v);
    case exif::kTypeSRational: return FormatSRational(kind, tag, v);
    case exif::kTypeFloat:
      return List(v, [&](uint32_t i) { return FormatGeneral(v.F32(i), 7); });
    case exif::kTypeDouble:
      return List(v, [&](uint32_t i) { return FormatGeneral(v.F64(i), 15); });
    default: return FormatUndefined(kind, tag, v);
  }
}

std::string TExifReader::EnumText(uint8_t kind, uint16_t tag, uint32_t value) {
  if (const char* text = exif::FindEnumText(kind, tag, value)) return text;
  return hideUnnamed_ ? kHiddenText : "Unknown: " + IntText(value);
}

std::string TExifReader::FormatShort(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  const uint16_t first = v.U16(0);
  switch (kind) {
    case exif::kIfd1:
      if (tag == 256) values_.thumbnailWidth = first;
      if (tag == 257) values_.thumbnailLength = first;
      if (tag == 259 && !exif::FindEnumText(kind, tag, first))
        return "Unknown compression method: " + IntText(first);
      if (tag == 530 && v.count >= 2)
        return "Horiz: " + IntText(first) + ", Vert: " + IntText(v.U16(1));
      break;
    case exif::kExifIfd:
      if (tag == 37385) values_.flash = first;
      if (tag == 40962) values_.pixelXDimension = first;
      if (tag == 40963) values_.pixelYDimension = first;
      if (tag == 34855) {
        values_.isoSpeed = first;
        return IntText(first) + " (apex)";
      }
      break;
    case exif::kCanonIfd:
      if (tag == 1 || tag == 4) return FormatCanonArray(tag, v);
      break;
    case exif::kNikon2Ifd:
      if (tag == 2 && v.count >= 2) return "ISO " + IntText(v.U16(1));
      break;
  }
  if (exif::HasEnumTexts(kind, tag)) return EnumText(kind, tag, first);
  return IntList(v);
}

std::string TExifReader::FormatLong(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  const uint32_t first = v.U32(0);
  TExifValues& x = values_;
  switch (kind) {
    case exif::kIfd1:
      if (tag == 256) x.thumbnailWidth = first;
      else if (tag == 257) x.thumbnailLength = first;
      else if (tag == 513) x.thumbnailOffset = first;
      else if (tag == 514) x.thumbnailSize = first;
      else break;
      return IntText(first);
    case exif::kExifIfd:
      if (tag == 40962) x.pixelXDimension = first;
      else if (tag == 40963) x.pixelYDimension = first;
      else break;
      return IntText(first);
    case exif::kInteropIfd:
      if (tag == 4097) x.relatedImageWidth = int32_t(first);
      else if (tag == 4098) x.relatedImageLength = int32_t(first);
      else break;
      return IntText(first);
    case exif::kOlympusIfd:
      if (tag == 512 && v.count >= 3) {
        x.olympusSpecialMode[0] = first;
        x.olympusSpecialMode[1] = v.U32(1);
        x.olympusSpecialMode[2] = first == 3 ? v.U32(2) : 0;
        return SpecialModeText(x.olympusSpecialMode);
      }
      if (tag == 4142) x.olympusImageWidth = first;
      else if (tag == 4143) x.olympusImageHeight = first;
      else break;
      return IntText(first);
    case exif::kCanonIfd:
      if (tag == 8) {
        x.canonImageNumber = first;
        return IntText(first / 1000) + '-' + IntText(first % 1000);
      }
      if (tag == 12) {
        x.canonSerial = StrFunc::WordToHex(first >> 16) + IntText(first & 0xFFFF, 5);
        return x.canonSerial;
      }
      break;
    case exif::kCasioIfd:
      if (tag == 6) return CasioDistanceText(first);
      if (tag == 10) {
        x.casioDigitalZoom = int32_t(std::max<int64_t>(int64_t(first) - 65536, 0));
        if (x.casioDigitalZoom == 0) return "No digital zoom";
        return IntText(x.casioDigitalZoom) + "x";
      }
      break;
  }
  return IntList(v);
}

std::string TExifReader::CasioDistanceText(uint32_t value) {
  values_.casioObjectDistance = value / 1000.0;
  if (value == 0) return "Infinity";
  if (value <= 25) return IntText(value) + " mm";
  if (value <= 2000) return FormatGeneral(value / 10.0, 15) + " cm";
  return FormatGeneral(value / 1000.0, 15) + " m";
}

std::string TExifReader::FormatRational(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  const uint32_t num = v.Num(0);
  const uint32_t den = v.Den(0);
  const double q = den ? double(num) / den : 0;
  TExifValues& x = values_;
  const bool resolution = ((kind == exif::kIfd0 || kind == exif::kIfd1) &&
                           (tag == 282 || tag == 283)) ||
                          (kind == exif::kExifIfd && (tag == 41486 || tag == 41487));
  if (resolution) {
    if (kind == exif::kIfd0) (tag == 282 ? x.xResolution : x.yResolution) = q;
    if (kind == exif::kExifIfd) (tag == 41486 ? x.focalPlaneXResolution : x.focalPlaneYResolution) = q;
    if (v.count == 1 && num && den && (den == 1 || (IsPowerOfTen(den) && num % den == 0)))
      return IntText(num / den);
    return RationalList(v, false);
  }
  if (kind == exif::kExifIfd) {
    switch (tag) {
      case 33434:
        if (!num || !den) break;
        x.exposureTime = q;
        x.exposureTimeText = ExposureText(q);
        return x.exposureTimeText;
      case 33437:
        if (!den) return {};
        x.fNumber = q;
        return "F" + FormatGeneral(q, 5);
      case 37378:
      case 37381: {
        if (!den) break;
        const double f = std::pow(2.0, q / 2);
        if (tag == 37378 && x.fNumber == 0) x.fNumber = f;
        const bool max = tag == 37381;
        return TwoRows(max ? "Max Aperture Value" : "Aperture Value",
                       FormatGeneral(q, 15) + " (apex)",
                       max ? "Max F-Number from aperture" : "F-Number from aperture",
                       "F" + FormatGeneral(f, 5));
      }
      case 37379:
      case 37380:
        if (!den) break;
        return FormatGeneral(q, 15) + " (apex)";
      case 37122:
        x.compressedBitsPerPixel = RationalList(v, false);
        return x.compressedBitsPerPixel;
      case 37382:
        if (!den) break;
        if (uint64_t(num) >= 10 * uint64_t(den)) return FixedText(num, den, 4) + " m";
        return FixedText(uint64_t(num) * 100, den, 3) + " cm";
      case 37386:
        if (!den) break;
        return FixedText(num, den, 2) + " mm";
    }
  }
  if (kind == exif::kOlympusIfd && tag == 516) {
    if (q == 0 || num == den) return "no digital zoom";
    return FormatGeneral(q, 7);
  }
  if (kind == exif::kNikon1Ifd && tag == 8) {
    if (!den) return "Infinite focus";
    return FormatGeneral(q, 15) + " m";
  }
  if (kind == exif::kNikon1Ifd && tag == 10 && (!num || !den || num == den))
    return "No digital zoom";
  if (kind == exif::kGpsIfd) {
    if (tag == 2 || tag == 4 || tag == 20 || tag == 22) return FormatGpsPosition(kind, tag, v);
    if (tag == 6 && den) {
      x.altitude = q;
      x.altitudePos = int32_t(v.pos);
      return StrFunc::Trim(StrFunc::FormatNumber("#######.###", q)) + "m";
    }
    if (tag == 7 && v.count >= 3) {
      const int64_t h = GpsWholePart(v, 0), m = GpsWholePart(v, 1), s = GpsWholePart(v, 2);
      TDateTime time;
      if (h < 24 && m < 60 && s < 60 && DateTime::TryEncodeTime(int(h), int(m), int(s), 0, time)) {
        x.gpsTime = time;
        x.gpsTimePos = int32_t(v.pos);
        return IntText(h, 2) + ':' + IntText(m, 2) + ':' + IntText(s, 2);
      }
    }
  }
  return RationalList(v, false);
}

std::string TExifReader::FormatGpsPosition(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count < 3) return RationalList(v, false);
  // Fractions of degrees and minutes carry into minutes and seconds.
  const double degrees = GpsPart(v, 0);
  const double wholeDegrees = std::floor(degrees);
  const double minutes = GpsPart(v, 1) + (degrees - wholeDegrees) * 60;
  const double wholeMinutes = std::floor(minutes);
  const double seconds = GpsPart(v, 2) + (minutes - wholeMinutes) * 60;
  if (kind == exif::kGpsIfd && (tag == 2 || tag == 4)) {
    TExifValues& x = values_;
    (tag == 2 ? x.latitudeDeg : x.longitudeDeg) = ToField(wholeDegrees);
    (tag == 2 ? x.latitudeMin : x.longitudeMin) = ToField(wholeMinutes);
    (tag == 2 ? x.latitudeSec : x.longitudeSec) = seconds;
    (tag == 2 ? x.latitudePos : x.longitudePos) = int32_t(v.pos);
  }
  return FormatGeneral(wholeDegrees, 15) + "\xC2\xB0 " + FormatGeneral(wholeMinutes, 15) + "' " +
         StrFunc::Trim(StrFunc::FormatNumber("##.###", seconds)) + "\"";
}

std::string TExifReader::FormatSRational(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (v.count == 0) return {};
  const int32_t num = int32_t(v.Num(0));
  const int32_t den = int32_t(v.Den(0));
  if (kind == exif::kExifIfd && den != 0) {
    const double value = double(num) / den;
    if (tag == 37377) {
      const double time = std::pow(2.0, value);
      if (std::isfinite(time) && time < 1e18)
        return "1/" + IntText(StrFunc::RoundToInt64(time)) + " s, " + FormatGeneral(value, 15) +
               " (apex)";
    }
    if (tag == 37380) return FormatGeneral(value, 15) + " (apex)";
  }
  return RationalList(v, true);
}

std::string TExifReader::FormatUndefined(uint8_t kind, uint16_t tag, const TExifValueView& v) {
  if (exif::TypeSize(v.type) == 0) return "Unknown data format: " + IntText(v.type);
  const char* bytes = reinterpret_cast<const char*>(v.data);
  const bool version = (kind == exif::kExifIfd && (tag == 36864 || tag == 40960)) ||
                       (kind == exif::kInteropIfd && tag == 2) ||
                       (kind == exif::kFujifilmIfd && tag == 0);
  if (version) {
    std::string text(bytes, std::min<uint32_t>(v.count, 4));
    exif::TrimRightBlanks(text);
    if (text.size() >= 2) text.insert(2, ".");
    if (!text.empty() && text[0] == '0') text.erase(0, 1);
    if (kind == exif::kInteropIfd) values_.interopVersion = text;
    else if (kind == exif::kFujifilmIfd) values_.fujifilmVersion = text;
    else (tag == 36864 ? values_.exifVersion : values_.flashPixVersion) = text;
    return text;
  }
  if (kind == exif::kExifIfd && tag == 37121) return {};
  if (kind == exif::kExifIfd && tag == 37510) return UserCommentText(v);
  if (kind == exif::kExifIfd && tag == 40964) {
    std::string text(bytes, v.count);
    exif::TrimRightBlanks(text);
    return text;
  }
  return "Undefined";
}

std::string TExifReader::UserCommentText(const TExifValueView& v) {
  const char* bytes = reinterpret_cast<const char*>(v.data);
  const uint32_t codeSize = std::min<uint32_t>(v.count, 8);
  std::string code(bytes, codeSize);
  exif::TrimRightBlanks(code);
  const std::string upperCode = exif::AsciiUpper(code);
  std::string text;
  if (upperCode != "ASCII" && upperCode != "UNICODE" && !code.empty()) text = code + ": ";
  const uint32_t size = v.count - codeSize;
  if (upperCode == "UNICODE") {
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
      units[i] = char16_t(uint8_t(bytes[codeSize + 2 * i]) | uint8_t(bytes[codeSize + 2 * i + 1]) << 8);
    text += Utf8::FromUtf16(units);
  } else {
    text.append(bytes + codeSize, size);
  }
  exif::TrimRightBlanks(text);
  values_.userComment = text;
  values_.userCommentLines = platform::SplitLines(text);
  return values_.userCommentLines.empty() ? std::string() : values_.userCommentLines.front();
}

std::string TExifReader::FormatCanonArray(uint16_t tag, const TExifValueView& v) {
  std::string text;
  const auto addRow = [&](const char* name, const std::string& value) {
    if (!text.empty()) text += "\r\n";
    text += name;
    text += "\r\n";
    text += value;
  };
  for (const exif::CanonSetting& s : exif::CanonSettings()) {
    if (s.tag != tag || s.index >= v.count) continue;
    const uint16_t e = v.U16(s.index);
    const char* valueText = nullptr;
    switch (s.show) {
      case exif::CanonShow::kText: valueText = exif::FindCanonText(tag, s.index, e); break;
      case exif::CanonShow::kSignedText:
        valueText = exif::FindCanonText(tag, s.index, int16_t(e));
        break;
      case exif::CanonShow::kNumber: addRow(s.name, IntText(e)); break;
      case exif::CanonShow::kBits:
        for (int bit = 0; bit < 3; ++bit)
          if (e & (1 << bit)) addRow(s.name, exif::FindCanonText(tag, s.index, bit));
        break;
      case exif::CanonShow::kTopBits:
        if (e >> 12) addRow(s.name, IntText(e >> 12));
        break;
    }
    if (valueText) addRow(s.name, valueText);
  }
  return text;
}

std::string TExifReader::FormatAscii(uint8_t kind, uint16_t tag, const std::string& text,
                                     int64_t valuePos, uint64_t size) {
  TExifValues& x = values_;
  const int32_t datePos = valuePos >= 0 && size == 20 ? int32_t(valuePos) : -1;
  switch (kind) {
    case exif::kIfd0:
      switch (tag) {
        case 270: x.imageDescription = text; break;
        case 271: x.make = text; break;
        case 272: x.model = text; break;
        case 305: x.software = text; break;
        case 33432: x.copyright = text; break;
        case 306:
          x.dateTime = exif::ParseExifDate(text);
          x.dateTimePos = datePos;
          break;
      }
      break;
    case exif::kExifIfd:
      if (tag == 36867) {
        x.dateTimeOriginal = exif::ParseExifDate(text);
        x.dateTimeOriginalPos = datePos;
      }
      if (tag == 36868) {
        x.dateTimeDigitized = exif::ParseExifDate(text);
        x.dateTimeDigitizedPos = datePos;
      }
      break;
    case exif::kInteropIfd:
      if (tag == 4096) x.relatedImageFileFormat = text;
      break;
    case exif::kOlympusIfd:
      if (tag == 519) x.olympusFirmware = text;
      if (tag == 520) x.olympusPictureInfo = text;
      if (tag == 4122) x.olympusSerial = text;
      break;
    case exif::kCanonIfd:
      if (tag == 6) x.canonImageType = text;
      if (tag == 7) x.canonFirmware = text;
      if (tag == 9) x.canonOwner = text;
      break;
    case exif::kNikon2Ifd:
      switch (tag) {
        case 3: x.nikonColorMode = text; break;
        case 4: x.nikonQuality = text; break;
        case 5: x.nikonWhiteBalance = text; break;
        case 6: x.nikonSharpening = text; break;
        case 7: x.nikonFocusMode = text; break;
        case 8: x.nikonFlashSetting = text; break;
        case 15: x.nikonIsoSelection = text; break;
        case 128: x.nikonImageAdjustment = text; break;
        case 130: x.nikonAdapter = text; break;
      }
      break;
    case exif::kGpsIfd: return FormatGpsAscii(tag, text, valuePos, size);
  }
  return text;
}

std::string TExifReader::FormatGpsAscii(uint16_t tag, const std::string& text, int64_t valuePos,
                                        uint64_t size) {
  if (tag == 1) values_.latitudeRef = text;
  if (tag == 3) values_.longitudeRef = text;
  if (exif::IsGpsRefTag(tag)) {
    if (const char* refText = exif::FindGpsRefText(tag, exif::AsciiUpper(text))) return refText;
    return text + " (\?\?\?)";
  }
  if (tag == 29) {
    std::string_view rest = text;
    int year = 0, month = 0, day = 0;
    const auto take = [&rest](int& value) {
      const size_t at = rest.find(':');
      const std::string_view part = rest.substr(0, at);
      rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
      const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
      return ec == std::errc() && end == part.data() + part.size();
    };
    if (take(year) && take(month) && take(day) && DateFunc::IsValidDate(day, month, year)) {
      values_.gpsDay = DateFunc::DMYToDayNum(day, month, year);
      if (valuePos >= 0 && size == 11) values_.gpsDatePos = int32_t(valuePos);
      return IntText(year, 4) + '-' + IntText(month, 2) + '-' + IntText(day, 2);
    }
  }
  return text;
}
