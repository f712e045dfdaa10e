#include "app/HromadneAkceRename.h"

#include "app/HromadneAkceKinds.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"

namespace HromadneAkce {

namespace {

constexpr int32_t kLastSuffix = 65535;

bool Exists(const std::string& path) { return DosFunc::FileExistsLong(path); }

bool IsFolder(const std::string& path) {
  const int32_t attr = DosFunc::GetFileAttr(path);
  return attr >= 0 && (attr & DosFunc::faDirectory) != 0;
}

// The name the file takes: base.ext, or base-0001.ext when base.ext is held
// by a folder, or the first free base-nnnn.ext from -0002 when -0001 is held.
// "" when every number is taken.
std::string FreeTarget(const std::string& stem, const std::string& ext) {
  const std::string plain = stem + "." + ext;
  const std::string first = stem + "-" + Pad4(1) + "." + ext;
  if (Exists(plain) && !IsFolder(plain) && !Exists(first)) DosFunc::RenameFileLong(plain, first);
  if (!Exists(first)) return Exists(plain) ? first : plain;
  for (int32_t n = 2; n <= kLastSuffix; ++n) {
    const std::string numbered = stem + "-" + Pad4(n) + "." + ext;
    if (!Exists(numbered)) return numbered;
  }
  return std::string();
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
                  TRenameFormat format, TFailures& failures) {
  if (key.empty()) {
    failures.push_back({TFailureKind::NoUsableDate, file.standing, {}});
    RestoreName(file, failures);
    return;
  }
  const std::string stem = StrFunc::IncludeBackslash(StrFunc::ExtractDir(file.standing)) +
                           DateBaseName(format, key, dayNumber, position);
  const std::string ext = StrFunc::LowerCaseCz(StrFunc::ExtractExt(file.standing));
  const std::string target = FreeTarget(stem, ext);
  if (target.empty()) {
    failures.push_back({TFailureKind::NameTaken, file.standing, NameOnDisk(stem + "." + ext)});
    RestoreName(file, failures);
    return;
  }
  if (file.path == target) return;
  if (DosFunc::RenameFileLong(file.path, target)) {
    file.path = file.standing = target;
    return;
  }
  failures.push_back({TFailureKind::RenameFailed, file.standing, target});
  RestoreName(file, failures);
}

std::string NameOnDisk(const std::string& path) {
  DosFunc::TFoundEntry entry;
  if (!DosFunc::FindFileLong(path, entry)) return path;
  return StrFunc::IncludeBackslash(StrFunc::ExtractDir(path)) + entry.Name;
}

}  // namespace HromadneAkce
