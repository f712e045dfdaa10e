// Makes the gallery images of 200 photos of 6000 x 4000: for each photo its
// thumbnail (from the photo's thumbnail, 100 x 75) and its site photo
// (566 x 425) as generation makes them, with the keep-size search on; then
// the same again over the unchanged photos; and the same two sizes with one
// vipsthumbnail process per size over all 200 files. Prints the time a photo
// of each and how many encodings each of our runs made.
//
// The photos are baseline JPEGs made here from a real test photo, enlarged
// with a fine grain so that they decode like camera photos; ten different
// ones, each copied twenty times.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/GalleryImages.h"
#include "gallery/GalleryLayout.h"
#include "metadata/ConvertJPeg.h"
#include "metadata/exif.h"
#include "photos/JPegUtils.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kDistinct = 10;
constexpr int kCopies = 20;
constexpr int kVipsQuality = 75;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The test photo enlarged to 6000 x 4000 with grain of its own per seed.
platform::Bitmap LargePhoto(const platform::Bitmap& small, std::uint32_t seed) {
  platform::Bitmap picture = small;
  ConvertJPeg::StretchBitmap(picture, kWidth, kHeight);
  for (std::uint8_t& value : picture.pixels) {
    seed = seed * 1664525u + 1013904223u;
    const int grain = static_cast<int>(seed >> 28) - 8;
    value = static_cast<std::uint8_t>(std::clamp(value + grain, 0, 255));
  }
  return picture;
}

std::vector<std::string> MakePhotos(const fs::path& folder) {
  platform::JpegReader reader;
  platform::Bitmap small;
  if (!reader.OpenFile(std::string(QUILLMARSH_PHOTOS) + "/gps_DSCN0010.jpg") || !reader.Decode(small)) {
    std::fprintf(stderr, "cannot read the test photo\n");
    std::exit(1);
  }
  fs::create_directories(folder);
  std::vector<std::string> photos;
  for (int d = 0; d < kDistinct; ++d) {
    const std::string first = (folder / ("photo_" + std::to_string(d) + "_0.jpg")).string();
    if (!platform::WriteJpegFile(LargePhoto(small, std::uint32_t(d + 1)), first, 90)) std::exit(1);
    photos.push_back(first);
    for (int c = 1; c < kCopies; ++c) {
      const fs::path copy = folder / ("photo_" + std::to_string(d) + "_" + std::to_string(c) + ".jpg");
      fs::copy_file(first, copy);
      photos.push_back(copy.string());
    }
  }
  return photos;
}

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

bool RunProgram(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The two sizes with vipsthumbnail, one process per size over all photos;
// -1 when it cannot be run.
double Vips(const std::vector<std::string>& photos, const fs::path& out) {
  fs::create_directories(out);
  const std::string quality = "[Q=" + std::to_string(kVipsQuality) + "]";
  const Clock::time_point start = Clock::now();
  for (const auto& [size, suffix] : {std::pair{"100x75!", "th"}, {"566x425", "foto"}}) {
    std::vector<std::string> args = {"vipsthumbnail", "-s", size, "-o",
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
  std::printf("making %d photos of %d x %d ...\n", kDistinct * kCopies, kWidth, kHeight);
  const std::vector<std::string> photos = MakePhotos(folder);
  const double count = double(photos.size());
  double bytes = 0;
  for (const std::string& photo : photos) bytes += double(fs::file_size(photo));
  std::printf("photos of %.1f MB on average\n", bytes / count / 1e6);

  THtmlProject project;  // keep boxes on: 40 +- 2 KB, 2560 +- 512 bytes
  const Run first = MakeImages(photos, folder, root / "html", project);
  const Run second = MakeImages(photos, folder, root / "html", project);
  const double vips = Vips(photos, root / "vips");

  std::printf("first run:  %7.1f ms a photo, %d encodings (%.2f a photo), %d failed\n",
              1000 * first.seconds / count, first.encodings, first.encodings / count, first.failures);
  std::printf("second run: %7.1f ms a photo, %d encodings, %d failed (nothing changed)\n",
              1000 * second.seconds / count, second.encodings, second.failures);
  if (vips < 0) {
    std::printf("vipsthumbnail could not be run (Debian libvips-tools)\n");
  } else {
    std::printf("vipsthumbnail, both sizes: %7.1f ms a photo\n", 1000 * vips / count);
    std::printf("first run / vips: %.2f (below 1 is faster)\n", first.seconds / vips);
  }
  std::printf("final qualities: photos %d, thumbnails %d\n", 100 - project.ImageCompression,
              100 - project.TbCompression);
  fs::remove_all(root);
  return first.failures == 0 && second.encodings == 0 ? 0 : 1;
}
