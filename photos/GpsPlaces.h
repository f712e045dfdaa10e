// The named GPS places, kept in one text file with one place per line:
//   latitude|longitude|altitude|name
// Latitude and longitude are signed decimal degrees ("," or "."), the
// altitude is metres or empty, and the name is the rest of the line, "|"
// included. The file is read as UTF-8, or as windows-1250 when it is not
// valid UTF-8, and always written whole as UTF-8 with CR LF line ends, in a
// work file renamed over the old one: a write cut off half-way leaves the old
// places.
#pragma once

#include <string>
#include <vector>

namespace GpsPlaces {

constexpr const char* kFileName = "quillmarsh.gps";

// Splits a line at its first three "|". True when latitude and longitude,
// trimmed, are numbers and the altitude, trimmed, is empty or a number; the
// name is the trimmed rest.
bool ParseLocationLine(const std::string& line, std::string& lat, std::string& lon,
                       std::string& name, std::string& alt);

// The places file: kFileName in the data folder (AppFolders::DataFile). When
// it is not there yet, the places of an older run are copied there first:
// the executable's path with the extension "gps", else kFileName beside the
// executable. Empty when there is no data folder.
std::string LocationsFilePath(const std::string& executable);

// The valid lines as they stand, in the order of their names without regard
// to case; lines of equal names keep their order.
std::vector<std::string> SortedLines(const std::vector<std::string>& lines);

}  // namespace GpsPlaces

// One place: its coordinate text "lat|lon|alt" (each trimmed, the altitude
// possibly empty) and its name.
struct TGpsPlace {
  std::string coords;
  std::string name;
};

// The places of one file, in the file's order. Every change is written to the
// file at once; when that fails the list stays as it was. A file that exists
// but cannot be read is never written over, so its places are not lost.
class TGpsPlaceList {
 public:
  explicit TGpsPlaceList(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  const std::vector<TGpsPlace>& Places() const { return places_; }

  // Rewrites an existing file with its valid lines sorted (SortedLines).
  // True also when there is no file or nothing to change; false when the
  // file could not be read or written.
  [[nodiscard]] bool SortFile();
  // The valid lines of the file; a missing file gives no places. False
  // (no places) when the file exists but cannot be read.
  bool Load();
  // Writes the places; false when that failed or the file was unreadable.
  [[nodiscard]] bool Save() const;

  // The first place whose coordinate text begins with Trim(lat) + "|" +
  // Trim(lon) + "|" (exact text); -1 when none.
  int Find(const std::string& lat, const std::string& lon) const;
  // The name at index; empty for an index outside the list.
  std::string NameAt(int index) const;
  std::string FindName(const std::string& lat, const std::string& lon) const;

  // Stores a place: the one at the position, else the one of that name
  // (without regard to case), gets the name and position; otherwise the place
  // is appended. An altitude that is no number is left out; control
  // characters in the name become blanks. Returns the place's index, or -1
  // when the file could not be written.
  int Add(const std::string& lat, const std::string& lon, const std::string& alt,
          const std::string& name);
  // Removes the place at index and writes the file; false when it could not.
  bool Remove(int index);
  // Merges the places of another file into this one. A place at a position
  // already listed keeps its line, taking the imported altitude only when it
  // had none; the other places are added (a position once). The file is
  // written sorted and loaded again. A missing import file adds nothing.
  // False when a file could not be read or this one could not be written.
  bool Import(const std::string& file);

 private:
  bool Write(const std::vector<std::string>& lines) const;
  bool Write(const std::vector<TGpsPlace>& places) const;

  std::string path_;
  std::vector<TGpsPlace> places_;
  // The file exists but could not be read.
  bool unreadable_ = false;
};
