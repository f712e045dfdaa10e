// Resizes a 24-megapixel JPEG to the site photo size (within 566 x 425) and
// the site thumbnail size (100 x 75, cut from the middle) with
// ConvertJpegFile and with vipsthumbnail, one
// vipsthumbnail process per image; then a folder of such photos, each with a
// grain of its own, with ConvertJpegFile photo by photo and with one
// vipsthumbnail process over the whole folder, as a user would run it.
// Prints the times per image, their ratios and the load average.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "metadata/ConvertJPeg.h"
#include "platform/jpeg/JpegWriter.h"

extern char** environ;

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kQuality = 80;
constexpr int kFolderPhotos = 20;

struct Target {
  const char* name;
  std::uint8_t mode;  // of ConvertJpegFile
  int width;
  int height;
  bool fill;  // cut to fill the box, else fitted into it
};
constexpr Target kTargets[] = {
    {"566x425", 1, 566, 425, false},
    {"100x75", 2, 100, 75, true},
};

std::string g_folder;
std::string g_photo;
std::vector<std::string> g_folderPhotos;

// A picture that compresses like a photo: smooth gradients and waves with
// fine pseudo-random grain, of its own for each seed.
platform::Bitmap MakePhoto(std::uint32_t seed) {
  platform::Bitmap picture;
  picture.width = kPhotoWidth;
  picture.height = kPhotoHeight;
  picture.pixels.resize(std::size_t{3} * kPhotoWidth * kPhotoHeight);
  std::uint8_t* p = picture.pixels.data();
  for (int y = 0; y < kPhotoHeight; ++y) {
    for (int x = 0; x < kPhotoWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = static_cast<int>(seed >> 28) - 8;
      const int wave = ((x / 37 + y / 53) % 7) * 9;
      *p++ = static_cast<std::uint8_t>(std::clamp(x * 200 / kPhotoWidth + wave + grain, 0, 255));
      *p++ = static_cast<std::uint8_t>(std::clamp(y * 180 / kPhotoHeight + grain + 30, 0, 255));
      *p++ = static_cast<std::uint8_t>(std::clamp(120 + wave - grain, 0, 255));
    }
  }
  return picture;
}

// The three load averages of /proc/loadavg; "unknown" where there is none.
std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  if (!(file >> one >> five >> fifteen)) return "unknown";
  return one + " " + five + " " + fifteen;
}

bool RunProgram(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    return false;
  }
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// vipsthumbnail's options for the size ConvertJpegFile makes: the photo
// fitted into the box, the thumbnail cut from its middle to fill it.
std::vector<std::string> VipsSize(const Target& target) {
  std::vector<std::string> options = {"--size", std::to_string(target.width) + "x" + std::to_string(target.height)};
  if (target.fill) options.insert(options.end(), {"--smartcrop", "centre"});
  return options;
}

bool RunVips(const Target& target, const std::string& output) {
  std::vector<std::string> args = {"vipsthumbnail", g_photo, "-o", output + "[Q=" + std::to_string(kQuality) + "]"};
  const std::vector<std::string> size = VipsSize(target);
  args.insert(args.end(), size.begin(), size.end());
  return RunProgram(args);
}

void BM_ConvertJpegFile(benchmark::State& state, Target target) {
  const std::string output = g_folder + "/convert_" + target.name + ".jpg";
  for (auto _ : state) {
    if (!ConvertJPeg::ConvertJpegFile(g_photo, output, target.mode, 0, 0, kQuality)) {
      state.SkipWithError("ConvertJpegFile failed");
      break;
    }
  }
}

void BM_Vipsthumbnail(benchmark::State& state, Target target) {
  const std::string output = g_folder + "/vips_" + target.name + ".jpg";
  for (auto _ : state) {
    if (!RunVips(target, output)) {
      state.SkipWithError("vipsthumbnail failed (is libvips-tools installed?)");
      break;
    }
  }
}

