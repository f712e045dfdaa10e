// Legacy 8-bit text: decoding into the program's UTF-8, and encoding UTF-8
// into the character set a written page declares.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The windows-1250 bytes as UTF-8. The five bytes that code page leaves
// undefined become U+FFFD.
std::string Windows1250ToUtf8(std::string_view bytes);

// utf8 encoded in charset, an iconv name ("ISO-8859-1", "ISO-8859-2",
// "windows-1250", "UTF-8"). A character the set lacks becomes the HTML
// numeric character reference "&#N;" (N its code point in decimal), so no
// letter is lost or written as a wrong byte; a byte that is no part of a
// UTF-8 character becomes "&#65533;". False, with out empty, when the
// character set is unknown.
bool EncodeWithReferences(std::string_view utf8, const std::string& charset, std::string& out);

}  // namespace platform
