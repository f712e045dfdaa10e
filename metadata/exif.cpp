#include "metadata/exif.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "foundation/StrFunc.h"
#include "metadata/exifExtract.h"
#include "metadata/exifFormat.h"
#include "metadata/exifSegmentPlace.h"
#include "metadata/exifTables.h"
#include "metadata/exifText.h"
#include "metadata/exifValue.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace {

// SOI, APP1 marker, length, "Exif\0\0", TIFF byte order and magic.
constexpr size_t kHeaderSize = 20;
// What a list of photos reads of each at once.
constexpr size_t kAtOnce = 4096;

bool HeaderPasses(const uint8_t* h) {
  static constexpr uint8_t kStart[] = {0xFF, 0xD8, 0xFF, 0xE1};
  static constexpr uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
  static constexpr uint8_t kIntel[] = {'I', 'I', 0x2A, 0};
  static constexpr uint8_t kMotorola[] = {'M', 'M', 0, 0x2A};
  return std::memcmp(h, kStart, 4) == 0 && std::memcmp(h + 6, kExif, 6) == 0 &&
         (std::memcmp(h + 12, kIntel, 4) == 0 || std::memcmp(h + 12, kMotorola, 4) == 0);
}

// One bit per pointer tag: each is followed at most once per read, so a file
// that repeats a pointer cannot multiply the work.
uint32_t PointerBit(uint16_t tag) {
  switch (tag) {
    case exif::kTagExifPointer: return 1;
    case exif::kTagInteropPointer: return 2;
    case exif::kTagMakerNote: return 4;
    case exif::kTagGpsPointer: return 8;
    default: return 0;
  }
}

// The pointers to the Exif, Interoperability and GPS IFDs, in the IFDs that
// hold them.
bool IsIfdPointer(uint8_t kind, uint16_t tag) {
  return (kind == exif::kIfd0 && (tag == exif::kTagExifPointer || tag == exif::kTagGpsPointer)) ||
         (kind == exif::kExifIfd && tag == exif::kTagInteropPointer);
}

bool IsWholeNumberType(uint32_t type) {
  switch (type) {
    case exif::kTypeByte: case exif::kTypeShort: case exif::kTypeLong:
    case exif::kTypeSByte: case exif::kTypeSShort: case exif::kTypeSLong:
      return true;
    default:
      return false;
  }
}

// Some phones store the GPS position and altitude as signed rationals. When
// no part of them is negative they mean what the unsigned ones mean.
bool ReadsAsUnsigned(uint16_t gpsTag, const TExifValueView& v) {
  if (gpsTag != exif::gps::kLatitude && gpsTag != exif::gps::kLongitude &&
      gpsTag != exif::gps::kAltitude)
    return false;
  if (v.type != exif::kTypeSRational) return false;
  for (uint32_t i = 0; i < v.count; ++i)
    if (int32_t(v.Num(i)) < 0 || int32_t(v.Den(i)) < 0) return false;
  return true;
}

// The tags a list of photos needs: the dates, the comment and the way to
// them.
bool IsPictureInfoTag(uint8_t kind, uint16_t tag) {
  return (kind == exif::kIfd0 && (tag == exif::tiff::kDateTime || tag == exif::kTagExifPointer)) ||
         (kind == exif::kExifIfd &&
          (tag == exif::photo::kDateTimeOriginal || tag == exif::photo::kDateTimeDigitized ||
           tag == exif::photo::kSubSecTime || tag == exif::photo::kSubSecTimeOriginal ||
           tag == exif::photo::kUserComment));
}

// Tags that are walked but get no display row. The maker tags among them
// have no names.
struct SilentTag {
  uint8_t kind;
  uint16_t tag;
};
constexpr SilentTag kSilentTags[] = {
    {exif::kIfd1, exif::tiff::kStripOffsets},
    {exif::kIfd1, exif::tiff::kRowsPerStrip},
    {exif::kIfd1, exif::tiff::kStripByteCounts},
    {exif::kExifIfd, exif::photo::kFileSource},
    {exif::kExifIfd, exif::photo::kSceneType},
    {exif::kExifIfd, exif::photo::kCfaPattern},
    {exif::kCanonIfd, 0},    {exif::kCanonIfd, 2},   {exif::kCanonIfd, 3},
    {exif::kCanonIfd, 10},   {exif::kCanonIfd, 13},  {exif::kCanonIfd, 15},
    {exif::kCanonIfd, 16},   {exif::kNikon1Ifd, 2},  {exif::kNikon1Ifd, 9},
    {exif::kNikon1Ifd, 3840}, {exif::kNikon2Ifd, 1}, {exif::kNikon2Ifd, 10},
    {exif::kNikon2Ifd, 16},  {exif::kCasioIfd, 0},
};

