// The file work of the resort window, for users who keep their photos
// sorted into a folder tree and edit copies of them in one flat folder.
//
// UpdateTree puts the new versions from the flat folder back into the tree,
// each over the tree file of the same name. CopyIntoPatternTree sorts a flat
// folder into a new tree shaped like an existing, sorted one, matching files
// by their whole names or by a part of the name (say the camera's running
// number). Neither ever deletes a tree or target file before its
// replacement is in place: a replacement is renamed over the old file in
// one step. The program's own files and folders (ignore list, caches,
// "thumbs", "exif") are never replaced, renamed, sorted or used as a
// pattern, and no symbolic link below a chosen folder is followed.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace edit_imgresort {

// Folder "x-UNSORTED" of the target collects the files that match nothing.
extern const char* const kUnsortedFolder;

// Name folding: the Czech and Slovak letters without their accents ("§"
// becomes a blank), then upper case.
std::string Fold(const std::string& text);

// How the matching part of a name is found on one side.
struct TSide {
  bool fromLeft = false;  // "Zleva", else "Zprava"
  int length = -1;        // characters; -1: the run of digits and A-Z letters
};

// A side's length as the window gives it: -1 when "up to the separator" is
// checked or the length edit holds no whole number.
int LengthOf(bool upToSeparator, const std::string& lengthText);

// The key a name is matched by. equalNames: the folded file name (folders
// left out, extension kept). Otherwise the folded name without folders and
// extension, cut by the side: its first or last `length` characters, or its
// leading or trailing run of digits and capital letters A-Z. Empty when
// nothing is left (a file with an empty key matches nothing).
std::string KeyOf(const std::string& path, const TSide& side, bool equalNames);

// Called with the number of files done and the number to do; the first
// call, (0, total), comes once the files are listed.
using TProgress = std::function<void(int done, int total)>;

// What a run did and what it could not do, for the report.
struct TResult {
  int replaced = 0;  // UpdateTree: tree files given their new version
  int renamed = 0;   // UpdateTree: tree files renamed to ".xxx"
  int placed = 0;    // CopyIntoPatternTree: copies or moves made
  int unsorted = 0;  // CopyIntoPatternTree: files put in x-UNSORTED
  // Tree files of one name, none of which was given the new version.
  std::vector<std::vector<std::string>> duplicates;
  // Files whose names differ only in case where one name was wanted.
  std::vector<std::vector<std::string>> caseClashes;
  // Paths that could not be copied, moved, renamed or replaced.
  std::vector<std::string> failed;
  // A refusal before anything was done.
  std::string refusal;
};

// Page one. Every tree file (below tree, recursively) whose name is held by
// a file of the flat folder source (compared without regard to case) is
// replaced by that file, moved in its place under the tree file's name.
// With renameOthers, a tree file without a new version gets the extension
// "xxx". Tree files that lie under source are skipped; a name held by
// several tree files, or by several source files differing only in case,
// is reported and left alone.
TResult UpdateTree(const std::string& source, const std::string& tree, bool renameOthers,
                   const TProgress& progress);

// Page two's choices.
struct TPatternOptions {
  bool move = false;        // RadioButton3, else copy
  bool equalNames = false;  // RadioButton1, else a part of the name
  TSide patternSide;        // podleft_*
  TSide sourceSide;         // podright_*
};

// Page two. Each file of the flat folder source goes to target + the
// relative folder of every pattern file (below pattern) with an equal key,
// under its own name; a file that matches nothing goes to x-UNSORTED. An
// existing target file is replaced only by a different, existing file; in
// move mode the file moves to its first place and is then gone. A target
// name held by a file differing only in case is reported and left alone.
TResult CopyIntoPatternTree(const std::string& source, const std::string& pattern,
                            const std::string& target, const TPatternOptions& options,
                            const TProgress& progress);

// What the window tells after a run; empty when everything went through.
std::string Summary(const TResult& result);

}  // namespace edit_imgresort
