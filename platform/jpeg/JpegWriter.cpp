#include "platform/jpeg/JpegWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "platform/FileSystem.h"
#include "platform/WorkFile.h"
#include "platform/jpeg/JpegError.h"

namespace platform {
namespace {

struct Encoder {
  jpeg_compress_struct cinfo{};
  jpeg_detail::ErrorManager err{};
  // The memory destination's buffer, which libjpeg grows with malloc; kept
  // here so that it is freed after a failure too.
  unsigned char* memory = nullptr;
  unsigned long memorySize = 0;

  ~Encoder() {
    jpeg_destroy_compress(&cinfo);  // safe on a zeroed or failed object
    std::free(memory);
  }
};

// What is at the target path now.
struct Target {
  bool exists = false;
  std::uint32_t permissions = 0;
};

bool ValidPicture(const Bitmap& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.width > JPEG_MAX_DIMENSION ||
      picture.height > JPEG_MAX_DIMENSION) {
    return false;
  }
  const std::uint64_t bytes = std::uint64_t{3} * static_cast<std::uint64_t>(picture.width) *
                              static_cast<std::uint64_t>(picture.height);
  return picture.pixels.size() == bytes;
}

// A folder or device is never replaced, nor a file without write permission.
// A link is replaced as a link, whatever it points to.
bool InspectTarget(const std::string& path, Target& target) {
  FileStatus status;
  if (!LinkStatPath(path, status)) {
    return LastError() == ENOENT;
  }
  if (status.isLink) {
    return true;
  }
  target.exists = true;
  target.permissions = status.mode & 0777;
  return status.isRegular && (target.permissions & 0222) != 0;
}

// Encodes into file, or into e.memory when file is null; both give the same
// bytes. Locals here are trivially destructible, so libjpeg's longjmp skips
// no destructor.
bool Encode(Encoder& e, std::FILE* file, const Bitmap& picture, int quality, bool progressive,
            std::string_view comment) {
  e.cinfo.err = jpeg_detail::InstallErrorManager(e.err);
  if (setjmp(e.err.jump) != 0) {
    return false;
  }
  jpeg_create_compress(&e.cinfo);
  if (file != nullptr) {
    jpeg_stdio_dest(&e.cinfo, file);
  } else {
    jpeg_mem_dest(&e.cinfo, &e.memory, &e.memorySize);
  }
  e.cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  e.cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  e.cinfo.input_components = 3;
  e.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&e.cinfo);
  jpeg_set_quality(&e.cinfo, std::clamp(quality, 1, 100), TRUE);
  if (progressive) {
    jpeg_simple_progression(&e.cinfo);
  }
  jpeg_start_compress(&e.cinfo, TRUE);
  if (!comment.empty()) {
    jpeg_write_marker(&e.cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(comment.data()),
                      static_cast<unsigned>(comment.size()));
  }
  const std::size_t rowBytes = std::size_t{3} * static_cast<std::size_t>(picture.width);
  while (e.cinfo.next_scanline < e.cinfo.image_height) {
    auto* row = const_cast<JSAMPLE*>(picture.pixels.data() + e.cinfo.next_scanline * rowBytes);
    jpeg_write_scanlines(&e.cinfo, &row, 1);
  }
  jpeg_finish_compress(&e.cinfo);
  return true;
}

// Encodes into a descriptor of its own for the open work file and gives it the
// old file's permissions; the work file stays open, and so locked, until it
// is committed.
bool Write(const WorkFile& work, const Target& target, const Bitmap& picture, int quality,
           bool progressive, std::string_view comment) {
  const int fd = DuplicateFile(work.Descriptor());
  if (fd < 0) return false;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    CloseFile(fd);
    return false;
  }
  bool ok = false;
  {
    Encoder encoder;
    ok = Encode(encoder, file, picture, quality, progressive, comment);
  }
  ok = ok && std::fflush(file) == 0;
  ok = ok && (!target.exists || fchmod(fd, target.permissions) == 0);
  const bool closed = std::fclose(file) == 0;
  return ok && closed;
}

}  // namespace

bool WriteJpegFile(const Bitmap& picture, const std::string& path, int quality, bool progressive,
                   std::string_view comment) {
  Target target;
  if (!ValidPicture(picture) || comment.size() > kMaxJpegComment ||
      !InspectTarget(path, target)) {
    return false;
  }
  WorkFile work;
  return work.Create(path) && Write(work, target, picture, quality, progressive, comment) &&
         work.Commit();
}

bool EncodeJpeg(const Bitmap& picture, int quality, std::string& out, bool progressive,
                std::string_view comment) {
  out.clear();
  if (!ValidPicture(picture) || comment.size() > kMaxJpegComment) return false;
  Encoder encoder;
  if (!Encode(encoder, nullptr, picture, quality, progressive, comment)) return false;
  out.assign(reinterpret_cast<const char*>(encoder.memory), encoder.memorySize);
  return true;
}

}  // namespace platform
