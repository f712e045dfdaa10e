#include "photos/JPegUtils.h"

#include <algorithm>
#include <exception>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/ConvertJPeg.h"
#include "metadata/Orientation.h"
#include "metadata/exif.h"
#include "photos/OwnFiles.h"
#include "platform/BusyNotice.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "texts/Language.h"

namespace JPegUtils {

namespace {

constexpr const char* kCachePrefix = "thumb_";
// A thumbnail of ours is a few kilobytes; a larger file is not one.
constexpr size_t kMaxThumbnailBytes = size_t{1} << 20;

// What a thumbnail records of its photo; empty when the photo is no
// readable regular file.
std::string SourceRecord(const std::string& photo) {
  platform::FileStatus st;
  if (!platform::StatPath(photo, st) || !st.isRegular) return std::string();
  return "Quillmarsh thumbnail of " + std::to_string(st.size) + " bytes modified " +
         std::to_string(st.modifiedSeconds) + "." +
         StrFunc::PadLeftCh(std::to_string(st.modifiedNanoseconds), '0', 9);
}

// The cache folder is ours: a symbolic link in its place is replaced by a
// real folder rather than followed.
bool MakeCacheFolder(const std::string& dir) {
  platform::FileStatus st;
  if (platform::LinkStatPath(dir, st)) {
    if (st.isDirectory) return true;
    if (!st.isLink || !platform::RemoveFile(dir)) return false;
  }
  return platform::MakeDirectory(dir);
}

// The stored pixel size of a photo, from its header.
bool PhotoSize(const std::string& photo, int& width, int& height) {
  platform::JpegReader reader;
  if (!reader.OpenFile(photo)) return false;
  width = reader.Width();
  height = reader.Height();
  return true;
}

bool MakeThumbnail(const std::string& photo, const std::string& thumbFile) {
  const std::string record = SourceRecord(photo);
  platform::JpegReader reader;
  if (record.empty() || !reader.OpenFile(photo)) return false;
  platform::PumpEvents();
  int width = reader.Width();
  int height = reader.Height();
  ConvertJPeg::FitWithin(width, height, kThumbWidth, kThumbHeight);
  platform::Bitmap picture;
  if (!reader.Decode(picture, width, height)) return false;
  platform::PumpEvents();
  ConvertJPeg::StretchBitmap(picture, width, height);
  return platform::WriteJpegFile(picture, thumbFile, kThumbQuality, false, record);
}

}  // namespace

std::string ThumbnailCacheFile(const std::string& photo) {
  const std::string real = DosFunc::ExistingPathLong(photo);
  return StrFunc::IncludeBackslash(StrFunc::ExtractDir(real)) + OwnFiles::kThumbsFolder + "/" +
         kCachePrefix + StrFunc::ExtractName(real);
}

namespace {

// The cache file of the photo, made first when missing or out of date;
// empty when it cannot be made.
std::string CurrentCacheFile(const std::string& photoName) {
  const std::string photo = DosFunc::ExistingPathLong(photoName);
  const std::string cache = ThumbnailCacheFile(photo);
  if (!MakeCacheFolder(StrFunc::ExtractDir(cache))) return std::string();
  if (!IsCurrentThumbnail(photo, cache) && !CreateThumbnailFile(photo, cache)) {
    // An out-of-date thumbnail must not stand in for the photo any longer.
    platform::RemoveFile(cache);
    return std::string();
  }
  return cache;
}

}  // namespace

bool ExtractThumbnail(const TExifReader& reader, const std::string& destFile) {
  if (reader.SaveThumbnail(destFile)) return true;
  if (reader.FileName().empty()) return false;
  const std::string cache = CurrentCacheFile(reader.FileName());
  if (cache.empty()) return false;
  if (destFile == cache) return true;
  return DosFunc::CopyFileEx(cache, destFile);
}

bool ThumbnailBytes(const TExifReader& reader, std::string& bytes) {
  bytes = reader.ThumbnailBytes();
  if (!bytes.empty()) return true;
  if (reader.FileName().empty()) return false;
  const std::string cache = CurrentCacheFile(reader.FileName());
  return !cache.empty() &&
         platform::ReadWholeFile(cache, kMaxThumbnailBytes, bytes) == platform::ReadResult::kOk &&
         !bytes.empty();
}

bool ThumbnailPicture(const std::string& photo, int width, int height, platform::Bitmap& out) {
  out = platform::Bitmap();
  TExifReader reader;
  reader.ReadFromFile(photo);
  std::string bytes = reader.ThumbnailBytes();
  if (bytes.empty()) {
    const std::string cache = CurrentCacheFile(photo);
    if (cache.empty() || platform::ReadWholeFile(cache, kMaxThumbnailBytes, bytes) !=
                             platform::ReadResult::kOk)
      return false;
  }
  try {
    platform::JpegReader decoder;
    // Stored turned as its photo is.
    const int orientation = reader.GetOrientation();
    int storedWidth = width;
    int storedHeight = height;
    Orientation::UprightSize(orientation, storedWidth, storedHeight);
    if (!decoder.OpenData(bytes.data(), bytes.size()) ||
        !decoder.Decode(out, storedWidth, storedHeight))
      return false;
    Orientation::TurnUpright(out, orientation);
    ConvertJPeg::FillBitmap(out, width, height);
    return true;
  } catch (const std::exception&) {
    out = platform::Bitmap();
    return false;
  }
}

bool CreateThumbnailFile(const std::string& srcFile, const std::string& thumbFile) {
  const std::string name = StrFunc::LowerCaseCz(StrFunc::ExtractNameNoExt(srcFile));
  platform::BusyNotice info(Language::GetText(542) + " (" + name + ") ...");
  try {
    return MakeThumbnail(DosFunc::ExistingPathLong(srcFile), thumbFile);
  } catch (const std::exception&) {
    return false;
  }
}

bool IsCurrentThumbnail(const std::string& srcFile, const std::string& thumbFile) {
  const std::string photo = DosFunc::ExistingPathLong(srcFile);
  const std::string record = SourceRecord(photo);
  std::string bytes;
  if (record.empty() || platform::ReadWholeFile(thumbFile, kMaxThumbnailBytes, bytes) !=
                            platform::ReadResult::kOk)
    return false;
  platform::JpegReader reader;
  reader.KeepComments();
  if (!reader.OpenData(bytes.data(), bytes.size()) || reader.Comment() != record) return false;
  // One of another shape than the photo's was made stretched, by an older
  // version: it is made again.
  int width = 0, height = 0;
  if (!PhotoSize(photo, width, height)) return false;
  ConvertJPeg::FitWithin(width, height, kThumbWidth, kThumbHeight);
  if (reader.Width() != width || reader.Height() != height) return false;
  // A file cut off after its header (a full disk, a crash) must be made
  // again, not shown grey for ever; a thumbnail decodes in no time.
  platform::Bitmap picture;
  return reader.Decode(picture);
}

bool GetJpegSize(const std::string& fileName, int& width, int& height, int& aspect) {
  width = height = aspect = 0;
  platform::PumpEvents();
  platform::JpegReader reader;
  platform::Bitmap smallest;
  // Decoding at 1/8 still reads every block, so a damaged photo fails here.
  if (!reader.OpenFile(DosFunc::ExistingPathLong(fileName)) || !reader.Decode(smallest, 1, 1))
    return false;
  if (std::min(reader.Width(), reader.Height()) <= 0) return false;
  width = reader.Width();
  height = reader.Height();
  aspect = AspectClass(width, height);
  return true;
}

int AspectClass(int width, int height) {
  const int longSide = std::max(width, height);
  const int shortSide = std::min(width, height);
  if (shortSide <= 0) return 0;
  const long double ratio = static_cast<long double>(longSide) / shortSide;
  if (ratio > 1.59L && ratio < 1.61L) return 160;
  if (ratio > 1.77L && ratio < 1.79L) return 178;
  return static_cast<int>(StrFunc::RoundToInt64(ratio * 100));
}

}  // namespace JPegUtils
