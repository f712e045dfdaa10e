#include "photos/GpsPlaces.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "foundation/AppFolders.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

namespace {

// More than any places file holds; ReadWholeFile refuses a larger one.
constexpr size_t kMaxFileBytes = 64u << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr double kMaxLatitude = 90;
constexpr double kMaxLongitude = 180;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The four fields of a line, trimmed; false without three "|".
struct TFields {
  std::string_view lat, lon, alt, name;
};
bool SplitFields(std::string_view line, TFields& f) {
  const size_t first = line.find('|');
  const size_t second = first == std::string_view::npos ? first : line.find('|', first + 1);
  const size_t third = second == std::string_view::npos ? second : line.find('|', second + 1);
  if (third == std::string_view::npos) return false;
  f.lat = TrimView(line.substr(0, first));
  f.lon = TrimView(line.substr(first + 1, second - first - 1));
  f.alt = TrimView(line.substr(second + 1, third - second - 1));
  f.name = TrimView(line.substr(third + 1));
  return true;
}

bool IsNumber(std::string_view text, double limit) {
  double value = 0;
  return StrFunc::TryStrToFloatS(text, value) && std::isfinite(value) && std::fabs(value) <= limit;
}

bool IsPlace(std::string_view line) {
  TFields f;
  return SplitFields(line, f) && IsNumber(f.lat, kMaxLatitude) && IsNumber(f.lon, kMaxLongitude) &&
         (f.alt.empty() || IsNumber(f.alt, HUGE_VAL));
}

// The name of a place's line.
std::string_view NameOf(std::string_view line) {
  TFields f;
  SplitFields(line, f);
  return f.name;
}

bool NameBefore(std::string_view a, std::string_view b) {
  return StrFunc::CompareUpperCaseCz(NameOf(a), NameOf(b)) < 0;
}

// The first sixteen bytes of the name's capitals, for a quick first look:
// most names differ there.
struct TNameKey {
  uint64_t high = 0, low = 0;
  bool operator==(const TNameKey&) const = default;
  bool operator<(const TNameKey& other) const {
    return high != other.high ? high < other.high : low < other.low;
  }
};
TNameKey NameKey(std::string_view name) {
  const std::string upper = StrFunc::UpperCaseCz(Utf8::Left(name, 16));
  const auto bytes = [&upper](size_t from) {
    uint64_t part = 0;
    for (size_t i = from; i < from + 8; ++i)
      part = part << 8 | (i < upper.size() ? static_cast<unsigned char>(upper[i]) : 0u);
    return part;
  };
  return {bytes(0), bytes(8)};
}



std::string Position(const TFields& f) { return std::string(f.lat) + "|" + std::string(f.lon); }

// A name is one line of the file.
std::string OneLine(const std::string& name) {
  std::string line = StrFunc::Trim(name);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c >= 0 && c < ' '; }, ' ');
  return line;
}

}  // namespace

namespace GpsPlaces {

bool ParseLocationLine(const std::string& line, std::string& lat, std::string& lon,
                       std::string& name, std::string& alt) {
  TFields f;
  if (!SplitFields(line, f)) return false;
  lat = f.lat;
  lon = f.lon;
  alt = f.alt;
  name = f.name;
  return IsPlace(line);
}

std::string LocationsFilePath(const std::string& executable) {
  const std::string beside = StrFunc::IncludeBackslash(StrFunc::ExtractDir(executable)) + kFileName;
  return AppFolders::DataFile(kFileName, {StrFunc::ChangeExt(executable, "gps"), beside});
}

}  // namespace GpsPlaces

