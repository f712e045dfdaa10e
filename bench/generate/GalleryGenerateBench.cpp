// Generates the gallery of 200 large photos with EXIF, each of its own
// (bench/gallery/LargePhotos.h), as the generate command does: a first run,
// a run with nothing changed, a run after 5 comment changes and one after 5
// photos changed; and in the same run the same folder with lazygal and with
// fgallery (4 jobs), first run and no-change run, lazygal also after the
// comment changes. Each tool is asked for the two image sizes Quillmarsh
// makes, a photo within 566 x 425 and a thumbnail of 100 x 75, and the sizes
// each made are printed. Prints each run's time, its re-encodings, the files
// it wrote (new, or with another inode or modification time: every file of
// the output, for every tool alike) and the load average after it; the tools
// side by side, the time vipsthumbnail takes for the two image sizes alone
// (one process a size over the whole folder), and the speed of the
// checker's CRC-32. Fails when a photo failed or the no-change run wrote a
// file.
//
//   gallery_generate_bench [work folder]   (default: the current folder)
#include <sys/stat.h>
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
#include "gallery/generate/GalleryRun.h"
#include "metadata/exif.h"
#include "photos/IgnoreList.h"

namespace fs = std::filesystem;

namespace {

using namespace benchphotos;

constexpr int kChanged = 5;
constexpr const char* kLog = "tools.log";
// The two image sizes of a gallery, asked of every tool.
constexpr const char* kPhotoBox = "566x425";
constexpr const char* kThumbBox = "100x75";

struct TRun {
  double seconds = -1;
  int encodings = 0;
  std::set<std::string> encoded;  // photos re-encoded (by output name)
  int written = 0;                // files new or rewritten
  int failed = 0;
  std::string load;               // the load average after the run
};

// What tells a file written again: its inode (a file replaced by rename
// gets a new one) and its modification time.
struct TStamp {
  ino_t inode = 0;
  struct timespec modified = {};
  bool operator==(const TStamp& other) const {
    return inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};
using TStamps = std::map<std::string, TStamp>;

// Every file below folder with its stamp.
TStamps Stamps(const fs::path& folder) {
  TStamps stamps;
  if (!fs::exists(folder)) return stamps;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat status;
    if (!entry.is_regular_file() || ::stat(entry.path().c_str(), &status) != 0) continue;
    stamps[fs::relative(entry.path(), folder).string()] = {status.st_ino, status.st_mtim};
  }
  return stamps;
}

// The files of after that are new or carry another stamp than before.
int Written(const TStamps& before, const TStamps& after) {
  int written = 0;
  for (const auto& [file, stamp] : after) {
    const auto old = before.find(file);
    if (old == before.end() || !(old->second == stamp)) ++written;
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
  run.load = LoadAverage();
  run.failed = static_cast<int>(report.Failed.size()) + (report.Outcome == GalleryRun::TOutcome::kDone ? 0 : 1);
  run.written = Written(before, Stamps(out));
  return run;
}

TRun Tool(std::vector<std::string> args, const fs::path& out, const fs::path& log) {
  TRun run;
  const TStamps before = Stamps(out);
  const Clock::time_point start = Clock::now();
  if (!RunProgram(std::move(args), log.string())) return run;
  run.seconds = SecondsSince(start);
  run.load = LoadAverage();
  run.written = Written(before, Stamps(out));
  return run;
}

TRun Lazygal(const fs::path& photos, const fs::path& out, const fs::path& log) {
  return Tool({"lazygal", "--quiet", "-s", std::string("main=") + kPhotoBox, "-T", kThumbBox, "-o", out.string(),
               photos.string()},
              out, log);
}

TRun Fgallery(const fs::path& photos, const fs::path& out, const fs::path& log) {
  return Tool({"fgallery", "-s", "-d", "-k", "-j", "4", "--max-full", kPhotoBox, "--min-thumb", kThumbBox,
               "--max-thumb", kThumbBox, photos.string(), out.string(), "Benchmark"},
              out, log);
}

double Vips(const std::vector<std::string>& photos, const fs::path& out) {
  fs::create_directories(out);
  const Clock::time_point start = Clock::now();
  // The thumbnail cut from the photo's middle, the photo fitted into its box.
  const struct {
    const char* size;
    const char* crop;
    const char* suffix;
  } kinds[] = {{"100x75", "centre", "th"}, {kPhotoBox, "none", "foto"}};
  for (const auto& [size, crop, suffix] : kinds) {
    std::vector<std::string> args = {"vipsthumbnail", "-s", size, "--smartcrop", crop, "-o",
                                     (out / ("%s_" + std::string(suffix) + ".jpg[Q=75]")).string()};
    args.insert(args.end(), photos.begin(), photos.end());
    if (!RunProgram(args)) return -1;
  }
  return SecondsSince(start);
}

// The JPEGs below out, one line a kind: the folder and the last word of the
// name ("th", "thumb", "foto"...; none when it is a number), how many, the
// box they fill and their commonest size.
void PrintSizes(const char* tool, const fs::path& out) {
  struct TKind {
    int count = 0, width = 0, height = 0;
    std::map<std::string, int> sizes;
  };
  std::map<std::string, TKind> kinds;
  if (fs::exists(out)) {
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".jpg" && extension != ".jpeg")) continue;
      platform::JpegReader reader;
      if (!reader.OpenFile(entry.path().string())) continue;
      const std::string stem = entry.path().stem().string();
      const size_t mark = stem.find_last_of("_-.");
      std::string word = mark == std::string::npos ? std::string() : stem.substr(mark + 1);
      if (word.find_first_not_of("0123456789") == std::string::npos) word.clear();
      std::string key = fs::relative(entry.path().parent_path(), out).string();
      if (!word.empty()) key += " *" + word;
      TKind& kind = kinds[key];
      ++kind.count;
      kind.width = std::max(kind.width, reader.Width());
      kind.height = std::max(kind.height, reader.Height());
      ++kind.sizes[std::to_string(reader.Width()) + "x" + std::to_string(reader.Height())];
    }
  }
  std::printf("  %s made:", tool);
  if (kinds.empty()) std::printf(" no JPEG");
  std::printf("\n");
  for (const auto& [key, kind] : kinds) {
    const auto commonest = std::max_element(kind.sizes.begin(), kind.sizes.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
    std::printf("    %-22s %4d within %4dx%-4d %3zu sizes, %d of %s\n", key.c_str(), kind.count, kind.width,
                kind.height, kind.sizes.size(), commonest->second, commonest->first.c_str());
  }
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

// The peers' folder: a hard link to each photo and nothing else. In the
// photo folder itself they would take Quillmarsh's thumbnail cache
// ("thumbs") for an album of its own and make its pictures too.
void LinkPhotos(const std::vector<std::string>& photos, const fs::path& folder) {
  fs::create_directories(folder);
  for (const std::string& photo : photos) {
    const fs::path link = folder / fs::path(photo).filename();
    if (fs::exists(link) && fs::equivalent(link, photo)) continue;
    fs::remove(link);
    fs::create_hard_link(photo, link);
  }
}

void SetComment(const std::string& photo, const std::string& comment) {
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
  std::printf("  %-26s %s s %7.1f ms/photo %5d files written", what, Seconds(run.seconds).c_str(),
              run.seconds < 0 ? 0.0 : 1000 * run.seconds / count, run.written);
  if (run.encodings > 0) std::printf(", %d encodings of %zu photos", run.encodings, run.encoded.size());
  if (run.failed > 0) std::printf(", %d FAILED", run.failed);
  if (!run.load.empty()) std::printf("  (load %s)", run.load.c_str());
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root = fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::current_path()) /
                        ("quillmarsh-generate-bench-" + std::to_string(getpid()));
  const fs::path folder = root / "photos";
  const fs::path log = root / kLog;
  std::printf("load average at the start: %s\n", LoadAverage().c_str());
  std::printf("making %d photos with EXIF, long side %d, from the test photos ...\n", kPhotoCount, kLongSide);
  std::fflush(stdout);
  const std::vector<std::string> photos = MakePhotos(folder, true);
  const double count = double(photos.size());
  double bytes = 0;
  std::set<std::string> shapes;
  for (const std::string& photo : photos) {
    bytes += double(fs::file_size(photo));
    shapes.insert(JpegSizeText(photo));
  }
  std::printf("photos of %.1f MB on average, %.0f MB in all, %zu sizes\n", bytes / count / 1e6, bytes / 1e6,
              shapes.size());
  const double crc = CrcSpeed();
  std::printf("checker CRC-32 (zlib crc32): %.2f GB/s, %.2f s over the %d photos\n", crc, bytes / crc / 1e9,
              int(count));
  std::fflush(stdout);

  const TRun first = Ours(folder, root / "ours");
  const TRun unchanged = Ours(folder, root / "ours");
  const double vips = Vips(photos, root / "vips");
  const std::string vipsLoad = LoadAverage();
  const fs::path peers = root / "peers";
  LinkPhotos(photos, peers);
  const TRun lazyFirst = Lazygal(peers, root / "lazygal", log);
  const TRun lazyUnchanged = Lazygal(peers, root / "lazygal", log);
  const TRun fgFirst = Fgallery(peers, root / "fgallery", log);
  const TRun fgUnchanged = Fgallery(peers, root / "fgallery", log);

  std::printf("\nimage sizes asked: photos within %s, thumbnails %s\n", kPhotoBox, kThumbBox);
  PrintSizes("Quillmarsh", root / "ours");
  PrintSizes("vipsthumbnail", root / "vips");
  PrintSizes("lazygal", root / "lazygal");
  PrintSizes("fgallery", root / "fgallery");

  // Comments of 5 photos, spread over the gallery.
  for (int i = 0; i < kChanged; ++i) SetComment(photos[size_t(i * 41 + 3)], "Komentář " + std::to_string(i));
  const TRun comments = Ours(folder, root / "ours");
  // A comment written by replacing the photo leaves its link behind.
  LinkPhotos(photos, peers);
  const TRun lazyComments = Lazygal(peers, root / "lazygal", log);

  // 5 photos with a new picture (the same EXIF).
  {
    const fs::path work = root / "sources";
    fs::create_directories(work);
    const std::vector<TSource> sources = LoadSources(work, true);
    for (int i = 0; i < kChanged; ++i) {
      const int index = i * 37 + 11;
      fs::remove(photos[size_t(index)]);
      WriteLargePhoto(SourceOf(sources, index), std::uint32_t(1000 + i), photos[size_t(index)]);
    }
    fs::remove_all(work);
  }
  const TRun pictures = Ours(folder, root / "ours");

  std::printf("\n%d distinct photos (%.1f MB each on average)\n", int(count), bytes / count / 1e6);
  std::printf("Quillmarsh (keep-size search on; files written: every file of the gallery):\n");
  Row("first run", first, count);
  Row("no change", unchanged, count);
  Row("after 5 comment changes", comments, count);
  Row("after 5 photos changed", pictures, count);
  std::printf("lazygal (-s main=%s -T %s):\n", kPhotoBox, kThumbBox);
  Row("first run", lazyFirst, count);
  Row("no change", lazyUnchanged, count);
  Row("after 5 comment changes", lazyComments, count);
  std::printf("fgallery (-j 4, slim, --max-full %s --min-thumb %s --max-thumb %s):\n", kPhotoBox, kThumbBox,
              kThumbBox);
  Row("first run", fgFirst, count);
  Row("no change", fgUnchanged, count);
  if (vips < 0) {
    std::printf("vipsthumbnail could not be run (Debian libvips-tools)\n");
  } else {
    std::printf("vipsthumbnail, both image sizes alone, one process a size: %.1f ms a photo  (load %s)\n",
                1000 * vips / count, vipsLoad.c_str());
    std::printf("vipsthumbnail / Quillmarsh first run: %.2fx the time\n", vips / first.seconds);
  }
  const auto ratio = [&first](const TRun& tool) { return tool.seconds < 0 ? 0.0 : tool.seconds / first.seconds; };
  std::printf("first run: lazygal %.1fx and fgallery %.1fx the time of Quillmarsh\n", ratio(lazyFirst),
              ratio(fgFirst));
  std::printf("no-change run: %.1f%% of the first run\n", 100 * unchanged.seconds / first.seconds);
  std::printf("load average at the end: %s\n", LoadAverage().c_str());
  fs::remove_all(root);
  // A photo whose image cannot land in the size window is searched again on
  // each run, as after a change of the settings; it must come to the same
  // bytes, so the run over unchanged photos writes nothing.
  return first.failed == 0 && unchanged.written == 0 ? 0 : 1;
}
