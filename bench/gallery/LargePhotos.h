// What the gallery benchmarks share: 200 large photos made from a real test
// photo, a clock, and running a program.
//
// The photos are baseline JPEGs of 6000 x 4000, the test photo enlarged with
// a fine grain so that they decode like camera photos; ten different ones,
// each copied twenty times. With EXIF they carry the test photo's EXIF
// segment (dates, camera, embedded thumbnail) right after the start of
// image, as a camera writes it.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
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

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kDistinct = 10;
constexpr int kCopies = 20;
constexpr const char* kSourcePhoto = QUILLMARSH_PHOTOS "/gps_DSCN0010.jpg";

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The test photo enlarged to 6000 x 4000 with grain of its own per seed.
inline platform::Bitmap LargePhoto(const platform::Bitmap& small, std::uint32_t seed) {
  platform::Bitmap picture = small;
  ConvertJPeg::StretchBitmap(picture, kWidth, kHeight);
  for (std::uint8_t& value : picture.pixels) {
    seed = seed * 1664525u + 1013904223u;
    const int grain = static_cast<int>(seed >> 28) - 8;
    value = static_cast<std::uint8_t>(std::clamp(value + grain, 0, 255));
  }
  return picture;
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(1);
}

// One large photo at path; withExif puts the test photo's EXIF segment in
// front of the picture in place of the encoder's JFIF segment.
inline void WriteLargePhoto(const platform::Bitmap& picture, const std::string& path, bool withExif,
                            const std::string& segment) {
  std::string jpeg;
  if (!platform::EncodeJpeg(picture, 90, jpeg)) Fail("cannot encode a photo");
  if (withExif && jpeg.size() > 6 && static_cast<unsigned char>(jpeg[3]) == 0xE0) {
    const size_t length = (static_cast<unsigned char>(jpeg[4]) << 8) | static_cast<unsigned char>(jpeg[5]);
    jpeg.erase(2, length + 2);
  }
  std::ofstream(path, std::ios::binary) << jpeg;
  if (!withExif) return;
  TExifReader reader;
  reader.ReadFromFile(path);  // none yet: false, with the file name kept
  if (!reader.ImportExifSegment(segment, false)) Fail("cannot give a photo its EXIF");
}

// With linked, the copies are hard links to the first of their ten (a photo
// must then be given a file of its own before it is changed in place).
inline std::vector<std::string> MakePhotos(const fs::path& folder, bool withExif = false, bool linked = false) {
  platform::JpegReader reader;
  platform::Bitmap small;
  if (!reader.OpenFile(kSourcePhoto) || !reader.Decode(small)) Fail("cannot read the test photo");
  fs::create_directories(folder);
  const std::string segment = (folder.parent_path() / "exif.segment").string();
  TExifReader source;
  if (withExif && (!source.ReadFromFile(kSourcePhoto) || !source.ExportExifSegment(segment)))
    Fail("cannot take the test photo's EXIF");
  std::vector<std::string> photos;
  for (int d = 0; d < kDistinct; ++d) {
    const std::string first = (folder / ("photo_" + std::to_string(d) + "_0.jpg")).string();
    WriteLargePhoto(LargePhoto(small, std::uint32_t(d + 1)), first, withExif, segment);
    photos.push_back(first);
    for (int c = 1; c < kCopies; ++c) {
      const fs::path copy = folder / ("photo_" + std::to_string(d) + "_" + std::to_string(c) + ".jpg");
      if (linked) {
        fs::create_hard_link(first, copy);
      } else {
        fs::copy_file(first, copy);
      }
      photos.push_back(copy.string());
    }
  }
  fs::remove(segment);
  return photos;
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
