// Fields of the journals the renaming tools keep beside the files they
// rename: one rename a line, its fields separated by TAB. "%", TAB, CR, LF
// and the other control bytes of a name are written as "%" and two
// upper-case hexadecimal digits, so any file name fits on its line.
#pragma once

#include <string>
#include <string_view>

namespace WorkJournal {

std::string EscapeField(std::string_view text);
// False for a "%" that is not followed by two hexadecimal digits.
bool UnescapeField(std::string_view text, std::string& out);

}  // namespace WorkJournal
