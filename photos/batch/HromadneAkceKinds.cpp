#include "photos/batch/HromadneAkceKinds.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"

namespace HromadneAkce {

static_assert(std::string_view(kTempSuffix).starts_with(WorkNames::kMark));

namespace {

constexpr std::string_view kJpegExts[] = {"JPG", "JPEG"};
constexpr std::string_view kOtherPictureExts[] = {"PNG", "BMP", "RAW", "HEIC"};
constexpr std::string_view kVideoExts[] = {"MP4", "3GP", "MOV"};

template <size_t N>
bool InList(const std::string_view (&list)[N], std::string_view ext) {
  const std::string upper = StrFunc::UpperCaseCz(ext);
  return std::find(std::begin(list), std::end(list), upper) != std::end(list);
}

bool EndsWithNoCase(std::string_view name, std::string_view suffix) {
  return name.size() > suffix.size() &&
         StrFunc::UpperCaseCz(name.substr(name.size() - suffix.size())) ==
             StrFunc::UpperCaseCz(suffix);
}

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsJpegExt(std::string_view ext) { return InList(kJpegExts, ext); }

bool IsPictureExt(std::string_view ext) {
  return IsJpegExt(ext) || InList(kOtherPictureExts, ext);
}

bool IsVideoExt(std::string_view ext) { return InList(kVideoExts, ext); }

bool IsMediaExt(std::string_view ext) { return IsPictureExt(ext) || IsVideoExt(ext); }

bool IsJpegFile(std::string_view name) { return IsJpegExt(StrFunc::ExtractExt(name)); }

std::string StandingName(std::string_view name) {
  std::string_view inner = name;
  for (int i = 0; i < kMaxTempSuffixes && EndsWithNoCase(inner, kTempSuffix); ++i) {
    inner.remove_suffix(sizeof kTempSuffix - 1);
    if (IsMediaExt(StrFunc::ExtractExt(inner))) return std::string(inner);
  }
  return std::string(name);
}

bool IsNumberedStampName(std::string_view name) {
  // "yyyymmdd_hhmmss-nnnn" and a JPEG extension.
  if (name.size() < 22 || name[8] != '_' || name[15] != '-' || name[20] != '.') return false;
  return AllDigits(name.substr(0, 8)) && AllDigits(name.substr(9, 6)) &&
         AllDigits(name.substr(16, 4)) && IsJpegExt(name.substr(21));
}

}  // namespace HromadneAkce
