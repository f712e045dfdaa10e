#include <string>
#include <string_view>
#include <vector>

#include "foundation/StrFunc.h"
#include "foundation/StrFuncInternal.h"

namespace StrFunc {

namespace {

// True when segment matches text at place at, "?" matching any character.
bool MatchesAt(std::u32string_view text, size_t at, std::u32string_view segment) {
  if (at + segment.size() > text.size()) return false;
  for (size_t i = 0; i < segment.size(); ++i) {
    if (segment[i] != U'?' && segment[i] != text[at + i]) return false;
  }
  return true;
}

std::vector<std::u32string_view> SplitAtStars(std::u32string_view mask) {
  std::vector<std::u32string_view> segments;
  size_t begin = 0;
  for (size_t star = mask.find(U'*'); star != std::u32string_view::npos;
       star = mask.find(U'*', begin)) {
    segments.push_back(mask.substr(begin, star - begin));
    begin = star + 1;
  }
  segments.push_back(mask.substr(begin));
  return segments;
}

}  // namespace

bool MatchesMask(std::string_view text, std::string_view mask, bool caseSensitive) {
  const std::u32string t = ToChars(caseSensitive ? std::string(text) : UpperCaseCz(text));
  const std::u32string m = ToChars(caseSensitive ? std::string(mask) : UpperCaseCz(mask));
  const std::vector<std::u32string_view> segments = SplitAtStars(m);
  if (segments.size() == 1) return t.size() == m.size() && MatchesAt(t, 0, m);

  size_t pos = 0;
  for (size_t i = 0; i < segments.size(); ++i) {
    const std::u32string_view segment = segments[i];
    if (segment.empty()) continue;
    if (i == 0) {
      // The mask does not begin with "*": the text must begin with this.
      if (!MatchesAt(t, 0, segment)) return false;
      pos = segment.size();
    } else if (i + 1 == segments.size()) {
      // The mask does not end with "*": the text must end with this.
      return t.size() >= pos + segment.size() && MatchesAt(t, t.size() - segment.size(), segment);
    } else {
      size_t at = pos;
      while (at + segment.size() <= t.size() && !MatchesAt(t, at, segment)) ++at;
      if (at + segment.size() > t.size()) return false;
      pos = at + segment.size();
    }
  }
  return true;
}

}  // namespace StrFunc
