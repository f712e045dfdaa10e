// Which names from an FTP server may be deleted. A listing and the checksum
// cache both come from the server, and servers read a DELE argument in their
// own ways: some trim it, drop invisible characters or fold look-alike dots
// and slashes. A name is sent only when no such reading can make it another
// file than the one listed: this folder, its parent, a file elsewhere, or a
// file that is kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace FtpRemoteName {

// The longest name a file system holds, in bytes.
inline constexpr size_t kMaxNameBytes = 255;

// False for a name that is empty or longer than kMaxNameBytes; is not valid
// UTF-8 (overlong forms, surrogates, stray bytes 0x80-0x9F included); holds
// a control character (C0, DEL, C1), a line or paragraph separator (U+2028,
// U+2029), "/", "\" or a look-alike of either; begins or ends with a space
// or format character other than the ASCII blank (U+00A0, U+2000-U+200F,
// U+3000, U+FEFF...); or reads as nothing but dots and blanks once
// look-alike dots are read as "." (U+2024 U+2024, U+FF0E U+FF0E).
bool IsDeletable(std::string_view name);

// The name as the most lenient server reads it: spaces of every kind read
// as blanks, format characters dropped, look-alike dots and slashes folded
// to ASCII, then trimmed and upper-cased as names are compared. A listed
// name with the key of a kept file is a look-alike of it, never deleted.
std::string LookalikeKey(std::string_view name);

}  // namespace FtpRemoteName
