#include "photos/LastWord.h"

#include "texts/Language.h"

namespace LastWord {

std::string Counts(const std::vector<TCount>& counts) {
  std::string parts;
  for (const TCount& c : counts) {
    if (c.count == 0 && !c.evenNone) continue;
    if (!parts.empty()) parts += ", ";
    parts += Language::GetText(c.label) + ": " + std::to_string(c.count);
  }
  return parts;
}

std::string Of(int title, const std::vector<TCount>& counts) {
  const std::string parts = Counts(counts);
  const std::string what = Language::GetText(title);
  return parts.empty() ? what : what + " – " + parts;
}

}  // namespace LastWord
