// The items of the main window's camera combo and which item shows a
// photo's maker.
#pragma once

#include <string>

namespace CameraTypes {

constexpr int kItemCount = 24;

// The caption of an item: items 0 ("no EXIF structure found") and 1
// ("general EXIF") come from the text table, the makers 2-23 are fixed.
std::string ItemCaption(int index);

// The item of a maker number (bit 7 ignored); 0 for 24 and more, the
// reader's state before anything was read.
int ItemOfMaker(int makerNumber);

}  // namespace CameraTypes
