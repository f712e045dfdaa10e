// The report of the resort window after a run.
#include "photos/ReportText.h"
#include "photos/resort/edit_imgresortWork.h"

namespace edit_imgresort {

namespace {

std::vector<std::string> Groups(const std::vector<std::vector<std::string>>& groups) {
  std::vector<std::string> lines;
  for (const std::vector<std::string>& group : groups) {
    std::string line;
    for (const std::string& path : group) line += (line.empty() ? "" : "  |  ") + path;
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string Summary(const TResult& result) {
  std::string text;
  ReportText::AppendPart(
      text, "Soubor stejného jména je ve stromu vícekrát, nová verze nebyla nikam dána:",
      Groups(result.duplicates));
  ReportText::AppendPart(
      text, "Názvy se liší jen velikostí písmen, soubor byl vynechán:", Groups(result.caseClashes));
  ReportText::AppendPart(text, "Tyto soubory se nepodařilo zpracovat:", result.failed);
  return text;
}

}  // namespace edit_imgresort
