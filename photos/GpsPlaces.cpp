#include "photos/GpsPlaces.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "foundation/AppFolders.h"
#include "foundation/StrFunc.h"
#include "foundation/config/cfgtoolsini.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace {

bool IsNumber(const std::string& text) {
  double value = 0;
  return StrFunc::TryStrToFloatS(text, value);
}

bool Exists(const std::string& path) {
  platform::FileStatus status;
  return platform::StatPath(path, status);
}

}  // namespace

namespace GpsPlaces {

bool ParseLocationLine(const std::string& line, std::string& lat, std::string& lon,
                       std::string& name, std::string& alt) {
  const size_t first = line.find('|');
  const size_t second = first == std::string::npos ? first : line.find('|', first + 1);
  const size_t third = second == std::string::npos ? second : line.find('|', second + 1);
  if (third == std::string::npos) return false;
  lat = StrFunc::Trim(line.substr(0, first));
  lon = StrFunc::Trim(line.substr(first + 1, second - first - 1));
  alt = StrFunc::Trim(line.substr(second + 1, third - second - 1));
  name = StrFunc::Trim(line.substr(third + 1));
  return IsNumber(lat) && IsNumber(lon) && (alt.empty() || IsNumber(alt));
}

std::string LocationsFilePath(const std::string& executable) {
  const std::string beside = StrFunc::IncludeBackslash(StrFunc::ExtractDir(executable)) + kFileName;
  return AppFolders::DataFile(kFileName, {StrFunc::ChangeExt(executable, "gps"), beside});
}

std::vector<std::string> SortedLines(const std::vector<std::string>& lines) {
  std::vector<std::pair<std::string, std::string>> keyed;
  for (const std::string& line : lines) {
    std::string lat, lon, name, alt;
    if (ParseLocationLine(line, lat, lon, name, alt))
      keyed.emplace_back(StrFunc::UpperCaseCz(name), line);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> sorted;
  for (auto& entry : keyed) sorted.push_back(std::move(entry.second));
  return sorted;
}

}  // namespace GpsPlaces

namespace {

enum class TRead { kOk, kMissing, kFailed };

TRead ReadLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  if (LoadTextFileLines(path, lines)) return TRead::kOk;
  lines.clear();
  return Exists(path) ? TRead::kFailed : TRead::kMissing;
}

std::string Coords(const std::string& lat, const std::string& lon, const std::string& alt) {
  return StrFunc::Trim(lat) + "|" + StrFunc::Trim(lon) + "|" + alt;
}

// A name is one line of the file.
std::string OneLine(const std::string& name) {
  std::string line = StrFunc::Trim(name);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c >= 0 && c < ' '; }, ' ');
  return line;
}

}  // namespace

bool TGpsPlaceList::SortFile() {
  std::vector<std::string> lines;
  const TRead read = ReadLines(path_, lines);
  if (read == TRead::kMissing) return true;
  return read == TRead::kOk && Write(GpsPlaces::SortedLines(lines));
}

bool TGpsPlaceList::Load() {
  places_.clear();
  std::vector<std::string> lines;
  const TRead read = ReadLines(path_, lines);
  unreadable_ = read == TRead::kFailed;
  for (const std::string& line : lines) {
    std::string lat, lon, name, alt;
    if (GpsPlaces::ParseLocationLine(line, lat, lon, name, alt))
      places_.push_back({Coords(lat, lon, alt), name});
  }
  return !unreadable_;
}

bool TGpsPlaceList::Save() const { return Write(places_); }

bool TGpsPlaceList::Write(const std::vector<std::string>& lines) const {
  return !unreadable_ && platform::ReplaceFile(path_, platform::JoinLines(lines));
}

bool TGpsPlaceList::Write(const std::vector<TGpsPlace>& places) const {
  std::vector<std::string> lines;
  for (const TGpsPlace& place : places) lines.push_back(place.coords + "|" + place.name);
  return Write(lines);
}

