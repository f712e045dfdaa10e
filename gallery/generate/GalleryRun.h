// Generation of the current project's gallery: the photos of its folder
// become, below the output folder (GalleryLayout.h), a thumbnail and a
// resized photo each, two photo pages each (800x600 and 1024x768), an EXIF
// page each when the project asks for them, film-strip pages, a frameset per
// size and the navigation images (GalleryPages.h, GalleryImages.h,
// GenImages.h).
//
// The run is incremental: images are made again only when the photo changed
// (TJPegChecker) or the image misses its size window, and pages replace
// their files only when their content changed, so that unchanged outputs
// keep their bytes and dates and publishing sends only what changed. It
// never replaces or deletes a file it did not make: the files it makes are
// kept in the gallery's record (GalleryRecord.h), each before it is
// written, the clean-up takes only those, and an output folder whose
// subfolders hold any other file is refused before anything is written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gallery/projects/HtmlProject.h"
#include "gallery/generate/TargetSize.h"

class TExifReader;
class TIgnoreList;

namespace GalleryRun {

// What the run shows while it works; every member may be empty.
struct TEvents {
  // The gauge: position of maximum (photo count + 1).
  std::function<void(int position, int maximum)> Gauge;
  // Each photo as its images are made: its path, its EXIF (without rows
  // when it has none) and its thumbnail's file (empty when it has none).
  std::function<void(const std::string& photo, const TExifReader& reader,
                     const std::string& thumbnail)>
      ShowPhoto;
  // The two progress labels: what is worked on and at which step (the
  // re-encoder's, and the clean-up's text 519 with each folder); both empty
  // hide them.
  JPegUtils::TCompressInfo Info;
};

enum class TOutcome {
  kDone,
  kNoPhotos,            // nothing to do, nothing written
  kCannotCreateFolder,  // the output folder or a subfolder cannot be made
  kNameClash,           // photos would share outputs; nothing written
  kForeignFiles,        // the subfolders hold files the run did not make; nothing written
  kCannotWriteRecord,   // the gallery's record cannot be written; the run stopped there
  // The private temporary folder cannot be had; nothing written.
  kCannotMakeWorkFolder,
};

struct TReport {
  TOutcome Outcome = TOutcome::kDone;
  // kNameClash: the file names of the photos that would share outputs, or
  // whose page would be a frameset or film-strip page.
  std::vector<std::string> Clashes;
  // kForeignFiles: the files (subfolder + "/" + name) of the gallery's
  // subfolders that no record names, in byte order; a subfolder that cannot
  // be listed stands as subfolder + "/". A gallery of a program that kept
  // no record has only such files.
  std::vector<std::string> Foreign;
  // kCannotMakeWorkFolder: which folder and why.
  std::string WorkFolderProblem;
  // kDone: photos (file names) that got no outputs because they do not
  // decode or their images or pages could not be written, and pages of the
  // gallery that could not be written; GalleryRecord::kRecordName when the
  // record could not be brought down to the files there (it then still
  // names every file the run made).
  std::vector<std::string> Failed;
  // Photos in the gallery.
  int Photos = 0;
};

// Generates the gallery of project for photos, the full paths of the photo
// folder's photos in the order of the gallery (the main window's list:
// PhotoList rules, ignore list applied, exposure order); names that are no
// photo files (".exif" side files) are left out. ignored are the names on
// the folder's ignore list, whose outputs are deleted. Every image is made
// with the qualities and steps project holds, whatever the images before it
// came to, so that it is the same whenever it is made again. Events run
// (platform::PumpEvents) between photos.
TReport Generate(const THtmlProject& project, const std::string& photoFolder,
                 const std::vector<std::string>& photos, const std::vector<std::string>& ignored,
                 const TEvents& events);

// The photos of folder as the main window lists them for a gallery: its
// photo files without those ignore leaves out, in exposure order.
std::vector<std::string> ListPhotos(const std::string& folder, const TIgnoreList& ignore);

// The file names among photos that would share an output name (their names
// without extension, lower-cased, are equal) or whose photo page would take
// the name of a frameset ("index.htm") or a film-strip page; in the order
// given.
std::vector<std::string> FindNameClashes(const std::vector<std::string>& photos);

// True for a film-strip page name, GalleryLayout::PageFileName(number) in
// any case.
bool IsFilmStripPageName(const std::string& name, int& number);

}  // namespace GalleryRun
