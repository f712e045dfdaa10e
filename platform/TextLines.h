// Text split into lines and lines joined into text: the one place that says
// what a line break is. Texts come from Windows, Unix and old Mac files, so a
// break is CR LF, a lone CR or a lone LF; joined text uses CR LF, as the files
// and values the program writes always have.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Where the breaks of a text stand.
//   kAfterEach: each line ends with a break, as in a file. "a\r\nb\r\n" and
//     "a\r\nb" are {"a", "b"}; "" is no line at all.
//   kBetween: breaks separate lines, as in a multi-line value. "a\r\nb\r\n"
//     is {"a", "b", ""}; "" is one empty line.
enum class LineBreaks { kAfterEach, kBetween };

// The lines of text, without their breaks.
std::vector<std::string> SplitLines(std::string_view text,
                                    LineBreaks breaks = LineBreaks::kAfterEach);

// The lines with CR LF after each one, or between them. The inverse of
// SplitLines with the same breaks for any text whose breaks are all CR LF.
std::string JoinLines(const std::vector<std::string>& lines,
                      LineBreaks breaks = LineBreaks::kAfterEach);

}  // namespace platform
