#include "gallery/checker/ImageCRC.h"

#include <string_view>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/Win32CRC.h"
#include "metadata/exifSegmentPlace.h"
#include "platform/FileSystem.h"

namespace ImageCRC {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  platform::FileStatus first, second;
  return platform::StatPath(a, first) && platform::StatPath(b, second) &&
         first.device == second.device && first.inode == second.inode;
}

}  // namespace

int32_t JpegCRC(const std::string& fileName) {
  TFile file;
  unsigned char head[30];
  if (!file.OpenFile(fileName, 0)) return -1;
  const int64_t headSize = file.Read(head, sizeof head);
  if (headSize < 6) return -1;
  int64_t start = 21;
  if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF && head[3] == 0xE1) {
    start = ((head[4] << 8) | head[5]) + 5;
  } else {
    // An EXIF segment behind a JFIF APP0 of 16 bytes, where the EXIF writer
    // keeps it, is passed the same way, so that a comment edited in such a
    // photo is no change of its image.
    exif::TApp1Place place;
    const std::string_view bytes(reinterpret_cast<const char*>(head), size_t(headSize));
    if (exif::FindExifApp1InHead(bytes, headSize < int64_t(sizeof head), place) == exif::TApp1Search::Found &&
        place.atHead)
      start = int64_t(place.End()) + 1;
  }
  if (file.Seek(start) != start) return -1;
  uint32_t crc = 0xFFFFFFFF;
  std::vector<unsigned char> buffer(16384);
  for (;;) {
    const int64_t got = file.Read(buffer.data(), static_cast<int64_t>(buffer.size()));
    if (got < 0) return -1;
    if (got == 0) return static_cast<int32_t>(crc);
    Win32CRC::UpdateCRC32(crc, buffer.data(), got);
  }
}

bool ReplaceFile(const std::string& newFile, const std::string& targetFile) {
  // Both names may reach one file (the same path, a link); removing the
  // "new" one would then remove the target.
  if (SameFile(newFile, targetFile)) return true;
  const int64_t size = DosFunc::GetFileSize64(newFile);
  if (size >= 0 && (DosFunc::GetFileAttr(targetFile) & DosFunc::faDirectory) == 0 &&
      DosFunc::GetFileSize64(targetFile) == size) {
    const int32_t crc = Win32CRC::FileCRC32(newFile);
    if (crc != -1 && crc == Win32CRC::FileCRC32(targetFile)) {
      DosFunc::DeleteFileLong(newFile);
      return true;
    }
  }
  TFile mover;
  if (mover.MoveWithinDrive(newFile, targetFile)) return true;
  DosFunc::DeleteFileLong(newFile);
  return false;
}

}  // namespace ImageCRC
