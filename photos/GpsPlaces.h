// The named GPS places, kept in one text file with one place per line:
//   latitude|longitude|altitude|name
// Latitude and longitude are signed decimal degrees ("," or ".") within the
// globe's ranges, the altitude is metres (a finite number) or empty, and the
// name is the rest of the line, "|" included.
//
// The file is the user's: it is read line by line, each line as UTF-8 or,
// when it is not valid UTF-8, as windows-1250, and written only when the
// places change. Then it is written whole as UTF-8 with CR LF line ends, in a
// work file renamed over the old one (a write cut off half-way leaves the old
// places): first every line that is no place, as it stood, byte for byte,
// then the places in the order of their names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace GpsPlaces {

constexpr const char* kFileName = "quillmarsh.gps";

// Splits a line at its first three "|". True when latitude and longitude,
// trimmed, are numbers of at most 90 and 180 degrees either way and the
// altitude, trimmed, is empty or a finite number; the name is the trimmed
// rest.
bool ParseLocationLine(const std::string& line, std::string& lat, std::string& lon,
                       std::string& name, std::string& alt);

// The places file: kFileName in the data folder (AppFolders::DataFile). When
// it is not there yet, the places of an older run are copied there first:
// the executable's path with the extension "gps", else kFileName beside the
// executable. Empty when there is no data folder.
std::string LocationsFilePath(const std::string& executable);

}  // namespace GpsPlaces

// One place: its coordinate text "lat|lon|alt" (each trimmed, the altitude
// possibly empty) and its name.
struct TGpsPlace {
  std::string coords;
  std::string name;
};

// The places of one file, in the order of their names without regard to
// case (places of equal names in the file's order). The file is read when a
// place is first asked for, not before: a program that never needs a place
// never reads it. The lines are kept as one text and the places as
// positions in it, so a list takes about the memory of its file.
//
// Every change is written to the file at once; when that fails the list
// stays as it was. A file that exists but cannot be read is never written
// over, so its places are not lost.
class TGpsPlaceList {
 public:
  explicit TGpsPlaceList(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // Reads the file (again). A missing file gives no places. False (no
  // places) when the file exists but cannot be read.
  bool Load();
  // Writes the places (the file's other lines first); false when that
  // failed or the file was unreadable.
  [[nodiscard]] bool Save();

  size_t Count() const;
  // The place at index; empty for an index outside the list.
  TGpsPlace At(int index) const;
  std::string NameAt(int index) const;
  // The name at index without a copy; valid until the list changes.
  std::string_view NameView(size_t index) const;

  // The first place whose coordinate text begins with Trim(lat) + "|" +
  // Trim(lon) + "|" (exact text); -1 when none.
  int Find(const std::string& lat, const std::string& lon) const;
  std::string FindName(const std::string& lat, const std::string& lon) const;

  // Stores a place: the one at the position, else the one of that name
  // (without regard to case), gets the name and position; otherwise the place
  // is added. An altitude that is no number is left out; control characters
  // in the name become blanks. Returns the place's index, or -1 when the
  // position is no place (out of range) or the file could not be written.
  int Add(const std::string& lat, const std::string& lon, const std::string& alt,
          const std::string& name);
  // Removes the place at index and writes the file; false when it could not.
  bool Remove(int index);
  // Merges the places of another file into this one. A place at a position
  // already listed keeps its line, taking the imported altitude only when it
  // had none; the other places are added as they stand (a position once).
  // A missing import file adds nothing. False when a file could not be read
  // or this one could not be written.
  bool Import(const std::string& file);

 private:
  // A line of text_.
  struct TLine {
    uint32_t offset = 0;
    uint32_t size = 0;
  };
  std::string_view LineAt(TLine line) const {
    return std::string_view(lines_.text).substr(line.offset, line.size);
  }
  // The lines of a file: text holds them, others and places say where.
  struct TLines {
    std::string text;
    std::vector<TLine> others;  // lines that are no place, in the file's order
    std::vector<TLine> places;  // in the file's order
  };
  enum class TRead { kOk, kMissing, kFailed };
  static TRead ReadLines(const std::string& path, TLines& lines);
  // Reads the file when nothing has been read yet.
  void EnsureLoaded() const;
  void LoadNow() const;
  void SortByName() const;
  // Writes the file's other lines and then places, which must be in name
  // order; on success they become the list.
  bool Write(const std::vector<std::string_view>& places);
  // The places' lines in name order.
  std::vector<std::string_view> PlaceLines() const;

  std::string path_;
  // Filled when first needed, which a const lookup may be.
  mutable bool loaded_ = false;
  // The file exists but could not be read.
  mutable bool unreadable_ = false;
  mutable TLines lines_;  // places in name order
};
