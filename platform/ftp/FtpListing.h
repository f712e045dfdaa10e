// The detailed directory listing (LIST) of an FTP server, in the Unix
// ("-rw-r--r-- 1 owner group 1234 Jan 02 10:30 name") and the MS-DOS
// ("01-02-24  10:30AM  <DIR>  name") formats.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class FtpEntryKind { File, Folder, Link };

struct FtpListEntry {
  std::string name;  // a link's name without its " -> target"
  FtpEntryKind kind = FtpEntryKind::File;
  int64_t size = -1;  // -1 when the line gives none
};

// One line of a listing, without its line end. False for lines that are no
// entry ("total 12", blank, unknown formats) and for "." and "..".
bool ParseFtpListLine(std::string_view line, FtpListEntry& entry);

// Every entry of a listing in the server's order. A line ends at any run of
// CR and LF bytes (LF, CR LF, a bare CR, CR CR LF, LF CR).
std::vector<FtpListEntry> ParseFtpListing(std::string_view text);

}  // namespace platform