bool IsSilentTag(uint8_t kind, uint16_t tag) {
  return std::any_of(std::begin(kSilentTags), std::end(kSilentTags),
                     [&](const SilentTag& s) { return s.kind == kind && s.tag == tag; });
}

// Moves a row of the three lists from one index to another; a target past
// the end puts the row last.
void MoveRow(TExifRows& rows, int from, int to) {
  if (from < 0 || to < 0 || std::abs(from - to) < 2) return;
  for (auto* list : {&rows.keys, &rows.names, &rows.texts}) {
    std::string item = std::move((*list)[static_cast<size_t>(from)]);
    list->erase(list->begin() + from);
    const size_t at = std::min(static_cast<size_t>(to), list->size());
    list->insert(list->begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  }
}

int IndexOfKey(const TExifRows& rows, std::string_view key) {
  const auto it = std::find(rows.keys.begin(), rows.keys.end(), key);
  return it == rows.keys.end() ? -1 : int(it - rows.keys.begin());
}

// Make words of GetMakerId, in the order they are tried.
struct MakerWord {
  const char* word;
  uint8_t number;
};
constexpr MakerWord kMakerWords[] = {
    {"OLYMP", 1},    {"CANON", 2},     {"NIKON", 3},   {"CASIO", 5},     {"FUJIFILM", 6},
    {"KODAK", 7},    {"PANASONIC", 8}, {"MINOLTA", 9}, {"HEWLETT", 10},  {"SONY", 11},
    {"EPSON", 12},   {"KONICA", 13},   {"TOSHIBA", 14}, {"SAMSUNG", 15}, {"PENTAX", 16},
    {"RICOH", 17},   {"KYOCERA", 18},  {"AGFA", 19},   {"SIPIX", 20},    {"LGE", 21},
    {"NOKIA", 22},   {"MICROSOFT", 23},
};

}  // namespace

TExifReader::TExifReader() : records_(sizeof(TExifEntryRecord)) { Clear(); }

TExifReader::~TExifReader() = default;

void TExifReader::Clear() {
  makerNumber_ = exif::kNothingRead;
  makerNoteParsed_ = false;
  makerMotorola_ = false;
  fileName_.clear();
  app1Length_ = 0;
  byteOrder_ = exif::kIntelOrder;
  records_.Clear();
  values_ = TExifValues{};
  standard_ = TExifRows{};
  maker_ = TExifRows{};
  head_.clear();
  motorola_ = false;
  offsetBase_ = 0;
  followed_ = 0;
}

bool TExifReader::HasExif() const {
  return app1Length_ > 0 && makerNumber_ != exif::kNothingRead;
}

bool TExifReader::ReadFromFile(const std::string& fileName) {
  Clear();
  if (fileName.empty()) return false;
  bool ok = false;
  if (std::FILE* file = platform::OpenReadStream(fileName)) {
    // The reads below are few and large; stdio's own buffer would only copy.
    std::setvbuf(file, nullptr, _IONBF, 0);
    fileName_ = fileName;
    ok = ReadHead(file);
    std::fclose(file);
  }
  FixDisplayOrder();
  SetDateTexts();
  return ok;
}

// A list of photos reads thousands of them: their first bytes in one read
// hold the whole segment of most, without a seek.
bool TExifReader::ReadPictureInfo(const std::string& fileName) {
  Clear();
  if (fileName.empty()) return false;
  pictureInfoOnly_ = true;
  bool ok = false;
  bool told = false;
  const int fd = platform::OpenFile(fileName, platform::OpenAccess::Read);
  if (fd >= 0) {
    fileName_ = fileName;
    told = ReadHeadAtOnce(fd, ok);
    platform::CloseFile(fd);
  }
  if (fd >= 0 && !told) {
    Clear();
    ok = ReadFromFile(fileName);
  } else {
    FixDisplayOrder();
    SetDateTexts();
  }
  pictureInfoOnly_ = false;
  return ok;
}

