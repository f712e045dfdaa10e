// Decoding of legacy 8-bit text into the program's UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The windows-1250 bytes as UTF-8. The five bytes that code page leaves
// undefined become U+FFFD.
std::string Windows1250ToUtf8(std::string_view bytes);

}  // namespace platform
