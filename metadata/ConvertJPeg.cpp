#include "metadata/ConvertJPeg.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
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

// The fixed boxes of modes 1 to 3. A photo is fitted into its box with its
// aspect ratio kept; a site thumbnail fills its box, cut from the photo's
// centre, since the film strip's holes have that one size.
struct ModeBox {
  int width;
  int height;
  bool fill;
};
constexpr ModeBox kModeBoxes[] = {
    {566, 425, false},  // 1: site photo
    {100, 75, true},    // 2: site thumbnail
    {100, 75, false},   // 3: thumbnail
};

bool Fills(std::uint8_t mode) {
  return mode >= 1 && mode <= std::size(kModeBoxes) && kModeBoxes[mode - 1].fill;
}

// numerator / denominator rounded to the nearest integer, halves up; both
// positive.
int RoundedShare(std::int64_t numerator, std::int64_t denominator) {
  return static_cast<int>((2 * numerator + denominator) / (2 * denominator));
}

// Keeps the middle width x height of a whole graphic at least that large.
void CutMiddle(platform::Bitmap& graphic, int width, int height) {
  if (width == graphic.width && height == graphic.height) {
    return;
  }
  const auto left = static_cast<std::size_t>((graphic.width - width) / 2);
  const auto top = static_cast<std::size_t>((graphic.height - height) / 2);
  const std::size_t rowBytes = std::size_t{3} * static_cast<std::size_t>(width);
  const std::size_t sourceRow = std::size_t{3} * static_cast<std::size_t>(graphic.width);
  platform::Bitmap cut;
  cut.width = width;
  cut.height = height;
  cut.pixels.resize(rowBytes * static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const auto from = graphic.pixels.begin() + static_cast<std::ptrdiff_t>((top + y) * sourceRow + left * 3);
    std::copy(from, from + static_cast<std::ptrdiff_t>(rowBytes),
              cut.pixels.begin() + static_cast<std::ptrdiff_t>(y * rowBytes));
  }
  graphic = std::move(cut);
}

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

bool Load(const std::string& srcFile, std::uint8_t mode, int boundA, int boundB, int orientation,
          platform::Bitmap& picture) {
  platform::JpegReader reader;
  if (!reader.OpenFile(StrFunc::StripLongPathPrefix(srcFile))) {
    return false;
  }
  int width = reader.Width();
  int height = reader.Height();
  Orientation::UprightSize(orientation, width, height);
  ModeSize(mode, boundA, boundB, width, height);
  width = std::max(width, 1);
  height = std::max(height, 1);
  const std::uint64_t pixels = std::uint64_t{static_cast<unsigned>(width)} * static_cast<unsigned>(height);
  if (width > kMaxSide || height > kMaxSide || pixels > platform::JpegReader::kMaxPixels) {
    return false;
  }
  // The decoder scales the stored picture, which lies on its side when the
  // upright one has its sides swapped. At least the target's size both ways
  // leaves a cut enough pixels too.
  const bool swapped = Orientation::SwapsSides(orientation);
  if (!reader.Decode(picture, swapped ? height : width, swapped ? width : height)) {
    return false;
  }
  Orientation::TurnUpright(picture, orientation);
  if (Fills(mode)) {
    FillBitmap(picture, width, height);
  } else {
    StretchBitmap(picture, width, height);
  }
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

void FitWithin(int& width, int& height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || (width <= boxWidth && height <= boxHeight)) {
    return;
  }
  const std::int64_t w = width, h = height;
  const std::int64_t boxW = std::max(boxWidth, 1), boxH = std::max(boxHeight, 1);
  // The side whose share of the box is the smaller meets it first.
  if (w * boxH >= h * boxW) {
    height = std::max(1, RoundedShare(h * boxW, w));
    width = static_cast<int>(boxW);
  } else {
    width = std::max(1, RoundedShare(w * boxH, h));
    height = static_cast<int>(boxH);
  }
}

void ModeSize(std::uint8_t mode, int boundA, int boundB, int& width, int& height) {
  if (mode == 0) {
    FitIntoBox(width, height, boundA, boundB);
  } else if (mode <= std::size(kModeBoxes)) {
    const ModeBox& box = kModeBoxes[mode - 1];
    if (box.fill) {
      width = box.width;
      height = box.height;
    } else {
      FitWithin(width, height, box.width, box.height);
    }
  }
}

void FillBitmap(platform::Bitmap& graphic, int width, int height) {
  const bool whole = graphic.width > 0 && graphic.height > 0 &&
                     graphic.pixels.size() == std::size_t{3} * static_cast<std::size_t>(graphic.width) *
                                                  static_cast<std::size_t>(graphic.height);
  if (whole && width > 0 && height > 0) {
    // The largest part of the target's shape, in the middle.
    int cutWidth = graphic.width;
    int cutHeight = graphic.height;
    if (std::int64_t{graphic.width} * height > std::int64_t{graphic.height} * width) {
      cutWidth = std::clamp(RoundedShare(std::int64_t{graphic.height} * width, height), 1, graphic.width);
    } else {
      cutHeight = std::clamp(RoundedShare(std::int64_t{graphic.width} * height, width), 1, graphic.height);
    }
    CutMiddle(graphic, cutWidth, cutHeight);
  }
  StretchBitmap(graphic, width, height);
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
