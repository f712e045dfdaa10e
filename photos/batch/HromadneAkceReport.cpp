#include "photos/batch/HromadneAkceReport.h"

#include <iterator>
#include <vector>

#include "photos/ReportText.h"
#include "texts/Language.h"

namespace HromadneAkce {

namespace {

struct TKindText {
  TFailureKind kind;
  int title;
};

// In the order the parts are told.
const TKindText kTitles[] = {
    {TFailureKind::JournalFailed, 480},
    {TFailureKind::FolderUnreadable, 66},
    {TFailureKind::TemporaryNameLeft, 67},
    {TFailureKind::NameTaken, 68},
    {TFailureKind::RenameFailed, 69},
    {TFailureKind::FolderNotMade, 70},
    {TFailureKind::LinkInTheWay, 71},
    {TFailureKind::NoUsableDate, 72},
    {TFailureKind::DateNotSet, 73},
    {TFailureKind::ExifNotWritten, 74},
    {TFailureKind::ExifDateNotInPlace, 75},
    {TFailureKind::GpsNotWritten, 76},
};
// The title of a failure of a kind without its own, and the report's head.
constexpr int kTextOtherFailures = 668;
constexpr int kTextSomeFailed = 65;

// The file, where it was to go, and what stood in the way.
std::string LineOf(const TFailure& failure) {
  const std::string line =
      failure.other.empty() ? failure.path : failure.path + "  ->  " + failure.other;
  const std::string why = FileProblem::Text(failure.problem);
  return why.empty() ? line : line + "  (" + why + ")";
}

}  // namespace

std::string FailureReport(const TFailures& failures) {
  if (failures.empty()) return {};
  // One list per title, and one more for a kind without its own.
  std::vector<std::vector<std::string>> lines(std::size(kTitles) + 1);
  for (const TFailure& failure : failures) {
    size_t part = 0;
    while (part < std::size(kTitles) && kTitles[part].kind != failure.kind) ++part;
    lines[part].push_back(LineOf(failure));
  }
  std::string parts;
  for (size_t part = 0; part < std::size(kTitles); ++part)
    ReportText::AppendPart(parts, Language::GetText(kTitles[part].title), lines[part]);
  ReportText::AppendPart(parts, Language::GetText(kTextOtherFailures), lines.back());
  return Language::GetText(kTextSomeFailed) + " (" + std::to_string(failures.size()) + "):\n\n" +
         parts;
}

}  // namespace HromadneAkce
