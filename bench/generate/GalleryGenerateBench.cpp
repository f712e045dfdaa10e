// Generates the gallery of 200 photos of 6000 x 4000 with EXIF
// (bench/gallery/LargePhotos.h) as the generate command does: a first run,
// a run with nothing changed, a run after 5 comment changes and one after 5
// photos changed; and in the same run the same folder with lazygal and with
// fgallery (4 jobs), first run and no-change run, lazygal also after the
// comment changes. Prints each run's time, its re-encodings and the files it
// wrote (new or with a new modification time), the tools side by side, the
// time vipsthumbnail takes for the two image sizes alone, and the speed of
// the checker's CRC-32.
//
//   gallery_generate_bench [work folder]   (default: the current folder)
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bench/gallery/LargePhotos.h"
#include "foundation/Win32CRC.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryRun.h"
#include "metadata/exif.h"
#include "photos/IgnoreList.h"

namespace fs = std::filesystem;

namespace {

using namespace benchphotos;

constexpr int kChanged = 5;
constexpr const char* kLog = "tools.log";

struct TRun {
  double seconds = -1;
  int encodings = 0;
  std::set<std::string> encoded;  // photos re-encoded (by output name)
  int written = 0;                // files new or rewritten
  int failed = 0;
};

using TStamps = std::map<std::string, fs::file_time_type>;

// Every file below folder with its modification time.
TStamps Stamps(const fs::path& folder) {
  TStamps stamps;
  if (!fs::exists(folder)) return stamps;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) stamps[fs::relative(entry.path(), folder).string()] = entry.last_write_time();
  return stamps;
}

int Written(const TStamps& before, const TStamps& after, bool withIcons = true) {
  int written = 0;
  for (const auto& [file, time] : after) {
    if (!withIcons && file.rfind(GalleryLayout::kIcoFolder, 0) == 0) continue;
    const auto old = before.find(file);
    if (old == before.end() || old->second != time) ++written;
  }
  return written;
}

TRun Ours(const fs::path& photos, const fs::path& out) {
  THtmlProject project;  // keep boxes on: 40 +- 2 KB, 2560 +- 512 bytes
  project.ProjectName = "Benchmark";
  project.HtmlDir = out.string();
  project.Shortcut = "bench";
  TRun run;
  GalleryRun::TEvents events;
  events.Info = [&run](const std::string& what, const std::string& level) {
    if (level.empty() || what.rfind("Komprese ", 0) != 0) return;
    ++run.encodings;
    // Thumbnails are named "th_" + the photo's name.
    const std::string name = what.substr(9);
    run.encoded.insert(name.rfind("th_", 0) == 0 ? name.substr(3) : name);
  };
  const TStamps before = Stamps(out);
  const Clock::time_point start = Clock::now();
  TIgnoreList ignore;
  ignore.Load(photos.string());
  const GalleryRun::TReport report = GalleryRun::Generate(
      project, photos.string(), GalleryRun::ListPhotos(photos.string(), ignore), ignore.Names(), events);
  run.seconds = SecondsSince(start);
  run.failed = static_cast<int>(report.Failed.size()) + (report.Outcome == GalleryRun::TOutcome::kDone ? 0 : 1);
  run.written = Written(before, Stamps(out), false);
  return run;
}

TRun Tool(std::vector<std::string> args, const fs::path& out, const fs::path& log) {
  TRun run;
  const TStamps before = Stamps(out);
  const Clock::time_point start = Clock::now();
  if (!RunProgram(std::move(args), log.string())) return run;
  run.seconds = SecondsSince(start);
  run.written = Written(before, Stamps(out));
  return run;
}

TRun Lazygal(const fs::path& photos, const fs::path& out, const fs::path& log) {
  return Tool({"lazygal", "--quiet", "-o", out.string(), photos.string()}, out, log);
}

TRun Fgallery(const fs::path& photos, const fs::path& out, const fs::path& log) {
  return Tool({"fgallery", "-s", "-d", "-k", "-j", "4", photos.string(), out.string(), "Benchmark"}, out, log);
}

double Vips(const std::vector<std::string>& photos, const fs::path& out) {
  fs::create_directories(out);
  const Clock::time_point start = Clock::now();
  for (const auto& [size, suffix] : {std::pair{"100x75!", "th"}, {"566x425", "foto"}}) {
    std::vector<std::string> args = {"vipsthumbnail", "-s", size, "-o",
                                     (out / ("%s_" + std::string(suffix) + ".jpg[Q=75]")).string()};
    args.insert(args.end(), photos.begin(), photos.end());
    if (!RunProgram(args)) return -1;
  }
  return SecondsSince(start);
}

// GB/s of the CRC-32 the checker sums each photo with.
double CrcSpeed() {
  std::vector<unsigned char> data(256u << 20);
  std::mt19937 random(1);
  for (unsigned char& byte : data) byte = static_cast<unsigned char>(random());
  uint32_t crc = 0xFFFFFFFF;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 4; ++i) Win32CRC::UpdateCRC32(crc, data.data(), static_cast<int64_t>(data.size()));
  const double seconds = SecondsSince(start);
  if (crc == 0x12345678) std::printf(" ");  // keeps the work
  return 4.0 * double(data.size()) / seconds / 1e9;
}

