#include "platform/jpeg/JpegReader.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>

#include "platform/FileSystem.h"
#include "platform/jpeg/JpegError.h"

namespace platform {

struct jpeg_detail::ReaderState {
  jpeg_decompress_struct cinfo{};
  jpeg_detail::ErrorManager err{};
  jpeg_progress_mgr progress{};
  std::FILE* file = nullptr;
  bool keepComments = false;
  bool used = false;     // an Open call was made
  bool opened = false;   // the header was read
  bool decoded = false;  // Decode was called

  ~ReaderState() {
    jpeg_destroy_decompress(&cinfo);  // safe on a zeroed or failed object
    if (file != nullptr) {
      std::fclose(file);
    }
  }
};

namespace {

// The bitmap grows row by row, so a header that promises a huge picture
// costs memory only for the rows its data really holds.
constexpr std::size_t kInitialReserve = std::size_t{16} << 20;

void LimitScans(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->input_scan_number > JpegReader::kMaxScans) {
    jpeg_detail::Fail(cinfo);
  }
}

// Every function that calls setjmp keeps only trivially destructible locals,
// so a longjmp out of libjpeg skips no destructor.
bool ReadHeader(jpeg_detail::ReaderState& s, const void* data, std::size_t size) {
  s.cinfo.err = jpeg_detail::InstallErrorManager(s.err);
  if (setjmp(s.err.jump) != 0) {
    return false;
  }
  jpeg_create_decompress(&s.cinfo);
  if (s.keepComments) {
    jpeg_save_markers(&s.cinfo, JPEG_COM, JpegReader::kMaxComment);
  }
  s.progress.progress_monitor = LimitScans;
  s.cinfo.progress = &s.progress;
  if (s.file != nullptr) {
    jpeg_stdio_src(&s.cinfo, s.file);
  } else {
    jpeg_mem_src(&s.cinfo, static_cast<const unsigned char*>(data), size);
  }
  if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK) {
    return false;
  }
  const std::uint64_t pixels = std::uint64_t{s.cinfo.image_width} * s.cinfo.image_height;
  return pixels > 0 && pixels <= JpegReader::kMaxPixels;
}

bool IsCmyk(const jpeg_decompress_struct& cinfo) {
  return cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
}

void ChooseScale(jpeg_decompress_struct& cinfo, int minWidth, int minHeight) {
  cinfo.scale_num = 1;
  cinfo.scale_denom = 1;
  if (minWidth <= 0 || minHeight <= 0) {
    return;
  }
  for (unsigned denom : {8u, 4u, 2u}) {
    cinfo.scale_denom = denom;
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width >= static_cast<unsigned>(minWidth) &&
        cinfo.output_height >= static_cast<unsigned>(minHeight)) {
      return;
    }
  }
  cinfo.scale_denom = 1;
}

std::uint8_t Product255(unsigned a, unsigned b) {
  return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// Image editors store CMYK inverted (255 = no ink) and mark it with an Adobe
// segment; without that segment the values are plain ink amounts.
void CmykToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, unsigned width, bool inverted) {
  for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    const unsigned flip = inverted ? 0 : 255;
    const unsigned k = cmyk[3] ^ flip;
    for (int i = 0; i < 3; ++i) {
      rgb[i] = Product255(cmyk[i] ^ flip, k);
    }
  }
}

bool DecodeRows(jpeg_detail::ReaderState& s, Bitmap& out, int minWidth, int minHeight) {
  j_decompress_ptr cinfo = &s.cinfo;
  if (setjmp(s.err.jump) != 0) {
    return false;
  }
  const bool cmyk = IsCmyk(*cinfo);
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  ChooseScale(*cinfo, minWidth, minHeight);
  jpeg_start_decompress(cinfo);
  const unsigned width = cinfo->output_width;
  const std::size_t rowBytes = std::size_t{width} * 3;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(cinfo->output_height);
  out.pixels.reserve(std::min(rowBytes * cinfo->output_height, kInitialReserve));
  JSAMPARRAY cmykRow = nullptr;
  if (cmyk) {
    cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                          width * 4, 1);
  }
  while (cinfo->output_scanline < cinfo->output_height) {
    const std::size_t y = cinfo->output_scanline;
    out.pixels.resize((y + 1) * rowBytes);
    JSAMPROW row = out.pixels.data() + y * rowBytes;
    if (cmyk) {
      jpeg_read_scanlines(cinfo, cmykRow, 1);
      CmykToRgb(cmykRow[0], row, width, cinfo->saw_Adobe_marker);
    } else {
      jpeg_read_scanlines(cinfo, &row, 1);
    }
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

JpegReader::JpegReader() : state_(std::make_unique<jpeg_detail::ReaderState>()) {}

JpegReader::~JpegReader() = default;

bool JpegReader::OpenFile(const std::string& path) {
  if (state_->used) {
    return false;
  }
  state_->used = true;
  // Opened through the file layer, which refuses a pipe instead of waiting
  // for a writer.
  const int fd = platform::OpenFile(path, OpenAccess::Read);
  if (fd >= 0) {
    state_->file = fdopen(fd, "rb");
    if (state_->file == nullptr) {
      CloseFile(fd);
    }
  }
  state_->opened = state_->file != nullptr && ReadHeader(*state_, nullptr, 0);
  return state_->opened;
}

bool JpegReader::OpenData(const void* data, std::size_t size) {
  if (state_->used) {
    return false;
  }
  state_->used = true;
  state_->opened = data != nullptr && ReadHeader(*state_, data, size);
  return state_->opened;
}

void JpegReader::KeepComments() { state_->keepComments = true; }

std::string JpegReader::Comment() const {
  if (!state_->opened) {
    return std::string();
  }
  for (jpeg_saved_marker_ptr m = state_->cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_COM) {
      return std::string(reinterpret_cast<const char*>(m->data), m->data_length);
    }
  }
  return std::string();
}

int JpegReader::Width() const {
  return state_->opened ? static_cast<int>(state_->cinfo.image_width) : 0;
}

int JpegReader::Height() const {
  return state_->opened ? static_cast<int>(state_->cinfo.image_height) : 0;
}

bool JpegReader::Decode(Bitmap& out, int minWidth, int minHeight) {
  out = Bitmap{};
  if (!state_->opened || state_->decoded) {
    return false;
  }
  state_->decoded = true;
  bool ok = false;
  try {
    ok = DecodeRows(*state_, out, minWidth, minHeight);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) {
    out = Bitmap{};
  }
  return ok;
}

}  // namespace platform
