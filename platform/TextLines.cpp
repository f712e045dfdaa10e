#include "platform/TextLines.h"

namespace platform {

std::vector<std::string> SplitLines(std::string_view text, LineBreaks breaks) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find_first_of("\r\n"); end != std::string_view::npos;
       end = text.find_first_of("\r\n", start)) {
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  if (start < text.size() || breaks == LineBreaks::kBetween) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, LineBreaks breaks) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (breaks == LineBreaks::kBetween && i > 0) text += "\r\n";
    text += lines[i];
    if (breaks == LineBreaks::kAfterEach) text += "\r\n";
  }
  return text;
}

}  // namespace platform
