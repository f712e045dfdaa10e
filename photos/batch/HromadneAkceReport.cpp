#include "photos/batch/HromadneAkceReport.h"

#include <iterator>
#include <vector>

#include "photos/ReportText.h"
#include "texts/Language.h"

namespace HromadneAkce {

namespace {

struct TKindText {
  TFailureKind kind;
  const char* title;
};

// In the order the parts are told.
const TKindText kTitles[] = {
    {TFailureKind::FolderUnreadable,
     "Tyto složky se nepodařilo přečíst, jejich soubory zůstaly beze změny:"},
    {TFailureKind::TemporaryNameLeft,
     "Tyto soubory zůstaly pod dočasným jménem, další spuštění stejné akce je dokončí:"},
    {TFailureKind::NameTaken, "Nové jméno už má jiný soubor, soubor zůstal pod svým jménem:"},
    {TFailureKind::RenameFailed, "Soubor se nepodařilo přejmenovat ani přesunout:"},
    {TFailureKind::FolderNotMade, "Podsložku se nepodařilo vytvořit, soubor zůstal na místě:"},
    {TFailureKind::LinkInTheWay, "V cestě stojí symbolický odkaz, soubor zůstal na místě:"},
    {TFailureKind::NoUsableDate, "Soubor nemá platné datum, zůstal beze změny:"},
    {TFailureKind::DateNotSet, "Datum souboru se nepodařilo nastavit:"},
    {TFailureKind::ExifNotWritten, "EXIF se nepodařilo zapsat, snímek zůstal beze změny:"},
    {TFailureKind::ExifDateNotInPlace,
     "Datum EXIF nelze přepsat na místě, snímek zůstal beze změny:"},
    {TFailureKind::GpsNotWritten, "GPS pozici se nepodařilo zapsat, snímek zůstal beze změny:"},
};

constexpr int kTextJournalFailed = 480;

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
  std::vector<std::string> journals;
  for (const TFailure& failure : failures) {
    if (failure.kind == TFailureKind::JournalFailed) {
      journals.push_back(LineOf(failure));
      continue;
    }
    size_t part = 0;
    while (part < std::size(kTitles) && kTitles[part].kind != failure.kind) ++part;
    lines[part].push_back(LineOf(failure));
  }
  std::string parts;
  ReportText::AppendPart(parts, Language::GetText(kTextJournalFailed), journals);
  for (size_t part = 0; part < std::size(kTitles); ++part)
    ReportText::AppendPart(parts, kTitles[part].title, lines[part]);
  ReportText::AppendPart(parts, "Tyto soubory se nepodařilo zpracovat:", lines.back());
  return "Některé soubory se nepodařilo zpracovat (" + std::to_string(failures.size()) + "):\n\n" +
         parts;
}

}  // namespace HromadneAkce
