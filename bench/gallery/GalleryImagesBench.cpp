// Makes the gallery images of 200 large photos: for each photo its
// thumbnail (from the photo's thumbnail, 100 x 75) and its site photo
// (within 566 x 425) as generation makes them, with the keep-size search on;
// then the same again over the unchanged photos; and the same two sizes with
// one vipsthumbnail process per size over all 200 files. Prints the time a
// photo of each, how many encodings each of our runs made, and the load
// average after each.
//
// The photos are those of LargePhotos.h, without EXIF.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/gallery/LargePhotos.h"
#include "gallery/generate/GalleryImages.h"
#include "gallery/generate/GalleryLayout.h"
#include "photos/JPegUtils.h"

namespace fs = std::filesystem;

namespace {

using namespace benchphotos;

constexpr int kVipsQuality = 75;

struct Run {
  double seconds = 0;
  int encodings = 0;
  int failures = 0;
};

// One generation's images: the checker scanned, each photo's thumbnail saved
// and both images made, the checker told which photos are done.
Run MakeImages(const std::vector<std::string>& photos, const fs::path& folder, const fs::path& out,
               THtmlProject& project) {
  Run run;
  const std::string thumbnail = (out / "thumbnail.tmp.jpg").string();
  fs::create_directories(out / GalleryLayout::kThumbFolder);
  fs::create_directories(out / GalleryLayout::kPhotoFolder);
  const Clock::time_point start = Clock::now();
  {
    TJPegChecker checker;
    checker.ScanDirectory(folder.string());
    GalleryImages::TSiteImageRun images{project, checker,
                                        [&run](const std::string&, const std::string& level) {
                                          if (!level.empty()) ++run.encodings;
                                        }};
    for (const std::string& photo : photos) {
      TExifReader reader;
      reader.ReadFromFile(photo);
      const int orientation = reader.GetOrientation();
      const std::string name = fs::path(photo).filename().string();
      const bool done =
          JPegUtils::ExtractThumbnail(reader, thumbnail) &&
          GalleryImages::MakeSiteImage(
              photo, thumbnail,
              (out / GalleryLayout::kThumbFolder / GalleryLayout::ThumbnailName(name)).string(),
              JPegUtils::kSiteThumbMode, orientation, images) &&
          GalleryImages::MakeSiteImage(
              photo, photo,
              (out / GalleryLayout::kPhotoFolder / GalleryLayout::SitePhotoName(name)).string(),
              JPegUtils::kSitePhotoMode, orientation, images);
      if (done) {
        checker.ConfirmOutputs(checker.IndexOf(photo));
      } else {
        ++run.failures;
      }
    }
  }
  run.seconds = SecondsSince(start);
  fs::remove(thumbnail);
  return run;
}

// The two sizes with vipsthumbnail, one process per size over all photos;
// -1 when it cannot be run.
double Vips(const std::vector<std::string>& photos, const fs::path& out) {
  fs::create_directories(out);
  const std::string quality = "[Q=" + std::to_string(kVipsQuality) + "]";
  const Clock::time_point start = Clock::now();
  // The thumbnail cut from the photo's middle, the photo fitted into its box.
  const struct {
    const char* size;
    const char* crop;
    const char* suffix;
  } kinds[] = {{"100x75", "centre", "th"}, {"566x425", "none", "foto"}};
  for (const auto& [size, crop, suffix] : kinds) {
    std::vector<std::string> args = {"vipsthumbnail", "-s", size, "--smartcrop", crop, "-o",
                                     (out / ("%s_" + std::string(suffix) + ".jpg" + quality)).string()};
    args.insert(args.end(), photos.begin(), photos.end());
    if (!RunProgram(args)) return -1;
  }
  return SecondsSince(start);
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / ("quillmarsh-gallery-bench-" + std::to_string(getpid()));
  const fs::path folder = root / "photos";
  std::printf("load average at the start: %s\n", LoadAverage().c_str());
  std::printf("making %d photos, long side %d, from the test photos ...\n", kPhotoCount, kLongSide);
  const std::vector<std::string> photos = MakePhotos(folder);
  const double count = double(photos.size());
  double bytes = 0;
  for (const std::string& photo : photos) bytes += double(fs::file_size(photo));
  std::printf("photos of %.1f MB on average\n", bytes / count / 1e6);

  THtmlProject project;  // keep boxes on: 40 +- 2 KB, 2560 +- 512 bytes
  const Run first = MakeImages(photos, folder, root / "html", project);
  const std::string firstLoad = LoadAverage();
  const Run second = MakeImages(photos, folder, root / "html", project);
  const std::string secondLoad = LoadAverage();
  const double vips = Vips(photos, root / "vips");
  const std::string vipsLoad = LoadAverage();

  std::printf("first run:  %7.1f ms a photo, %d encodings (%.2f a photo), %d failed  (load %s)\n",
              1000 * first.seconds / count, first.encodings, first.encodings / count, first.failures,
              firstLoad.c_str());
  std::printf("second run: %7.1f ms a photo, %d encodings (images outside the size window), %d failed (nothing changed)  (load %s)\n",
              1000 * second.seconds / count, second.encodings, second.failures, secondLoad.c_str());
  if (vips < 0) {
    std::printf("vipsthumbnail could not be run (Debian libvips-tools)\n");
  } else {
    std::printf("vipsthumbnail, both sizes: %7.1f ms a photo  (load %s)\n", 1000 * vips / count,
                vipsLoad.c_str());
    std::printf("first run / vips: %.2f (below 1 is faster)\n", first.seconds / vips);
  }
  std::printf("final qualities: photos %d, thumbnails %d\n", 100 - project.ImageCompression,
              100 - project.TbCompression);
  fs::remove_all(root);
  // The second run searches again only the images that cannot land in the
  // size window, as after a change of the settings (to the same bytes).
  return first.failures == 0 && second.failures == 0 ? 0 : 1;
}
