#include "gallery/publish/FtpRemoteName.h"

#include <algorithm>
#include <iterator>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"

namespace FtpRemoteName {

namespace {

struct TRange {
  char32_t first, last;
};

// Spaces other than the ASCII blank: what a trimming server removes, or
// reads as a blank.
constexpr TRange kSpaces[] = {{0x00A0, 0x00A0}, {0x1680, 0x1680}, {0x2000, 0x200A},
                              {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000}};

// Format and other invisible characters, which a server may drop.
constexpr TRange kInvisible[] = {
    {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C},   {0x115F, 0x1160},
    {0x17B4, 0x17B5},   {0x180B, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
    {0x2060, 0x206F},   {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},
    {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFFB},   {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};

// Characters that normalise to ASCII dots and path separators.
struct TFold {
  char32_t from;
  const char* to;
};
constexpr TFold kFolds[] = {{0x2024, "."},  {0x2025, ".."}, {0x2026, "..."}, {0xFE52, "."},
                            {0xFF0E, "."},  {0xFF0F, "/"},  {0xFF3C, "\\"},  {0xFE68, "\\"},
                            {0x2215, "/"},  {0x2044, "/"},  {0x29F8, "/"},   {0x29F9, "\\"}};

bool In(char32_t c, const auto& ranges) {
  return std::any_of(std::begin(ranges), std::end(ranges),
                     [c](const TRange& r) { return c >= r.first && c <= r.last; });
}

// Controls, and the line and paragraph separators that a server splitting
// lines by Unicode rules would end a command at.
bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// The characters of a valid UTF-8 name; empty for one that is not.
std::u32string Decode(std::string_view name) {
  std::u32string chars;
  for (size_t pos = 0; pos < name.size();) {
    size_t len = 0;
    const char32_t c = Utf8::DecodeAt(name, pos, len);
    if (c == Utf8::kInvalid) return {};
    chars += c;
    pos += len;
  }
  return chars;
}

// Spaces as blanks, invisible characters dropped, look-alikes folded.
std::string Folded(const std::u32string& chars) {
  std::string out;
  for (const char32_t c : chars) {
    if (In(c, kInvisible)) continue;
    if (In(c, kSpaces)) {
      out += ' ';
      continue;
    }
    const auto fold = std::find_if(std::begin(kFolds), std::end(kFolds),
                                   [c](const TFold& f) { return f.from == c; });
    if (fold != std::end(kFolds))
      out += fold->to;
    else
      Utf8::Append(out, c);
  }
  return out;
}

bool IsPadding(char32_t c) { return In(c, kSpaces) || In(c, kInvisible); }

}  // namespace

bool IsDeletable(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  const std::u32string chars = Decode(name);
  if (chars.empty()) return false;
  if (std::any_of(chars.begin(), chars.end(), IsControl)) return false;
  if (IsPadding(chars.front()) || IsPadding(chars.back())) return false;
  const std::string folded = Folded(chars);
  if (folded.find_first_of("/\\") != std::string::npos) return false;
  // "..", ". ." and the like are this folder or its parent to the server.
  return folded.find_first_not_of(". ") != std::string::npos;
}

std::string LookalikeKey(std::string_view name) {
  const std::u32string chars = Decode(name);
  const std::string folded = chars.empty() ? std::string(name) : Folded(chars);
  return StrFunc::UpperCaseCz(StrFunc::Trim(folded));
}

}  // namespace FtpRemoteName
