#include "foundation/StrFunc.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

#include "foundation/StrFuncInternal.h"
#include "foundation/Utf8.h"
#include "platform/TextLines.h"

namespace StrFunc {

namespace {

struct CasePair {
  char32_t small;
  char32_t capital;
};

// The Czech and Slovak letters that change case; no other non-ASCII letter does.
constexpr std::array<CasePair, 21> kCzechCase = {{
    {U'á', U'Á'}, {U'ä', U'Ä'}, {U'ĺ', U'Ĺ'}, {U'č', U'Č'}, {U'é', U'É'}, {U'ě', U'Ě'},
    {U'í', U'Í'}, {U'ď', U'Ď'}, {U'ň', U'Ň'}, {U'ó', U'Ó'}, {U'ö', U'Ö'}, {U'ř', U'Ř'},
    {U'ů', U'Ů'}, {U'ú', U'Ú'}, {U'ü', U'Ü'}, {U'ý', U'Ý'}, {U'ŕ', U'Ŕ'}, {U'š', U'Š'},
    {U'ť', U'Ť'}, {U'ž', U'Ž'}, {U'ľ', U'Ľ'},
}};

char32_t UpperChar(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  for (const CasePair& p : kCzechCase) {
    if (p.small == c) return p.capital;
  }
  return c;
}

char32_t LowerChar(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  for (const CasePair& p : kCzechCase) {
    if (p.capital == c) return p.small;
  }
  return c;
}

// Rebuilds s with every well-formed character passed through map; stray bytes
// are copied as they are.
template <typename Map>
std::string MapChars(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) {
    // Most names are plain ASCII, which needs no decoding.
    if (static_cast<unsigned char>(s[pos]) < 0x80) {
      out += static_cast<char>(map(static_cast<char32_t>(s[pos])));
      ++pos;
      continue;
    }
    size_t len = 0;
    const char32_t c = Utf8::DecodeAt(s, pos, len);
    if (c == Utf8::kInvalid) {
      out.append(s.substr(pos, len));
    } else {
      Utf8::Append(out, map(c));
    }
    pos += len;
  }
  return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// ch repeated so that s reaches len characters, placed before or after s.
std::string Pad(std::string_view s, char ch, int len, bool atFront) {
  const size_t have = Utf8::Length(s);
  if (len <= 0 || have >= static_cast<size_t>(len)) return ShortString(s);
  // Only the first 255 characters survive, so more fill than that is never needed.
  const size_t fill = std::min<size_t>(static_cast<size_t>(len) - have, kShortStringMax);
  std::string out;
  if (atFront) {
    out.assign(fill, ch);
    out.append(s);
  } else {
    out.assign(s);
    out.append(fill, ch);
  }
  return ShortString(out);
}

template <typename Int>
std::string ToDecimal(Int value) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string ToHex(uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4)
    out[static_cast<size_t>(i)] = kDigits[value & 15];
  return out;
}

}  // namespace

std::string ShortString(std::string_view s) { return Utf8::Left(s, kShortStringMax); }

std::string Trim(std::string_view s) {
  size_t first = 0;
  size_t last = s.size();
  while (first < last && IsBlank(s[first])) ++first;
  while (last > first && IsBlank(s[last - 1])) --last;
  return std::string(s.substr(first, last - first));
}

std::string RemoveBlanks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (!IsBlank(c)) out += c;
  }
  return out;
}

std::string UpperCaseCz(std::string_view s) { return MapChars(s, UpperChar); }

namespace {

// The bytes UpperCaseCz makes of the character at pos, one at a time.
class TUpperBytes {
 public:
  explicit TUpperBytes(std::string_view s) : s_(s) {}
  // The next byte; false at the end.
  bool Next(unsigned char& byte) {
    if (at_ == size_) {
      if (pos_ >= s_.size()) return false;
      Fill();
    }
    byte = static_cast<unsigned char>(bytes_[at_++]);
    return true;
  }

 private:
  void Fill() {
    at_ = 0;
    if (static_cast<unsigned char>(s_[pos_]) < 0x80) {
      bytes_[0] = static_cast<char>(UpperChar(static_cast<char32_t>(s_[pos_++])));
      size_ = 1;
      return;
    }
    size_t len = 0;
    const char32_t c = Utf8::DecodeAt(s_, pos_, len);
    if (c == Utf8::kInvalid || UpperChar(c) == c) {
      // Most characters stay as they are: their own bytes.
      size_ = s_.copy(bytes_, std::min(len, sizeof bytes_), pos_);
    } else {
      std::string out;
      Utf8::Append(out, UpperChar(c));
      size_ = out.copy(bytes_, sizeof bytes_);
    }
    pos_ += len;
  }

