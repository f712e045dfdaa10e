// Small folder trees for the batch action tests: photos with chosen EXIF and
// file dates (copies of a test photo), other media files, and what a tree
// holds afterwards.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Win32CRC.h"
#include "metadata/exif.h"
#include "photos/batch/HromadneAkceProgress.h"
#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace batchtest {

using testsupport::At;

// The photo every tree is made of: it has all three dates in place.
inline const char kPhoto[] = "Canon_40D.jpg";

inline std::string MakeFolderOf(const std::string& path) {
  const std::string folder = StrFunc::ExtractDir(path);
  EXPECT_TRUE(DosFunc::ForceDirectoriesLong(folder)) << folder;
  return folder;
}

// The three EXIF dates of a photo: DateTime, DateTimeOriginal, DateTimeDigitized.
struct ExifDates {
  TDateTime dateTime = 0, original = 0, digitized = 0;
};

inline ExifDates ReadExifDates(const std::string& path) {
  TExifReader reader;
  reader.ReadFromFile(path);
  const TExifValues& v = reader.Values();
  return {v.dateTime, v.dateTimeOriginal, v.dateTimeDigitized};
}

inline void WriteExifDates(const std::string& path, const ExifDates& dates) {
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(path)) << path;
  reader.SetDateTime(dates.dateTime);
  reader.SetDateTimeOriginal(dates.original);
  reader.SetDateTimeDigitized(dates.digitized);
  ASSERT_TRUE(reader.WriteDates()) << path;
}

// A photo at root/relPath taken at taken (all three dates), with fileDate
// as its last-write time (taken when 0).
inline std::string Photo(const std::string& root, const std::string& relPath, TDateTime taken,
                         TDateTime fileDate = 0) {
  const std::string path = root + "/" + relPath;
  MakeFolderOf(path);
  EXPECT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath(kPhoto), path)) << path;
  WriteExifDates(path, {taken, taken, taken});
  DosFunc::SetFileDateTime(path, fileDate != 0 ? fileDate : taken);
  return path;
}

// A photo whose exposure dates are empty ("0000:00:00 00:00:00"), so it has
// no valid EXIF date; its DateTime stays 2013-01-01 01:01:01.
inline std::string UndatedPhoto(const std::string& root, const std::string& relPath,
                                TDateTime fileDate) {
  const std::string path = Photo(root, relPath, At(2013, 1, 1, 1, 1, 1), fileDate);
  TExifReader reader;
  reader.ReadFromFile(path);
  std::string bytes = testsupport::ReadFileBytes(path);
  const std::string empty("0000:00:00 00:00:00\0", 20);
  bytes.replace(size_t(reader.Values().dateTimeOriginalPos), 20, empty);
  bytes.replace(size_t(reader.Values().dateTimeDigitizedPos), 20, empty);
  testsupport::WriteFileBytes(path, bytes);
  DosFunc::SetFileDateTime(path, fileDate);
  return path;
}

// One photo of a burst: its name and the fractions of the second written
// into it as SubSecTimeOriginal and SubSecTime ("" for none).
struct BurstPhoto {
  std::string name;
  std::string original;
  std::string subSec;
};

// What the photos of a burst taken in one second hold: copies of the test
// photo, each told apart by its DateTime, with the fractions of the second
// written by exiftool, as a camera writes them. In the burst's order.
inline std::vector<std::string> BurstPhotos(const std::vector<BurstPhoto>& burst, TDateTime taken) {
  testsupport::TempDir camera;
  std::string command = "exiftool -q -P -overwrite_original";
  for (size_t i = 0; i < burst.size(); ++i) {
    const std::string photo = Photo(camera.Path(), burst[i].name, taken);
    WriteExifDates(photo, {At(2000, 6, int(i) + 1), taken, taken});
    command += (i > 0 ? " -execute" : "") + std::string(" '-SubSecTimeOriginal=") +
               burst[i].original + "' '-SubSecTime=" + burst[i].subSec + "' '" + photo + "'";
  }
  testsupport::CommandOutput(command);
  std::vector<std::string> bytes;
  for (const BurstPhoto& photo : burst)
    bytes.push_back(testsupport::ReadFileBytes(camera.Path() + "/" + photo.name));
  return bytes;
}

// The burst's photos (BurstPhotos) copied into root in reverse order, as a
// copy made newest first leaves them: each copy made, and its file time
// within the second taken, later than the one after it.
inline void CopyBurst(const std::string& root, const std::vector<BurstPhoto>& burst,
                      const std::vector<std::string>& photos, TDateTime taken) {
  for (size_t i = burst.size(); i-- > 0;) {
    const std::string copy = root + "/" + burst[i].name;
    MakeFolderOf(copy);
    testsupport::WriteFileBytes(copy, photos[i]);
    DosFunc::SetFileDateTime(copy, taken);
    platform::FileStatus status;
    EXPECT_TRUE(platform::StatPath(copy, status));
    EXPECT_TRUE(platform::SetModifiedTimeExact(copy, status.modifiedSeconds,
                                               int64_t(burst.size() - i) * 1000));
  }
}

// Another media file (or any file) with contents of its own.
inline std::string Media(const std::string& root, const std::string& relPath,
                         TDateTime fileDate) {
  const std::string path = root + "/" + relPath;
  MakeFolderOf(path);
  testsupport::WriteFileBytes(path, "media " + relPath);
  DosFunc::SetFileDateTime(path, fileDate);
  return path;
}

// Every file below root as its path relative to root, sorted.
inline std::vector<std::string> Tree(const std::string& root) {
  std::vector<std::string> files = DosFunc::FindFiles(root, true);
  std::sort(files.begin(), files.end());
  return files;
}

// Every file's contents by their checksum and size, counted.
inline std::map<std::string, int> Contents(const std::string& root) {
  std::map<std::string, int> contents;
  for (const std::string& file : Tree(root)) {
    const std::string bytes = testsupport::ReadFileBytes(root + "/" + file);
    const uint32_t crc = Win32CRC::BufferCRC32(bytes.data(), int64_t(bytes.size()));
    ++contents[std::to_string(crc) + "/" + std::to_string(bytes.size())];
  }
  return contents;
}

inline std::string Stamp(TDateTime value) {
  return DateFunc::FormatDate("yyyymmdd", value) + "_" + DateFunc::FormatTime("hhmmss", value);
}

// A progress that records what the pass told it and can ask to stop.
class RecordingProgress : public HromadneAkce::TProgress {
 public:
  void BeginFolder(const std::string& folder, size_t folderSteps) override {
    folders.push_back(folder);
    maxima.push_back(folderSteps);
  }
  void Step() override { ++steps; }
  bool StopRequested() override { return stopAfter >= 0 && steps >= size_t(stopAfter); }
  bool LimitFiles() override { return hidden; }
  void FilesLimited(const std::string& folder, size_t count) override {
    limited.push_back(folder + " " + std::to_string(count));
  }

  std::vector<std::string> folders;
  std::vector<size_t> maxima;
  size_t steps = 0;
  long stopAfter = -1;
  bool hidden = false;
  std::vector<std::string> limited;
};

}  // namespace batchtest
