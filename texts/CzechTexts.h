// The program's built-in Czech user-interface texts, by number. Numbers not
// listed have no built-in text.
#pragma once

#include <span>

namespace resources {

struct NumberedText {
  int number;
  const char* text;
};

// In rising order of number.
std::span<const NumberedText> CzechTexts();

}  // namespace resources
