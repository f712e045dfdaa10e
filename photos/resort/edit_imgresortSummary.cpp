// The report of the resort window after a run.
#include "photos/ReportText.h"
#include "photos/resort/edit_imgresortWork.h"
#include "texts/Language.h"

namespace edit_imgresort {

namespace {

constexpr int kTextDuplicates = 116;
constexpr int kTextCaseClashes = 117;
constexpr int kTextFailed = 668;

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
  ReportText::AppendPart(text, Language::GetText(kTextDuplicates), Groups(result.duplicates));
  ReportText::AppendPart(text, Language::GetText(kTextCaseClashes), Groups(result.caseClashes));
  ReportText::AppendPart(text, Language::GetText(kTextFailed), result.failed);
  return text;
}

}  // namespace edit_imgresort
