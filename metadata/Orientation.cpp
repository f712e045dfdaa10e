#include "metadata/Orientation.h"

#include <cstddef>
#include <utility>

namespace Orientation {

namespace {

// Where the pixel at upright (x, y) is taken from in the stored picture of
// width w and height h.
struct Source {
  int x, y;
};

Source SourceOf(int orientation, int x, int y, int w, int h) {
  switch (orientation) {
    case 2: return {w - 1 - x, y};
    case 3: return {w - 1 - x, h - 1 - y};
    case 4: return {x, h - 1 - y};
    case 5: return {y, x};
    case 6: return {y, h - 1 - x};
    case 7: return {w - 1 - y, h - 1 - x};
    case 8: return {w - 1 - y, x};
    default: return {x, y};
  }
}

}  // namespace

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

void UprightSize(int orientation, int& width, int& height) {
  if (SwapsSides(orientation)) std::swap(width, height);
}

void TurnUpright(platform::Bitmap& picture, int orientation) {
  if (orientation < 2 || orientation > 8 || picture.pixels.empty()) return;
  const int w = picture.width, h = picture.height;
  platform::Bitmap upright;
  upright.width = w;
  upright.height = h;
  UprightSize(orientation, upright.width, upright.height);
  upright.pixels.resize(picture.pixels.size());
  for (int y = 0; y < upright.height; ++y) {
    for (int x = 0; x < upright.width; ++x) {
      const Source s = SourceOf(orientation, x, y, w, h);
      const size_t from = (size_t(s.y) * size_t(w) + size_t(s.x)) * 3;
      const size_t to = (size_t(y) * size_t(upright.width) + size_t(x)) * 3;
      for (size_t c = 0; c < 3; ++c) upright.pixels[to + c] = picture.pixels[from + c];
    }
  }
  picture = std::move(upright);
}

}  // namespace Orientation
