// Reports the tools show after a run: parts made of a title and the paths
// it concerns, a long list cut short with a count of the rest.
#pragma once

#include <string>
#include <vector>

namespace ReportText {

// Lines listed in one part; the rest is counted.
constexpr size_t kListedLines = 20;

// Appends a part (after an empty line when text is not empty); nothing when
// lines is empty.
void AppendPart(std::string& text, const std::string& title, const std::vector<std::string>& lines);

}  // namespace ReportText
