// Internal to the exif unit: the display text of a decoded entry. The
// formatters read nothing but their arguments and change nothing.
#pragma once

#include <cstdint>
#include <string>

#include "metadata/exifValue.h"

namespace exif {

// The text of a non-ASCII entry of an IFD kind. An enumerated value without a
// text gives "Unknown: " and the number, or, when hideUnnamed is set, the
// one-character NUL text that adds no row. A text with CR LF holds name and
// text lines in pairs, one row each.
std::string FormatValue(uint8_t kind, uint16_t tag, const TExifValueView& v, bool hideUnnamed);
// The text of an ASCII entry, given its text as read.
std::string FormatAscii(uint8_t kind, uint16_t tag, const std::string& text);

// Texts that are kept as typed values too.
// "1/125 s", "1 + 1/2 s", "15 s". REQUIRES seconds > 0.
std::string ExposureTimeText(double seconds);
// Every rational of an unsigned entry: "n/d, n/d".
std::string RationalListText(const TExifValueView& v);
// The four bytes of a version value: "0220" gives "2.20".
std::string VersionText(const TExifValueView& v);
// Four hexadecimal digits of the high half, five decimal digits of the low.
std::string CanonSerialText(uint32_t value);
// The whole user comment, its character code in front unless it is ASCII or
// UNICODE; trailing blanks removed.
std::string UserCommentText(const TExifValueView& v);

}  // namespace exif
