// The rows of the image list picker: each display text of the main window's
// list, date + "|" + time + "|" + text, split into the three columns.
#pragma once

#include <array>
#include <string>

namespace ImgListForm {

// The text up to the first "|" (trimmed); of the rest, cut to 255
// characters, the part up to its first "|" (trimmed) and the part after it
// (trimmed, at most 255 characters). A text without "|" leaves the first two
// columns empty and shows whole in the third.
std::array<std::string, 3> RowOf(const std::string& displayText);

}  // namespace ImgListForm
