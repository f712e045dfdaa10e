#include "gallery/slideshow/SlideShowRecords.h"

#include <bit>
#include <cmath>

#include "foundation/LittleEndian.h"
#include "gallery/projects/FixedText.h"

using namespace SlideShowRecords;

namespace {

// Field positions and sizes of the two layouts.
constexpr size_t kIndexAt = 0, kCountAt = 4, kTitleAt = 8, kTitleSize = kMaxTitle + 1;
constexpr size_t kSpareAt = kTitleAt + kTitleSize, kSpareSize = 256;
static_assert(kSpareAt + kSpareSize == kProjectSize);

constexpr size_t kFlagAt = 0, kDateAt = 1, kCommentAt = 9, kCommentSize = kMaxComment + 1;
constexpr size_t kInfoRestAt = kCommentAt + kCommentSize;
static_assert(kInfoRestAt + 256 == kInfoSize);

}  // namespace

ProjectBytes TSlideShowProject::Encode() const {
  ProjectBytes bytes{};
  const std::span<unsigned char, kProjectSize> s(bytes);
  LittleEndian::Put32(s.subspan<kIndexAt, 4>(), static_cast<uint32_t>(Index));
  LittleEndian::Put32(s.subspan<kCountAt, 4>(), static_cast<uint32_t>(Count));
  FixedText::Put(s.subspan<kTitleAt, kTitleSize>(), Title);
  return bytes;
}

TSlideShowProject TSlideShowProject::Decode(std::span<const unsigned char, kProjectSize> s) {
  TSlideShowProject project;
  project.Index = static_cast<int32_t>(LittleEndian::Get32(s.subspan<kIndexAt, 4>()));
  project.Count = static_cast<int32_t>(LittleEndian::Get32(s.subspan<kCountAt, 4>()));
  project.Title = FixedText::Get(s.subspan<kTitleAt, kTitleSize>());
  return project;
}

InfoBytes TSlideInfoRec::Encode() const {
  InfoBytes bytes{};
  if (!ExifRead) return bytes;
  const std::span<unsigned char, kInfoSize> s(bytes);
  s[kFlagAt] = 1;
  LittleEndian::Put64(s.subspan<kDateAt, 8>(), std::bit_cast<uint64_t>(Digitized));
  FixedText::Put(s.subspan<kCommentAt, kCommentSize>(), Comment);
  return bytes;
}

TSlideInfoRec TSlideInfoRec::Decode(std::span<const unsigned char, kInfoSize> s) {
  TSlideInfoRec info;
  info.ExifRead = s[kFlagAt] != 0;
  const double date = std::bit_cast<double>(LittleEndian::Get64(s.subspan<kDateAt, 8>()));
  // A stored value that is no number stands for no date.
  info.Digitized = std::isfinite(date) ? date : 0;
  info.Comment = FixedText::Get(s.subspan<kCommentAt, kCommentSize>());
  return info;
}
