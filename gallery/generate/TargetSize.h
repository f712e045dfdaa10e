// Re-encoding a gallery image to a target file size: the photo is decoded
// and scaled once, then encoded in memory with the project's quality and,
// when the project keeps a maximum size, with the qualities of a search
// until the size lies in the band max - tolerance .. max + tolerance. Only
// the last encoding is written; it replaces the image file only when its
// bytes differ, so an image that comes out the same keeps its file and date
// and nothing is written. The quality found and the last step go back into
// the settings given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gallery/projects/HtmlProject.h"
#include "platform/jpeg/Bitmap.h"

namespace JPegUtils {

// Modes of ConvertJPeg: a site photo fitted into 566 x 425 with its shape
// kept (never enlarged), a site thumbnail of 100 x 75 cut from the photo's
// centre.
constexpr std::uint8_t kSitePhotoMode = 1;
constexpr std::uint8_t kSiteThumbMode = 2;

// The settings one kind of image is encoded with: a project's photo settings
// for mode 1, its thumbnail settings for any other mode.
struct TCompressSettings {
  int32_t Compression = 75;  // track bar position; the quality is 100 - position
  bool Keep = true;          // search for the quality that keeps the size
  std::string MaxSize;       // text: kilobytes of 1024 bytes for photos, bytes for thumbnails
  std::string Tolerance;     // the same unit
  int32_t Step = 10;         // the search's step
};

TCompressSettings SettingsFor(const THtmlProject& project, std::uint8_t mode);
// Puts the compression and the step back into the project's fields of mode.
void StoreSettings(THtmlProject& project, std::uint8_t mode, const TCompressSettings& settings);

// Shows what is compressed and at which level (the texts of the main
// window's two progress labels): called before each encoding, and with two
// empty texts when the call ends.
using TCompressInfo = std::function<void(const std::string& what, const std::string& level)>;

// Encodes picture with quality into jpeg; its size in bytes, -1 on failure.
int64_t SaveWithQuality(const platform::Bitmap& picture, int quality, std::string& jpeg);

// Re-encodes srcFile, stood upright by orientation (1: as stored), for mode
// into dstFile as above. The quality 100 - Compression is held within 1 to
// 99; the search goes down or up by Step, halves the step at each overshoot
// and ends inside the band, at the first change of direction once the step
// is 1, or at quality 1 (99) when the size is still too large (small).
// Afterwards Compression is 100 - the last quality and Step the last step,
// at least 4 for photos and 2 for thumbnails. dstFile is written whole
// beside itself (+ ".new_ver") and put in place by ImageCRC::ReplaceFile.
// False, with dstFile and settings unchanged, when a size text is no number
// (HtmlProjectCheck::SizeValue), srcFile does not decode or the file cannot
// be written. Events run (platform::PumpEvents) after each report.
bool CompressToTargetSize(const std::string& srcFile, const std::string& dstFile, std::uint8_t mode,
                          int orientation, TCompressSettings& settings, const TCompressInfo& info);

// The same without a file: the last encoding is left in jpeg. dstFile only
// names the image in the reports.
bool EncodeToTargetSize(const std::string& srcFile, const std::string& dstFile, std::uint8_t mode,
                        int orientation, TCompressSettings& settings, const TCompressInfo& info,
                        std::string& jpeg);

}  // namespace JPegUtils
