// Loads a folder of 10,000 copies of the test photos into the main window's
// photo list, sorted by exposure time, and reads the same dates with exiv2;
// prints the files per second of both and their ratio, the time until the
// main window shows the first photo of that folder given on the command
// line, and the peak memory.
#include <exiv2/exiv2.hpp>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "app/start/StartupArgs.h"
#include "app/widgets/appform.h"
#include "foundation/appcore.h"
#include "photos/PhotoFolder.h"
#include "photos/PhotoList.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPhotos = 10000;
constexpr int kRuns = 3;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// One folder of copies, round-robin over the test photos.
fs::path BuildFolder(const fs::path& root) {
  std::vector<fs::path> photos;
  for (const auto& entry : fs::directory_iterator(QUILLMARSH_PHOTOS))
    if (entry.path().extension() == ".jpg") photos.push_back(entry.path());
  std::sort(photos.begin(), photos.end());
  const fs::path folder = root / "photos";
  fs::create_directories(folder);
  for (int i = 0; i < kPhotos; ++i) {
    const fs::path& source = photos[size_t(i) % photos.size()];
    fs::copy_file(source, folder / (std::to_string(i) + "_" + source.filename().string()));
  }
  return folder;
}

// The folder as the main window reads it: its photo files, then the list.
size_t LoadPhotoList(const std::string& folder) {
  std::vector<std::string> paths;
  PhotoFolder::List(folder, {}, paths);
  TPhotoListOptions options;
  options.ByExposure = true;
  return PhotoList::Load(paths, options).Entries.size();
}

std::string Exiv2Date(const Exiv2::ExifData& data) {
  for (const char* key :
       {"Exif.Photo.DateTimeDigitized", "Exif.Photo.DateTimeOriginal", "Exif.Image.DateTime"}) {
    const auto found = data.findKey(Exiv2::ExifKey(key));
    if (found != data.end() && !found->toString().empty()) return found->toString();
  }
  return "1900:01:01 00:00:00";
}

// The same dates and comments with exiv2, sorted the same way.
size_t LoadWithExiv2(const std::string& folder) {
  struct Entry {
    std::string date, name, comment;
  };
  std::vector<Entry> entries;
  for (const auto& file : fs::directory_iterator(folder)) {
    Entry entry{"1900:01:01 00:00:00", file.path().filename().string(), ""};
    try {
      auto image = Exiv2::ImageFactory::open(file.path().string());
      image->readMetadata();
      const Exiv2::ExifData& data = image->exifData();
      entry.date = Exiv2Date(data);
      const auto comment = data.findKey(Exiv2::ExifKey("Exif.Photo.UserComment"));
      if (comment != data.end()) entry.comment = comment->toString();
    } catch (const Exiv2::AnyError&) {
    }
    entries.push_back(std::move(entry));
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.date != b.date ? a.date < b.date : a.name < b.name;
  });
  return entries.size();
}

// The best files per second of kRuns loads.
template <typename Load>
double FilesPerSecond(const char* what, Load load) {
  double best = 0;
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    const size_t files = load();
    const double seconds = SecondsSince(start);
    best = std::max(best, double(files) / seconds);
    std::printf("%-28s run %d: %zu files in %.3f s\n", what, run + 1, files, seconds);
  }
  return best;
}

// From the command line to the first photo on the screen: the argument
// scan of the folder, the windows, the sorted list and the photo shown.
double SecondsToFirstPhoto(int argc, char** argv, const std::string& folder) {
  const Clock::time_point start = Clock::now();
  QApplication application(argc, argv);
  const TStartupArgs args = StartupArgs::Collect({folder});
  GlobalWindows::Create(false);
  appform::InitializeFormApplication(false);
  TMainForm* form = GlobalWindows::Get().MainForm;
  form->show();
  QCoreApplication::processEvents();
  const double windowShown = SecondsSince(start);
  form->OpenFileList(args.Text);
  QCoreApplication::processEvents();
  const double seconds = SecondsSince(start);
  std::printf("first photo shown: %s of %zu; the window stood after %.3f s\n",
              form->CurrentFile().c_str(), form->Files().size(), windowShown);
  GlobalWindows::Destroy();
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  appcore::Start();
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  const fs::path root = fs::temp_directory_path() / ("photolist_bench_" + std::to_string(getpid()));
  // Settings and work files of the window stay in the benchmark's folder.
  setenv("QUILLMARSH_HOME", (root / "home").c_str(), 1);
  const std::string folder = BuildFolder(root).string();
  std::printf("folder: %d photos\n", kPhotos);

  const long before = PeakRssKb();
  const double listRate = FilesPerSecond("photo list by exposure", [&] { return LoadPhotoList(folder); });
  const long afterList = PeakRssKb();
  const double firstPhoto = SecondsToFirstPhoto(argc, argv, folder);
  const long afterWindow = PeakRssKb();
  const double exiv2Rate = FilesPerSecond("exiv2 dates and comments", [&] { return LoadWithExiv2(folder); });

  std::printf("photo list %.0f files/s; exiv2 %.0f files/s; ratio %.1f\n", listRate, exiv2Rate,
              listRate / exiv2Rate);
  std::printf("time to the first photo shown: %.3f s\n", firstPhoto);
  std::printf("peak RSS: %ld KB before, %ld KB after the list loads, %ld KB with the window\n",
              before, afterList, afterWindow);
  fs::remove_all(root);
  return 0;
}
