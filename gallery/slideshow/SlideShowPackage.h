// Slide-show packages: a file-list container (gallery/FListFile) holding the
// pictures of one or more gallery projects. Standing alone it is a ".ssp"
// file; behind the player program it is a self-running show.
//
// Entries, in this order:
//   0       "ssplist.tmp"   one TSlideShowProject per project, in order
//   1       a language file ("*.lng") to show the texts in, or "empty.lng",
//           one zero byte, for the player's built-in texts
//   2 + 3i  picture i's name without extension + ".inf": its TSlideInfoRec
//   3 + 3i  "tn_" + that name + ".jpg": its thumbnail
//   4 + 3i  the picture, re-encoded for the screen (or the photo itself)
// Pictures are numbered over all projects: the first picture of project p
// has its ".inf" entry at 2 + 3 x (the picture counts before p added up).
//
// A package is untrusted: the project list, every count and every entry
// name is checked against the container before it is used.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gallery/slideshow/FListFile.h"
#include "gallery/slideshow/SlideShowRecords.h"

class TSlideShowWorkDir;

namespace SlideShowPackage {

inline constexpr char kListEntry[] = "ssplist.tmp";
inline constexpr char kEmptyLanguage[] = "empty.lng";
inline constexpr char kPackageExt[] = "ssp";
// The error of a project list that cannot be read.
inline constexpr char kReadError[] = "I/O Error. Cannot read data.";

}  // namespace SlideShowPackage

// --- Reading ----------------------------------------------------------------

namespace SlideShowPackage {

// The package a player plays: its first argument when that names an
// existing file; else ownPath with the extension "ssp" when that exists;
// else ownPath itself, for a package appended to the player.
std::string PlayerPackagePath(const std::vector<std::string>& arguments,
                              const std::string& ownPath);

// A show's list names a picture of a package by "*" and the number of its
// record entry; anything else is a picture's path.
std::string ItemOf(int entry);
// The record entry of an item; -1 for a path.
int EntryOfItem(const std::string& item);

}  // namespace SlideShowPackage

// A package opened for playing. Entries are extracted into a work folder
// (gallery/SlideShowWorkDir) as they are needed.
class TSlideShowPackage {
 public:
  enum class TOpenResult { Opened, NotFound, Empty };

  TSlideShowPackage() = default;
  TSlideShowPackage(const TSlideShowPackage&) = delete;
  TSlideShowPackage& operator=(const TSlideShowPackage&) = delete;

  // Opens the package in path (empty: the running program's own file) and
  // reads its project list. NotFound when path holds no container, or one
  // without the project list as its first entry; Empty when the list names
  // no project. Raises EFListFileError with kReadError when the list is
  // damaged: not a whole number of records, a negative count, or counts
  // that need more entries than the container holds.
  TOpenResult Open(const std::string& path, const TSlideShowWorkDir& work);
  void Close();

  const std::vector<TSlideShowProject>& Projects() const { return projects_; }
  // The ".inf" entry of project p's first picture; -1 when p is no project
  // of the package or has no picture.
  int FirstInfoEntry(int p) const;

  // Extracts the language entry into the work folder and returns its path;
  // empty for "empty.lng" or an entry that is no ".lng" file. The caller
  // deletes the file.
  std::string ExtractLanguage();
  // The record of the ".inf" entry k; a record with the EXIF flag clear
  // when the entry cannot be read or is not one record long.
  TSlideInfoRec ReadInfo(int k);
  // Extracts entry k into the work folder and returns its path; empty when
  // it cannot be (no such entry, a name that is no plain file name, a
  // damaged entry). The caller deletes the file.
  std::string Extract(int k);

  TFListFile& Container() { return container_; }

 private:
  TFListFile container_;
  std::vector<TSlideShowProject> projects_;
  std::vector<int> firstEntries_;
};

// --- Writing ----------------------------------------------------------------

// One project to put into a package: its record (index and title; the
// count follows the photos) and its photos' full paths in show order.
struct TSlideShowSource {
  TSlideShowProject Project;
  std::vector<std::string> Photos;
};

// What the writer tells while it works.
struct TSlideShowEvents {
  // Before each photo: its number (1-based) of the total.
  std::function<void(int done, int total)> Progress;
  // The photo being packed, to show it meanwhile.
  std::function<void(const std::string& photo)> Showing;
};

enum class TPackageResult { Written, NoPictures, Failed };

namespace SlideShowPackage {

// Writes the projects' photos into a package at target: with an empty
// player a ".ssp" package, otherwise a self-running show (the player
// followed by the package, runnable like the player). languageFile is the
// language file in force, empty for the built-in texts.
//
// The package is written whole beside target and renamed over it only when
// complete; until then target stays as it was, and no other file is
// touched. Projects without photos contribute nothing; with no photo at all
// nothing is written (NoPictures). Failed when a photo's thumbnail or
// record cannot be made, or the work folder cannot be had. Container errors
// are raised as EFListFileError; in every failure no partial file remains.
TPackageResult Write(const std::string& target, const std::vector<TSlideShowSource>& projects,
                     const std::string& languageFile, const std::string& player,
                     const TSlideShowEvents& events);

}  // namespace SlideShowPackage
