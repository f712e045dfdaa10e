// What the batch actions window hands its actions: the action codes, the
// options gathered from its controls and the folders or files to work on.
// The member defaults are the window's defaults.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace HromadneAkce {

// The actions RunAction runs; the numbers are the window's action codes.
enum TActionCode : uint8_t {
  kStatistics = 0,
  kFileDateFromPhoto = 1,
  kRenameByPhotoDate = 2,
  kExifDatesFromFile = 3,
  kDirectDate = 4,
  kWriteGps = 5,
  kSplitByMonth = 6,
  kShiftDates = 7,
  kFileDateFromName = 8,
  kRenameByFileDate = 9,
  kSplitByYear = 10,
  kSplitByExif = 11,
};

// Formats of new names, numbered as the setting "OpenHARenameFormat" stores
// them: rb_index "img_0001", rb_date "yyyymmdd_hhmmss", rb_date2
// "yyyymmdd_img0001".
enum class TRenameFormat : int32_t { Index = 0, Date = 1, DatePerDay = 2 };

// Which photos a GPS position goes into, numbered as "OpenHAUpdGPS" stores
// them: rbJustUnsetGPS, rbUpdateAllGPS.
enum class TGpsMode : int32_t { JustUnset = 0, UpdateAll = 1 };

// The GPS group's fields as typed: degrees, minutes and seconds with the
// hemisphere boxes (SirkaRef, DelkaRef), and the altitude with its sign.
struct TGpsFields {
  std::string latDegrees, latMinutes, latSeconds;
  bool south = false;
  std::string lonDegrees, lonMinutes, lonSeconds;
  bool west = false;
  std::string altitude;  // metres, negative below sea level; blank for none
};

struct TOptions {
  bool subdirs = false;           // Subdirs: the whole subfolder tree
  bool sortByExif = true;         // sortbyexif: rename in date order, else in name order
  // Direct date (code 4): the calendar day as a DateFunc day number, what to
  // set, and whether only photos with an invalid EXIF date are handled (the
  // window sets it when cbInvalid is shown and checked).
  int32_t directDay = -1;
  bool setExifDate = true;        // cbSetExifDate
  bool setFileDate = true;        // cbSetFileDate
  bool onlyInvalidDates = false;
  // Shift (code 7): days and minutes, 0 unless movedate / movetime is checked
  // and its text is a whole number (ReadShiftField).
  int32_t shiftDays = 0;
  int32_t shiftMinutes = 0;
  // Renaming.
  TRenameFormat renameFormat = TRenameFormat::Date;
  std::string prefix = "img";     // imgprefix (name order, rb_index)
  int32_t startNumber = 1;        // cislovatod (GetStartNumber)
  int32_t step = 1;               // lbstep
  // GPS (code 5).
  TGpsMode gpsMode = TGpsMode::JustUnset;
  TGpsFields gps;
};

// Where an action runs: the root folder (folder mode), or the files and
// folders handed over on the command line (files mode).
struct TTarget {
  bool filesMode = false;
  std::string rootDir;
  std::vector<std::string> files;
  std::vector<std::string> folders;
};

TTarget FolderTarget(const std::string& rootDir);
// Files mode from one path a line: each existing folder goes to the folders,
// every other line to the files. Blank lines are dropped.
TTarget FilesTarget(const std::vector<std::string>& lines);

}  // namespace HromadneAkce