// The copies of a photo are links to one file: a photo about to change gets
// a file of its own first.
void Unshare(const std::string& photo) {
  fs::copy_file(photo, photo + ".own");
  fs::rename(photo + ".own", photo);
}

void SetComment(const std::string& photo, const std::string& comment) {
  Unshare(photo);
  TExifReader reader;
  reader.SetHideUnnamedTags(false);
  if (!reader.ReadFromFile(photo)) Fail("cannot read a photo's EXIF");
  reader.SetUserComment(comment);
  if (!reader.WriteUserComment()) Fail("cannot write a comment");
}

std::string Seconds(double seconds) {
  if (seconds < 0) return "     n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%8.2f", seconds);
  return text;
}

void Row(const char* what, const TRun& run, double count) {
  std::printf("  %-34s %s s %8.1f ms/photo %6d files written", what, Seconds(run.seconds).c_str(),
              run.seconds < 0 ? 0.0 : 1000 * run.seconds / count, run.written);
  if (run.encodings > 0) std::printf(", %d encodings of %zu photos", run.encodings, run.encoded.size());
  if (run.failed > 0) std::printf(", %d FAILED", run.failed);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root = fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::current_path()) /
                        ("quillmarsh-generate-bench-" + std::to_string(getpid()));
  const fs::path folder = root / "photos";
  const fs::path log = root / kLog;
  std::printf("making %d photos of %d x %d with EXIF ...\n", kDistinct * kCopies, kWidth, kHeight);
  const std::vector<std::string> photos = MakePhotos(folder, true, true);
  const double count = double(photos.size());
  double bytes = 0;
  for (const std::string& photo : photos) bytes += double(fs::file_size(photo));
  std::printf("photos of %.1f MB on average, %.0f MB in all (copies linked)\n", bytes / count / 1e6,
              bytes / 1e6);
  const double crc = CrcSpeed();
  std::printf("checker CRC-32 (zlib crc32): %.2f GB/s, %.2f s over the %d photos\n", crc, bytes / crc / 1e9,
              int(count));

  const TRun first = Ours(folder, root / "ours");
  const TRun unchanged = Ours(folder, root / "ours");
  const double vips = Vips(photos, root / "vips");
  std::fflush(stdout);
  const TRun lazyFirst = Lazygal(folder, root / "lazygal", log);
  const TRun lazyUnchanged = Lazygal(folder, root / "lazygal", log);
  const TRun fgFirst = Fgallery(folder, root / "fgallery", log);
  const TRun fgUnchanged = Fgallery(folder, root / "fgallery", log);

  // Comments of 5 photos, spread over the gallery.
  for (int i = 0; i < kChanged; ++i) SetComment(photos[size_t(i * 41 + 3)], "Komentář " + std::to_string(i));
  const TRun comments = Ours(folder, root / "ours");
  const TRun lazyComments = Lazygal(folder, root / "lazygal", log);

  // 5 photos with a new picture (the same EXIF).
  {
    platform::JpegReader reader;
    platform::Bitmap small;
    if (!reader.OpenFile(kSourcePhoto) || !reader.Decode(small)) Fail("cannot read the test photo");
    const std::string segment = (root / "exif.segment").string();
    TExifReader source;
    if (!source.ReadFromFile(kSourcePhoto) || !source.ExportExifSegment(segment)) Fail("no EXIF segment");
    for (int i = 0; i < kChanged; ++i) {
      const std::string photo = photos[size_t(i * 37 + 11)];
      fs::remove(photo);
      WriteLargePhoto(LargePhoto(small, std::uint32_t(100 + i)), photo, true, segment);
    }
  }
  const TRun pictures = Ours(folder, root / "ours");

  std::printf("\n%d photos of %d x %d (%.1f MB each)\n", int(count), kWidth, kHeight, bytes / count / 1e6);
  std::printf("Quillmarsh (keep-size search on; files written leave out the 7 navigation images):\n");
  Row("first run", first, count);
  Row("no change", unchanged, count);
  Row("after 5 comment changes", comments, count);
  Row("after 5 photos changed", pictures, count);
  std::printf("lazygal:\n");
  Row("first run", lazyFirst, count);
  Row("no change", lazyUnchanged, count);
  Row("after 5 comment changes", lazyComments, count);
  std::printf("fgallery (-j 4, slim):\n");
  Row("first run", fgFirst, count);
  Row("no change", fgUnchanged, count);
  if (vips < 0) {
    std::printf("vipsthumbnail could not be run (Debian libvips-tools)\n");
  } else {
    std::printf("vipsthumbnail, both image sizes alone: %.1f ms a photo\n", 1000 * vips / count);
    std::printf("Quillmarsh first run / vips: %.2f\n", first.seconds / vips);
  }
  const auto ratio = [&first](const TRun& tool) { return tool.seconds < 0 ? 0.0 : tool.seconds / first.seconds; };
  std::printf("first run: lazygal %.1fx and fgallery %.1fx the time of Quillmarsh\n", ratio(lazyFirst),
              ratio(fgFirst));
  std::printf("no-change run: %.1f%% of the first run\n", 100 * unchanged.seconds / first.seconds);
  fs::remove_all(root);
  return first.failed == 0 && unchanged.encodings == 0 ? 0 : 1;
}
