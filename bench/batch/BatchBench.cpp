// Times two batch actions over a tree of 10,000 photos, "file date := photo
// date" (code 1) and "rename by photo date" (code 2), and exiftool doing the
// same on a copy of the tree ("-FileModifyDate<DateTimeOriginal" and
// "-FileName<DateTimeOriginal" with a date format). Prints files per second,
// wall clock and processor time, and the ratios.
//
// The photos are copies of small test photos, each given a date of its own
// (a burst of two photos in one second every 25 photos) in all three EXIF
// date tags, in folders of 500. The program's own runs are repeated on three
// trees, before, between and after exiftool's, and the middle time is taken,
// since other work on the machine varies; exiftool runs once.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "metadata/exif.h"
#include "photos/batch/HromadneAkceWalk.h"

namespace {

constexpr int kPhotos = 10000;
constexpr int kPerFolder = 500;
constexpr int kBurstEvery = 25;
constexpr int kOwnRuns = 3;

const char* const kSources[] = {"Canon_40D.jpg", "Fujifilm_FinePix_E500.jpg", "Kodak_CX7530.jpg",
                                "Olympus_C8080WZ.jpg", "Sony_HDR-HC3.jpg", "Nikon_D70.jpg",
                                "Ricoh_Caplio_RR330.jpg", "Pentax_K10D.jpg"};

// A test photo's bytes and where its three dates stand.
struct Source {
  std::string bytes;
  std::vector<int32_t> datePositions;
};

std::string ReadWhole(const std::string& path) {
  TFile file;
  std::string bytes;
  if (!file.OpenFile(path, 0)) return bytes;
  bytes.resize(size_t(file.GetSize()));
  if (file.Read(bytes.data(), int64_t(bytes.size())) != int64_t(bytes.size())) bytes.clear();
  return bytes;
}

std::vector<Source> LoadSources() {
  std::vector<Source> sources;
  for (const char* name : kSources) {
    const std::string path = std::string(QUILLMARSH_PHOTOS) + "/" + name;
    TExifReader reader;
    reader.ReadFromFile(path);
    const TExifValues& v = reader.Values();
    Source s{ReadWhole(path), {v.dateTimePos, v.dateTimeOriginalPos, v.dateTimeDigitizedPos}};
    bool placed = !s.bytes.empty();
    for (const int32_t pos : s.datePositions) placed = placed && pos >= 1;
    if (placed) sources.push_back(std::move(s));
  }
  return sources;
}

std::string ExifDateText(TDateTime value) {
  return DateFunc::FormatDate("yyyy:mm:dd", value) + " " + DateFunc::FormatTime("hh:mm:ss", value) +
         std::string(1, '\0');
}

bool BuildTree(const std::string& root, const std::vector<Source>& sources) {
  TDateTime date = 0;
  DateTime::TryEncodeDateTime(2013, 1, 1, 8, 0, 0, 0, date);
  for (int i = 0; i < kPhotos; ++i) {
    if (i % kBurstEvery != 1) date = DateFunc::IncSeconds(47, date);
    const Source& source = sources[size_t(i) % sources.size()];
    std::string bytes = source.bytes;
    for (const int32_t pos : source.datePositions) bytes.replace(size_t(pos), 20, ExifDateText(date));
    const std::string folder = root + "/d" + std::to_string(i / kPerFolder);
    TFile file;
    if (!file.CreateFile(folder + "/IMG_" + std::to_string(10000 + i) + ".JPG") ||
        !file.Write(bytes.data(), int64_t(bytes.size())) || !file.Close())
      return false;
  }
  return true;
}

struct Timing {
  double wall = 0;  // seconds
  double cpu = 0;   // seconds of user and system time
};

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

template <typename Work>
Timing Time(int who, Work work) {
  const double cpu = CpuSeconds(who);
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  return {wall.count(), CpuSeconds(who) - cpu};
}

Timing RunOurs(HromadneAkce::TActionCode code, const std::string& root) {
  HromadneAkce::TOptions options;
  options.subdirs = true;
  HromadneAkce::TProgress progress;
  HromadneAkce::TRunResult result;
  const Timing t = Time(RUSAGE_SELF, [&] {
    result = HromadneAkce::RunAction(code, options, HromadneAkce::FolderTarget(root), progress);
  });
  if (result.filesMet != size_t(kPhotos) || !result.failures.empty())
    std::printf("  code %d: %zu files, %zu failures\n", int(code), result.filesMet,
                result.failures.size());
  return t;
}

Timing RunExiftool(const std::string& arguments, const std::string& root) {
  const std::string command = "exiftool -q -q -r " + arguments + " '" + root + "'";
  return Time(RUSAGE_CHILDREN, [&] {
    if (std::system(command.c_str()) != 0) std::printf("  exiftool failed: %s\n", command.c_str());
  });
}

void Report(const char* action, const Timing& ours, const Timing& exiftool) {
  std::printf("%s\n", action);
  std::printf("  Quillmarsh %8.0f files/s  (%.2f s, processor %.2f s)\n", kPhotos / ours.wall,
              ours.wall, ours.cpu);
  std::printf("  exiftool   %8.0f files/s  (%.2f s, processor %.2f s)\n", kPhotos / exiftool.wall,
              exiftool.wall, exiftool.cpu);
  std::printf("  ratio      %8.1f x wall clock, %.1f x processor time\n",
              exiftool.wall / ours.wall, exiftool.cpu / ours.cpu);
}

// Photos renamed to "yyyymmdd_hhmmss" names, of all files below root.
int Renamed(const std::string& root) {
  int renamed = 0;
  for (const std::string& file : DosFunc::FindFiles(root, true))
    renamed += file.find("/2013") != std::string::npos ? 1 : 0;
  return renamed;
}

Timing Middle(std::vector<Timing> timings) {
  std::sort(timings.begin(), timings.end(),
            [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
  return timings[timings.size() / 2];
}

double Load() {
  double load[1] = {0};
  getloadavg(load, 1);
  return load[0];
}

}  // namespace

int main() {
  const std::vector<Source> sources = LoadSources();
  char pattern[] = "/tmp/quillmarsh-batch-bench-XXXXXX";
  if (sources.empty() || mkdtemp(pattern) == nullptr) return 1;
  const std::string theirs = std::string(pattern) + "/exiftool";
  std::printf("Building %d trees of %d photos (%zu sources, %d a folder); load %.1f\n",
              kOwnRuns + 1, kPhotos, sources.size(), kPerFolder, Load());
  std::vector<std::string> ours;
  for (int i = 0; i < kOwnRuns; ++i) {
    ours.push_back(std::string(pattern) + "/ours" + std::to_string(i));
    if (!BuildTree(ours.back(), sources)) return 1;
  }
  if (!BuildTree(theirs, sources)) return 1;
  // The photos are on the disk before anything is timed, as a user's are:
  // writing the new trees back would otherwise run alongside the first runs.
  sync();

  // The program's runs go before, between and after exiftool's, so that they
  // meet the same changing load.
  std::vector<Timing> fileDates, renames;
  const auto runOurs = [&](const std::string& tree) {
    fileDates.push_back(RunOurs(HromadneAkce::kFileDateFromPhoto, tree));
    renames.push_back(RunOurs(HromadneAkce::kRenameByPhotoDate, tree));
  };
  runOurs(ours[0]);
  const Timing exifFileDates = RunExiftool("'-FileModifyDate<DateTimeOriginal'", theirs);
  runOurs(ours[1]);
  const Timing exifRenames =
      RunExiftool("-d '%Y%m%d_%H%M%S%%-c.%%le' '-FileName<DateTimeOriginal'", theirs);
  runOurs(ours[2]);

  Report("file date := photo date", Middle(fileDates), exifFileDates);
  Report("rename by photo date", Middle(renames), exifRenames);
  std::printf("renamed: Quillmarsh %d, exiftool %d of %d; load %.1f\n", Renamed(ours[0]),
              Renamed(theirs), kPhotos, Load());
  DosFunc::DeleteFileOrDir(pattern);
  return 0;
}
