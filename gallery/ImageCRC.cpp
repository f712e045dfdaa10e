#include "gallery/ImageCRC.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "foundation/Win32CRC.h"

namespace fs = std::filesystem;

namespace ImageCRC {

int32_t JpegCRC(const std::string& fileName) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"),
                                                        std::fclose);
  unsigned char head[6];
  if (!file || std::fread(head, 1, sizeof head, file.get()) != sizeof head) return -1;
  long start = 21;
  if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF && head[3] == 0xE1)
    start = ((head[4] << 8) | head[5]) + 5;
  if (std::fseek(file.get(), start, SEEK_SET) != 0) return -1;
  uint32_t crc = 0xFFFFFFFF;
  std::vector<unsigned char> buffer(16384);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0)
    Win32CRC::UpdateCRC32(crc, buffer.data(), static_cast<int64_t>(got));
  if (std::ferror(file.get())) return -1;
  return static_cast<int32_t>(crc);
}

bool ReplaceFile(const std::string& newFile, const std::string& targetFile) {
  std::error_code ec;
  const auto newSize = fs::file_size(newFile, ec);
  if (!ec && fs::is_regular_file(targetFile, ec) && fs::file_size(targetFile, ec) == newSize &&
      !ec) {
    const int32_t crc = Win32CRC::FileCRC32(newFile);
    if (crc != -1 && crc == Win32CRC::FileCRC32(targetFile)) {
      fs::remove(newFile, ec);
      return true;
    }
  }
  fs::rename(newFile, targetFile, ec);
  if (!ec) return true;
  fs::remove(newFile, ec);
  return false;
}

}  // namespace ImageCRC
