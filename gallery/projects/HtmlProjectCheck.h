// Whether a project's settings can be accepted: the rules the project
// settings window enables its OK button by, and generation checks before a
// run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gallery/projects/HtmlProject.h"

namespace HtmlProjectCheck {

enum class TProblem {
  kNone,
  kNameTooShort,       // the project name has fewer than 3 characters
  kOutputTooLong,      // the output folder does not fit its record field
  kOutputNotAbsolute,  // the output folder does not start with "/"
  kOutputMissing,      // neither the output folder nor the folder above it exists
  kPhotoFolderTooLong, // the photo folder does not fit its record field
  kOutputIsPhotos,     // the photo folder is the output folder or lies anywhere inside it
  kOutputOfOther,      // the output folder is, holds or lies inside another project's
  kShortcutTooShort,   // the short name has fewer than 3 characters
  kShortcutNotPlain,   // not one plain name, or longer than its field
  kShortcutTaken,      // another stored project has it, ignoring case
  kNotNumber,          // a size or tolerance is no decimal number
};

// The first problem of project, which is stored as record projectIndex (-1:
// not stored) beside the stored projects; kNone when it can be accepted.
// Lengths of the name and the short name are counted in characters as
// typed; the folders are checked as typed too, never cut. An empty photo
// folder (none open) is not checked. Folders are compared by their path
// components, made absolute, with "." and ".." and the links of their
// existing part resolved. For kOutputOfOther, *other (when given) is the
// record number of the project whose output folder collides.
TProblem Check(const THtmlProject& project, int projectIndex,
               const std::vector<THtmlProject>& stored, int* other = nullptr);

// The number of the text that tells the problem; -1 for kNone.
int ProblemText(TProblem problem);

// A size or tolerance field's value: the text trimmed, decimal digits only,
// at most nine. False for anything else.
bool SizeValue(const std::string& text, int64_t& value);

// One plain file or folder name: valid UTF-8, not empty, "." or "..", without
// "/", "\" or control characters.
bool IsPlainName(const std::string& name);

// The folder above folder (for "/x/y/" that is "/x"); empty for none.
std::string FolderAbove(const std::string& folder);

}  // namespace HtmlProjectCheck