bool TExifReader::ReadHeadAtOnce(int fd, bool& ok) {
  std::vector<uint8_t> first(kAtOnce);
  const int64_t read = platform::ReadFile(fd, first.data(), int64_t(first.size()));
  const size_t got = read > 0 ? size_t(read) : 0;
  const bool wholeFile = got < first.size();
  first.resize(got);
  exif::TApp1Place app1;
  const std::string_view view(reinterpret_cast<const char*>(first.data()), got);
  const exif::TApp1Search search = exif::FindExifApp1InHead(view, wholeFile, app1);
  const bool headerHere = search == exif::TApp1Search::Found && app1.at + kHeaderSize - 2 <= got;
  if (search == exif::TApp1Search::BeyondHead || (search == exif::TApp1Search::Found &&
                                                  !headerHere && !wholeFile))
    return false;
  uint8_t joined[kHeaderSize] = {0xFF, 0xD8};
  if (headerHere) std::memcpy(joined + 2, first.data() + app1.at, kHeaderSize - 2);
  ok = headerHere && HeaderPasses(joined);
  if (!ok) return true;
  const uint32_t ifd0 = SetUpHead(joined, app1);
  head_ = std::move(first);
  std::fill_n(head_.begin(), app1.at, 0);
  head_.resize(app1.End());
  if (app1.End() > got) {
    const int64_t more = wholeFile ? 0 : platform::ReadFile(fd, head_.data() + got, int64_t(app1.End() - got));
    head_.resize(got + size_t(std::max<int64_t>(more, 0)));
  }
  WalkIfd(exif::kIfd0, ifd0);
  values_.gpsValid = HasGPS() && IsGPSValid();
  return true;
}

uint32_t TExifReader::SetUpHead(const uint8_t* joined, const exif::TApp1Place& app1) {
  makerNumber_ = 0;
  motorola_ = joined[12] == 'M';
  byteOrder_ = motorola_ ? exif::kMotorolaOrder : exif::kIntelOrder;
  app1Length_ = uint16_t(app1.length);
  values_.tiffShift = int32_t(app1.at - 2);
  return exif::LoadU32(joined + 16, motorola_);
}

// The header test sees the SOI joined to the EXIF APP1, wherever that stands
// among the leading segments.
bool TExifReader::ReadHead(std::FILE* file) {
  exif::TApp1Place app1;
  uint8_t joined[kHeaderSize] = {0xFF, 0xD8};
  if (!exif::FindExifApp1(file, app1) || std::fseek(file, long(app1.at), SEEK_SET) != 0 ||
      std::fread(joined + 2, 1, kHeaderSize - 2, file) != kHeaderSize - 2 || !HeaderPasses(joined))
    return false;
  const uint32_t ifd0 = SetUpHead(joined, app1);

  // Only the segment is read; the positions in front of it stay zero and are
  // never looked at.
  head_.assign(app1.at, 0);
  head_.resize(app1.End());
  const size_t got = std::fseek(file, long(app1.at), SEEK_SET) == 0
                         ? std::fread(head_.data() + app1.at, 1, 2 + app1.length, file)
                         : 0;
  head_.resize(app1.at + got);
  WalkIfd(exif::kIfd0, ifd0);
  values_.gpsValid = HasGPS() && IsGPSValid();
  return true;
}

bool TExifReader::InSegment(uint64_t pos, uint64_t size) const {
  return pos <= head_.size() && size <= head_.size() - pos;
}

uint16_t TExifReader::U16At(uint64_t pos, bool motorola) const {
  return exif::LoadU16(head_.data() + pos, motorola);
}

uint32_t TExifReader::U32At(uint64_t pos, bool motorola) const {
  return exif::LoadU32(head_.data() + pos, motorola);
}

uint64_t TExifReader::FilePos(uint64_t tiffOffset) const {
  return tiffOffset + 12 + uint64_t(values_.tiffShift);
}

void TExifReader::AddRecord(const TExifEntryRecord& record) { records_.Add(&record); }

