// JPEG resizing and re-encoding: one photo into another of a chosen size and
// quality, the stretch of a bitmap to a given pixel size, and the two ways of
// bringing a picture to a fixed box without distorting it: fitted into the
// box, or cut from its centre to fill it.
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

// Replaces graphic by a picture of exactly width x height cut from its
// centre: the largest middle part of the target's shape, scaled to the
// target, so nothing is distorted and what sticks out is cut off evenly on
// both sides. A picture smaller than the target is enlarged. An empty graphic
// or a size below 1 as StretchBitmap.
void FillBitmap(platform::Bitmap& graphic, int width, int height);

// The size of a width x height picture fitted into boxWidth x boxHeight with
// its aspect ratio kept: the side that meets the box first takes the box's
// size, the other its share, rounded to the nearest pixel, at least 1. A
// picture that fits already keeps its size: nothing is enlarged. A side
// below 1 leaves the size as it is.
void FitWithin(int& width, int& height, int boxWidth, int boxHeight);

// The size ConvertJpegFile gives a picture of width x height (standing as it
// is to be saved) by mode and bounds, as listed there.
void ModeSize(std::uint8_t mode, int boundA, int boundB, int& width, int& height);

// Loads srcFile, sizes it by mode, encodes it with quality (1 to 100) and
// saves it as dstFile, replacing it.
//   mode 0: the photo's own size passed through FitIntoBox(boundA, boundB);
//   mode 1: fitted into 566 x 425 (FitWithin: aspect kept, never enlarged),
//           so a 4:3 photo is 566 x 425, a 3:2 one 566 x 377 and a 3:4
//           portrait 319 x 425;
//   mode 2: exactly 100 x 75, cut from the photo's centre (FillBitmap);
//   mode 3: fitted into 100 x 75;
//   any other mode keeps the photo's own size.
// The photo is scaled to that size (at least 1 x 1), even when it is its
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
// portrait photo stored on its side is fitted standing. Decoded once,
// scaled by the decoder as far as the size allows. With orientation 1 the
// picture is exactly the one ConvertJpegFile saves. False, with picture
// empty, where ConvertJpegFile fails before writing.
[[nodiscard]] bool LoadForMode(const std::string& srcFile, std::uint8_t mode, int boundA, int boundB,
                               int orientation, platform::Bitmap& picture);

}  // namespace ConvertJPeg
