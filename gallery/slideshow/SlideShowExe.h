// Self-running slide shows: the player program followed by a package. The
// program carries the player as entry 0 of a container appended to its own
// file; failing that, the player "reelwright" beside the program is used.
//
// A show takes the extension ".run" and the player's execute bits; it runs
// where the player runs, that is where Qt and libjpeg are installed.
#pragma once

#include <string>

class TSlideShowWorkDir;

namespace SlideShowExe {

inline constexpr char kShowExt[] = "run";
inline constexpr char kPlayerName[] = "reelwright";

// In every call, program names the program whose container and folder are
// looked at; empty means the running program.

// True when program's own file carries a container: it holds the player.
bool CarriesPlayer(const std::string& program = "");
// "reelwright" in program's folder when it exists as a file; else empty.
std::string PlayerBeside(const std::string& program = "");

// The player for a new show: taken out of program's container into work
// (and removed with it), else the one beside program. Empty when there is
// none.
std::string FindPlayer(const TSlideShowWorkDir& work, const std::string& program = "");

// The show of a package: the same name with the extension "run".
std::string ShowNameOf(const std::string& ssp);

// Builds the show of the package ssp beside it (ShowNameOf), fresh: an old
// show of that name is replaced whole once the new one is complete, never
// added to. With deleteSsp the package is deleted once the show is built.
// False, the package kept, when no player is found or joining fails.
[[nodiscard]] bool BuildSlideShowExe(const std::string& ssp, bool deleteSsp,
                                     const std::string& program = "");

enum class TSavePlayerResult { Saved, Present, NoPlayer, NotWritable, Failed };

// Writes the player carried by program into program's folder under its
// entry name, runnable: Present when "reelwright" is there already,
// NoPlayer when program carries none, NotWritable when the folder takes no
// new files, Failed when the extraction fails.
TSavePlayerResult SavePlayer(const std::string& program = "");

}  // namespace SlideShowExe