void TExifReader::WalkIfd(uint8_t kind, uint64_t tiffOffset) {
  const uint64_t pos = FilePos(tiffOffset);
  if (!InSegment(pos, 2)) return;
  const uint16_t count = U16At(pos, motorola_);
  const uint64_t entries = pos + 2;
  if (!InSegment(entries, 12 * uint64_t(count))) return;
  const uint64_t linkPos = entries + 12 * uint64_t(count);
  const uint32_t next = InSegment(linkPos, 4) ? U32At(linkPos, motorola_) : 0;

  if (pictureInfoOnly_) {
    for (uint32_t i = 0; i < count; ++i) {
      const uint64_t entry = entries + 12 * uint64_t(i);
      if (IsPictureInfoTag(kind, U16At(entry, motorola_))) DecodeEntry(kind, entry);
    }
    return;
  }
  AddRecord({kind, kRecordHead, uint32_t(pos), 0, count, 0, 0, 0});
  AddRecord({kind, kRecordLink, uint32_t(linkPos), 0, uint16_t(next & 0xFFFF),
             uint16_t(next >> 16), 0, 0});
  for (uint32_t i = 0; i < count; ++i) DecodeEntry(kind, entries + 12 * uint64_t(i));

  if (next == 0) return;
  if (kind == exif::kIfd0) {
    WalkIfd(exif::kIfd1, next);
  } else if (kind == exif::kIfd1 || kind == exif::kExifIfd) {
    WalkIfd(exif::kFurtherIfd, next);
  }
}

void TExifReader::DecodeEntry(uint8_t kind, uint64_t entryPos) {
  const uint8_t* raw = head_.data() + entryPos;
  TExifDecodedEntry e;
  e.kind = kind;
  e.tag = exif::LoadU16(raw, motorola_);
  const uint16_t type = exif::LoadU16(raw + 2, motorola_);
  e.count = exif::LoadU32(raw + 4, motorola_);
  e.valueField = exif::LoadU32(raw + 8, motorola_);
  e.fieldPos = int64_t(entryPos + 8);
  if (!pictureInfoOnly_)
    AddRecord({kind, kRecordEntry, uint32_t(entryPos), uint32_t(offsetBase_), e.tag, type,
               e.count, e.valueField});
  if (IsSilentTag(kind, e.tag)) return;

  const bool ifdPointer = IsIfdPointer(kind, e.tag);
  if (type == exif::kTypeAscii && !ifdPointer) {
    ReadAscii(e);
    AddRow(kind, e.tag, exif::FormatAscii(kind, e.tag, e.text));
  } else if (kind == exif::kExifIfd && e.tag == exif::kTagMakerNote) {
    FollowMakerNote(e.valueField, uint64_t(e.count) * exif::TypeSize(type));
    return;
  } else {
    if (!ReadValue(type, e)) return;
    if (ifdPointer) {
      FollowIfdPointer(e.tag, e.value, entryPos);
      return;
    }
    if (kind == exif::kGpsIfd && ReadsAsUnsigned(e.tag, e.value))
      e.value.type = exif::kTypeRational;
    AddRow(kind, e.tag, exif::FormatValue(kind, e.tag, e.value, hideUnnamed_));
  }
  // The typed values come from the decoded entry, never from its display text.
  exif::ExtractValue(e, values_);
}

void TExifReader::ReadAscii(TExifDecodedEntry& e) const {
  e.value.type = exif::kTypeAscii;
  const uint8_t* field = head_.data() + e.fieldPos;
  const bool printable = std::all_of(field, field + 4, [](uint8_t c) {
    return c == 0 || (c >= 32 && c <= 126);
  });
  if (e.count <= 4 && printable) {
    e.text.assign(reinterpret_cast<const char*>(field), size_t(e.count));
  } else {
    // The whole text, as far as the segment holds it: a long description
    // must be readable to its end.
    uint64_t pos = 0;
    if (ValuePos(e.valueField, 0, pos)) {
      const uint64_t length = std::min<uint64_t>(e.count, head_.size() - pos);
      e.text.assign(reinterpret_cast<const char*>(head_.data() + pos), size_t(length));
      e.value.pos = int64_t(pos);
    }
  }
  // The text ends at its first NUL; what follows is padding or the rest of
  // an older, longer value.
  e.text.resize(std::min(e.text.find('\0'), e.text.size()));
  exif::TrimRightBlanks(e.text);
  exif::CrLfToBlank(e.text);
}

