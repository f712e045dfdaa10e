// The file work of the photos-by-resolution window: the JPEG files of a
// folder (optionally of its subfolders) with their pixel sizes and aspect
// classes, listed by ratio, width or height, and the selected ones moved
// into another folder keeping their relative subfolders.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace edit_imgsize {

// Numbers of the text table: the captions of the window's boxes, and the
// question asked before the files are collected (Yes includes the
// subfolders).
constexpr int kCaptionError = 516;        // "Error"
constexpr int kCaptionQuestion = 78;      // "Question"
constexpr int kSubfoldersQuestion = 118;  // "Include the subfolders?"

// The JPEG files (regular files with the extension JPG or JPEG, name not
// beginning with "THUMB_") of folder as full paths, in name order; with
// subfolders, those of every subfolder but "thumbs" follow the folder's own.
// Links to folders are not entered. Folders that could not be read are
// listed apart.
struct TCollected {
  std::vector<std::string> files;
  std::vector<std::string> unreadable;
};
TCollected CollectJpegFiles(const std::string& folder, bool subfolders);

// The error shown when no file was found.
std::string NoFilesText(const std::string& folder);
// The warning shown when folders could not be read; empty when there are none.
std::string UnreadableText(const std::vector<std::string>& folders);

// "Počet souborů:", a blank and count.
std::string CountText(size_t count);

// One photo of the list. A photo whose size cannot be read has all three
// numbers 0.
struct TPhoto {
  std::string path;
  std::string relative;  // path below the base folder
  int width = 0;
  int height = 0;
  int aspect = 0;  // JPegUtils::AspectClass
  bool moved = false;
};

// The list line: the class / 100 as "#.##", three blanks, the width and the
// height right-aligned to the given digit counts joined by " x ", three
// blanks, the relative path. A photo of class 0 shows blanks in place of
// everything before its path.
std::string ListLine(const TPhoto& photo, int widthDigits, int heightDigits);

// Ctrl+A and "Označit vše": true when every line is to be selected (fewer
// than two are), false when the selection is to be cleared.
bool SelectAll(size_t selectedCount);

// The orders of the window's sort list, in its item order.
enum class TSortBy { Ratio = 0, Width = 1, Height = 2 };

// Called with the number of files done and the number to do.
using TProgress = std::function<void(int done, int total)>;

// The answer to "replace the file that is already there?".
enum class TOverwrite { Replace, Skip, Stop };
using TAskOverwrite =
    std::function<TOverwrite(const std::string& source, const std::string& target)>;

// The question the window asks before replacing target.
std::string OverwriteQuestion(const std::string& target);

struct TMoveResult {
  std::string refusal;  // nothing was moved
  int moved = 0;
  bool stopped = false;  // the user stopped the move
  // A target name held by a file whose name differs only in case: both.
  std::vector<std::vector<std::string>> caseClashes;
  std::vector<std::string> failed;  // sources that could not be moved
};

// What the window tells after a move; empty when every file was moved.
std::string Summary(const TMoveResult& result);

class TResolutionList {
 public:
  // Reads the pixel size and aspect class of each file below baseFolder,
  // one progress step a file.
  TResolutionList(const std::string& baseFolder, const std::vector<std::string>& files,
                  const TProgress& progress);

  // A line shown and the index of its photo.
  struct TLine {
    std::string text;
    size_t photo = 0;
  };
  // The lines of the photos not moved away, classes 160 and 178 left out
  // when asked, sorted by the class, width or height and then by the line.
  std::vector<TLine> Lines(TSortBy sortBy, bool hide160, bool hide178) const;

  const std::vector<TPhoto>& Photos() const { return photos_; }
  // The base folder with a trailing "/".
  const std::string& BaseFolder() const { return base_; }

  // Moves the given photos to targetFolder + their relative paths, making
  // the folders needed. A target equal to the base folder is refused; a
  // file that is already there is replaced only when ask answers Replace
  // (without ask: never); one whose name differs only in case is left
  // alone and reported. Moved photos leave the lines.
  TMoveResult Move(const std::vector<size_t>& photos, const std::string& targetFolder,
                   const TAskOverwrite& ask, const TProgress& progress);

 private:
  bool MoveOne(TPhoto& photo, const std::string& targetFolder, const TAskOverwrite& ask,
               TMoveResult& result);

  std::string base_;
  std::vector<TPhoto> photos_;
  int widthDigits_ = 1;
  int heightDigits_ = 1;
};

// Opens the photo in the user's default viewer. Returns the error to show,
// empty on success.
std::string OpenPhoto(const std::string& path);

}  // namespace edit_imgsize