int TGpsPlaceList::Find(const std::string& lat, const std::string& lon) const {
  const std::string start = StrFunc::Trim(lat) + "|" + StrFunc::Trim(lon) + "|";
  for (size_t i = 0; i < places_.size(); ++i)
    if (places_[i].coords.starts_with(start)) return static_cast<int>(i);
  return -1;
}

std::string TGpsPlaceList::NameAt(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= places_.size()) return "";
  return places_[static_cast<size_t>(index)].name;
}

std::string TGpsPlaceList::FindName(const std::string& lat, const std::string& lon) const {
  return NameAt(Find(lat, lon));
}

int TGpsPlaceList::Add(const std::string& lat, const std::string& lon, const std::string& alt,
                       const std::string& name) {
  double metres = 0;
  const std::string altitude =
      StrFunc::TryStrToFloatS(StrFunc::Trim(alt), metres) ? StrFunc::Trim(alt) : "";
  const TGpsPlace place{Coords(lat, lon, altitude), OneLine(name)};
  int index = Find(lat, lon);
  if (index < 0) {
    const std::string upper = StrFunc::UpperCaseCz(place.name);
    for (size_t i = 0; i < places_.size() && index < 0; ++i)
      if (StrFunc::UpperCaseCz(places_[i].name) == upper) index = static_cast<int>(i);
  }
  std::vector<TGpsPlace> changed = places_;
  if (index < 0) {
    index = static_cast<int>(changed.size());
    changed.push_back(place);
  } else {
    changed[static_cast<size_t>(index)] = place;
  }
  if (!Write(changed)) return -1;
  places_ = std::move(changed);
  return index;
}

bool TGpsPlaceList::Remove(int index) {
  if (index < 0 || static_cast<size_t>(index) >= places_.size()) return false;
  std::vector<TGpsPlace> changed = places_;
  changed.erase(changed.begin() + index);
  if (!Write(changed)) return false;
  places_ = std::move(changed);
  return true;
}

bool TGpsPlaceList::Import(const std::string& file) {
  std::vector<std::string> imported;
  const TRead read = ReadLines(file, imported);
  if (read == TRead::kMissing) return true;
  std::vector<std::string> own;
  if (read == TRead::kFailed || ReadLines(path_, own) == TRead::kFailed) return false;
  // Its places are read now: writing them back loses none.
  unreadable_ = false;

  struct TOwn {
    std::string lat, lon, alt, name, line;
    bool used = false;
  };
  // Places by their position, the first of each; a large file merges in
  // linear time.
  std::vector<TOwn> existing;
  std::unordered_map<std::string, size_t> byPosition;
  for (const std::string& line : own) {
    TOwn place;
    if (GpsPlaces::ParseLocationLine(line, place.lat, place.lon, place.name, place.alt)) {
      place.line = line;
      byPosition.emplace(place.lat + "|" + place.lon, existing.size());
      existing.push_back(std::move(place));
    }
  }
  std::vector<std::string> merged;
  std::unordered_set<std::string> added;  // positions of imported places taken as they stand
  for (const std::string& line : imported) {
    std::string lat, lon, name, alt;
    if (!GpsPlaces::ParseLocationLine(line, lat, lon, name, alt)) continue;
    const std::string position = lat + "|" + lon;
    const auto match = byPosition.find(position);
    if (match == byPosition.end()) {
      if (added.insert(position).second) merged.push_back(line);
      continue;
    }
    TOwn& place = existing[match->second];
    if (place.used) continue;
    place.used = true;
    const bool takeAltitude = place.alt.empty() && !alt.empty();
    merged.push_back(takeAltitude ? position + "|" + alt + "|" + place.name : place.line);
  }
  for (const TOwn& place : existing)
    if (!place.used) merged.push_back(place.line);
  if (!Write(GpsPlaces::SortedLines(merged))) return false;
  return Load();
}
