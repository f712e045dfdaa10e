// The line of the photo list window for one photo: its file name padded
// with blanks to 23 characters, followed by its folder, so the folders stand
// in a column for all but the longest names. A name of 23 characters or
// more is kept apart from its folder by one blank.
#pragma once

#include <string>

namespace ImageList {

constexpr int kNameWidth = 23;

std::string ListLine(const std::string& path);

}  // namespace ImageList
