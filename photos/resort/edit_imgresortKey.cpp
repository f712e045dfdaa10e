// The keys the resort window matches names by.
#include "photos/resort/edit_imgresortWork.h"

#include <algorithm>
#include <cstddef>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/Xchg.h"

namespace edit_imgresort {

const char* const kUnsortedFolder = "x-UNSORTED";

namespace {

// The folding table: each letter of the first text becomes the letter at the
// same place of the second (22 small letters, 21 capitals, the section sign).
constexpr char kFoldFrom[] = "áäčďéěíľĺňóôöřŕšťůúüýžÁÄČĎÉĚÍĽĹŇÓÖŘŔŠŤŮÚÜÝŽ§";
constexpr char kFoldTo[] = "aacdeeillnooorrstuuuyzAACDEEILLNOORRSTUUUYZ ";

bool IsKeyChar(char32_t c) { return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z'); }

// The characters of s, each as its own piece of text.
std::vector<std::string> Characters(const std::string& s) {
  std::vector<std::string> out;
  for (size_t pos = 0; pos < s.size();) {
    size_t len = 0;
    Utf8::DecodeAt(s, pos, len);
    out.push_back(s.substr(pos, len));
    pos += len;
  }
  return out;
}

std::string Join(std::vector<std::string>::const_iterator first,
                 std::vector<std::string>::const_iterator last) {
  std::string out;
  for (auto it = first; it != last; ++it) out += *it;
  return out;
}

bool IsKeyPiece(const std::string& piece) {
  return piece.size() == 1 && IsKeyChar(static_cast<unsigned char>(piece[0]));
}

std::string Cut(const std::string& folded, const TSide& side) {
  const std::vector<std::string> chars = Characters(folded);
  if (side.length == -1) {
    if (side.fromLeft) {
      auto end = chars.begin();
      while (end != chars.end() && IsKeyPiece(*end)) ++end;
      return Join(chars.begin(), end);
    }
    auto begin = chars.end();
    while (begin != chars.begin() && IsKeyPiece(*(begin - 1))) --begin;
    return Join(begin, chars.end());
  }
  if (side.length <= 0) return std::string();
  const auto n =
      static_cast<std::ptrdiff_t>(std::min(chars.size(), static_cast<size_t>(side.length)));
  return side.fromLeft ? Join(chars.begin(), chars.begin() + n)
                       : Join(chars.end() - n, chars.end());
}

}  // namespace

std::string Fold(const std::string& text) {
  return StrFunc::UpperCaseCz(Xchg::TranslateString(text, kFoldFrom, kFoldTo));
}

int LengthOf(bool upToSeparator, const std::string& lengthText) {
  int32_t length = -1;
  if (upToSeparator || !StrFunc::TryStrToIntS(StrFunc::Trim(lengthText), length)) return -1;
  return length;
}

std::string KeyOf(const std::string& path, const TSide& side, bool equalNames) {
  if (equalNames) return Fold(StrFunc::ExtractName(path));
  return Cut(Fold(StrFunc::ExtractNameNoExt(path)), side);
}

}  // namespace edit_imgresort
