#include "texts/texty.h"

#include "texts/CzechTexts.h"

namespace texty {

namespace {

void FillBuiltIn(std::vector<std::string>& texts) {
  texts.assign(kTextCount, std::string());
  // The built-in table numbers its texts from 0 up to below kTextCount.
  for (const resources::NumberedText& t : resources::CzechTexts())
    texts[static_cast<size_t>(t.number)] = t.text;
}

}  // namespace

std::vector<std::string>& Texts() {
  static std::vector<std::string> texts;
  if (texts.empty()) FillBuiltIn(texts);
  return texts;
}

void InitTexts() { FillBuiltIn(Texts()); }

std::string BuiltInText(int number) {
  for (const resources::NumberedText& t : resources::CzechTexts()) {
    if (t.number == number) return t.text;
  }
  return std::string();
}

}  // namespace texty
