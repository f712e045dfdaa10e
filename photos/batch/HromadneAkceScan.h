// One folder of the batch actions as a list of media files and subfolders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/DateTime.h"

namespace HromadneAkce {

// A media file met by a scan.
struct TMediaFile {
  std::string path;       // where the file is now
  std::string standing;   // the path it stands for: path without a temporary suffix
  TDateTime fileDate = 0; // last write, local time, whole seconds

  bool IsTemporary() const { return path != standing; }
};

struct TFolderScan {
  std::vector<TMediaFile> files;        // name order
  std::vector<std::string> subfolders;  // full paths, name order
  bool readable = true;                 // false: the folder could not be listed
};

struct TScanRule {
  bool subfolders = false;  // list the subfolders too
  // Leave out the thumbnail folder "THUMBS".
  bool skipThumbs = true;
  // Leave out the output folders of the stored gallery projects
  // (OwnFiles::IsGalleryFolder): their resized copies are no photos.
  bool skipGalleries = true;
};

// The media files of a folder (regular files, by extension, temporary names
// included; names beginning with "THUMB_" left out) and, by the rule, its
// subfolders. Symbolic links are never taken: a link is neither walked into
// nor renamed; nor are pipes, devices and sockets, whatever their names. An
// unreadable folder gives an empty scan that says so.
TFolderScan ScanFolder(const std::string& folder, const TScanRule& rule);

// A file given by path, as a scan would take it; false when it is no media
// file, is missing, a folder, a link or no regular file.
bool MediaFileOf(const std::string& path, TMediaFile& file);

}  // namespace HromadneAkce
