// What the gallery benchmarks share: 200 large photos made from the test
// photos, a clock, the load of the machine, and running a program.
//
// The photos are baseline JPEGs with a long side of 6000 pixels: every test
// photo of tests/data/photos that decodes, enlarged with its shape kept
// (landscape, portrait, 3:2, 4:3, a panorama), taken in turn, each photo with
// a fine grain of its own, so that no two are alike and they decode and
// compress like camera photos. With EXIF a photo carries its test photo's
// EXIF segment (dates, camera, orientation, the embedded thumbnail of those
// that have one) right after the start of image, as a camera writes it; a
// test photo whose EXIF cannot be taken gives photos without.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "metadata/ConvertJPeg.h"
#include "metadata/exif.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"

extern char** environ;

namespace benchphotos {

namespace fs = std::filesystem;

constexpr int kLongSide = 6000;
constexpr int kPhotoCount = 200;
constexpr const char* kTestPhotos = QUILLMARSH_PHOTOS;

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The three load averages of /proc/loadavg ("1.02 0.98 0.75"); "unknown"
// where there is none.
inline std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  if (!(file >> one >> five >> fifteen)) return "unknown";
  return one + " " + five + " " + fifteen;
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(1);
}

// A test photo the large photos are made from.
struct TSource {
  std::string name;
  platform::Bitmap picture;  // as stored
  std::string exifSegment;   // a file holding its EXIF segment; empty: none
};

// Every test photo that decodes, by name; with withExif each with its EXIF
// segment exported into work.
inline std::vector<TSource> LoadSources(const fs::path& work, bool withExif) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kTestPhotos))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<TSource> sources;
  for (const fs::path& file : files) {
    TSource source{file.filename().string(), {}, {}};
    platform::JpegReader reader;
    if (!reader.OpenFile(file.string()) || !reader.Decode(source.picture)) continue;
    TExifReader exif;
    const std::string segment = (work / (file.stem().string() + ".segment")).string();
    if (withExif && exif.ReadFromFile(file.string()) && exif.ExportExifSegment(segment))
      source.exifSegment = segment;
    sources.push_back(std::move(source));
  }
  if (sources.empty()) Fail("no test photo decodes");
  return sources;
}

// The source enlarged to a long side of kLongSide, its shape kept, with a
// grain of its own per seed.
inline platform::Bitmap LargePhoto(const TSource& source, std::uint32_t seed) {
  platform::Bitmap picture = source.picture;
  const int longSide = std::max(picture.width, picture.height);
  const int width = static_cast<int>(std::lround(double(picture.width) * kLongSide / longSide));
  const int height = static_cast<int>(std::lround(double(picture.height) * kLongSide / longSide));
  ConvertJPeg::StretchBitmap(picture, width, height);
  for (std::uint8_t& value : picture.pixels) {
    seed = seed * 1664525u + 1013904223u;
    const int grain = static_cast<int>(seed >> 28) - 8;
    value = static_cast<std::uint8_t>(std::clamp(value + grain, 0, 255));
  }
  return picture;
}

// One large photo of source at path, with its EXIF segment (when it has one)
// in front of the picture in place of the encoder's JFIF segment.
inline void WriteLargePhoto(const TSource& source, std::uint32_t seed, const std::string& path) {
  std::string jpeg;
  if (!platform::EncodeJpeg(LargePhoto(source, seed), 90, jpeg)) Fail("cannot encode a photo");
  const bool withExif = !source.exifSegment.empty();
  if (withExif && jpeg.size() > 6 && static_cast<unsigned char>(jpeg[3]) == 0xE0) {
    const size_t length = (static_cast<unsigned char>(jpeg[4]) << 8) | static_cast<unsigned char>(jpeg[5]);
    jpeg.erase(2, length + 2);
  }
  std::ofstream(path, std::ios::binary) << jpeg;
  if (!withExif) return;
  TExifReader reader;
  reader.ReadFromFile(path);  // none yet: false, with the file name kept
  if (!reader.ImportExifSegment(source.exifSegment, false)) Fail("cannot give a photo its EXIF");
}

// The photo number index of a set: its test photo and its grain.
inline const TSource& SourceOf(const std::vector<TSource>& sources, int index) {
  return sources[static_cast<size_t>(index) % sources.size()];
}
inline std::uint32_t SeedOf(int index) { return static_cast<std::uint32_t>(index) + 1; }

// kPhotoCount distinct photos in folder, "photo_000.jpg" on, the test photos
// taken in turn; with withExif they carry their test photo's EXIF.
inline std::vector<std::string> MakePhotos(const fs::path& folder, bool withExif = false) {
  fs::create_directories(folder);
  const fs::path work = folder.parent_path() / "sources";
  fs::create_directories(work);
  const std::vector<TSource> sources = LoadSources(work, withExif);
  std::vector<std::string> photos;
  for (int i = 0; i < kPhotoCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo_%03d.jpg", i);
    photos.push_back((folder / name).string());
    WriteLargePhoto(SourceOf(sources, i), SeedOf(i), photos.back());
  }
  fs::remove_all(work);
  return photos;
}

// The pixel size of a JPEG as "WxH"; empty when it is none.
inline std::string JpegSizeText(const std::string& path) {
  platform::JpegReader reader;
  if (!reader.OpenFile(path)) return std::string();
  return std::to_string(reader.Width()) + "x" + std::to_string(reader.Height());
}

// Runs a program with its arguments and waits; true when it exits with 0.
// Its output goes to log when one is given.
inline bool RunProgram(std::vector<std::string> args, const std::string& log = {}) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!log.empty()) {
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  pid_t pid = 0;
  const bool started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return started && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace benchphotos
