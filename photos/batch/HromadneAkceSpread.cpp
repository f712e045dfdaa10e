#include "photos/batch/HromadneAkceSpread.h"

#include <algorithm>
#include <map>
#include <unordered_set>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceDates.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceRename.h"

namespace HromadneAkce {

namespace {

constexpr size_t kStampLength = 15;

using TStamps = std::unordered_set<std::string>;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The stamp a name begins with, "" when it begins with none.
std::string StampOf(const std::string& name) {
  if (name.size() < kStampLength || name[8] != '_' ||
      !std::all_of(name.begin(), name.begin() + 8, IsDigit) ||
      !std::all_of(name.begin() + 9, name.begin() + kStampLength, IsDigit))
    return std::string();
  const std::string stamp = name.substr(0, kStampLength);
  return KeyDate(stamp) != 0 ? stamp : std::string();
}

// The seconds next to second in one direction that no photo uses, at most
// limit, up to the first one used.
int FreeSeconds(TDateTime second, int direction, int limit, const TStamps& used) {
  int n = 0;
  while (n < limit) {
    const std::string key = DateKey(DateFunc::IncSeconds(int64_t(n + 1) * direction, second));
    if (key.empty() || used.count(key) != 0) break;
    ++n;
  }
  return n;
}

// Gives the photo the name stem + its extension, unless that is held.
bool MoveTo(std::string& name, const std::string& stem, TStamps& used, TFolderNames& names) {
  const std::string target = stem + "." + StrFunc::ExtractExt(name);
  if (names.Held(target)) return false;
  names.Release(name);
  names.Hold(target);
  name = target;
  used.insert(stem.substr(0, kStampLength));
  return true;
}

// Spreads the photos of one second, their names in their order.
void SpreadSecond(const std::string& stamp, const std::vector<std::string*>& group, TStamps& used,
                  TFolderNames& names) {
  const TDateTime second = KeyDate(stamp);
  const int m = int(group.size());
  int up = FreeSeconds(second, 1, m, used);
  int down = FreeSeconds(second, -1, m - up, used);
  if (up + down == 0) return;
  const bool baseFree = up + down == m;
  if (baseFree && up > 0) {
    --up;
  } else if (baseFree) {
    --down;
  }
  for (int i = 0; i < down; ++i)
    MoveTo(*group[size_t(i)], DateKey(DateFunc::IncSeconds(i - down, second)), used, names);
  for (int j = 0; j < up; ++j)
    MoveTo(*group[size_t(m - up + j)], DateKey(DateFunc::IncSeconds(j + 1, second)), used, names);
  const std::vector<std::string*> middle(group.begin() + down, group.end() - up);
  if (baseFree && middle.size() == 1 && MoveTo(*middle[0], stamp, used, names)) return;
  // Each photo left takes a number no higher than its own, and the photos
  // after it hold higher ones, so no name it takes is still in use.
  for (size_t j = 0; j < middle.size(); ++j) {
    const std::string stem = stamp + "-" + Pad4(int64_t(j) + 1);
    if (StrFunc::ExtractNameNoExt(*middle[j]) != stem) MoveTo(*middle[j], stem, used, names);
  }
}

}  // namespace

void SpreadCollisions(const std::vector<std::string*>& newNames, TFolderNames& names) {
  TStamps used;
  for (const std::string& name : names.HeldNames()) {
    const std::string stamp = StampOf(name);
    if (!stamp.empty()) used.insert(stamp);
  }
  std::map<std::string, std::vector<std::string*>> seconds;
  for (std::string* name : newNames)
    if (IsNumberedStampName(*name)) seconds[StampOf(*name)].push_back(name);
  for (auto& [stamp, group] : seconds) {
    // Their numbers give the photos' order.
    std::sort(group.begin(), group.end(), [](const std::string* a, const std::string* b) {
      return StrFunc::UpperCaseCz(*a) < StrFunc::UpperCaseCz(*b);
    });
    SpreadSecond(stamp, group, used, names);
  }
}

}  // namespace HromadneAkce
