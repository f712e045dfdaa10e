// The two-pass rename of a plan and its journal, a text file in the folder:
//   Quillmarsh batch rename
//   pass <1|2>
//   <name now> TAB <temporary name> TAB <new name>     (one line per file)
// with its fields escaped (photos/WorkJournal.h). It is replaced whole at
// each pass (platform::ReplaceFile), so it always holds one pass's plan or
// the next's, and removed after the last rename.
#include "photos/batch/HromadneAkceRenamePlan.h"

#include "foundation/DosFunc.h"
#include "foundation/DosFuncNames.h"
#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "photos/FileProblem.h"
#include "photos/WorkJournal.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace HromadneAkce {

namespace {

constexpr char kMagic[] = "Quillmarsh batch rename";
constexpr char kPass[] = "pass ";
constexpr char kJournalName[] = "-batch-rename";
// A journal for a million photos.
constexpr size_t kMaxJournalBytes = size_t{512} << 20;

struct TJournal {
  int pass = 1;
  std::vector<TPlannedRename> renames;
};

// A name of the folder: no way out of it.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool WriteJournal(const std::string& folder, const TJournal& journal) {
  std::vector<std::string> lines = {kMagic, kPass + std::to_string(journal.pass)};
  lines.reserve(lines.size() + journal.renames.size());
  for (const TPlannedRename& r : journal.renames)
    lines.push_back(WorkJournal::EscapeField(r.from) + "\t" + WorkJournal::EscapeField(r.temp) +
                    "\t" + WorkJournal::EscapeField(r.to));
  return platform::ReplaceFile(RenameJournalPath(folder), platform::JoinLines(lines));
}

// One line of the journal; a temporary name is always one of the program's
// work names, so a journal cannot make a file take any other name for long.
bool ParseRename(const std::string& line, TPlannedRename& rename) {
  const size_t first = line.find('\t');
  const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
  if (second == std::string::npos ||
      !WorkJournal::UnescapeField(line.substr(0, first), rename.from) ||
      !WorkJournal::UnescapeField(line.substr(first + 1, second - first - 1), rename.temp) ||
      !WorkJournal::UnescapeField(line.substr(second + 1), rename.to))
    return false;
  return IsPlainName(rename.from) && IsPlainName(rename.temp) && IsPlainName(rename.to) &&
         StrFunc::UpperCaseCz(rename.temp).find(StrFunc::UpperCaseCz(WorkNames::kMark)) !=
             std::string::npos;
}

enum class TJournalRead { kNone, kRead, kDamaged };

TJournalRead ReadJournal(const std::string& folder, TJournal& journal) {
  std::string bytes;
  const platform::ReadResult read =
      platform::ReadWholeFile(RenameJournalPath(folder), kMaxJournalBytes, bytes);
  if (read == platform::ReadResult::kMissing) return TJournalRead::kNone;
  if (read != platform::ReadResult::kOk) return TJournalRead::kDamaged;
  const std::vector<std::string> lines = platform::SplitLines(bytes);
  if (lines.size() < 2 || lines[0] != kMagic || (lines[1] != "pass 1" && lines[1] != "pass 2"))
    return TJournalRead::kDamaged;
  journal.pass = lines[1].back() - '0';
  for (size_t i = 2; i < lines.size(); ++i) {
    TPlannedRename rename;
    if (!ParseRename(lines[i], rename)) return TJournalRead::kDamaged;
    journal.renames.push_back(std::move(rename));
  }
  return TJournalRead::kRead;
}

std::string In(const std::string& folder, const std::string& name) {
  return StrFunc::IncludeBackslash(folder) + name;
}

// The entry itself of that exact name (a link is not followed).
bool Exists(const std::string& path) {
  platform::FileStatus status;
  return platform::LinkStatPath(path, status);
}

