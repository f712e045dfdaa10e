// Resizes a 24-megapixel JPEG to the site photo size (566 x 425) and the site
// thumbnail size (100 x 75) with ConvertJpegFile and with vipsthumbnail, and
// prints both times and their ratio.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

struct Target {
  const char* name;
  std::uint8_t mode;  // of ConvertJpegFile
  int width;
  int height;
};
constexpr Target kTargets[] = {
    {"566x425", 1, 566, 425},
    {"100x75", 2, 100, 75},
};

std::string g_folder;
std::string g_photo;

// A picture that compresses like a photo: smooth gradients and waves with
// fine pseudo-random grain.
platform::Bitmap MakePhoto() {
  platform::Bitmap picture;
  picture.width = kPhotoWidth;
  picture.height = kPhotoHeight;
  picture.pixels.resize(std::size_t{3} * kPhotoWidth * kPhotoHeight);
  std::uint32_t seed = 12345;
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

bool RunVips(const Target& target, const std::string& output) {
  return RunProgram({"vipsthumbnail", g_photo, "--size",
                     std::to_string(target.width) + "x" + std::to_string(target.height) + "!",
                     "-o", output + "[Q=" + std::to_string(kQuality) + "]"});
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

void PrintComparison(const std::map<std::string, double>& times) {
  std::printf("\n%-10s %14s %14s %8s\n", "target", "ConvertJpeg", "vipsthumbnail", "ratio");
  for (const Target& target : kTargets) {
    const std::string suffix = std::string("/") + target.name + "/real_time";
    const auto ours = times.find("BM_ConvertJpegFile" + suffix);
    const auto vips = times.find("BM_Vipsthumbnail" + suffix);
    if (ours == times.end() || vips == times.end()) {
      std::printf("%-10s no comparison (a run failed)\n", target.name);
      continue;
    }
    std::printf("%-10s %11.1f ms %11.1f ms %8.2f\n", target.name, ours->second, vips->second,
                ours->second / vips->second);
  }
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
  if (!platform::WriteJpegFile(MakePhoto(), g_photo, 92)) {
    std::fprintf(stderr, "cannot write %s\n", g_photo.c_str());
    return 1;
  }
  std::printf("photo: %dx%d, %ju bytes\n", kPhotoWidth, kPhotoHeight,
              static_cast<std::uintmax_t>(std::filesystem::file_size(g_photo)));
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
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintComparison(reporter.milliseconds);
  std::filesystem::remove_all(g_folder);
  return 0;
}
