#include "gallery/generate/GalleryImages.h"

#include "gallery/projects/HtmlProjectCheck.h"
#include "platform/FileSystem.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/TextFile.h"

namespace GalleryImages {

namespace {

constexpr uint32_t kWorthReplacing = 2048;

// The size of the regular file at path (its own name, never one that
// differs in case); -1 when there is none.
int64_t FileSize(const std::string& path) {
  platform::FileStatus status;
  return platform::StatPath(path, status) && status.isRegular ? status.size : -1;
}

// Every image starts from the project's settings; what the search comes to
// stays with this image.
bool Make(const std::string& source, const std::string& target, std::uint8_t mode,
          int orientation, TSiteImageRun& run) {
  JPegUtils::TCompressSettings settings = JPegUtils::SettingsFor(run.Project, mode);
  return JPegUtils::CompressToTargetSize(source, target, mode, orientation, settings, run.Info);
}

bool InBand(int64_t size, const JPegUtils::TCompressSettings& settings, std::uint8_t mode,
            bool& inBand) {
  int64_t max = 0, tolerance = 0;
  if (!HtmlProjectCheck::SizeValue(settings.MaxSize, max) ||
      !HtmlProjectCheck::SizeValue(settings.Tolerance, tolerance))
    return false;
  const int64_t unit = mode == JPegUtils::kSitePhotoMode ? 1024 : 1;
  inBand = (max - tolerance) * unit <= size && size <= (max + tolerance) * unit;
  return true;
}

// The trial is encoded in memory: a trial that is dropped writes nothing.
bool Trial(const std::string& source, const std::string& target, int64_t targetSize,
           std::uint8_t mode, int orientation, TSiteImageRun& run) {
  JPegUtils::TCompressSettings settings = JPegUtils::SettingsFor(run.Project, mode);
  std::string trial;
  if (!JPegUtils::EncodeToTargetSize(source, target, mode, orientation, settings, run.Info, trial))
    return false;
  const uint32_t saved = static_cast<uint32_t>(targetSize - static_cast<int64_t>(trial.size()));
  return saved <= kWorthReplacing || platform::ReplaceFile(target, trial);
}

}  // namespace

bool MakeSiteImage(const std::string& photoPath, const std::string& source,
                   const std::string& target, std::uint8_t mode, int orientation,
                   TSiteImageRun& run) {
  const int64_t size = FileSize(target);
  if (size < 0 || run.Checker.IsChanged(run.Checker.IndexOf(photoPath)))
    return Make(source, target, mode, orientation, run);
  const JPegUtils::TCompressSettings settings = JPegUtils::SettingsFor(run.Project, mode);
  if (settings.Keep) {
    bool inBand = false;
    if (!InBand(size, settings, mode, inBand)) return false;
    return inBand || Make(source, target, mode, orientation, run);
  }
  return Trial(source, target, size, mode, orientation, run);
}

bool HasOtherSize(const std::string& target, int width, int height) {
  if (FileSize(target) < 0) return false;
  platform::JpegReader reader;
  return !reader.OpenFile(target) || reader.Width() != width || reader.Height() != height;
}

}  // namespace GalleryImages
