#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "metadata/ConvertJPeg.h"

namespace ConvertJPeg {
namespace {

// Weights are fixed-point numbers with kShift fraction bits; the weights of
// one output pixel add up to exactly kOne.
constexpr int kShift = 14;
constexpr int kOne = 1 << kShift;

// For each output pixel along one axis: the first source pixel and the
// weights of the source pixels from there on.
struct AxisTaps {
  std::vector<std::size_t> first;
  std::vector<std::size_t> count;
  std::vector<std::size_t> offset;  // into weights
  std::vector<int> weights;
};

// Source pixel i covers [i, i + 1). Shrinking averages the source pixels
// under the output pixel's footprint, each weighted by the overlap;
// enlarging interpolates linearly between the two nearest pixel centres.
// Both sizes are positive, so every position here is too.
std::vector<double> SourceWeights(int out, int inSize, double scale, std::size_t& first) {
  if (scale > 1.0) {
    const double low = out * scale;
    const double high = std::min((out + 1) * scale, static_cast<double>(inSize));
    first = static_cast<std::size_t>(low);
    const std::size_t last = std::max(first, static_cast<std::size_t>(std::ceil(high)) - 1);
    std::vector<double> weights;
    for (std::size_t i = first; i <= last; ++i) {
      const auto left = static_cast<double>(i);
      weights.push_back(std::min(high, left + 1.0) - std::max(low, left));
    }
    return weights;
  }
  const double centre = std::clamp((out + 0.5) * scale - 0.5, 0.0, inSize - 1.0);
  first = static_cast<std::size_t>(centre);
  const double fraction = centre - static_cast<double>(first);
  if (fraction == 0.0) {
    return {1.0};
  }
  return {1.0 - fraction, fraction};
}

// Turns weights into fixed point summing to kOne; the rounding remainder
// goes to the largest weight.
void AppendFixedWeights(const std::vector<double>& weights, std::vector<int>& out) {
  double total = 0.0;
  for (double w : weights) {
    total += w;
  }
  const std::size_t start = out.size();
  std::size_t largest = start;
  int sum = 0;
  for (double w : weights) {
    const int fixed = static_cast<int>(std::lround(w / total * kOne));
    if (out.size() == start || fixed > out[largest]) {
      largest = out.size();
    }
    out.push_back(fixed);
    sum += fixed;
  }
  out[largest] += kOne - sum;
}

AxisTaps BuildTaps(int inSize, int outSize) {
  AxisTaps taps;
  const double scale = static_cast<double>(inSize) / outSize;
  for (int out = 0; out < outSize; ++out) {
    std::size_t first = 0;
    const std::vector<double> weights = SourceWeights(out, inSize, scale, first);
    taps.first.push_back(first);
    taps.count.push_back(weights.size());
    taps.offset.push_back(taps.weights.size());
    AppendFixedWeights(weights, taps.weights);
  }
  return taps;
}

std::uint8_t ToByte(int accumulated) {
  return static_cast<std::uint8_t>(std::clamp((accumulated + kOne / 2) >> kShift, 0, 255));
}

// Resamples every row of src (whole: IsWhole) into dst, taps.first.size()
// pixels wide.
void StretchRows(const platform::Bitmap& src, const AxisTaps& taps,
                 std::vector<std::uint8_t>& dst) {
  const std::size_t outWidth = taps.first.size();
  const auto height = static_cast<std::size_t>(src.height);
  const std::size_t srcRow = std::size_t{3} * static_cast<std::size_t>(src.width);
  const std::size_t dstRow = std::size_t{3} * outWidth;
  dst.assign(dstRow * height, 0);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* in = src.pixels.data() + y * srcRow;
    std::uint8_t* out = dst.data() + y * dstRow;
    for (std::size_t x = 0; x < outWidth; ++x) {
      const int* w = taps.weights.data() + taps.offset[x];
      const std::uint8_t* p = in + 3 * taps.first[x];
      int r = 0, g = 0, b = 0;
      for (std::size_t k = 0; k < taps.count[x]; ++k, p += 3) {
        r += w[k] * p[0];
        g += w[k] * p[1];
        b += w[k] * p[2];
      }
      out[3 * x] = ToByte(r);
      out[3 * x + 1] = ToByte(g);
      out[3 * x + 2] = ToByte(b);
    }
  }
}

// Resamples the columns of rows (target.width wide) into the target bitmap,
// taps.first.size() rows high.
void StretchColumns(const std::vector<std::uint8_t>& rows, const AxisTaps& taps,
                    platform::Bitmap& target) {
  const std::size_t rowBytes = std::size_t{3} * static_cast<std::size_t>(target.width);
  std::vector<int> sums(rowBytes);
  for (std::size_t y = 0; y < taps.first.size(); ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    const int* w = taps.weights.data() + taps.offset[y];
    for (std::size_t k = 0; k < taps.count[y]; ++k) {
      const std::uint8_t* in = rows.data() + (taps.first[y] + k) * rowBytes;
      for (std::size_t i = 0; i < rowBytes; ++i) {
        sums[i] += w[k] * in[i];
      }
    }
    std::uint8_t* out = target.pixels.data() + y * rowBytes;
    for (std::size_t i = 0; i < rowBytes; ++i) {
      out[i] = ToByte(sums[i]);
    }
  }
}

bool IsWhole(const platform::Bitmap& graphic) {
  return graphic.width > 0 && graphic.height > 0 &&
         graphic.pixels.size() == std::size_t{3} * static_cast<std::size_t>(graphic.width) *
                                      static_cast<std::size_t>(graphic.height);
}

}  // namespace

void StretchBitmap(platform::Bitmap& graphic, int width, int height) {
  if (width <= 0 || height <= 0) {
    graphic = platform::Bitmap{};
    return;
  }
  if (IsWhole(graphic) && graphic.width == width && graphic.height == height) {
    return;
  }
  platform::Bitmap stretched;
  stretched.width = width;
  stretched.height = height;
  stretched.pixels.assign(std::size_t{3} * static_cast<std::size_t>(width) *
                              static_cast<std::size_t>(height),
                          0);
  if (IsWhole(graphic)) {
    std::vector<std::uint8_t> rows;
    StretchRows(graphic, BuildTaps(graphic.width, width), rows);
    StretchColumns(rows, BuildTaps(graphic.height, height), stretched);
  }
  graphic = std::move(stretched);
}

}  // namespace ConvertJPeg
