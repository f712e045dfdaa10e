// The process-wide table of user-interface texts: 750 numbered texts, 0 to
// 749, filled with the built-in Czech texts and then overlaid by the chosen
// language file (see Language). A number without a text holds "".
#pragma once

#include <string>
#include <vector>

namespace texty {

constexpr int kTextCount = 750;

// The table; made with the built-in texts on first use.
std::vector<std::string>& Texts();
// (Re)creates the table with 750 empty texts and puts the built-in texts.
void InitTexts();
// The built-in text of a number; "" for none or a number outside the table.
std::string BuiltInText(int number);

}  // namespace texty