  std::string_view s_;
  size_t pos_ = 0;
  char bytes_[4] = {};
  size_t size_ = 0, at_ = 0;
};

}  // namespace

int CompareUpperCaseCz(std::string_view a, std::string_view b) {
  // Most names are ASCII for the most part: those bytes need no decoding.
  const size_t common = std::min(a.size(), b.size());
  size_t i = 0;
  for (; i < common; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if ((x | y) >= 0x80) break;
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return x < y ? -1 : 1;
  }
  if (i == common) return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
  TUpperBytes left(a.substr(i)), right(b.substr(i));
  for (;;) {
    unsigned char x = 0, y = 0;
    const bool more = left.Next(x), moreRight = right.Next(y);
    if (!more || !moreRight) return more ? 1 : moreRight ? -1 : 0;
    if (x != y) return x < y ? -1 : 1;
  }
}

std::string LowerCaseCz(std::string_view s) { return MapChars(s, LowerChar); }

std::string PadLeftS(std::string_view s, int len) { return Pad(s, ' ', len, true); }

std::string PadRightS(std::string_view s, int len) { return Pad(s, ' ', len, false); }

std::string PadLeftCh(std::string_view s, char ch, int len) { return Pad(s, ch, len, true); }

std::string PadRightCh(std::string_view s, char ch, int len) { return Pad(s, ch, len, false); }

std::string StringOfCharS(char ch, int count) {
  return std::string(static_cast<size_t>(std::clamp<int>(count, 0, kShortStringMax)), ch);
}

void ReplaceLetterCI(std::string& s, char oldCh, char newCh) {
  // A byte above 127 is part of a longer character in UTF-8 and cannot stand alone.
  if (static_cast<unsigned char>(oldCh) > 127 || static_cast<unsigned char>(newCh) > 127) return;
  const char wanted = static_cast<char>(UpperChar(static_cast<unsigned char>(oldCh)));
  for (char& c : s) {
    if (static_cast<unsigned char>(c) < 128 &&
        static_cast<char>(UpperChar(static_cast<unsigned char>(c))) == wanted) {
      c = newCh;
    }
  }
}

std::string TranslateChars(std::string_view s, std::string_view from, std::string_view to) {
  const std::u32string fromChars = ToChars(from);
  const std::u32string toChars = ToChars(to);
  if (fromChars.size() != toChars.size()) return ShortString(s);
  const std::string out = MapChars(s, [&](char32_t c) {
    const size_t place = fromChars.find(c);
    return place == std::u32string::npos || toChars[place] >= kStrayByte ? c : toChars[place];
  });
  return ShortString(out);
}

std::u32string ToChars(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) {
    size_t len = 0;
    const char32_t c = Utf8::DecodeAt(s, pos, len);
    out += c == Utf8::kInvalid ? kStrayByte + static_cast<unsigned char>(s[pos]) : c;
    pos += len;
  }
  return out;
}

std::string IntToStrS(int32_t value) { return ToDecimal(value); }

std::string Int64ToStrS(int64_t value) { return ToDecimal(value); }

std::string WordToHex(uint32_t value) { return ToHex(value & 0xFFFF, 4); }

std::string LongToHex(uint32_t value) { return ToHex(value, 8); }

int32_t ReadingTimeMs(std::string_view text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return 0;
  // Trimmed text ends without a break, so each break starts a further line.
  const auto lines = static_cast<int64_t>(platform::SplitLines(trimmed).size());
  // 0.04 s a character, 0.4 s a further line and 1.03 s to start, at least
  // 1.3 s; kept in whole milliseconds so the sum is exact.
  const int64_t length = static_cast<int64_t>(Utf8::Length(trimmed));
  const int64_t ms = std::max<int64_t>(40 * length + 400 * (lines - 1) + 1030, 1300);
  return static_cast<int32_t>(std::min<int64_t>(ms, std::numeric_limits<int32_t>::max()));
}

}  // namespace StrFunc
