// Writes a places file of 2,000,000 places (names with Czech letters, about
// 60 MB, under the 64 MB a places file may have) into a fresh data folder, then measures what the GPS places window
// costs: made at start, the first lookup of a place (which reads the file),
// the window shown, and a place stored (which writes it). Prints the time of
// each step and the memory the process holds after it, and the peak.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/places/GPSLocations.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPlaces = 2000000;

using Clock = std::chrono::steady_clock;

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

template <typename Step>
void Measure(const char* what, Step step) {
  const Clock::time_point start = Clock::now();
  step();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%-28s %8.3f s  %8ld MB held  %8ld MB peak\n", what, seconds, ResidentKb() / 1024,
              PeakKb() / 1024);
}

void WritePlaces(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  char position[32];
  for (int64_t i = 0; i < kPlaces; ++i) {
    const int64_t lat = 490000 + (i * 7919) % 20000, lon = 130000 + (i * 104729) % 50000;
    std::snprintf(position, sizeof position, "%ld.%04ld|%ld.%04ld|", long(lat / 10000),
                  long(lat % 10000), long(lon / 10000), long(lon % 10000));
    out << position << (i % 3 == 0 ? std::to_string(200 + i % 900) : std::string())
        << (i % 4 == 0 ? "|Žďár " : "|Ves ") << i << "\r\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root = fs::temp_directory_path() / ("quillmarsh-places-bench-" +
                                                     std::to_string(getpid()));
  setenv("QUILLMARSH_HOME", (root / "home").c_str(), 1);
  const fs::path file = root / "home" / "data" / "quillmarsh.gps";
  WritePlaces(file);
  std::printf("places file: %d places, %ld MB\n", kPlaces, long(fs::file_size(file) >> 20));
  QApplication app(argc, argv);
  Measure("program started", [] {});
  TfrmGPS* places = nullptr;
  Measure("window made at start", [&] { places = new TfrmGPS; });
  Measure("first lookup of a place", [&] { places->FindLocationName("50.1", "14.4"); });
  Measure("next lookup", [&] { places->FindLocationName("49.1", "13.4"); });
  Measure("window shown", [&] {
    places->show();
    QApplication::processEvents();
  });
  Measure("place stored", [&] { places->AddLocation("50.1", "14.4", "235", "Praha"); });
  delete places;
  fs::remove_all(root);
  return 0;
}
