#include "photos/ReportText.h"

#include "texts/Language.h"

namespace ReportText {

namespace {

constexpr int kTextAndMore = 77;

}  // namespace

void AppendPart(std::string& text, const std::string& title,
                const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (!text.empty()) text += "\n\n";
  text += title;
  for (size_t i = 0; i < lines.size() && i < kListedLines; ++i) text += "\n" + lines[i];
  if (lines.size() > kListedLines)
    text += "\n" + Language::GetText(kTextAndMore) + " (" +
            std::to_string(lines.size() - kListedLines) + ")";
}

}  // namespace ReportText
