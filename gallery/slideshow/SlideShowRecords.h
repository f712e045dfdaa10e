// The two records of a slide-show package: one per project in the entry
// "ssplist.tmp", one per picture in its ".inf" entry. Integers are signed
// 32-bit little-endian; text fields are a length byte and UTF-8 text
// (gallery/FixedText), zeros after it.
//
// TSlideShowProject, 345 bytes:
//   0   4  project index in the projects file
//   4   4  picture count
//   8  81  title, up to 80 bytes (the project's name)
//   89 256 a text field, written empty (all zero)
//
// TSlideInfoRec, 516 bytes:
//   0   1  1 when the photo's EXIF was read, else 0
//   1   8  DateTimeDigitized as a TDateTime (IEEE double, little-endian)
//   9 251  the user comment, up to 250 bytes
//   260 256 zero
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "foundation/DateTime.h"

namespace SlideShowRecords {

constexpr size_t kProjectSize = 345;
constexpr size_t kInfoSize = 516;
constexpr size_t kMaxTitle = 80;
constexpr size_t kMaxComment = 250;

using ProjectBytes = std::array<unsigned char, kProjectSize>;
using InfoBytes = std::array<unsigned char, kInfoSize>;

}  // namespace SlideShowRecords

// One project of a package.
struct TSlideShowProject {
  int32_t Index = 0;
  int32_t Count = 0;
  std::string Title;

  SlideShowRecords::ProjectBytes Encode() const;
  static TSlideShowProject Decode(std::span<const unsigned char, SlideShowRecords::kProjectSize> bytes);
};

// What the show tells about one picture. A photo without EXIF has the flag
// clear and zeros elsewhere.
struct TSlideInfoRec {
  bool ExifRead = false;
  TDateTime Digitized = 0;
  std::string Comment;

  SlideShowRecords::InfoBytes Encode() const;
  static TSlideInfoRec Decode(std::span<const unsigned char, SlideShowRecords::kInfoSize> bytes);
};
