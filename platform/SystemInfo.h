// Facts about the operating system: the kernel's version from uname(2) and
// the distribution's name from os-release.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A kernel version; a part that cannot be read is -1.
struct KernelVersion {
  int major = -1;
  int minor = -1;
  int build = -1;       // the third number of the release ("6.1.76" gives 76)
  std::string release;  // uname's release text as it stands
};

// The running kernel's version.
KernelVersion GetKernelVersion();
// Reads the leading "major.minor.build" numbers of a release text.
KernelVersion ParseKernelRelease(std::string_view release);

// The fields of os-release that name the system; empty when missing.
struct OsRelease {
  std::string id;          // "debian"
  std::string name;        // "Debian GNU/Linux"
  std::string versionId;   // "12"
  std::string prettyName;  // "Debian GNU/Linux 12 (bookworm)"
};

// Reads /etc/os-release, else /usr/lib/os-release; empty fields when neither
// can be read.
OsRelease ReadOsRelease();
// Parses os-release text: KEY=value lines, values optionally in single or
// double quotes, "\" escaping the next character inside double quotes.
OsRelease ParseOsRelease(std::string_view text);

}  // namespace platform
