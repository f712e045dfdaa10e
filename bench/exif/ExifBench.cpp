// Reads the EXIF of every photo of a folder tree of about 10,000 copies of the
// test photos, with TExifReader and with exiv2, and prints files per second,
// their ratio, and the reader's peak memory after 1,000 and after all files.
#include <benchmark/benchmark.h>
#include <exiv2/exiv2.hpp>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "metadata/exif.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTargetFiles = 10000;
constexpr int kFilesPerFolder = 250;

std::vector<std::string> g_files;
double g_readerRate = 0;
double g_exiv2Rate = 0;
double g_exiv2ReadRate = 0;

// Copies the test photos round-robin into numbered subfolders.
fs::path BuildTree() {
  const fs::path root = fs::temp_directory_path() / ("exif_bench_" + std::to_string(getpid()));
  std::vector<fs::path> photos;
  for (const auto& entry : fs::directory_iterator(QUILLMARSH_PHOTOS))
    if (entry.path().extension() == ".jpg") photos.push_back(entry.path());
  std::sort(photos.begin(), photos.end());
  for (int i = 0; i < kTargetFiles; ++i) {
    const fs::path folder = root / ("d" + std::to_string(i / kFilesPerFolder));
    if (i % kFilesPerFolder == 0) fs::create_directories(folder);
    const fs::path& source = photos[size_t(i) % photos.size()];
    const fs::path target = folder / (std::to_string(i) + "_" + source.filename().string());
    fs::copy_file(source, target);
  }
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) g_files.push_back(entry.path().string());
  return root;
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_TExifReader(benchmark::State& state) {
  TExifReader reader;
  for (auto _ : state) {
    size_t rows = 0;
    for (const std::string& file : g_files) {
      reader.ReadFromFile(file);
      rows += reader.StandardRows().texts.size() + reader.MakerRows().texts.size();
    }
    benchmark::DoNotOptimize(rows);
  }
  state.counters["files/s"] =
      benchmark::Counter(double(g_files.size()), benchmark::Counter::kIsIterationInvariantRate);
}

// exiv2 reads the metadata and, with printValues, prints every tag's
// interpreted value as the reader makes a display text of every tag.
void ReadWithExiv2(benchmark::State& state, bool printValues) {
  for (auto _ : state) {
    size_t rows = 0;
    for (const std::string& file : g_files) {
      try {
        auto image = Exiv2::ImageFactory::open(file);
        image->readMetadata();
        for (const auto& datum : image->exifData())
          rows += printValues ? datum.print().size() : 1;
      } catch (const Exiv2::AnyError&) {
      }
    }
    benchmark::DoNotOptimize(rows);
  }
  state.counters["files/s"] =
      benchmark::Counter(double(g_files.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Exiv2(benchmark::State& state) { ReadWithExiv2(state, true); }
void BM_Exiv2ReadOnly(benchmark::State& state) { ReadWithExiv2(state, false); }

BENCHMARK(BM_TExifReader)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Exiv2)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Exiv2ReadOnly)->Unit(benchmark::kMillisecond)->MinTime(3);

// Keeps the files/s of each run for the ratio.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  RateReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto it = run.counters.find("files/s");
      if (it == run.counters.end()) continue;
      if (run.benchmark_name().find("TExifReader") != std::string::npos) g_readerRate = it->second;
      if (run.benchmark_name().find("Exiv2/") != std::string::npos) g_exiv2Rate = it->second;
      if (run.benchmark_name().find("Exiv2ReadOnly") != std::string::npos)
        g_exiv2ReadRate = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  const fs::path root = BuildTree();
  std::printf("folder tree: %zu files\n", g_files.size());

  // Peak memory of the reader alone, before exiv2 has run.
  const long before = PeakRssKb();
  TExifReader reader;
  for (size_t i = 0; i < 1000; ++i) reader.ReadFromFile(g_files[i]);
  const long after1000 = PeakRssKb();
  for (const std::string& file : g_files) reader.ReadFromFile(file);
  const long afterAll = PeakRssKb();
  std::printf("peak RSS: %ld KB before reading, %ld KB after 1,000 files, %ld KB after %zu files\n",
              before, after1000, afterAll, g_files.size());

  benchmark::Initialize(&argc, argv);
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (g_exiv2Rate > 0 && g_exiv2ReadRate > 0)
    std::printf(
        "TExifReader %.0f files/s; exiv2 with printed values %.0f files/s (ratio %.2f), "
        "exiv2 reading only %.0f files/s (ratio %.2f)\n",
        g_readerRate, g_exiv2Rate, g_readerRate / g_exiv2Rate, g_exiv2ReadRate,
        g_readerRate / g_exiv2ReadRate);
  fs::remove_all(root);
  return 0;
}
