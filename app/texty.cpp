#include "app/texty.h"

#include "resources/CzechTexts.h"

namespace texty {

std::vector<std::string>& Texts() {
  static std::vector<std::string> texts;
  if (texts.empty()) {
    texts.resize(kTextCount);
    for (const resources::NumberedText& t : resources::CzechTexts()) texts[t.number] = t.text;
  }
  return texts;
}

void InitTexts() {
  std::vector<std::string>& texts = Texts();
  texts.assign(kTextCount, std::string());
  for (const resources::NumberedText& t : resources::CzechTexts()) texts[t.number] = t.text;
}

std::string BuiltInText(int number) {
  for (const resources::NumberedText& t : resources::CzechTexts()) {
    if (t.number == number) return t.text;
  }
  return std::string();
}

}  // namespace texty
