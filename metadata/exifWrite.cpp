// Saving the edits of a photo: the entry points, the edit snapshot, and the
// values that are overwritten in place.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "metadata/exifBytes.h"
#include "metadata/exifDataBlock.h"
#include "metadata/exifSegment.h"
#include "metadata/exifText.h"
#include "metadata/exifValue.h"
#include "platform/FileSystem.h"
#include "platform/TextLines.h"

namespace {

constexpr size_t kDateSize = 20;

// "yyyy:mm:dd hh:mm:ss" and a NUL; empty when the date does not fit.
std::vector<uint8_t> DateBytes(TDateTime value) {
  const std::string text = DateFunc::FormatDateOfDateTime("yyyy:mm:dd", value) + " " +
                           DateFunc::FormatTimeOfDateTime("hh:mm:ss", value);
  if (text.size() != kDateSize - 1) return {};
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

std::vector<uint8_t> U32Bytes(uint32_t value, bool motorola) {
  std::vector<uint8_t> bytes(4);
  exif::StoreU32(bytes.data(), value, motorola);
  return bytes;
}

// True when the bytes [pos, pos + size) may be overwritten in place: they
// stay clear of the TIFF header, lie within one entry's 4-byte value field
// wherever they meet an IFD's entry table and link, and belong to no
// out-of-line value but their own. A damaged entry can point its value at the
// structure or at another value; writing there would break the segment.
bool ClearOfStructure(const TDataList& records, uint64_t tiffStart, uint64_t pos, uint64_t size) {
  if (pos < tiffStart + 8) return false;
  bool inTable = false;
  int values = 0;
  TExifEntryRecord r;
  for (int32_t i = 0; i < records.Count(); ++i) {
    records.GetItem(i, &r);
    if (r.recordType == kRecordEntry) {
      // The maker note as a whole holds the values of its own entries.
      const uint64_t valueSize = uint64_t(r.count) * exif::TypeSize(r.type);
      if (valueSize <= 4 || (r.kind == exif::kExifIfd && r.tag == exif::kTagMakerNote)) continue;
      const uint64_t at = tiffStart + uint64_t(r.value) + r.offsetBase;
      if (pos + size > at && pos < at + valueSize) ++values;
      continue;
    }
    if (r.recordType != kRecordHead) continue;
    const uint64_t entries = uint64_t(r.position) + 2;
    const uint64_t end = entries + 12 * uint64_t(r.tag) + 4;
    if (pos + size <= r.position || pos >= end) continue;
    if (pos < entries) return false;
    const uint64_t at = pos - entries;
    if (at / 12 >= r.tag || at % 12 < 8 || at % 12 + size > 12) return false;
    inTable = true;
  }
  return values <= (inTable ? 0 : 1);
}

}  // namespace

bool TExifReader::SaveChanges() {
  const bool ok = SaveParts(kSaveAll);
  if (ok) ReadFromFile(std::string(fileName_));
  return ok;
}

bool TExifReader::EnsureExif() {
  if (fileName_.empty()) return false;
  if (HasExif()) return true;
  TExifEditState state;
  SaveEditState(state);
  const std::string name = fileName_;
  const bool added = exif::AddEmptyExif(name);
  if (added) {
    ReadFromFile(name);
    RestoreEditState(state);
  }
  return added && HasExif();
}

void TExifReader::Reload() {
  if (fileName_.empty()) return;
  TExifEditState state;
  SaveEditState(state);
  ReadFromFile(std::string(fileName_));
  RestoreEditState(state);
}

void TExifReader::SaveEditState(TExifEditState& state) const { state = values_; }

void TExifReader::RestoreEditState(const TExifEditState& state) {
  static_cast<TExifEditState&>(values_) = state;
}

std::string TExifReader::GetUserComment() const {
  return platform::JoinLines(values_.userCommentLines);
}

// Blanks around the text do not count.
bool TExifReader::CommentChanged() const {
  return StrFunc::Trim(GetUserComment()) !=
         StrFunc::Trim(platform::JoinLines(platform::SplitLines(values_.userComment)));
}

void TExifReader::SetUserComment(const std::string& text) {
  values_.userCommentLines = platform::SplitLines(text);
}

bool TExifReader::WriteSpecialMode() { return SaveParts(kSaveSpecialMode); }
bool TExifReader::WriteDates() { return SaveParts(kSaveDates); }
bool TExifReader::WritePixelSize() { return SaveParts(kSavePixelSize); }
bool TExifReader::WriteGPS() { return SaveParts(kSaveGps); }
bool TExifReader::WriteUserComment() { return SaveParts(kSaveComment); }

// The values go to the file in one write of the span they cover, with the
// bytes between as the file holds them: a process killed during the save
// leaves all of them or none, unless the system cuts that one write at a
// page boundary.
bool TExifReader::WriteAt(const Writes& writes) {
  if (writes.empty()) return true;
  uint64_t from = UINT64_MAX, to = 0;
  for (const auto& [pos, bytes] : writes) {
    if (pos < 1 || !InSegment(pos, bytes.size()) ||
        !ClearOfStructure(records_, FilePos(0), pos, bytes.size()))
      return false;
    from = std::min(from, pos);
    to = std::max(to, pos + bytes.size());
  }
  platform::FileStatus status;
  if (!platform::StatPath(fileName_, status) || !status.isRegular) return false;
  if (DosFunc::GetFileAttr(fileName_) & DosFunc::faReadOnly) return false;
  const int fd = platform::OpenFile(fileName_, platform::OpenAccess::ReadWrite);
  if (fd < 0) return false;
  std::vector<uint8_t> span(to - from);
  const int64_t size = int64_t(span.size());
  bool ok = platform::SeekFile(fd, int64_t(from), platform::SeekFrom::Begin) == int64_t(from) &&
            platform::ReadFile(fd, span.data(), size) == size;
  for (const auto& [pos, bytes] : writes)
    std::copy(bytes.begin(), bytes.end(), span.begin() + long(pos - from));
  int error = 0;
  ok = ok && platform::SeekFile(fd, int64_t(from), platform::SeekFrom::Begin) == int64_t(from) &&
       platform::WriteFile(fd, span.data(), size, error) == size;
  ok = platform::SyncFile(fd) && ok;
  ok = platform::CloseFile(fd) && ok;
  platform::SetModifiedTimeExact(fileName_, status.modifiedSeconds, status.modifiedNanoseconds);
  return ok;
}

bool TExifReader::EntryIs(int32_t valuePos, uint16_t type, uint32_t maxCount) const {
  const int32_t count = records_.Count();
  TExifEntryRecord r;
  for (int32_t i = 0; i < count; ++i) {
    records_.GetItem(i, &r);
    if (r.recordType == kRecordEntry && int64_t(r.position) + 8 == valuePos)
      return r.type == type && r.count >= 1 && r.count <= maxCount;
  }
  return false;
}

bool TExifReader::SpecialModeMotorola() const {
  const uint64_t note = FilePos(uint64_t(uint32_t(values_.makerNoteOffset)));
  if (values_.makerNoteOffset > 0 && InSegment(note, 10) &&
      std::memcmp(head_.data() + note, "OLYMPUS\0", 8) == 0)
    return head_[note + 8] == 'M';
  return motorola_;
}

bool TExifReader::SpecialModeWrites(Writes& writes) const {
  const int32_t pos = values_.olympusSpecialModePos;
  if (makerNumber_ == exif::kNothingRead || pos < 1) return true;
  if (!InSegment(uint64_t(pos), 12)) return false;
  const bool motorola = SpecialModeMotorola();
  const uint32_t* mode = values_.olympusSpecialMode;
  uint32_t stored[3];
  for (int i = 0; i < 3; ++i) stored[i] = exif::LoadU32(head_.data() + pos + 4 * i, motorola);
  // The third value only means something in panorama mode (3); elsewhere the
  // stored value is kept.
  const uint32_t third = mode[0] == 3 ? mode[2] : stored[2];
  if (mode[0] == stored[0] && mode[1] == stored[1] && third == stored[2]) return true;
  std::vector<uint8_t> bytes(12);
  exif::StoreU32(bytes.data(), mode[0], motorola);
  exif::StoreU32(bytes.data() + 4, mode[1], motorola);
  exif::StoreU32(bytes.data() + 8, third, motorola);
  writes.emplace_back(uint64_t(pos), std::move(bytes));
  return true;
}

// A changed date without a place of its own is not written.
void TExifReader::DateWrites(Writes& writes) const {
  struct Date {
    TDateTime value;
    int32_t pos;
    bool changed;
  };
  const TExifValues& v = values_;
  const Date dates[] = {{v.dateTimeDigitized, v.dateTimeDigitizedPos, v.dateTimeDigitizedChanged},
                        {v.dateTimeOriginal, v.dateTimeOriginalPos, v.dateTimeOriginalChanged},
                        {v.dateTime, v.dateTimePos, v.dateTimeChanged}};
  for (const Date& d : dates) {
    if (!d.changed || d.pos < 1) continue;
    std::vector<uint8_t> bytes = DateBytes(d.value);
    if (!bytes.empty()) writes.emplace_back(uint64_t(d.pos), std::move(bytes));
  }
}

// False when a dimension differs and its entry is neither a LONG nor a SHORT
// that can hold it.
bool TExifReader::PixelSizeWrites(Writes& writes) const {
  const int32_t xPos = values_.pixelXPos, yPos = values_.pixelYPos;
  if (xPos < 1 || yPos < 1) return true;
  // A photo that does not decode has no size to write.
  uint32_t width = 0, height = 0;
  if (!exif::GetJpegPixelSize(fileName_, width, height)) return true;
  const auto add = [&](int32_t pos, uint32_t value, uint32_t stored) {
    if (value == stored) return true;
    if (EntryIs(pos, exif::kTypeLong, 1)) {
      writes.emplace_back(uint64_t(pos), U32Bytes(value, motorola_));
      return true;
    }
    if (!EntryIs(pos, exif::kTypeShort, 2) || value > 0xFFFF) return false;
    std::vector<uint8_t> bytes(2);
    exif::StoreU16(bytes.data(), uint16_t(value), motorola_);
    writes.emplace_back(uint64_t(pos), std::move(bytes));
    return true;
  };
  return add(xPos, width, values_.pixelXDimension) && add(yPos, height, values_.pixelYDimension);
}
