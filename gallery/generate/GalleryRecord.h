// The record of the files generation made in a gallery: the file
// "quillmarsh.gallery" in the output folder, beside the gallery's
// subfolders. A run replaces and deletes only the files it names, and takes
// a file of the subfolders that it does not name for one of the user's, so
// that it never writes over or removes a file it did not make
// (GalleryRun.h). It stays in the output folder: publishing sends only the
// subfolders.
//
// Layout, UTF-8 text, each line ended by CR LF (platform/TextLines.h):
//   Quillmarsh gallery
//   <subfolder> TAB <file name>       one line per file, in byte order
// <subfolder> is one of GalleryLayout::kSubfolders. <file name> is a plain
// name (not empty, no "/", not beginning with "."), escaped as the fields of
// the rename journals (photos/WorkJournal.h), so that any name fits on its
// line.
//
// The file is untrusted when read: a line of any other form makes the whole
// record damaged and nothing of it is taken, so no name read from it ever
// reaches outside the gallery's subfolders.
#pragma once

#include <set>
#include <string>

namespace GalleryRecord {

constexpr const char* kRecordName = "quillmarsh.gallery";

// The files of a gallery, each as subfolder + "/" + file name.
using TFiles = std::set<std::string>;

// subfolder + "/" + name.
std::string Key(const std::string& subfolder, const std::string& name);

// The record of the gallery in htmlDir.
std::string RecordPath(const std::string& htmlDir);

enum class TRead { kNone, kRead, kDamaged };
// Reads the record of htmlDir into files; files stays empty unless kRead.
TRead Read(const std::string& htmlDir, TFiles& files);

// Stores files as the record of htmlDir, replacing the old one whole
// (platform::ReplaceFile), unless it holds exactly these files already: an
// unchanged record keeps its file. False when it cannot be written, or a
// file is not one Read would take; the old record is then as it was.
[[nodiscard]] bool Write(const std::string& htmlDir, const TFiles& files);

// Adds files to the record of htmlDir when it has one that reads; a gallery
// without a readable record is left as it is. False only when a record
// that needed the files could not be written.
[[nodiscard]] bool Add(const std::string& htmlDir, const TFiles& files);

}  // namespace GalleryRecord
