#include "metadata/ConvertJPeg.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "foundation/StrFunc.h"
#include "metadata/Orientation.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"

namespace ConvertJPeg {
namespace {

// The largest side a JPEG can have.
constexpr int kMaxSide = 65500;

// The fixed boxes of modes 1 to 3: for a picture at least as wide as high,
// and for a higher one (the box turned, its width scaled by 425 / 566 or
// 75 / 100 and rounded).
struct ModeBox {
  int wideWidth;
  int wideHeight;
  int tallWidth;
  int tallHeight;
};
constexpr ModeBox kModeBoxes[] = {
    {566, 425, 319, 425},  // 1: site photo
    {100, 75, 100, 75},    // 2: site thumbnail, any shape
    {100, 75, 56, 75},     // 3: thumbnail
};

// Nearest integer, halves to even, held within the int range (NaN gives 0).
int RoundHalfEven(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  if (value <= static_cast<double>(INT_MIN)) {
    return INT_MIN;
  }
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
    result += 1.0;
  }
  return static_cast<int>(result);
}

int AbsoluteBound(int bound) {
  return bound == INT_MIN ? INT_MAX : std::abs(bound);
}

void FitBothBounds(int& width, int& height, int a, int b, bool shrinkOnly) {
  if (b > a) {
    std::swap(a, b);
  }
  const bool wide = width > height;
  const int boxWidth = wide ? a : b;
  const int boxHeight = wide ? b : a;
  if (shrinkOnly && width <= boxWidth && height <= boxHeight) {
    return;
  }
  width = boxWidth;
  height = boxHeight;
}

void FitWide(int& width, int& height, int a, int b, bool shrinkOnly) {
  const double ratio = static_cast<double>(width) / height;
  if (a == 0) {
    a = RoundHalfEven(b * ratio);
  } else {
    b = RoundHalfEven(a / ratio);
  }
  if (shrinkOnly && width <= a && height <= b) {
    return;
  }
  width = a;
  height = b;
}

void FitTall(int& width, int& height, int a, int b, bool shrinkOnly) {
  const double ratio = static_cast<double>(height) / width;
  if (a == 0) {
    a = RoundHalfEven(b * ratio);
  } else {
    b = RoundHalfEven(a / ratio);
  }
  if (shrinkOnly && width <= b && height <= a) {
    return;
  }
  const double boxRatio = static_cast<double>(a) / b;
  height = b;
  width = RoundHalfEven(b / boxRatio);
}

void TargetSize(std::uint8_t mode, int boundA, int boundB, int& width, int& height) {
  if (mode == 0) {
    FitIntoBox(width, height, boundA, boundB);
  } else if (mode <= std::size(kModeBoxes)) {
    const ModeBox& box = kModeBoxes[mode - 1];
    const bool wide = width >= height;
    width = wide ? box.wideWidth : box.tallWidth;
    height = wide ? box.wideHeight : box.tallHeight;
  }
}

bool Load(const std::string& srcFile, std::uint8_t mode, int boundA, int boundB, int orientation,
          platform::Bitmap& picture) {
  platform::JpegReader reader;
  if (!reader.OpenFile(StrFunc::StripLongPathPrefix(srcFile))) {
    return false;
  }
  int width = reader.Width();
  int height = reader.Height();
  Orientation::UprightSize(orientation, width, height);
  TargetSize(mode, boundA, boundB, width, height);
  width = std::max(width, 1);
  height = std::max(height, 1);
  const std::uint64_t pixels = std::uint64_t{static_cast<unsigned>(width)} * static_cast<unsigned>(height);
  if (width > kMaxSide || height > kMaxSide || pixels > platform::JpegReader::kMaxPixels) {
    return false;
  }
  // The decoder scales the stored picture, which lies on its side when the
  // upright one has its sides swapped.
  const bool swapped = Orientation::SwapsSides(orientation);
  if (!reader.Decode(picture, swapped ? height : width, swapped ? width : height)) {
    return false;
  }
  Orientation::TurnUpright(picture, orientation);
  StretchBitmap(picture, width, height);
  return true;
}

}  // namespace

bool LoadForMode(const std::string& srcFile, std::uint8_t mode, int boundA, int boundB,
                 int orientation, platform::Bitmap& picture) {
  picture = platform::Bitmap();
  try {
    if (Load(srcFile, mode, boundA, boundB, orientation, picture)) return true;
  } catch (...) {
  }
  picture = platform::Bitmap();
  return false;
}

bool ConvertJpegFile(const std::string& srcFile, const std::string& dstFile, std::uint8_t mode,
                     int boundA, int boundB, std::uint8_t quality) {
  try {
    platform::Bitmap picture;
    return Load(srcFile, mode, boundA, boundB, 1, picture) &&
           platform::WriteJpegFile(picture, StrFunc::StripLongPathPrefix(dstFile), quality);
  } catch (...) {
    return false;
  }
}

void FitIntoBox(int& width, int& height, int boundA, int boundB) {
  if (boundA == 0 && boundB == 0) {
    return;
  }
  const bool shrinkOnly = boundA < 0 || boundB < 0;
  const int a = AbsoluteBound(boundA);
  const int b = AbsoluteBound(boundB);
  if (a != 0 && b != 0) {
    FitBothBounds(width, height, a, b, shrinkOnly);
  } else if (width > height) {
    FitWide(width, height, a, b, shrinkOnly);
  } else {
    FitTall(width, height, a, b, shrinkOnly);
  }
}

}  // namespace ConvertJPeg