bool TExifReader::ReadValue(uint16_t type, TExifDecodedEntry& e) const {
  TExifValueView& v = e.value;
  const uint32_t typeSize = exif::TypeSize(type);
  v.type = type;
  v.count = typeSize ? e.count : 0;
  v.motorola = motorola_;
  const uint64_t size = uint64_t(e.count) * typeSize;
  if (size <= 4) {
    v.data = head_.data() + e.fieldPos;
    return true;
  }
  uint64_t pos = 0;
  if (!ValuePos(e.valueField, size, pos)) return false;
  v.data = head_.data() + pos;
  v.pos = int64_t(pos);
  return true;
}

bool TExifReader::ValuePos(uint32_t offset, uint64_t size, uint64_t& pos) const {
  const int64_t at = int64_t(offset) + offsetBase_;
  if (at < 0) return false;
  pos = FilePos(uint64_t(at));
  return InSegment(pos, size);
}

void TExifReader::FollowIfdPointer(uint16_t tag, const TExifValueView& v, uint64_t entryPos) {
  // An offset is a whole number; a pointer without one leads nowhere, and
  // following its bytes anyway would walk some other IFD under this kind.
  if (v.count == 0 || !IsWholeNumberType(v.type) || v.Int(0) < 0) return;
  const uint32_t offset = uint32_t(v.Int(0));
  const uint32_t bit = PointerBit(tag);
  if (followed_ & bit) return;
  followed_ |= bit;
  switch (tag) {
    case exif::kTagExifPointer:
      values_.exifOffset = int32_t(offset);
      WalkIfd(exif::kExifIfd, offset);
      break;
    case exif::kTagInteropPointer:
      values_.interopOffset = int32_t(offset);
      WalkIfd(exif::kInteropIfd, offset);
      break;
    default:
      values_.gpsOffset = int32_t(offset);
      values_.gpsPointerPos = int32_t(entryPos);
      WalkIfd(exif::kGpsIfd, offset);
      break;
  }
}

void TExifReader::FollowMakerNote(uint32_t offset, uint64_t size) {
  const uint32_t bit = PointerBit(exif::kTagMakerNote);
  if (followed_ & bit) return;
  followed_ |= bit;
  values_.makerNoteOffset = int32_t(offset);
  DetectMakerNote(offset, size);
}

void TExifReader::AddRow(uint8_t kind, uint16_t tag, std::string text) {
  text = StrFunc::Trim(text);
  if (text.empty() || (text.size() == 1 && text[0] == '\0')) return;
  std::string name = exif::GetTagName(kind, tag, hideUnnamed_);
  if (hideUnnamed_ && name.empty()) return;

  TExifRows& rows = exif::IsSecondGroup(kind) ? maker_ : standard_;
  rows.keys.push_back(exif::MakeKey(kind, tag));
  bool added = false;
  if (text.find("\r\n") != std::string::npos) {
    // Name and text lines in pairs; each complete pair is a row of its own.
    const std::vector<std::string> lines = platform::SplitLines(text);
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
      std::string rowName = StrFunc::Trim(lines[i]);
      std::string rowText = StrFunc::Trim(lines[i + 1]);
      if (rowName.empty() || rowText.empty()) continue;
      rows.names.push_back(std::move(rowName));
      rows.texts.push_back(std::move(rowText));
      added = true;
    }
    if (!added) exif::CrLfToBlank(text);
  }
  if (!added) {
    rows.names.push_back(std::move(name));
    rows.texts.push_back(std::move(text));
  }
  // Rows beyond the first of a multi-line text get padding keys, so the
  // three lists stay index-aligned.
  rows.keys.resize(rows.names.size(), std::string(1, '\0'));
}