// A journal there does not read; one missing could not be written.
void FailJournal(TFailures& failures, const std::string& folder) {
  const std::string journal = RenameJournalPath(folder);
  if (DosFunc::FileExistsLong(journal))
    failures.push_back({TFailureKind::JournalFailed, journal, {}});
  else
    failures.push_back(FailureOf(TFailureKind::JournalFailed, journal));
}

// The progress of one pass: a step per file of the plan, then the steps
// left for the files that keep their names.
class TPassSteps {
 public:
  TPassSteps(TProgress* progress, size_t steps) : progress_(progress), left_(steps) {}
  ~TPassSteps() {
    while (progress_ != nullptr && left_ > 0) Step();
  }
  TPassSteps(const TPassSteps&) = delete;
  TPassSteps& operator=(const TPassSteps&) = delete;
  void Step() {
    if (progress_ == nullptr || left_ == 0) return;
    progress_->Step();
    --left_;
  }

 private:
  TProgress* progress_;
  size_t left_;
};

// Every file of the plan not yet under its temporary name goes there; until
// the second pass no file of the plan holds another's old name. A stopped
// run's journal is finished by what stands on disk; a fresh plan knows.
void FirstPass(const std::string& folder, TJournal& journal, bool finishing, TPassSteps&& steps,
               TFailures& failures) {
  for (TPlannedRename& r : journal.renames) {
    steps.Step();
    const std::string from = In(folder, r.from), temp = In(folder, r.temp);
    r.atTemp = from == temp;
    if (r.atTemp || (finishing && (Exists(temp) || !Exists(from)))) continue;
    r.atTemp = DosFunc::RenameFileLong(from, temp);
    if (!r.atTemp) failures.push_back(FailureOf(TFailureKind::RenameFailed, from, temp));
  }
}

// Brings every file of a first pass back to its old name.
void TakeBack(const std::string& folder, const TJournal& journal) {
  for (const TPlannedRename& r : journal.renames) {
    const std::string temp = In(folder, r.temp);
    if (r.from != r.temp && Exists(temp)) DosFunc::RenameFileLong(temp, In(folder, r.from));
  }
}

// A file under its temporary name takes its new name; when that cannot be,
// it goes back to its old name, or stays where it is when that is taken too.
bool PutInPlace(const std::string& folder, const TPlannedRename& r, TFailures& failures) {
  const std::string temp = In(folder, r.temp), to = In(folder, r.to);
  const std::string standing = In(folder, StandingName(r.from));
  if (DosFunc::RenameFileLong(temp, to)) return true;
  if (DosFunc::FileExistsLong(to))
    failures.push_back({TFailureKind::NameTaken, standing, DosFunc::ExistingPathLong(to)});
  else
    failures.push_back(
        {TFailureKind::RenameFailed, standing, to, FileProblem::OfChange(temp, to)});
  const std::string from = In(folder, r.from);
  if (r.from != r.temp && !DosFunc::FileExistsLong(from) && DosFunc::RenameFileLong(temp, from))
    return false;
  failures.push_back({TFailureKind::TemporaryNameLeft, temp, standing});
  return false;
}

void SecondPass(const std::string& folder, TJournal& journal, bool finishing, TPassSteps&& steps,
                TFailures& failures) {
  for (TPlannedRename& r : journal.renames) {
    steps.Step();
    if (finishing ? Exists(In(folder, r.temp)) : r.atTemp) r.done = PutInPlace(folder, r, failures);
  }
}

// The passes a journal still needs and its removal, each pass stepping the
// progress (when there is one) steps times. Finishing a stopped run, only
// what stands on disk tells how far it came.
void RunJournal(const std::string& folder, TJournal& journal, bool finishing, TProgress* progress,
                size_t steps, TFailures& failures) {
  if (journal.pass == 1) {
    FirstPass(folder, journal, finishing, TPassSteps(progress, steps), failures);
    journal.pass = 2;
    if (!WriteJournal(folder, journal)) {
      // Without the record of the second pass a stop there could not be
      // finished as planned.
      TakeBack(folder, journal);
      platform::RemoveFile(RenameJournalPath(folder));
      FailJournal(failures, folder);
      const TPassSteps secondPass(progress, steps);
      return;
    }
  }
  SecondPass(folder, journal, finishing, TPassSteps(progress, steps), failures);
  platform::RemoveFile(RenameJournalPath(folder));
}

