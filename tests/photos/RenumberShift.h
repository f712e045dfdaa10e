// The special renumbering the kill tests stop: the "img" files of a tree
// and its subfolders, their numbers shifted up by one.
#pragma once

#include <string>

#include "photos/renumber/edit_speccislovaniWork.h"

namespace batchtest {

inline edit_speccislovani::TOptions ShiftByOne(const std::string& root) {
  edit_speccislovani::TOptions options;
  options.root = root;
  options.subdirs = true;
  options.mode = edit_speccislovani::TMode::Shift;
  options.from = 1;
  options.shift = 1;
  return options;
}

}  // namespace batchtest
