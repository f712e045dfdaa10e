// What a photo puts into a slide-show package besides its thumbnail: its
// information record and its picture re-encoded for the screen.
#pragma once

#include <string>

#include "gallery/slideshow/SlideShowRecords.h"

class TExifReader;

namespace SlideShowPhoto {

// The record of a photo the reader has read: the flag, DateTimeDigitized
// and the comment (cut to 250 bytes) when its EXIF was read, else zeros.
TSlideInfoRec InfoOf(const TExifReader& reader, bool exifRead);

// The photo sized for the screen as ConvertJPeg::ConvertJpegFile with mode
// 0, bounds -1600 and 0 and quality 80 gives it (never enlarged), standing
// upright: a photo whose orientation tag asks to be turned is turned first
// and sized by its upright shape. Written whole to dstFile; false when the
// photo does not decode or dstFile cannot be written.
[[nodiscard]] bool EncodeForScreen(const std::string& photo, int orientation,
                                   const std::string& dstFile);

}  // namespace SlideShowPhoto
