// The journal of a special renumbering run: a text file in the run's root,
//   Quillmarsh renumbering
//   pass <1|2>
//   tag <the four hexadecimal digits of the temporary names>
//   <path relative to the root> TAB <new name>     (one line per rename)
// with its fields escaped (photos/WorkJournal.h). It is replaced whole
// (platform::ReplaceFile), so it always holds one pass's plan or the next's.
#include <algorithm>
#include <string_view>

#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "photos/WorkJournal.h"
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
  if (tab == std::string::npos || !WorkJournal::UnescapeField(line.substr(0, tab), relative) ||
      !WorkJournal::UnescapeField(line.substr(tab + 1), name))
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
    lines.push_back(WorkJournal::EscapeField(Relative(root, r.path)) + "\t" +
                    WorkJournal::EscapeField(r.newName));
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
