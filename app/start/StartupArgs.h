// The program's command line: the switches "GPSVIEW" and "GPSSET" (given as
// "/x", "-x" or "--x" in any case, at any position) and the photo and folder
// arguments.
#pragma once

#include <string>
#include <vector>

struct TStartupArgs {
  bool GpsView = false;
  // Cleared again when no path argument is left, so that "/gpsset" alone
  // starts the ordinary main window.
  bool GpsSet = false;
  // The absolute paths collected, in argument order (duplicates kept); in
  // GPS-view mode the positions already shown ("lat&lon").
  std::vector<std::string> Paths;
  // Paths one per line (CR LF), for the window that shows them; empty when
  // there were no parameters.
  std::string Text;
  // GPS-view mode: positions whose map could not be opened (each told on
  // standard error).
  int MapsNotOpened = 0;
};

namespace StartupArgs {

// Collects the arguments. A parameter that is an existing folder adds its
// JPEG files (".jpg", ".jpeg" in any case; subfolders are not entered), or
// in GPS-set mode the folder itself; any other parameter with a JPEG
// extension is taken as a photo whether it exists or not; everything else,
// the switches included, is passed over. Relative paths are made absolute
// against the current folder.
//
// In GPS-view mode no path is collected: each photo's GPS position opens the
// web map once per distinct position, in argument order, and photos without
// a position are passed over. A map that cannot be opened is told and
// counted in MapsNotOpened.
TStartupArgs Collect(const std::vector<std::string>& args);

}  // namespace StartupArgs
