// The system's true version numbers. On Linux they are the running kernel's
// (uname), read on first use and kept for the run.
#pragma once

namespace GetWinVersionInfo {

// -1 when the system cannot tell.
int GetMajorVersion();
int GetMinorVersion();
int GetBuildNumber();

}  // namespace GetWinVersionInfo
