// Photo thumbnails and pixel sizes. A photo's thumbnail is the one embedded
// in its EXIF or, failing that, a scaled copy made once and kept in the
// folder "thumbs" beside the photo as "thumb_" + the photo's file name.
//
// A cached copy records the size and modification time of the photo it was
// made from, in a comment segment of its own JPEG, and is used only while
// both still match; so a photo renamed onto the name of another never shows
// the other's thumbnail, and a photo edited since gets a new one. Recording
// it inside the file keeps it true on any file system (memory cards keep
// neither nanoseconds nor odd seconds) and lets the cache file be renamed
// together with its photo.
#pragma once

#include <string>

#include "platform/jpeg/Bitmap.h"

class TExifReader;

namespace JPegUtils {

// The box a cache thumbnail is fitted into, its photo's shape kept: a 4:3
// photo gives 160 x 120, a 3:2 one 160 x 107, a 3:4 portrait 90 x 120.
constexpr int kThumbWidth = 160;
constexpr int kThumbHeight = 120;
constexpr int kThumbQuality = 90;

// The cache file of a photo: its folder's "thumbs/thumb_" + the photo's own
// file name, as it is written on disk (IMG_1.JPG and img_1.jpg are two
// photos with two cache files).
std::string ThumbnailCacheFile(const std::string& photo);

// Writes the thumbnail of the photo the reader has read to destFile: the
// EXIF thumbnail when there is one, else a copy of the cache file, made
// first when missing or out of date. True without copying when destFile is
// the cache file itself. False when the reader has no file name and no EXIF
// thumbnail, or the thumbnail cannot be made or copied.
[[nodiscard]] bool ExtractThumbnail(const TExifReader& reader, const std::string& destFile);

// The bytes of the thumbnail ExtractThumbnail would write. False, with
// bytes empty, when it cannot be had.
[[nodiscard]] bool ThumbnailBytes(const TExifReader& reader, std::string& bytes);

// The photo's thumbnail decoded, turned upright as the photo's orientation
// says (both thumbnails are stored turned as the photo is) and cut from its
// centre to fill exactly width x height, a picker's cell
// (ConvertJPeg::FillBitmap: nothing distorted): the one embedded in its
// EXIF, else the cache file, made first when missing or out of date. False,
// with out empty, when neither can be had or decoded.
bool ThumbnailPicture(const std::string& photo, int width, int height, platform::Bitmap& out);

// Makes the scaled thumbnail of srcFile in thumbFile: the photo fitted into
// 160 x 120 with its shape kept (ConvertJPeg::FitWithin; a smaller photo
// keeps its size), baseline JPEG of quality 90, recording the photo's size
// and time. The busy notice
// (platform/BusyNotice.h) names the photo meanwhile. thumbFile is written under a temporary name and
// renamed when complete. False when the photo does not decode or the file
// cannot be written.
[[nodiscard]] bool CreateThumbnailFile(const std::string& srcFile, const std::string& thumbFile);

// True when thumbFile is a thumbnail made from srcFile as it is now, has the
// size CreateThumbnailFile gives the photo (a stretched one of an older
// version has not) and decodes whole.
bool IsCurrentThumbnail(const std::string& srcFile, const std::string& thumbFile);

// The pixel size of a JPEG and its aspect class: the long-to-short side
// ratio in hundredths (halves to even), 160 for ratios strictly between
// 1.59 and 1.61, 178 strictly between 1.77 and 1.79. True when the whole
// picture decodes; otherwise false with all three 0.
bool GetJpegSize(const std::string& fileName, int& width, int& height, int& aspect);

// The aspect class of a width x height picture; 0 when a side is not above 0.
int AspectClass(int width, int height);

}  // namespace JPegUtils
