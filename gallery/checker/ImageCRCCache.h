// The checker cache "quillmarsh.cache" of a photo folder: a flat file of
// 176-byte records, no header, integers little-endian:
//   0   128  file name: a length byte and up to 127 bytes of UTF-8
//   128   8  the file's DOS date-time stamp as an IEEE double (information only)
//   136   4  file size, u32 (information only)
//   140   4  image checksum, i32; -1 = not computed
//   144  32  zeros
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "photos/OwnFiles.h"

namespace ImageCRC {

// One photo's record in the checker cache.
struct TCheckerField {
  std::string name;  // file name without folder
  double stamp = 0;  // DOS date-time stamp
  uint32_t size = 0;
  int32_t crc = -1;
  // Set (in memory only) when the caller confirmed the photo's outputs.
  bool outputsWritten = false;
};

constexpr const char* kCacheName = OwnFiles::kCheckerCache;
constexpr size_t kCacheRecordSize = 176;
// More photos than any folder holds; a larger file counts as damaged.
constexpr size_t kMaxCacheRecords = 200000;

// The records of a cache file up to its last complete one. Records whose
// name is not a plain file name are dropped: callers build paths of files to
// delete from them. A missing, unreadable or oversized file, or one that is
// not a regular file, gives no records.
std::vector<TCheckerField> ReadCacheFile(const std::string& path);

// Writes the records as a new file renamed over path (a link there is
// replaced, not written through). False when it cannot be written; the old
// file is then untouched.
[[nodiscard]] bool WriteCacheFile(const std::string& path, const std::vector<TCheckerField>& records);

}  // namespace ImageCRC