// The folder's photos one by one; the time is per image.
void BM_ConvertJpegFolder(benchmark::State& state, Target target) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < g_folderPhotos.size(); ++i) {
      const std::string output = g_folder + "/out/convert_" + std::to_string(i) + "_" + target.name + ".jpg";
      if (!ConvertJPeg::ConvertJpegFile(g_folderPhotos[i], output, target.mode, 0, 0, kQuality)) {
        state.SkipWithError("ConvertJpegFile failed");
        return;
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

// One vipsthumbnail process over the whole folder; the time is per image.
void BM_VipsthumbnailFolder(benchmark::State& state, Target target) {
  std::vector<std::string> args = VipsSize(target);
  args.insert(args.begin(), "vipsthumbnail");
  args.insert(args.end(), {"-o", g_folder + "/out/%s_vips_" + target.name + ".jpg[Q=" + std::to_string(kQuality) + "]"});
  args.insert(args.end(), g_folderPhotos.begin(), g_folderPhotos.end());
  for (auto _ : state) {
    if (!RunProgram(args)) {
      state.SkipWithError("vipsthumbnail failed (is libvips-tools installed?)");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

// Keeps the wall time of each benchmark for the comparison at the end: the
// median when repetitions are asked for, else the single run.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!run.error_occurred && (single || median)) {
        milliseconds[run.run_name.str()] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> milliseconds;
};

void PrintRatios(const std::map<std::string, double>& times, const char* ours, const char* vips,
                 double perImage) {
  std::printf("%-10s %14s %14s %8s\n", "target", "ConvertJpeg", "vipsthumbnail", "ratio");
  for (const Target& target : kTargets) {
    const std::string suffix = std::string("/") + target.name + "/real_time";
    const auto own = times.find(std::string(ours) + suffix);
    const auto their = times.find(std::string(vips) + suffix);
    if (own == times.end() || their == times.end()) {
      std::printf("%-10s no comparison (a run failed)\n", target.name);
      continue;
    }
    std::printf("%-10s %11.1f ms %11.1f ms %8.2f\n", target.name, own->second / perImage,
                their->second / perImage, own->second / their->second);
  }
}

void PrintComparison(const std::map<std::string, double>& times) {
  std::printf("\nOne image, one vipsthumbnail process per image:\n");
  PrintRatios(times, "BM_ConvertJpegFile", "BM_Vipsthumbnail", 1);
  std::printf("\nA folder of %d photos, one vipsthumbnail process over all (times per image):\n",
              kFolderPhotos);
  PrintRatios(times, "BM_ConvertJpegFolder", "BM_VipsthumbnailFolder", kFolderPhotos);
  std::printf("ratio = ConvertJpegFile time / vipsthumbnail time; below 1 is faster.\n");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  char folder[] = "/tmp/quillmarsh-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  g_folder = folder;
  g_photo = g_folder + "/photo24mp.jpg";
  if (!platform::WriteJpegFile(MakePhoto(12345), g_photo, 92)) {
    std::fprintf(stderr, "cannot write %s\n", g_photo.c_str());
    return 1;
  }
  std::filesystem::create_directories(g_folder + "/photos");
  std::filesystem::create_directories(g_folder + "/out");
  for (int i = 0; i < kFolderPhotos; ++i) {
    g_folderPhotos.push_back(g_folder + "/photos/photo" + std::to_string(i) + ".jpg");
    if (!platform::WriteJpegFile(MakePhoto(static_cast<std::uint32_t>(i + 1)), g_folderPhotos.back(), 92)) {
      std::fprintf(stderr, "cannot write %s\n", g_folderPhotos.back().c_str());
      return 1;
    }
  }
  std::printf("photo: %dx%d, %ju bytes; a folder of %d such photos\n", kPhotoWidth, kPhotoHeight,
              static_cast<std::uintmax_t>(std::filesystem::file_size(g_photo)), kFolderPhotos);
  std::printf("load average at the start: %s\n", LoadAverage().c_str());
  for (const Target& target : kTargets) {
    benchmark::RegisterBenchmark((std::string("BM_ConvertJpegFile/") + target.name).c_str(),
                                 BM_ConvertJpegFile, target)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("BM_Vipsthumbnail/") + target.name).c_str(),
                                 BM_Vipsthumbnail, target)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  for (const Target& target : kTargets) {
    benchmark::RegisterBenchmark((std::string("BM_ConvertJpegFolder/") + target.name).c_str(),
                                 BM_ConvertJpegFolder, target)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("BM_VipsthumbnailFolder/") + target.name).c_str(),
                                 BM_VipsthumbnailFolder, target)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintComparison(reporter.milliseconds);
  std::printf("load average at the end: %s\n", LoadAverage().c_str());
  std::filesystem::remove_all(g_folder);
  return 0;
}
