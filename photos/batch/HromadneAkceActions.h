// What each action code does in the file pass: the action on one file, and
// the rules the pass applies for it.
#pragma once

#include "photos/batch/HromadneAkcePass.h"

namespace HromadneAkce {

using TLineAction = void (*)(TPassLine& line, TPassContext& ctx);

struct TCodeRule {
  TLineAction action;  // nullptr for a rename, which names a pass's files at once
  bool readsExif;   // the pass needs the EXIF date, position or fraction of the second
  bool jpegOnly;    // files that are no JPEG by their own extension are passed over
  bool renames;     // the planned two-pass rename through temporary names
};

// REQUIRES code <= kSplitByExif.
const TCodeRule& RuleOf(TActionCode code);

}  // namespace HromadneAkce
