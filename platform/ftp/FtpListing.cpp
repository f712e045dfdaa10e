#include "platform/ftp/FtpListing.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace platform {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {
    "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

bool IsMonth(std::string_view s) {
  if (s.size() != 3) return false;
  std::string lower;
  for (char c : s) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  for (std::string_view m : kMonths)
    if (m == lower) return true;
  return false;
}

// "12:30" or "2024".
bool IsTimeOrYear(std::string_view s) {
  if (s.size() == 4) return AllDigits(s);
  const size_t colon = s.find(':');
  return colon != std::string_view::npos && AllDigits(s.substr(0, colon)) &&
         AllDigits(s.substr(colon + 1));
}

int64_t ToSize(std::string_view s) {
  int64_t value = -1;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return (ec == std::errc() && end == s.data() + s.size()) ? value : -1;
}

struct Token {
  std::string_view text;
  size_t end = 0;  // offset just past the token in the line
};

// The blank-separated tokens of the line, at most max of them.
std::vector<Token> Tokens(std::string_view line, size_t max) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (tokens.size() < max) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    tokens.push_back({line.substr(start, i - start), i});
  }
  return tokens;
}

bool FinishEntry(std::string_view name, FtpListEntry& entry) {
  if (name.empty() || name == "." || name == "..") return false;
  entry.name = std::string(name);
  return true;
}

// Owner and group may be missing or hold blanks, so the date is found as
// size, month, day and time-or-year in a row; the name follows one blank.
bool ParseUnix(std::string_view line, FtpListEntry& entry) {
  const char type = line[0];
  if (type == 'd')
    entry.kind = FtpEntryKind::Folder;
  else if (type == 'l')
    entry.kind = FtpEntryKind::Link;
  else
    entry.kind = FtpEntryKind::File;
  const std::vector<Token> tokens = Tokens(line, 64);
  for (size_t i = 2; i + 3 < tokens.size(); ++i) {
    if (!AllDigits(tokens[i].text) || !IsMonth(tokens[i + 1].text) ||
        !AllDigits(tokens[i + 2].text) || !IsTimeOrYear(tokens[i + 3].text))
      continue;
    const size_t nameStart = tokens[i + 3].end + 1;
    if (nameStart > line.size()) return false;
    std::string_view name = line.substr(nameStart);
    if (entry.kind == FtpEntryKind::Link) name = name.substr(0, name.find(" -> "));
    entry.size = ToSize(tokens[i].text);
    return FinishEntry(name, entry);
  }
  return false;
}

// "MM-DD-YY  HH:MMAM  <DIR>|size  name".
bool ParseDos(std::string_view line, FtpListEntry& entry) {
  const std::vector<Token> tokens = Tokens(line, 3);
  if (tokens.size() < 3) return false;
  const std::string_view date = tokens[0].text;
  if (date.size() < 8 || !IsDigit(date[0]) || (date[2] != '-' && date[2] != '/')) return false;
  if (tokens[1].text.find(':') == std::string_view::npos) return false;
  if (tokens[2].text == "<DIR>") {
    entry.kind = FtpEntryKind::Folder;
    entry.size = -1;
  } else if (AllDigits(tokens[2].text)) {
    entry.kind = FtpEntryKind::File;
    entry.size = ToSize(tokens[2].text);
  } else {
    return false;
  }
  size_t nameStart = tokens[2].end;
  while (nameStart < line.size() && IsBlank(line[nameStart])) ++nameStart;
  return FinishEntry(line.substr(nameStart), entry);
}

}  // namespace

bool ParseFtpListLine(std::string_view line, FtpListEntry& entry) {
  entry = FtpListEntry{};
  if (line.empty()) return false;
  if (IsDigit(line[0])) return ParseDos(line, entry);
  if (std::string_view("-dlbcps").find(line[0]) != std::string_view::npos)
    return ParseUnix(line, entry);
  return false;
}

std::vector<FtpListEntry> ParseFtpListing(std::string_view text) {
  std::vector<FtpListEntry> entries;
  // Servers end lines with LF, CR LF, a bare CR, CR CR LF or LF CR; no name
  // can hold either byte, so any run of them ends a line.
  constexpr std::string_view kLineEnds = "\r\n";
  for (size_t start = text.find_first_not_of(kLineEnds); start != std::string_view::npos;) {
    const size_t end = std::min(text.find_first_of(kLineEnds, start), text.size());
    FtpListEntry entry;
    if (ParseFtpListLine(text.substr(start, end - start), entry))
      entries.push_back(std::move(entry));
    start = text.find_first_not_of(kLineEnds, end);
  }
  return entries;
}

}  // namespace platform