void TExifReader::FixDisplayOrder() {
  using exif::MakeKey;
  TExifRows& rows = standard_;
  const int d = IndexOfKey(rows, MakeKey(exif::kIfd0, exif::tiff::kDateTime));
  if (d >= 0) {
    MoveRow(rows, IndexOfKey(rows, MakeKey(exif::kExifIfd, exif::photo::kDateTimeOriginal)), d);
    MoveRow(rows, IndexOfKey(rows, MakeKey(exif::kExifIfd, exif::photo::kDateTimeDigitized)), d);
  }
  int m = IndexOfKey(rows, MakeKey(exif::kIfd0, exif::tiff::kModel));
  if (m < 0) m = IndexOfKey(rows, MakeKey(exif::kIfd0, exif::tiff::kMake));
  if (m < 0) m = IndexOfKey(rows, MakeKey(exif::kIfd0, exif::tiff::kImageDescription));
  if (m < 0) return;
  const std::string software = MakeKey(exif::kIfd0, exif::tiff::kSoftware);
  MoveRow(rows, IndexOfKey(rows, software), m + 1);
  if (IndexOfKey(rows, software) >= 0) ++m;
  MoveRow(rows, IndexOfKey(rows, MakeKey(exif::kIfd0, exif::tiff::kCopyright)), m + 1);
}

void TExifReader::SetDateTexts() {
  struct DateRow {
    uint8_t kind;
    uint16_t tag;
    TDateTime& field;
  };
  const DateRow dates[] = {
      {exif::kExifIfd, exif::photo::kDateTimeDigitized, values_.dateTimeDigitized},
      {exif::kExifIfd, exif::photo::kDateTimeOriginal, values_.dateTimeOriginal},
      {exif::kIfd0, exif::tiff::kDateTime, values_.dateTime}};
  for (const DateRow& date : dates) {
    const int index = FindTagIndex(date.kind, date.tag);
    if (index < 0 || exif::IsNullDate(date.field)) date.field = exif::NullDate();
    if (index >= 0)
      standard_.texts[static_cast<size_t>(index)] = exif::FormatDisplayDate(date.field);
  }
}

TDateTime TExifReader::GetPictureDate() const {
  const TExifValues& x = values_;
  if (FindTagIndex(exif::kExifIfd, exif::photo::kDateTimeDigitized) >= 0 &&
      !exif::IsNullDate(x.dateTimeDigitized))
    return x.dateTimeDigitized;
  if (FindTagIndex(exif::kExifIfd, exif::photo::kDateTimeOriginal) >= 0 &&
      !exif::IsNullDate(x.dateTimeOriginal))
    return x.dateTimeOriginal;
  if (FindTagIndex(exif::kIfd0, exif::tiff::kDateTime) >= 0) return x.dateTime;
  return exif::NullDate();
}

std::string TExifReader::GetSubSecTime() const {
  for (const std::string* text : {&values_.subSecTimeOriginal, &values_.subSecTime}) {
    const std::string trimmed = StrFunc::Trim(*text);
    const size_t digits = std::min(trimmed.find_first_not_of("0123456789"), trimmed.size());
    if (digits > 0) return trimmed.substr(0, digits);
  }
  return std::string();
}

bool TExifReader::IsGPSValid() const {
  const TExifValues& g = values_;
  return g.latitudeDeg >= 0 && g.latitudeMin >= 0 && g.latitudeSec >= 0 && g.longitudeDeg >= 0 &&
         g.longitudeMin >= 0 && g.longitudeSec >= 0 && !g.latitudeRef.empty() &&
         !g.longitudeRef.empty();
}

bool TExifReader::IsGPSEmpty() const {
  const TExifValues& g = values_;
  return g.latitudeDeg == 0 && g.latitudeMin == 0 && g.latitudeSec == 0 && g.longitudeDeg == 0 &&
         g.longitudeMin == 0 && g.longitudeSec == 0;
}

double TExifReader::GetAltitude() const {
  if (values_.altitude == -1.0) return 0;
  return values_.altitudeRef != 0 ? -values_.altitude : values_.altitude;
}

std::string TExifReader::GetLatitudeText() const {
  const TExifValues& g = values_;
  return StrFunc::DegMinSecToStr(g.latitudeDeg, g.latitudeMin, g.latitudeSec,
                                 exif::AsciiUpper(g.latitudeRef) != "N");
}

std::string TExifReader::GetLongitudeText() const {
  const TExifValues& g = values_;
  return StrFunc::DegMinSecToStr(g.longitudeDeg, g.longitudeMin, g.longitudeSec,
                                 exif::AsciiUpper(g.longitudeRef) != "E");
}

uint8_t TExifReader::GetMakerId() const {
  if (makerNumber_ != 0) return makerNumber_;
  const std::string make = StrFunc::UpperCaseCz(values_.make);
  for (const MakerWord& w : kMakerWords)
    if (make.find(w.word) != std::string::npos) return w.number;
  return 0;
}

