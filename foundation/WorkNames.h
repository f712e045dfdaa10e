// The names the program gives files for a moment: a photo renamed in two
// passes, the new photo a rewrite writes beside the old one, the work files
// of a replacement. Each name carries kMark, a part no camera or user gives
// a name, so that the program takes for its own leftovers only names it
// made: a user's "x.jpg.tmp" or "photo.jpg-tmp" is never renamed or removed.
// (The platform's work files, platform/WorkFile.h, begin with it too.)
#pragma once

namespace WorkNames {

inline constexpr char kMark[] = ".~qm";

}  // namespace WorkNames
