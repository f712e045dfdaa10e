// The decode check of rewritten photos: a whole decode at 1/8 scale, where
// any warning of the decoder (a truncated or corrupt stream) is a failure.
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "metadata/exifSegment.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  if (level < 0) OnError(info);
}

void OnOutput(j_common_ptr) {}

// Kept free of objects with destructors: the error path leaves by longjmp.
bool DecodeWhole(std::FILE* file, uint32_t& width, uint32_t& height, JSAMPLE* row,
                 size_t rowSize) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  errors.base.output_message = OnOutput;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 8;
  info.dct_method = JDCT_IFAST;
  jpeg_start_decompress(&info);
  const size_t needed = size_t(info.output_width) * size_t(info.output_components);
  if (needed > rowSize) OnError(reinterpret_cast<j_common_ptr>(&info));
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, &row, 1);
  width = info.image_width;
  height = info.image_height;
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

bool exif::GetJpegPixelSize(const std::string& fileName, uint32_t& width, uint32_t& height) {
  width = height = 0;
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return false;
  // JPEG sizes stop at 65535, so a row of 1/8 scale never needs more.
  std::vector<JSAMPLE> row(size_t(65535 / 8 + 1) * 4);
  uint32_t w = 0, h = 0;
  const bool ok = DecodeWhole(file, w, h, row.data(), row.size());
  std::fclose(file);
  if (ok) {
    width = w;
    height = h;
  }
  return ok;
}
