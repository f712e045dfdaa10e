// The line of the photo list window for one photo: its file name padded
// with blanks to 23 characters, directly followed by its folder, so the
// folders stand in a column for all but the longest names.
#pragma once

#include <string>

namespace ImageList {

constexpr int kNameWidth = 23;

std::string ListLine(const std::string& path);

}  // namespace ImageList
