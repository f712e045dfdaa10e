// The line of the photo list window for one photo: its file name padded
// with blanks to the width of the list's name column, followed by its
// folder, so the folders stand in a column. The column is 23 characters
// wide, or one more than the list's longest name when that is longer.
#pragma once

#include <string>
#include <vector>

namespace ImageList {

constexpr int kNameWidth = 23;

// The width of the name column for the photos of a list (full paths).
int NameWidth(const std::vector<std::string>& paths);

std::string ListLine(const std::string& path, int nameWidth = kNameWidth);

}  // namespace ImageList