TGpsPlaceList::TRead TGpsPlaceList::ReadLines(const std::string& path, TLines& lines) {
  lines = TLines();
  const platform::ReadResult read = platform::ReadWholeFile(path, kMaxFileBytes, lines.text);
  if (read == platform::ReadResult::kMissing) return TRead::kMissing;
  if (read != platform::ReadResult::kOk) return TRead::kFailed;
  std::string& text = lines.text;
  // Lines that are not UTF-8 are windows-1250, each on its own; their
  // decoded places follow the file's bytes.
  std::string decoded;
  std::vector<size_t> decodedPlaces;
  size_t start = std::string_view(text).starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string_view raw = std::string_view(text).substr(start, end - start);
    const TLine line{static_cast<uint32_t>(start), static_cast<uint32_t>(raw.size())};
    if (Utf8::IsValid(raw)) {
      (IsPlace(raw) ? lines.places : lines.others).push_back(line);
    } else if (const std::string utf8 = platform::Windows1250ToUtf8(raw); IsPlace(utf8)) {
      decodedPlaces.push_back(lines.places.size());
      lines.places.push_back({static_cast<uint32_t>(decoded.size()), static_cast<uint32_t>(utf8.size())});
      decoded += utf8;
    } else {
      // Kept byte for byte: a line not understood is not changed either.
      lines.others.push_back(line);
    }
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  const uint32_t base = static_cast<uint32_t>(text.size());
  text += decoded;
  for (const size_t i : decodedPlaces) lines.places[i].offset += base;
  return TRead::kOk;
}

void TGpsPlaceList::LoadNow() const {
  loaded_ = true;
  const TRead read = ReadLines(path_, lines_);
  unreadable_ = read == TRead::kFailed;
  SortByName();
}

// The places in the order of their names, equal names keeping their order;
// a file the program wrote is in that order already. Each name is found
// once, and its first bytes settle most comparisons.
void TGpsPlaceList::SortByName() const {
  std::vector<TLine>& places = lines_.places;
  const auto name = [this](TLine line) { return NameOf(LineAt(line)); };
  if (std::is_sorted(places.begin(), places.end(), [&](TLine a, TLine b) {
        return StrFunc::CompareUpperCaseCz(name(a), name(b)) < 0;
      }))
    return;
  struct TKeyed {
    TNameKey key;
    TLine name;
    uint32_t index;
  };
  std::vector<TKeyed> keyed;
  keyed.reserve(places.size());
  for (size_t i = 0; i < places.size(); ++i) {
    const std::string_view n = name(places[i]);
    keyed.push_back({NameKey(n),
                     {static_cast<uint32_t>(n.data() - lines_.text.data()),
                      static_cast<uint32_t>(n.size())},
                     static_cast<uint32_t>(i)});
  }
  std::sort(keyed.begin(), keyed.end(), [this](const TKeyed& a, const TKeyed& b) {
    if (!(a.key == b.key)) return a.key < b.key;
    const int order = StrFunc::CompareUpperCaseCz(LineAt(a.name), LineAt(b.name));
    return order != 0 ? order < 0 : a.index < b.index;
  });
  std::vector<TLine> sorted;
  sorted.reserve(places.size());
  for (const TKeyed& k : keyed) sorted.push_back(places[k.index]);
  places = std::move(sorted);
}

void TGpsPlaceList::EnsureLoaded() const {
  if (!loaded_) LoadNow();
}

bool TGpsPlaceList::Load() {
  LoadNow();
  return !unreadable_;
}

std::vector<std::string_view> TGpsPlaceList::PlaceLines() const {
  std::vector<std::string_view> places;
  places.reserve(lines_.places.size());
  for (const TLine line : lines_.places) places.push_back(LineAt(line));
  return places;
}

bool TGpsPlaceList::Save() {
  EnsureLoaded();
  return Write(PlaceLines());
}

bool TGpsPlaceList::Write(const std::vector<std::string_view>& places) {
  if (unreadable_) return false;
  TLines written;
  size_t size = 0;
  for (const TLine line : lines_.others) size += line.size + 2;
  for (const std::string_view place : places) size += place.size() + 2;
  written.text.reserve(size);
  const auto add = [&written](std::string_view line, std::vector<TLine>& to) {
    to.push_back({static_cast<uint32_t>(written.text.size()), static_cast<uint32_t>(line.size())});
    written.text.append(line).append("\r\n");
  };
  for (const TLine line : lines_.others) add(LineAt(line), written.others);
  for (const std::string_view place : places) add(place, written.places);
  if (!platform::ReplaceFile(path_, written.text)) return false;
  lines_ = std::move(written);
  return true;
}

size_t TGpsPlaceList::Count() const {
  EnsureLoaded();
  return lines_.places.size();
}

std::string_view TGpsPlaceList::NameView(size_t index) const {
  EnsureLoaded();
  return index < lines_.places.size() ? NameOf(LineAt(lines_.places[index])) : std::string_view();
}

