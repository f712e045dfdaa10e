#include "photos/batch/HromadneAkceRename.h"

#include <algorithm>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceKinds.h"

namespace HromadneAkce {

namespace {

constexpr int32_t kLastSuffix = 65535;

bool Exists(const std::string& path) { return DosFunc::FileExistsLong(path); }

bool IsFolder(const std::string& path) {
  const int32_t attr = DosFunc::GetFileAttr(path);
  return attr >= 0 && (attr & DosFunc::faDirectory) != 0;
}

std::string Numbered(const std::string& stem, int32_t n, const std::string& ext) {
  return stem + "-" + Pad4(n) + "." + ext;
}

// Moves the file to target; false when that did not happen.
bool Take(TMediaFile& file, const std::string& target) {
  if (!DosFunc::RenameFileLong(file.path, target)) return false;
  file.path = file.standing = target;
  return true;
}

// The file takes stem.ext when neither it nor stem-0001.ext is held. When
// stem.ext is held by another photo, that one moves to stem-0001.ext (a
// folder stays, and the file takes stem-0001.ext); then the file takes the
// first free stem-nnnn.ext from -0002. False when no name could be taken.
bool TakeDateName(TMediaFile& file, const std::string& stem, const std::string& ext,
                  TSuffixHints& hints, TFailures& failures) {
  const std::string plain = stem + "." + ext;
  const std::string first = Numbered(stem, 1, ext);
  if (!Exists(first)) {
    if (Take(file, plain)) return true;
    if (!Exists(plain)) {
      failures.push_back({TFailureKind::RenameFailed, file.standing, plain});
      return false;
    }
    if (IsFolder(plain) || !DosFunc::RenameFileLong(plain, first)) {
      if (Take(file, first)) return true;
      failures.push_back({TFailureKind::RenameFailed, file.standing, first});
      return false;
    }
  }
  int32_t& next = hints[stem];
  for (int32_t n = std::max(next, 2); n <= kLastSuffix; ++n) {
    const std::string numbered = Numbered(stem, n, ext);
    if (Exists(numbered)) continue;
    next = n + 1;
    if (Take(file, numbered)) return true;
    failures.push_back({TFailureKind::RenameFailed, file.standing, numbered});
    return false;
  }
  failures.push_back({TFailureKind::NameTaken, file.standing, NameOnDisk(plain)});
  return false;
}

}  // namespace

std::string Pad4(int64_t n) { return StrFunc::PadLeftCh(std::to_string(n), '0', 4); }

bool TakeTemporaryName(TMediaFile& file) {
  if (file.IsTemporary()) return true;
  std::string name = file.path;
  for (int i = 0; i < kMaxTempSuffixes; ++i) {
    name += kTempSuffix;
    if (DosFunc::RenameFileLong(file.path, name)) {
      file.path = name;
      return true;
    }
  }
  return false;
}

bool RestoreName(TMediaFile& file, TFailures& failures) {
  if (!file.IsTemporary()) return true;
  if (DosFunc::RenameFileLong(file.path, file.standing)) {
    file.path = file.standing;
    return true;
  }
  failures.push_back({TFailureKind::TemporaryNameLeft, file.path, file.standing});
  return false;
}

std::string DateBaseName(TRenameFormat format, std::string_view key, int32_t dayNumber,
                         int32_t position) {
  const std::string perDay = std::string(key.substr(0, 8)) + "_img" + Pad4(dayNumber);
  switch (format) {
    case TRenameFormat::Index: return "img_" + Pad4(position);
    case TRenameFormat::DatePerDay: return perDay;
    case TRenameFormat::Date: break;
  }
  // Midnight is what a camera without a clock writes: no time to name by.
  return key.substr(9) == "000000" ? perDay : std::string(key);
}

void RenameByDate(TMediaFile& file, std::string_view key, int32_t dayNumber, int32_t position,
                  TRenameFormat format, TSuffixHints& hints, TFailures& failures) {
  if (key.empty()) {
    failures.push_back({TFailureKind::NoUsableDate, file.standing, {}});
    RestoreName(file, failures);
    return;
  }
  const std::string stem = StrFunc::IncludeBackslash(StrFunc::ExtractDir(file.standing)) +
                           DateBaseName(format, key, dayNumber, position);
  const std::string ext = StrFunc::LowerCaseCz(StrFunc::ExtractExt(file.standing));
  if (!TakeDateName(file, stem, ext, hints, failures)) RestoreName(file, failures);
}

std::string NameOnDisk(const std::string& path) { return DosFunc::ExistingPathLong(path); }

}  // namespace HromadneAkce
