// Why a change of a file failed, told after the fact from what the file and
// its folder are like now, so that every list of files a tool could not
// handle says for each one what stood in the way.
#pragma once

#include <string>

namespace FileProblem {

enum class TProblem {
  kNone,            // nothing to tell
  kGone,            // the file is no longer there
  kReadOnly,        // the file is read-only
  kFolderReadOnly,  // its folder (or the one it was to go to) takes no changes
  kNotJpeg,         // the file is no JPEG picture, whatever its name
  kDamaged,         // the JPEG picture is damaged: it does not decode
  kNoExifRoom,      // its EXIF segment has no room left for the tags
  kOther,           // none of these: the system refused the change
};

// Why writing a photo's EXIF (a position, dates) failed.
TProblem OfPhotoWrite(const std::string& path);
// Why renaming, moving or dating the file at path failed; target is where it
// was to go ("" when it stays in its folder).
TProblem OfChange(const std::string& path, const std::string& target = {});
// Why making a file or folder at path failed.
TProblem OfNewEntry(const std::string& path);

// The problem as the window tells it; "" for kNone.
std::string Text(TProblem problem);

}  // namespace FileProblem
