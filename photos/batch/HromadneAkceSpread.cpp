#include "photos/batch/HromadneAkceSpread.h"

#include <algorithm>
#include <map>
#include <unordered_set>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/DosFuncNames.h"
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

bool IsPlainFile(const std::string& path) {
  const int32_t attr = DosFunc::GetFileAttr(path);
  return attr >= 0 && (attr & (DosFunc::faDirectory | DosFunc::faReparsePoint)) == 0;
}

bool MoveTo(const std::string& path, const std::string& stem, TStamps& used) {
  const std::string target = StrFunc::IncludeBackslash(StrFunc::ExtractDir(path)) + stem + "." +
                             StrFunc::ExtractExt(path);
  if (!DosFunc::RenameFileLong(path, target)) return false;
  used.insert(stem.substr(0, kStampLength));
  return true;
}

// Spreads the photos of one second, paths in their order.
void SpreadSecond(const std::string& stamp, const std::vector<std::string>& paths,
                  TStamps& used) {
  const TDateTime second = KeyDate(stamp);
  const int m = int(paths.size());
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
    MoveTo(paths[size_t(i)], DateKey(DateFunc::IncSeconds(i - down, second)), used);
  for (int j = 0; j < up; ++j)
    MoveTo(paths[size_t(m - up + j)], DateKey(DateFunc::IncSeconds(j + 1, second)), used);
  const std::vector<std::string> middle(paths.begin() + down, paths.end() - up);
  if (baseFree && middle.size() == 1 && MoveTo(middle[0], stamp, used)) return;
  // Each photo left takes a number no higher than its own, and the photos
  // after it hold higher ones, so no rename meets a name still in use.
  for (size_t j = 0; j < middle.size(); ++j) {
    const std::string stem = stamp + "-" + Pad4(int64_t(j) + 1);
    if (StrFunc::ExtractNameNoExt(middle[j]) != stem) MoveTo(middle[j], stem, used);
  }
}

}  // namespace

void SpreadCollisions(const std::string& folder) {
  TStamps used;
  std::map<std::string, std::vector<std::string>> seconds;
  // Names alone tell the seconds in use; only the photos to move are looked at.
  const std::string stem = StrFunc::IncludeBackslash(folder);
  for (const std::string& name : DosFunc::FolderEntryNames(folder)) {
    const std::string stamp = StampOf(name);
    if (stamp.empty()) continue;
    used.insert(stamp);
    if (IsNumberedStampName(name) && IsPlainFile(stem + name)) seconds[stamp].push_back(stem + name);
  }
  for (auto& [stamp, paths] : seconds) {
    // Their numbers give the photos' order.
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
      return StrFunc::UpperCaseCz(a) < StrFunc::UpperCaseCz(b);
    });
    SpreadSecond(stamp, paths, used);
  }
}

}  // namespace HromadneAkce
