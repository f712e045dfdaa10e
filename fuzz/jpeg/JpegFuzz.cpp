// Decodes arbitrary bytes as a JPEG, at full size and at 1/8 scale, and
// stretches what decodes to a thumbnail.
#include <cstdint>
#include <cstdlib>

#include "metadata/ConvertJPeg.h"
#include "platform/jpeg/JpegReader.h"

namespace {

// Larger pictures decode the same way, only slower: a few hundred bytes of
// arithmetic-coded data can describe a whole 200-megapixel picture.
constexpr uint64_t kMaxFuzzPixels = uint64_t{1} << 22;

void DecodeOnce(const uint8_t* data, size_t size, int minSide) {
  platform::JpegReader reader;
  if (!reader.OpenData(data, size) ||
      uint64_t{static_cast<uint32_t>(reader.Width())} * static_cast<uint32_t>(reader.Height()) >
          kMaxFuzzPixels) {
    return;
  }
  platform::Bitmap picture;
  if (!reader.Decode(picture, minSide, minSide)) {
    if (picture.width != 0 || !picture.pixels.empty()) {
      std::abort();  // a failed decode must leave nothing behind
    }
    return;
  }
  const uint64_t bytes = uint64_t{3} * static_cast<uint64_t>(picture.width) *
                         static_cast<uint64_t>(picture.height);
  if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != bytes ||
      picture.width > reader.Width() || picture.height > reader.Height()) {
    std::abort();
  }
  // Cut to a cell's shape from pictures of any shape, then stretched.
  platform::Bitmap cut = picture;
  ConvertJPeg::FillBitmap(cut, 16, 12);
  if (cut.width != 16 || cut.height != 12 || cut.pixels.size() != size_t{16} * 12 * 3) std::abort();
  ConvertJPeg::StretchBitmap(picture, 16, 12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodeOnce(data, size, 0);  // full size
  DecodeOnce(data, size, 1);  // the smallest scale, 1/8
  return 0;
}
