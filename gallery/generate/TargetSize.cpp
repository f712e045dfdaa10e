#include "gallery/generate/TargetSize.h"

#include <algorithm>
#include <exception>

#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/projects/HtmlProjectCheck.h"
#include "gallery/checker/ImageCRC.h"
#include "metadata/ConvertJPeg.h"
#include "platform/BusyNotice.h"
#include "platform/TextFile.h"
#include "platform/jpeg/JpegWriter.h"
#include "texts/Language.h"

namespace JPegUtils {

namespace {

constexpr int kTextCompressing = 289;
constexpr int kTextTrying = 290;
constexpr int kTextLevel = 291;
constexpr int kMinPhotoStep = 4;
constexpr int kMinThumbStep = 2;

// The size band of the settings, in bytes; false when a text is no number.
bool Band(const TCompressSettings& settings, std::uint8_t mode, int64_t& low, int64_t& high) {
  int64_t size = 0, tolerance = 0;
  if (!HtmlProjectCheck::SizeValue(settings.MaxSize, size) ||
      !HtmlProjectCheck::SizeValue(settings.Tolerance, tolerance))
    return false;
  const int64_t unit = mode == kSitePhotoMode ? 1024 : 1;
  low = (size - tolerance) * unit;
  high = (size + tolerance) * unit;
  return true;
}

// One search's encodings of the picture; the last one is kept.
class TSearch {
 public:
  TSearch(const platform::Bitmap& picture, const std::string& what, const TCompressInfo& info)
      : picture_(picture), what_(what), info_(info) {}

  // Shows the level an encoding is about to use.
  void Tell(int quality, bool trying) const {
    if (info_)
      info_(what_, Language::GetText(trying ? kTextTrying : kTextLevel) + " " +
                       std::to_string(100 - quality));
    platform::PumpEvents();
  }
  bool Encode(int quality) {
    size_ = SaveWithQuality(picture_, quality, jpeg_);
    return size_ >= 0;
  }
  int64_t Size() const { return size_; }
  const std::string& Jpeg() const { return jpeg_; }

 private:
  const platform::Bitmap& picture_;
  std::string what_;
  const TCompressInfo& info_;
  std::string jpeg_;
  int64_t size_ = -1;
};

// The quality search from quality by step, as the header tells. False when
// an encoding fails.
bool Search(TSearch& search, int64_t low, int64_t high, int& quality, int& step) {
  int direction = 0;
  while (search.Size() < low || search.Size() > high) {
    const bool tooLarge = search.Size() > high;
    // At the end of the range another try would give the same size.
    if ((tooLarge && quality <= 1) || (!tooLarge && quality >= 99)) return true;
    quality = tooLarge ? std::max(1, quality - step) : std::min(99, quality + step);
    search.Tell(quality, true);
    if (!search.Encode(quality)) return false;
    if (search.Size() >= low && search.Size() <= high) return true;
    if (direction == (tooLarge ? -1 : 1)) return true;
    if (step == 1) direction = tooLarge ? 1 : -1;
    const bool overshot = tooLarge ? search.Size() < low : search.Size() > high;
    if (overshot && step > 1) step /= 2;
  }
  return true;
}

bool WriteImage(const std::string& dstFile, const std::string& jpeg) {
  // The same bytes again: nothing to write, the file keeps its date.
  if (platform::HoldsBytes(dstFile, jpeg)) return true;
  const std::string beside = dstFile + GalleryLayout::kNewVersionExt;
  return platform::ReplaceFile(beside, jpeg) && ImageCRC::ReplaceFile(beside, dstFile);
}

}  // namespace

TCompressSettings SettingsFor(const THtmlProject& project, std::uint8_t mode) {
  if (mode == kSitePhotoMode) {
    return {project.ImageCompression, project.KeepMaxImgSize, project.ImgMaxSize,
            project.ImgTolerance, project.PhotoQualityStep};
  }
  return {project.TbCompression, project.KeepTbMaxSize, project.TbMaxSize, project.TbTolerance,
          project.ThumbQualityStep};
}

void StoreSettings(THtmlProject& project, std::uint8_t mode, const TCompressSettings& settings) {
  if (mode == kSitePhotoMode) {
    project.ImageCompression = settings.Compression;
    project.PhotoQualityStep = settings.Step;
  } else {
    project.TbCompression = settings.Compression;
    project.ThumbQualityStep = settings.Step;
  }
}

int64_t SaveWithQuality(const platform::Bitmap& picture, int quality, std::string& jpeg) {
  return platform::EncodeJpeg(picture, quality, jpeg) ? static_cast<int64_t>(jpeg.size()) : -1;
}

bool CompressToTargetSize(const std::string& srcFile, const std::string& dstFile, std::uint8_t mode,
                          int orientation, TCompressSettings& settings, const TCompressInfo& info) {
  TCompressSettings found = settings;
  std::string jpeg;
  if (!EncodeToTargetSize(srcFile, dstFile, mode, orientation, found, info, jpeg) || !WriteImage(dstFile, jpeg))
    return false;
  settings = found;
  return true;
}

bool EncodeToTargetSize(const std::string& srcFile, const std::string& dstFile, std::uint8_t mode,
                        int orientation, TCompressSettings& settings, const TCompressInfo& info,
                        std::string& jpeg) {
  int quality = std::clamp(100 - settings.Compression, 1, 99);
  int step = std::max(1, settings.Step);
  int64_t low = 0, high = 0;
  if (!Band(settings, mode, low, high)) return false;
  const std::string what = Language::GetText(kTextCompressing) + " " +
                           StrFunc::LowerCaseCz(StrFunc::ExtractNameNoExt(dstFile));
  platform::Bitmap picture;
  TSearch search(picture, what, info);
  search.Tell(quality, settings.Keep);
  bool done = false;
  try {
    done = ConvertJPeg::LoadForMode(srcFile, mode, 0, 0, orientation, picture) &&
           search.Encode(quality) &&
           (!settings.Keep || Search(search, low, high, quality, step));
  } catch (const std::exception&) {
    done = false;
  }
  if (info) info(std::string(), std::string());
  platform::PumpEvents();
  if (!done) return false;
  jpeg = search.Jpeg();
  settings.Compression = 100 - quality;
  settings.Step = std::max(step, mode == kSitePhotoMode ? kMinPhotoStep : kMinThumbStep);
  return true;
}

}  // namespace JPegUtils
