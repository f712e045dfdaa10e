#include "gallery/checker/ImageCRCCache.h"

#include <algorithm>
#include <bit>
#include <span>

#include "foundation/LittleEndian.h"
#include "gallery/projects/FixedText.h"
#include "platform/TextFile.h"

namespace ImageCRC {

namespace {

constexpr size_t kNameAt = 0, kNameSize = 128;
constexpr size_t kStampAt = 128, kSizeAt = 136, kCrcAt = 140, kReservedAt = 144;
static_assert(kNameAt + kNameSize == kStampAt && kStampAt + 8 == kSizeAt &&
              kSizeAt + 4 == kCrcAt && kCrcAt + 4 == kReservedAt &&
              kReservedAt + 32 == kCacheRecordSize);

void Encode(const TCheckerField& field, std::span<unsigned char, kCacheRecordSize> r) {
  std::fill(r.begin(), r.end(), 0);
  FixedText::Put(r.subspan<kNameAt, kNameSize>(), field.name);
  LittleEndian::Put64(r.subspan<kStampAt, 8>(), std::bit_cast<uint64_t>(field.stamp));
  LittleEndian::Put32(r.subspan<kSizeAt, 4>(), field.size);
  LittleEndian::Put32(r.subspan<kCrcAt, 4>(), static_cast<uint32_t>(field.crc));
}

TCheckerField Decode(std::span<const unsigned char, kCacheRecordSize> r) {
  TCheckerField field;
  field.name = FixedText::Get(r.subspan<kNameAt, kNameSize>());
  field.stamp = std::bit_cast<double>(LittleEndian::Get64(r.subspan<kStampAt, 8>()));
  field.size = LittleEndian::Get32(r.subspan<kSizeAt, 4>());
  field.crc = static_cast<int32_t>(LittleEndian::Get32(r.subspan<kCrcAt, 4>()));
  return field;
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace

std::vector<TCheckerField> ReadCacheFile(const std::string& path) {
  std::string bytes;
  std::vector<TCheckerField> records;
  if (platform::ReadWholeFile(path, kMaxCacheRecords * kCacheRecordSize, bytes) !=
      platform::ReadResult::kOk)
    return records;
  const std::span data(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  for (size_t at = 0; at + kCacheRecordSize <= data.size(); at += kCacheRecordSize) {
    TCheckerField field = Decode(data.subspan(at).first<kCacheRecordSize>());
    if (IsPlainFileName(field.name)) records.push_back(std::move(field));
  }
  return records;
}

bool WriteCacheFile(const std::string& path, const std::vector<TCheckerField>& records) {
  std::string bytes(records.size() * kCacheRecordSize, '\0');
  const std::span data(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  for (size_t i = 0; i < records.size(); ++i)
    Encode(records[i], data.subspan(i * kCacheRecordSize).first<kCacheRecordSize>());
  return platform::ReplaceFile(path, bytes);
}

}  // namespace ImageCRC