uint16_t TExifReader::GetOrientation() const {
  return values_.orientation >= 1 && values_.orientation <= 8 ? values_.orientation : 1;
}

uint8_t TExifReader::GetFlashState() const {
  // Bit 0 of a value the standard defines (those with a text) tells whether
  // the flash fired; a missing tag (255) or another value tells nothing.
  if (exif::FindEnumText(exif::kExifIfd, exif::photo::kFlash, values_.flash) == nullptr) return 255;
  return values_.flash & 1;
}

bool TExifReader::CanWriteDates() const {
  return values_.dateTimeOriginalPos >= 1 || values_.dateTimeDigitizedPos >= 1;
}

int TExifReader::FindTagIndex(uint8_t kind, uint16_t tag) const {
  return IndexOfKey(exif::IsSecondGroup(kind) ? maker_ : standard_, exif::MakeKey(kind, tag));
}

std::string TExifReader::GetTagText(uint8_t kind, uint16_t tag) const {
  const int index = FindTagIndex(kind, tag);
  if (index < 0) return {};
  return (exif::IsSecondGroup(kind) ? maker_ : standard_).texts[static_cast<size_t>(index)];
}

void TExifReader::SetDateTime(TDateTime value) {
  if (value == values_.dateTime) return;
  values_.dateTime = value;
  values_.dateTimeChanged = true;
}

void TExifReader::SetDateTimeOriginal(TDateTime value) {
  if (value == values_.dateTimeOriginal) return;
  values_.dateTimeOriginal = value;
  values_.dateTimeOriginalChanged = true;
}

void TExifReader::SetDateTimeDigitized(TDateTime value) {
  if (value == values_.dateTimeDigitized) return;
  values_.dateTimeDigitized = value;
  values_.dateTimeDigitizedChanged = true;
}

namespace {

// Stores one coordinate and raises its changed flag, unless nothing changed.
void SetCoordinate(int32_t degrees, int32_t minutes, double seconds, const std::string& ref,
                   int32_t& deg, int32_t& min, double& sec, std::string& storedRef,
                   bool& changed) {
  if (degrees == deg && minutes == min && ref == storedRef && std::fabs(seconds - sec) < 0.001)
    return;
  deg = degrees;
  min = minutes;
  sec = seconds;
  storedRef = ref;
  changed = true;
}

}  // namespace

void TExifReader::SetLatitude(int32_t degrees, int32_t minutes, bool north, double seconds) {
  TExifValues& g = values_;
  SetCoordinate(degrees, minutes, seconds, north ? "N" : "S", g.latitudeDeg, g.latitudeMin,
                g.latitudeSec, g.latitudeRef, g.latitudeChanged);
}

void TExifReader::SetLongitude(int32_t degrees, int32_t minutes, bool east, double seconds) {
  TExifValues& g = values_;
  SetCoordinate(degrees, minutes, seconds, east ? "E" : "W", g.longitudeDeg, g.longitudeMin,
                g.longitudeSec, g.longitudeRef, g.longitudeChanged);
}

void TExifReader::SetAltitude(double metres) {
  const double rounded = StrFunc::RoundTo(2, metres);
  const uint8_t ref = rounded < 0 ? 1 : 0;
  const double magnitude = std::fabs(rounded);
  if (ref == values_.altitudeRef && std::fabs(magnitude - values_.altitude) < 0.001) return;
  values_.altitudeRef = ref;
  values_.altitude = magnitude;
  values_.altitudeChanged = true;
}

std::string TExifReader::ThumbnailBytes() const {
  if (fileName_.empty() || makerNumber_ == exif::kNothingRead) return std::string();
  const uint32_t offset = values_.thumbnailOffset;
  const uint32_t size = values_.thumbnailSize;
  if (offset == 0 || size == 0) return std::string();
  const uint64_t pos = FilePos(offset);
  if (!InSegment(pos, size)) return std::string();
  return std::string(reinterpret_cast<const char*>(head_.data() + pos), size);
}

bool TExifReader::SaveThumbnail(const std::string& fileName) const {
  const std::string bytes = ThumbnailBytes();
  return !bytes.empty() && platform::ReplaceFile(fileName, bytes);
}
