// Change detection for gallery generation: a per-folder cache of a checksum
// of each photo's image data, and the rule by which a generated file replaces
// its predecessor only when its content differs. The cache file's layout is
// in ImageCRCCache.h.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "gallery/checker/ImageCRCCache.h"

namespace ImageCRC {

// The checksum of a photo's image data: the CRC-32 register (not inverted) of
// the file from offset L + 5 to its end when it starts with FF D8 FF E1 and L
// is the big-endian length in bytes 4-5; from L + 23 when a JFIF APP0 of 16
// bytes is followed by the EXIF APP1 (exif::FindExifApp1InHead, atHead) of
// length L; otherwise from offset 21. So an EXIF segment right after the
// start of image, or right after a JFIF segment there, does not count. -1
// when the file cannot be read.
int32_t JpegCRC(const std::string& fileName);

// Puts newFile in the place of targetFile unless the target already has the
// same content (equal size and whole-file CRC-32), in which case newFile is
// removed and the target keeps its file and date. The replacement is one
// atomic rename; the target is never removed first. When both names reach
// one file, nothing is touched and the result is true. Returns false when the
// rename fails (newFile is then removed and the target left as it was).
[[nodiscard]] bool ReplaceFile(const std::string& newFile, const std::string& targetFile);

}  // namespace ImageCRC

// Remembers per photo folder which photos changed since the last gallery
// generation. A caller scans a folder, asks per photo, confirms each photo
// whose outputs it wrote, and frees the checker, which saves the cache.
// Names compare trimmed and without regard to case. Nothing here throws: an
// unreadable photo counts as changed, an unreadable cache as empty, and an
// unwritable cache is not written.
class TJPegChecker {
 public:
  TJPegChecker() = default;
  // Saves the cache of the current folder.
  ~TJPegChecker();
  TJPegChecker(const TJPegChecker&) = delete;
  TJPegChecker& operator=(const TJPegChecker&) = delete;

  // Makes folder current: lists its "JPG" and "JPEG" files (not those whose
  // name starts with ".") and reads its cache. The same folder again (trimmed,
  // without regard to case) changes nothing; another folder first saves the
  // cache of the current one.
  void ScanDirectory(const std::string& folder);

  // True when the photo at index of the last scan is new, its checksum
  // differs from the cached one, or it cannot be read; also for an index out
  // of range. Computes and keeps the photo's checksum.
  bool IsChanged(int index);

  // The scan index of the photo named like the path's file name, or -1.
  int IndexOf(const std::string& fileNameOrPath) const;

  // Computes the checksum of every photo of the last scan that has none yet,
  // reading several photos at once; IsChanged then only compares. The
  // checksums are those IsChanged would compute.
  void ComputeChecksums();

  // Names in the cache that the last scan did not find: photos that left the
  // folder. With withPath each is prefixed by the folder.
  std::vector<std::string> GetRemovedFiles(bool withPath) const;

  // Moves a photo's entry to its new name (only file names count), in the
  // cache and in the scan, so a renamed photo keeps its checksum.
  void RenameEntry(const std::string& oldPath, const std::string& newPath);

  // Confirms that every output of the photo at index was written; only such
  // a photo gets its new checksum in the saved cache. Other photos keep the
  // checksum the cache had for them (or -1), so they count as changed again
  // until a run completes them. Out-of-range indexes are ignored.
  void ConfirmOutputs(int index);

  // Writes the cache of the current folder, whole, in place of the old one:
  // one record per photo of the last scan. Nothing when no folder was
  // scanned, or when the cache reads as these records already.
  void SaveCache();

  // Reads the current folder's cache again; records whose name is not a
  // plain file name are dropped.
  void LoadCache();

 private:
  const ImageCRC::TCheckerField* CachedEntry(const std::string& name) const;
  std::string PathOf(const std::string& name) const;
  // The first entry of each name (as names compare) in each list, so that a
  // folder of thousands of photos is looked up in constant time.
  void IndexEntries();

  std::vector<ImageCRC::TCheckerField> scan_;
  std::vector<ImageCRC::TCheckerField> cached_;
  std::unordered_map<std::string, size_t> scanIndex_;
  std::unordered_map<std::string, size_t> cachedIndex_;
  bool hasFolder_ = false;
  std::string folder_;
};
