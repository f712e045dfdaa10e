// The main window's photo list: the photos of a folder or of a list of
// paths, each with its display text (exposure date, time and comment),
// sorted once by exposure time or by name. Every entry keeps the file's real
// name and full path; upper case serves only to compare names, so photos
// whose names differ only in case stay two photos.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One photo while a list is sorted, as a record of a TDataList. The file
// name field holds the upper-cased name cut to 79 bytes on a character
// boundary; the full name, path and display text stay beside the records in
// the loader, found by Source.
#pragma pack(push, 1)
struct TPhotoRecord {
  int32_t ExposureDate;  // day number (DateFunc)
  int32_t ExposureTime;  // seconds of the day
  uint8_t NameLength;
  char Name[79];
  int32_t Source;  // index of the photo among the loader's paths
};
#pragma pack(pop)
static_assert(sizeof(TPhotoRecord) == 92);

struct TPhotoEntry {
  std::string Path;
  std::string Display;
};

struct TPhotoListOptions {
  bool ByExposure = true;
  // Patterns of the date and time in display texts (texts 0 and 1).
  std::string DatePattern = "dd.mm.yyyy";
  std::string TimePattern = "hh:mm:ss";
  // Called once for every path looked at, before it is read.
  std::function<void()> Step;
};

struct TPhotoListing {
  std::vector<TPhotoEntry> Entries;
  // How many paths were looked at, photos or not.
  int Processed = 0;
};

namespace PhotoList {

// A display text is cut to this many characters.
constexpr int kMaxDisplayLength = 100;
// Stepping re-reads a folder whose last load looked at fewer paths.
constexpr int kRescanThreshold = 10;

// True for the names the list takes: ".jpg", ".jpeg" and ".exif" side
// files, in any case.
bool IsListedName(const std::string& name);

// How many characters of the comment a display text keeps:
// 101 - length(date pattern) - length(time pattern) - 5.
int CommentWidth(const std::string& datePattern, const std::string& timePattern);

// date + "|" + time + "|" + the comment lines (each trimmed, joined by one
// blank; once longer than CommentWidth cut to width - 3 characters plus
// "..."), or fileName when the comment is empty; the whole cut to
// kMaxDisplayLength characters. A photo without a date (dayNum < 0) has an
// empty date and time.
std::string DisplayText(const std::vector<std::string>& commentLines, const std::string& fileName,
                        int32_t dayNum, int32_t seconds, const std::string& datePattern,
                        const std::string& timePattern);

// Reads the EXIF of each path (trimmed) and returns the photos sorted: by
// exposure date, time, then upper-cased name, or by upper-cased name alone;
// equal keys keep the order given. Paths that do not name a listed file
// that can be opened are skipped; a photo without EXIF or date sorts first,
// as the null date 1900-01-01 00:00:00, and shows an empty date and time.
TPhotoListing Load(const std::vector<std::string>& paths, const TPhotoListOptions& options);

}  // namespace PhotoList