// name + kTempSuffix (up to three of them) when free, the name itself when
// it is a temporary name already, else "".
std::string FreeTemporaryName(const std::string& name, const TFolderNames& held) {
  if (StandingName(name) != name) return name;
  std::string temp = name;
  for (int i = 0; i < kMaxTempSuffixes; ++i) {
    temp += kTempSuffix;
    if (!held.Held(temp)) return temp;
  }
  return std::string();
}

}  // namespace

void TFolderNames::List(const std::string& folder) {
  held_.clear();
  for (const std::string& name : DosFunc::FolderEntryNames(folder)) Hold(name);
}

bool TFolderNames::Held(const std::string& name) const {
  return held_.count(StrFunc::UpperCaseCz(name)) != 0;
}

void TFolderNames::Hold(const std::string& name) {
  auto& [spelling, count] = held_[StrFunc::UpperCaseCz(name)];
  if (count++ == 0) spelling = name;
}

void TFolderNames::Release(const std::string& name) {
  const auto it = held_.find(StrFunc::UpperCaseCz(name));
  if (it != held_.end() && --it->second.second <= 0) held_.erase(it);
}

std::vector<std::string> TFolderNames::HeldNames() const {
  std::vector<std::string> names;
  names.reserve(held_.size());
  for (const auto& [upper, held] : held_) names.push_back(held.first);
  return names;
}

std::vector<std::string> TakeTemporaryNames(const std::vector<std::string>& names,
                                            TFolderNames& held) {
  std::vector<std::string> temps;
  temps.reserve(names.size());
  for (const std::string& name : names) {
    temps.push_back(FreeTemporaryName(name, held));
    if (!temps.back().empty() && temps.back() != name) held.Hold(temps.back());
  }
  for (size_t i = 0; i < names.size(); ++i) {
    held.Release(names[i]);
    if (!temps[i].empty() && temps[i] != names[i]) held.Release(temps[i]);
  }
  for (size_t i = 0; i < names.size(); ++i)
    if (temps[i].empty()) held.Hold(names[i]);
  return temps;
}

std::string KeptName(const std::string& name, TFolderNames& held) {
  const std::string standing = StandingName(name);
  const std::string kept = standing != name && !held.Held(standing) ? standing : name;
  held.Hold(kept);
  return kept;
}

void RunPlan(TRenamePlan& plan, size_t stepsPerPass, TProgress& progress, TFailures& failures) {
  TJournal journal{1, std::move(plan.renames)};
  if (!journal.renames.empty() && !WriteJournal(plan.folder, journal)) {
    FailJournal(failures, plan.folder);
    journal.renames.clear();
  }
  if (journal.renames.empty()) {
    for (size_t i = 0; i < 2 * stepsPerPass; ++i) progress.Step();
  } else {
    RunJournal(plan.folder, journal, false, &progress, stepsPerPass, failures);
  }
  plan.renames = std::move(journal.renames);
}

TStoppedRun FinishStoppedRun(const std::string& folder, TFailures& failures) {
  TJournal journal;
  switch (ReadJournal(folder, journal)) {
    case TJournalRead::kNone:
      return TStoppedRun::kNone;
    case TJournalRead::kDamaged:
      FailJournal(failures, folder);
      return TStoppedRun::kUnreadable;
    case TJournalRead::kRead:
      break;
  }
  RunJournal(folder, journal, true, nullptr, 0, failures);
  return TStoppedRun::kFinished;
}

std::string RenameJournalPath(const std::string& folder) {
  return In(folder, std::string(WorkNames::kMark) + kJournalName);
}

}  // namespace HromadneAkce