TGpsPlace TGpsPlaceList::At(int index) const {
  EnsureLoaded();
  if (index < 0 || static_cast<size_t>(index) >= lines_.places.size()) return {};
  TFields f;
  SplitFields(LineAt(lines_.places[static_cast<size_t>(index)]), f);
  return {Position(f) + "|" + std::string(f.alt), std::string(f.name)};
}

std::string TGpsPlaceList::NameAt(int index) const { return At(index).name; }

int TGpsPlaceList::Find(const std::string& lat, const std::string& lon) const {
  EnsureLoaded();
  const std::string_view wantedLat = TrimView(lat), wantedLon = TrimView(lon);
  for (size_t i = 0; i < lines_.places.size(); ++i) {
    TFields f;
    SplitFields(LineAt(lines_.places[i]), f);
    if (f.lat == wantedLat && f.lon == wantedLon) return static_cast<int>(i);
  }
  return -1;
}

std::string TGpsPlaceList::FindName(const std::string& lat, const std::string& lon) const {
  return NameAt(Find(lat, lon));
}

int TGpsPlaceList::Add(const std::string& lat, const std::string& lon, const std::string& alt,
                       const std::string& name) {
  EnsureLoaded();
  const std::string altitude = IsNumber(TrimView(alt), HUGE_VAL) ? StrFunc::Trim(alt) : "";
  const std::string line =
      StrFunc::Trim(lat) + "|" + StrFunc::Trim(lon) + "|" + altitude + "|" + OneLine(name);
  if (!IsPlace(line)) return -1;
  int found = Find(lat, lon);
  const std::string_view newName = NameOf(line);
  for (size_t i = 0; found < 0 && i < lines_.places.size(); ++i)
    if (StrFunc::CompareUpperCaseCz(NameOf(LineAt(lines_.places[i])), newName) == 0)
      found = static_cast<int>(i);
  std::vector<std::string_view> places = PlaceLines();
  if (found >= 0) places.erase(places.begin() + found);
  const auto at = std::upper_bound(places.begin(), places.end(), std::string_view(line), NameBefore);
  const int index = static_cast<int>(at - places.begin());
  places.insert(at, line);
  return Write(places) ? index : -1;
}

bool TGpsPlaceList::Remove(int index) {
  EnsureLoaded();
  if (index < 0 || static_cast<size_t>(index) >= lines_.places.size()) return false;
  std::vector<std::string_view> places = PlaceLines();
  places.erase(places.begin() + index);
  return Write(places);
}

bool TGpsPlaceList::Import(const std::string& file) {
  EnsureLoaded();
  TLines imported;
  const TRead read = ReadLines(file, imported);
  if (read == TRead::kMissing) return true;
  if (read == TRead::kFailed || unreadable_) return false;
  std::vector<std::string_view> places = PlaceLines();
  // Places by their position, the first of each; a large file merges in
  // linear time.
  std::unordered_map<std::string, size_t> byPosition;
  for (size_t i = 0; i < places.size(); ++i) {
    TFields f;
    SplitFields(places[i], f);
    byPosition.emplace(Position(f), i);
  }
  std::vector<bool> matched(places.size(), false);
  std::vector<std::string> taken;  // lines made here; kept alive for the views
  taken.reserve(imported.places.size());
  std::vector<std::string_view> added;
  std::unordered_set<std::string> addedPositions;
  for (const TLine line : imported.places) {
    const std::string_view text = std::string_view(imported.text).substr(line.offset, line.size);
    TFields f;
    SplitFields(text, f);
    const std::string position = Position(f);
    const auto match = byPosition.find(position);
    if (match == byPosition.end()) {
      if (addedPositions.insert(position).second) added.push_back(text);
      continue;
    }
    if (matched[match->second]) continue;
    matched[match->second] = true;
    TFields own;
    SplitFields(places[match->second], own);
    if (!own.alt.empty() || f.alt.empty()) continue;
    taken.push_back(position + "|" + std::string(f.alt) + "|" + std::string(own.name));
    places[match->second] = taken.back();
  }
  places.insert(places.end(), added.begin(), added.end());
  std::stable_sort(places.begin(), places.end(), NameBefore);
  return Write(places);
}
