// The plan of the Batch menu's rename (code 5): the photos of a folder take
// the names pattern + number + ".jpg", the numbers first, first + step, ...
// in list order, each left-filled with "0" to four digits. The plan is
// checked whole before anything is renamed (gallery/rename/PhotoRename.h does the
// renaming), so a plan that cannot be carried out changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace BatchMenu {

// Old and new file names (no folder) of the photos renamed, in list order.
using TRenames = std::vector<std::pair<std::string, std::string>>;

// The longest pattern: with any number, "thumb_" in front and a work mark
// behind, every name of a rename stays within the 255 bytes of a file name.
constexpr size_t kMaxPatternBytes = 200;

// True for a pattern that is one plain part of a file name: no "/", "\" or
// control character, not beginning with "." (no "..", no hidden file), and
// short enough for every name of the plan.
bool IsPlainNamePart(const std::string& pattern);
// pattern + number (at least four digits) + ".jpg".
std::string NewName(const std::string& pattern, int64_t number);
// The key by which a photo's side file and gallery pages go: its name
// without extension, trimmed and upper-cased ("IMG_1.JPG" and "img_1.jpeg"
// share one).
std::string BaseKey(const std::string& name);

enum class TRefusal {
  kNone,
  kBadNumbers,   // the step is 0 or a number would be below 0
  kBadPattern,   // not IsPlainNamePart
  kNamesTaken,   // new names held by other files, or shared by two photos
  kSideFilesInTheWay,  // side files of no renamed photo stand where renamed ones go
};

struct TRenamePlan {
  TRefusal Refusal = TRefusal::kNone;
  // With kNamesTaken the new names concerned, with kSideFilesInTheWay the
  // side files ("exif/" + name).
  std::vector<std::string> Names;
  TRenames Renames;
  // Photos that already have their new name (compared trimmed and without
  // regard to case); their numbers are used up all the same.
  int Unchanged = 0;
};

// Plans the rename of photos (full paths of the folder's list, in list
// order; ".exif" side files and files that are no JPEG keep their names and
// take no number). Every new name must be distinct and either free or the
// old name of a photo renamed in the same run, names compared the way the
// program looks them up (without regard to case); its name without
// extension must not be that of a photo that keeps its name, which would
// share the new photo's side file and gallery pages; and no side file of
// another photo may stand where a renamed photo's side file goes.
TRenamePlan PlanRenames(const std::string& folder, const std::vector<std::string>& photos,
                        const std::string& pattern, int64_t first, int64_t step);

// The BaseKeys that more than one of the photo file names has: the side
// file and the gallery outputs of such a photo are not its own alone, so a
// rename leaves them where they are.
std::unordered_set<std::string> SharedBases(const std::vector<std::string>& photoNames);

// True for a name with the extension "JPG" or "JPEG" (any case).
bool IsJpegName(const std::string& name);

}  // namespace BatchMenu
