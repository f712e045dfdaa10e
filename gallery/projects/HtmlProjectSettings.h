// The projects file: every stored web-gallery project, one THtmlProjectRec
// after another (HtmlProjectRec.h), a project identified by its record
// number from 0; trailing bytes short of a record are ignored. It lies in
// the user's data folder as "quillmarsh.dat"; a file of an older run beside
// the program is copied there once.
//
// Between writes the file is read-only. A write builds the whole new file
// beside it and renames it over the old one, so a killed or failed write
// leaves the old file or the new one, never a torn record. Readers never
// create, change or truncate the file. A missing or unreadable file holds
// no projects. Nothing here throws.
//
// The project settings window (app/projects) edits the current project and
// calls these.
#pragma once

#include <string>
#include <vector>

#include "gallery/projects/HtmlProject.h"

namespace HtmlProjectSettings {

constexpr const char* kProjectsFileName = "quillmarsh.dat";
// More projects than anyone keeps: no write goes beyond it, and a file of
// more records is not read.
constexpr size_t kMaxProjects = 20000;

// The projects file's path; empty when the data folder cannot be had.
std::string GetProjectsFileName();
// Clears, or sets, the file's read-only attribute when it exists.
void UnprotectProjectsFile();
void ProtectProjectsFile();

// The file's size divided by the record size, without opening it; 0 when it
// does not exist.
int GetProjectCount();
// Every stored project in record order; false (and none) when the file
// exists but cannot be read or holds more than kMaxProjects records.
bool ReadProjects(std::vector<THtmlProject>& projects);
// Record number index; false when there is no such record.
bool ReadProject(int index, THtmlProject& project);

// Stores project as record number index, or as a new last record when index
// is -1 or beyond the last record; index is then the record's number. A
// record whose bytes are those stored already is not written again (the
// file keeps its date). False when the file cannot be read or written, or
// a new record would be record kMaxProjects + 1 (then *full is set when
// given); the old file and index are then unchanged.
[[nodiscard]] bool WriteProject(const THtmlProject& project, int& index, bool* full = nullptr);
// Removes record number index; the later records move up by one. False,
// with the file unchanged, for a number that is no record or when the file
// cannot be read or written.
[[nodiscard]] bool DeleteProject(int index);

// A folder as projects compare it: trimmed, without a trailing "/" (the root
// stays "/"). Folders compare exactly: on Linux "/x/Trip" and "/x/trip" are
// two folders.
std::string FolderKey(const std::string& folder);
bool SameFolder(const std::string& a, const std::string& b);

// The number of the first project whose photo folder is folder (FolderKey),
// with the project; -1 when none is.
int FindProjectByDir(const std::string& folder, THtmlProject& project);

// The output folders of the stored projects (photos/OwnFiles.h).
std::vector<std::string> OutputFolders();

}  // namespace HtmlProjectSettings
