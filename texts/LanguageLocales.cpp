// Locale ids of the language files and the names shown for them.
#include <string_view>

#include "foundation/StrFunc.h"
#include "platform/Environment.h"
#include "texts/Language.h"

namespace Language {

namespace {

struct LocaleName {
  uint32_t id;
  std::string_view tag;  // language, or language_REGION for a regional id
  std::string_view name;
};

// Regional entries come before the language's own, so "en_GB" finds 0x0809
// and "en_AU" falls back to "en".
constexpr LocaleName kLocales[] = {
    {0x0405, "cs", "Čeština"},        {0x041B, "sk", "Slovenčina"},
    {0x0809, "en_GB", "English (United Kingdom)"},
    {0x0409, "en", "English"},        {0x0407, "de", "Deutsch"},
    {0x0C07, "de_AT", "Deutsch (Österreich)"},
    {0x0415, "pl", "Polski"},         {0x040E, "hu", "Magyar"},
    {0x040C, "fr", "Français"},       {0x0410, "it", "Italiano"},
    {0x0C0A, "es", "Español"},        {0x0816, "pt", "Português"},
    {0x0416, "pt_BR", "Português (Brasil)"},
    {0x0413, "nl", "Nederlands"},     {0x0419, "ru", "Русский"},
    {0x0422, "uk", "Українська"},     {0x0424, "sl", "Slovenščina"},
    {0x041A, "hr", "Hrvatski"},       {0x041D, "sv", "Svenska"},
    {0x0406, "da", "Dansk"},          {0x0414, "nb", "Norsk (bokmål)"},
    {0x040B, "fi", "Suomi"},          {0x0408, "el", "Ελληνικά"},
    {0x041F, "tr", "Türkçe"},         {0x0411, "ja", "日本語"},
    {0x0804, "zh", "中文"},
};

uint32_t FindTag(std::string_view tag) {
  for (const LocaleName& l : kLocales) {
    if (l.tag == tag) return l.id;
  }
  return 0;
}

}  // namespace

uint32_t GetDefaultLangID() {
  std::string locale = platform::UserLocaleName();
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX") return 0x0409;
  if (const uint32_t id = FindTag(locale)) return id;
  return FindTag(StrFunc::LowerCaseCz(locale.substr(0, locale.find('_'))));
}

std::string GetLanguageName(uint32_t id) {
  for (const LocaleName& l : kLocales) {
    if (l.id == id) return std::string(l.name);
  }
  return std::string();
}

std::string GetLanguageTag(uint32_t id) {
  for (const LocaleName& l : kLocales) {
    if (l.id == id) return std::string(l.tag);
  }
  return std::string();
}

}  // namespace Language
