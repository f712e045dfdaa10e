// What the sources of the resort window share.
#pragma once

#include <string>
#include <vector>

#include "photos/resort/edit_imgresortWork.h"

namespace edit_imgresort::detail {

// The files below dir (recursive: in subfolders too, never through a link)
// as paths relative to dir, sorted, without the program's own files and
// folders (the output folders of gallery projects among them).
std::vector<std::string> ListFiles(const std::string& dir, bool recursive);

// dir + "/" + name, with no "/" doubled; name alone for an empty dir.
std::string Join(const std::string& dir, const std::string& name);

}  // namespace edit_imgresort::detail
