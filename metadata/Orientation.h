// The EXIF orientation of a photo: how its stored pixels must be turned or
// mirrored to stand upright.
//   1 as stored             2 mirrored left to right
//   3 turned 180°           4 mirrored top to bottom
//   5 mirrored along the main diagonal (rows become columns)
//   6 turned 90° clockwise  7 mirrored along the other diagonal
//   8 turned 90° anticlockwise
// Any other number counts as 1.
#pragma once

#include "platform/jpeg/Bitmap.h"

namespace Orientation {

// True when the upright picture has width and height swapped (5 to 8).
bool SwapsSides(int orientation);

// Turns and mirrors picture in place so that it stands upright.
void TurnUpright(platform::Bitmap& picture, int orientation);

// The upright size of a stored width x height.
void UprightSize(int orientation, int& width, int& height);

}  // namespace Orientation
