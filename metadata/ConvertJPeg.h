// JPEG resizing and re-encoding: one photo into another of a chosen size and
// quality, and the stretch of a bitmap to a given pixel size.
#pragma once

#include <cstdint>
#include <string>

#include "platform/jpeg/Bitmap.h"

namespace ConvertJPeg {

// Replaces graphic by a bitmap of width x height onto which the old picture
// is stretched: the whole picture, its aspect ratio following the new size
// (area averaging when shrinking, linear when enlarging). An empty graphic
// becomes a black bitmap of that size; a width or height below 1 gives an
// empty bitmap.
void StretchBitmap(platform::Bitmap& graphic, int width, int height);

// Loads srcFile, sizes it by mode, encodes it with quality (1 to 100) and
// saves it as dstFile, replacing it.
//   mode 0: the photo's own size passed through FitIntoBox(boundA, boundB);
//   mode 1: 566 x 425, or 319 x 425 for a photo higher than wide;
//   mode 2: 100 x 75 whatever the photo's shape;
//   mode 3: 100 x 75, or 56 x 75 for a photo higher than wide;
//   any other mode keeps the photo's own size.
// The photo is stretched to that size (at least 1 x 1), even when it is its
// own. dstFile is written under a temporary name beside it and renamed when
// complete, so on failure an existing dstFile is left as it was and no
// partial file remains. Returns false, never throws, when srcFile is missing,
// damaged or not a JPEG, when the size is beyond what a JPEG can hold, or
// when dstFile cannot be written.
[[nodiscard]] bool ConvertJpegFile(const std::string& srcFile, const std::string& dstFile, std::uint8_t mode,
                     int boundA, int boundB, std::uint8_t quality);

// The size computation of mode 0, on a picture of width x height. Rounding
// is to the nearest integer, halves to even.
//   - Both bounds 0: nothing changes.
//   - A negative bound means shrink only; the bounds' absolute values count.
//   - Both bounds given: the larger bound goes along the longer side (width
//     of a picture wider than high, else height), the other along the
//     shorter; the picture is stretched to that box. Shrink only keeps a
//     picture that already fits.
//   - One bound given: the missing bound is derived from the picture's
//     aspect ratio. A picture wider than high becomes A x B. Any other
//     picture first takes the box B x A, then keeps its aspect ratio at
//     height B: 2000 x 3000 becomes 1067 x 1600 with A = 0, B = 1600 and
//     712 x 1067 with A = 1600, B = 0. Shrink only keeps a picture that
//     already fits the box.
void FitIntoBox(int& width, int& height, int boundA, int boundB);

// The picture ConvertJpegFile encodes for srcFile, mode and bounds, with the
// photo first stood upright by its EXIF orientation (metadata/Orientation.h;
// 1 keeps it as stored), so that the size rules see the upright shape: a
// portrait photo stored on its side gets mode 1's 319 x 425. Decoded once,
// scaled by the decoder as far as the size allows. With orientation 1 the
// picture is exactly the one ConvertJpegFile saves. False, with picture
// empty, where ConvertJpegFile fails before writing.
[[nodiscard]] bool LoadForMode(const std::string& srcFile, std::uint8_t mode, int boundA, int boundB,
                               int orientation, platform::Bitmap& picture);

}  // namespace ConvertJPeg
