#include "gallery/rename/PhotoRenameJournal.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "gallery/rename/PhotoRename.h"
#include "photos/PhotoList.h"
#include "photos/WorkJournal.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace PhotoRename::detail {

namespace {

constexpr char kMagic[] = "Quillmarsh rename";
constexpr char kPass[] = "pass ";
constexpr char kGallery[] = "gallery";
constexpr char kShared[] = "shared";
// A journal for a million photos.
constexpr size_t kMaxJournalBytes = size_t{512} << 20;

bool SplitFields(const std::string& line, std::string& first, std::string& second) {
  const size_t tab = line.find('\t');
  return tab != std::string::npos && WorkJournal::UnescapeField(line.substr(0, tab), first) &&
         WorkJournal::UnescapeField(line.substr(tab + 1), second);
}

// A refused line as the user is told of it, escaped so that no control
// byte reaches a message.
std::string Shown(const std::string& first, const std::string& second) {
  if (first == kShared) return WorkJournal::EscapeField(second);
  return WorkJournal::EscapeField(first) + " -> " + WorkJournal::EscapeField(second);
}

}  // namespace

bool IsPhotoName(const std::string& name) {
  return !name.empty() && name[0] != '.' && name.find(WorkNames::kMark) == std::string::npos &&
         std::none_of(name.begin(), name.end(),
                      [](char c) { return c == '/' || static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; }) &&
         PhotoList::IsListedName(name);
}

std::string JournalPath(const std::string& folder) { return StrFunc::IncludeBackslash(folder) + kJournalName; }

bool WriteJournal(const std::string& folder, const TJournal& journal) {
  std::vector<std::string> lines = {kMagic, kPass + std::to_string(journal.Pass)};
  for (const std::string& gallery : journal.Galleries)
    lines.push_back(std::string(kGallery) + "\t" + WorkJournal::EscapeField(gallery));
  for (const std::string& name : journal.Shared)
    lines.push_back(std::string(kShared) + "\t" + WorkJournal::EscapeField(name));
  for (const auto& [from, to] : journal.Renames)
    lines.push_back(WorkJournal::EscapeField(from) + "\t" + WorkJournal::EscapeField(to));
  return platform::ReplaceFile(JournalPath(folder), platform::JoinLines(lines));
}

TJournalRead ReadJournal(const std::string& folder, TJournal& journal) {
  journal = TJournal();
  std::string bytes;
  const platform::ReadResult read = platform::ReadWholeFile(JournalPath(folder), kMaxJournalBytes, bytes);
  if (read == platform::ReadResult::kMissing) return TJournalRead::kNone;
  if (read != platform::ReadResult::kOk) return TJournalRead::kDamaged;
  const std::vector<std::string> lines = platform::SplitLines(bytes);
  if (lines.size() < 2 || lines[0] != kMagic || lines[1].size() != sizeof kPass ||
      lines[1].compare(0, sizeof kPass - 1, kPass) != 0 || lines[1].back() < '1' || lines[1].back() > '3')
    return TJournalRead::kDamaged;
  journal.Pass = lines[1].back() - '0';
  for (size_t i = 2; i < lines.size(); ++i) {
    std::string first, second;
    if (!SplitFields(lines[i], first, second)) return TJournalRead::kDamaged;
    // Old names are photo names, never "gallery" or "shared".
    if (first == kGallery) {
      journal.Galleries.push_back(second);
    } else if (first == kShared && IsPhotoName(second)) {
      journal.Shared.push_back(second);
    } else if (IsPhotoName(first) && IsPhotoName(second)) {
      journal.Renames.emplace_back(first, second);
    } else {
      journal.Refused.push_back(Shown(first, second));
    }
  }
  return TJournalRead::kRead;
}

bool RemoveJournal(const std::string& folder) { return platform::RemoveFile(JournalPath(folder)); }

}  // namespace PhotoRename::detail
