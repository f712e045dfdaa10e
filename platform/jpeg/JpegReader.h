// Decoding of JPEG files and buffers into 24-bit RGB bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/jpeg/Bitmap.h"

namespace platform {

namespace jpeg_detail {
struct ReaderState;
}

// Reads one JPEG: Open* reads the header, so the caller can learn the size
// before choosing how far to scale the decode; Decode then decodes it once.
//
// Any damage is a failure, never a grey-filled picture: a truncated stream,
// a corrupt entropy segment or a lost restart marker make Decode return
// false. Greyscale, YCbCr, RGB, CMYK and YCCK pictures are accepted; CMYK
// and YCCK are converted to RGB (stored inverted when an Adobe marker is
// present, as image editors write them).
//
// A picture larger than kMaxPixels, or with more than kMaxScans progressive
// scans, is refused before its pixels are decoded, so a hostile header can
// neither make the reader allocate without limit nor keep it busy.
class JpegReader {
 public:
  static constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;
  static constexpr int kMaxScans = 500;

  JpegReader();
  ~JpegReader();
  JpegReader(const JpegReader&) = delete;
  JpegReader& operator=(const JpegReader&) = delete;

  // Opens the file and reads the JPEG header. Returns false when the file
  // cannot be read, is not a JPEG or its size is out of bounds.
  // REQUIRES: called once, before Decode.
  bool OpenFile(const std::string& path);
  // The same for a JPEG in memory. REQUIRES: data stays valid and unchanged
  // until the reader is destroyed.
  bool OpenData(const void* data, std::size_t size);

  // Keeps the first kMaxComment bytes of each comment (COM) segment while the
  // header is read, for Comment(). Off by default: a hostile file could hold
  // a great many such segments. REQUIRES: called before an Open call.
  static constexpr unsigned kMaxComment = 1024;
  void KeepComments();
  // The first comment segment's text (cut at kMaxComment bytes); empty when
  // there is none, comments were not kept or no Open call has succeeded.
  std::string Comment() const;

  // The picture's stored size; 0 until an Open call has succeeded.
  int Width() const;
  int Height() const;

  // Decodes the picture into out. With minWidth and minHeight above 0 the
  // decoder scales by the smallest of 1/8, 1/4 and 1/2 whose result is
  // still at least minWidth x minHeight (else decodes at full size), which
  // is far faster for thumbnails. Returns false, with out empty, when the
  // picture is damaged or was not opened. REQUIRES: called at most once.
  bool Decode(Bitmap& out, int minWidth = 0, int minHeight = 0);

 private:
  std::unique_ptr<jpeg_detail::ReaderState> state_;
};

}  // namespace platform
