#include "metadata/exifDataBlock.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "metadata/exif.h"
#include "metadata/exifBytes.h"
#include "metadata/exifText.h"

namespace {

constexpr size_t kMaxCommentBytes = 255;

// The first bytes of text, at most limit, ending on a whole character.
std::string CutToBytes(std::string_view text, size_t limit) {
  if (text.size() <= limit) return std::string(text);
  size_t end = limit;
  while (end > 0 && (uint8_t(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

// The code "UNICODE" and its NUL, then the text in UTF-16 in the photo's
// byte order, as the reader and other programs read it; cut to the comment's
// size on a character boundary.
std::vector<uint8_t> UnicodeComment(std::string_view text, bool motorola) {
  std::u16string units = Utf8::ToUtf16(StrFunc::Trim(text));
  const size_t most = (kMaxCommentBytes - 8) / 2;
  if (units.size() > most) {
    size_t end = most;
    if (units[end - 1] >= 0xD800 && units[end - 1] <= 0xDBFF) --end;
    units.resize(end);
  }
  std::vector<uint8_t> bytes{'U', 'N', 'I', 'C', 'O', 'D', 'E', 0};
  for (const char16_t unit : units) {
    const uint8_t high = uint8_t(unit >> 8), low = uint8_t(unit);
    bytes.push_back(motorola ? high : low);
    bytes.push_back(motorola ? low : high);
  }
  return bytes;
}

uint32_t Padded(size_t size) { return uint32_t(size + (size & 1)); }

// Width of the elements that change with the byte order.
uint32_t ElementWidth(uint16_t type) {
  switch (type) {
    case exif::kTypeShort: case exif::kTypeSShort: return 2;
    case exif::kTypeLong: case exif::kTypeSLong: case exif::kTypeRational:
    case exif::kTypeSRational: case exif::kTypeFloat: return 4;
    case exif::kTypeDouble: return 8;
    default: return 1;
  }
}

// The value bytes in the wanted byte order (they are held in host order).
std::vector<uint8_t> InOrder(const TExifDataBlockField& f, bool motorola) {
  std::vector<uint8_t> out = f.value;
  const uint32_t width = ElementWidth(f.type);
  const bool hostMotorola = std::endian::native == std::endian::big;
  if (width == 1 || motorola == hostMotorola) return out;
  for (size_t at = 0; at + width <= out.size(); at += width)
    std::reverse(out.begin() + long(at), out.begin() + long(at + width));
  return out;
}

}  // namespace

TExifDataBlock TExifDataBlock::ForPointerTag(uint16_t pointerTag) {
  return TExifDataBlock(exif::ParentKindOfPointerTag(pointerTag), pointerTag, true);
}

TExifDataBlock TExifDataBlock::ForKind(uint8_t kind) {
  return TExifDataBlock(kind, exif::PointerTagOfKind(kind), false);
}

uint8_t TExifDataBlock::EntryKind() const {
  return ownIfd_ ? exif::KindOfPointerTag(pointerTag_) : kind_;
}

void TExifDataBlock::Add(uint16_t type, uint16_t tag, std::vector<uint8_t> value) {
  fields_.push_back({type, tag, std::move(value)});
}

void TExifDataBlock::AddByte(uint16_t tag, uint8_t value) { Add(exif::kTypeByte, tag, {value}); }

void TExifDataBlock::AddBytes(uint16_t tag, std::vector<uint8_t> values) {
  Add(exif::kTypeByte, tag, std::move(values));
}

void TExifDataBlock::AddRationals(uint16_t tag, const std::vector<uint32_t>& pairs) {
  std::vector<uint8_t> bytes(pairs.size() / 2 * 8);
  std::memcpy(bytes.data(), pairs.data(), bytes.size());
  Add(exif::kTypeRational, tag, std::move(bytes));
}

void TExifDataBlock::AddString(uint16_t tag, std::string_view text) {
  if (tag == exif::photo::kUserComment) return AddUserComment(text, false);
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  Add(exif::kTypeAscii, tag, std::move(bytes));
}

void TExifDataBlock::AddUserComment(std::string_view text, bool motorola) {
  const std::string trimmed = StrFunc::Trim(text);
  const std::string upper = exif::AsciiUpper(trimmed.substr(0, 7));
  if (upper == "UNICODE") {
    Add(exif::kTypeUndefined, exif::photo::kUserComment,
        UnicodeComment(std::string_view(trimmed).substr(7), motorola));
    return;
  }
  std::string body = CutToBytes(trimmed, kMaxCommentBytes - 1);
  if (upper.compare(0, 5, "ASCII") != 0) body = CutToBytes("ASCII   " + body, kMaxCommentBytes - 1);
  std::vector<uint8_t> bytes(body.begin(), body.end());
  bytes.push_back(0);
  Add(exif::kTypeUndefined, exif::photo::kUserComment, std::move(bytes));
}

TExifDataBlock TExifDataBlock::SingleField(size_t i) const {
  TExifDataBlock one(kind_, pointerTag_, ownIfd_);
  one.fields_.push_back(fields_.at(i));
  return one;
}

TExifDataBlock TExifDataBlock::AsMerge() const {
  TExifDataBlock merged = ForKind(EntryKind());
  merged.fields_ = fields_;
  return merged;
}

TExifDataBlock TExifDataBlock::AsNewIfd() const {
  const uint16_t pointer = exif::PointerTagOfKind(EntryKind());
  TExifDataBlock ifd = ForPointerTag(pointer);
  if (pointer != 0) ifd.fields_ = fields_;
  return ifd;
}

uint32_t TExifDataBlock::GetSize() const {
  uint32_t size = 0;
  for (const TExifDataBlockField& f : fields_)
    size += 12 + (f.value.size() > 4 ? Padded(f.value.size()) : 0);
  return size;
}

void TExifDataBlock::SaveEntry(size_t i, bool motorola, uint32_t valueOffset, uint8_t entry[12],
                               std::vector<uint8_t>& value) const {
  const TExifDataBlockField& f = fields_.at(i);
  const uint32_t typeSize = exif::TypeSize(f.type);
  exif::StoreU16(entry, f.tag, motorola);
  exif::StoreU16(entry + 2, f.type, motorola);
  exif::StoreU32(entry + 4, uint32_t(f.value.size() / typeSize), motorola);
  value = InOrder(f, motorola);
  std::memset(entry + 8, 0, 4);
  if (value.size() <= 4) {
    std::memcpy(entry + 8, value.data(), value.size());
    value.clear();
    return;
  }
  exif::StoreU32(entry + 8, valueOffset, motorola);
  value.resize(Padded(value.size()), 0);
}

std::vector<uint8_t> TExifDataBlock::SaveIfd(bool motorola, uint32_t ifdOffset) const {
  const size_t entriesEnd = 2 + 12 * fields_.size() + 4;
  std::vector<uint8_t> out(entriesEnd);
  exif::StoreU16(out.data(), uint16_t(fields_.size()), motorola);
  for (size_t i = 0; i < fields_.size(); ++i) {
    std::vector<uint8_t> value;
    SaveEntry(i, motorola, ifdOffset + uint32_t(out.size()), out.data() + 2 + 12 * i, value);
    out.insert(out.end(), value.begin(), value.end());
  }
  return out;
}

void TExifDataBlock::SavePointerEntry(bool motorola, uint32_t ifdOffset, uint8_t entry[12]) const {
  exif::StoreU16(entry, pointerTag_, motorola);
  exif::StoreU16(entry + 2, exif::kTypeLong, motorola);
  exif::StoreU32(entry + 4, 1, motorola);
  exif::StoreU32(entry + 8, ifdOffset, motorola);
}
