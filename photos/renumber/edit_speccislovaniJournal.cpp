// The journal of a special renumbering run: a text file in the run's root,
//   Quillmarsh renumbering
//   pass <1|2>
//   tag <the four hexadecimal digits of the temporary names>
//   <path relative to the root> TAB <new name>     (one line per rename)
// with "%", TAB, CR, LF and the other control bytes of a name written as
// "%" and two hexadecimal digits. It is replaced whole (platform::ReplaceFile),
// so it always holds one pass's plan or the next's.
#include <algorithm>
#include <string_view>

#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "photos/renumber/edit_speccislovaniInternal.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace edit_speccislovani::detail {

namespace {

constexpr char kMagic[] = "Quillmarsh renumbering";
constexpr char kPass[] = "pass ";
constexpr char kTag[] = "tag ";
// Beside the tree's photos, marked as the program's own.
constexpr char kJournalName[] = "-renumber";
// A journal for a million renames.
constexpr size_t kMaxJournalBytes = size_t{512} << 20;

std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '%' || byte == 0x7F) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return false;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

std::string Relative(const std::string& root, const std::string& path) {
  const std::string prefix = StrFunc::IncludeBackslash(root);
  return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : path;
}

// A relative path of the tree: no way out of it.
bool IsInside(const std::string& relative) {
  if (relative.empty() || relative[0] == '/') return false;
  size_t start = 0;
  while (start <= relative.size()) {
    const size_t end = std::min(relative.find('/', start), relative.size());
    const std::string_view part = std::string_view(relative).substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    start = end + 1;
  }
  return true;
}

bool ParseRename(const std::string& root, const std::string& line, TRename& rename) {
  const size_t tab = line.find('\t');
  std::string relative, name;
  if (tab == std::string::npos || !Unescape(line.substr(0, tab), relative) ||
      !Unescape(line.substr(tab + 1), name))
    return false;
  if (!IsInside(relative) || name.empty() || name.find('/') != std::string::npos) return false;
  rename = {StrFunc::IncludeBackslash(root) + relative, name};
  return true;
}

}  // namespace

std::string JournalPath(const std::string& root) {
  return StrFunc::IncludeBackslash(root) + WorkNames::kMark + kJournalName;
}

bool WriteJournal(const std::string& root, const TJournal& journal) {
  std::vector<std::string> lines = {kMagic, kPass + std::to_string(journal.pass),
                                    kTag + journal.tag};
  lines.reserve(lines.size() + journal.renames.size());
  for (const TRename& r : journal.renames)
    lines.push_back(Escape(Relative(root, r.path)) + "\t" + Escape(r.newName));
  return platform::ReplaceFile(JournalPath(root), platform::JoinLines(lines));
}

TJournalRead ReadJournal(const std::string& root, TJournal& journal) {
  journal = TJournal();
  std::string bytes;
  const platform::ReadResult read =
      platform::ReadWholeFile(JournalPath(root), kMaxJournalBytes, bytes);
  if (read == platform::ReadResult::kMissing) return TJournalRead::kNone;
  if (read != platform::ReadResult::kOk) return TJournalRead::kDamaged;
  const std::vector<std::string> lines = platform::SplitLines(bytes);
  if (lines.size() < 3 || lines[0] != kMagic || (lines[1] != "pass 1" && lines[1] != "pass 2") ||
      lines[2].rfind(kTag, 0) != 0)
    return TJournalRead::kDamaged;
  journal.pass = lines[1].back() - '0';
  journal.tag = lines[2].substr(sizeof kTag - 1);
  if (journal.tag.size() != 4 ||
      journal.tag.find_first_not_of("0123456789ABCDEF") != std::string::npos)
    return TJournalRead::kDamaged;
  for (size_t i = 3; i < lines.size(); ++i) {
    TRename rename;
    if (!ParseRename(root, lines[i], rename)) return TJournalRead::kDamaged;
    journal.renames.push_back(std::move(rename));
  }
  return TJournalRead::kRead;
}

}  // namespace edit_speccislovani::detail
