// The Batch menu's rename (code 5): the photos of a folder take their new
// names (photos/batchmenu/RenamePlan.h) together with every file derived
// from them: the EXIF side file in "exif", the thumbnail cache file in
// "thumbs" and, in each gallery of the folder, the thumbnail, the resized
// photo and the EXIF page (all lower-cased, as the pages link them). The
// galleries' pages are rewritten to the new names (PageRewrite.h), and the
// ignore list and the checker cache follow the photos. Each gallery's record
// of its files (gallery/generate/GalleryRecord.h) takes the new names first.
//
// A run works in three passes recorded in a journal in the photo folder
// (kJournalName), written before the first rename:
//   1. every photo goes to its new name + kTempSuffix (one whose new name
//      stays taken goes back);
//   2. the derived files go to their new names + kTempSuffix, and every page
//      to change, the ignore list and the cache are written anew beside the
//      file they replace (+ kRewriteSuffix), the old files untouched;
//   3. every work name takes its name (FinishRenames) and the rewritten
//      files replace the old ones; the journal goes.
// Each pass can be done again from where a stopped one left off, so a run
// killed anywhere is finished exactly by the next (FinishInterrupted), and
// no photo is ever under two names or none. Photos and side files are never
// replaced or removed; only stale caches, and gallery outputs the gallery's
// record names, that stand where a renamed photo's go are removed first.
// In a gallery only the files its record names are moved, rewritten,
// replaced or removed: a file of the user's keeps its place and its bytes,
// and the output that would take its name keeps the old one. A subfolder
// (the folder's "exif" and "thumbs", a gallery's) that is a link is never
// entered; the folder and a gallery may be reached through one.
//
// A journal may have come with the folder from anyone: a stopped run is
// finished only in the folder and in its galleries now, and only for photo
// names of the folder (PhotoRenameJournal.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "photos/batchmenu/RenamePlan.h"

namespace PhotoRename {

// The work marks (foundation/WorkNames.h) of a run's names.
inline constexpr char kTempSuffix[] = ".~qm_new";
inline constexpr char kRewriteSuffix[] = ".~qm_rw";
inline constexpr char kJournalName[] = ".~qm-rename";

struct TEvents {
  // Once per photo as it goes to its work name.
  std::function<void()> Step;
  // The work names are put in place: how many there are.
  std::function<void(int count)> Finishing;
  // One put in place.
  std::function<void()> Finished;
};

struct TResult {
  // Photos under their new names.
  int Renamed = 0;
  // Photos that kept their names (old file names); their derived files,
  // ignore entries and checker entries are unchanged.
  std::vector<std::string> Failed;
  // Files still under work names, or a journal that cannot be read (paths):
  // the next run tries them again.
  std::vector<std::string> Unfinished;
  // Derived files, pages, the ignore list or the cache that kept the old
  // names, and a gallery's page folder that is a link (paths).
  std::vector<std::string> KeptOldNames;
  // Lines of a stopped run's journal naming a folder that is none of the
  // folder's galleries now, or a name that is no photo name of the folder
  // (escaped): nothing they name was touched.
  std::vector<std::string> Refused;
  // The journal, or the record of a gallery, could not be written: nothing
  // was renamed.
  bool NotStarted = false;
};

// The galleries of a photo folder: the output folders of the stored
// projects of that folder that exist (never made here).
std::vector<std::string> GalleriesOf(const std::string& folder);

// True when a stopped run left its journal or work names in the folder or
// its galleries.
bool HasLeftovers(const std::string& folder, const std::vector<std::string>& galleries);

// Finishes what a stopped run left: exactly as that run would have ended
// when its journal is there, in the galleries it recorded that are among
// galleries (the folder's now, GalleriesOf), else each file under a work
// name of the folder and of galleries takes its name.
TResult FinishInterrupted(const std::string& folder, const std::vector<std::string>& galleries,
                          const TEvents& events);

// Renames the planned photos of folder with their derived files, in the
// folder and in galleries. A photo whose old or new name a journal could
// not hold (detail::IsPhotoName) keeps its name.
TResult Run(const std::string& folder, const BatchMenu::TRenames& renames,
            const std::vector<std::string>& galleries, const TEvents& events);

// What may stand where a work name of a folder goes.
enum class TFolderKind {
  kKeep,         // photos and side files: a file there is never replaced
  kCacheFiles,   // thumbnail caches: a stale one is removed
  kGalleryFiles  // a gallery's subfolder: a stale output is removed only
                 // when the gallery's record names it; a user's file stays
};
// Puts each file of folder under a work name (name + kTempSuffix) in place
// with a rename that never replaces, in passes while one places any (at
// most three). Returns how many were placed; those that could not be are
// appended to unfinished.
int FinishRenames(const std::string& folder, TFolderKind kind, const TEvents& events,
                  std::vector<std::string>& unfinished);

}  // namespace PhotoRename
