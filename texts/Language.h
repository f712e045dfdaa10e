// Language files and the choice of language. A language file is INI text
// (extension "LNG", in any letter case) with the section "Language"
// ("Description", "WinID" as "0x0405" or decimal) and the text groups
// "General" (numbers 0-9; 0 "DateFormat", 1 "TimeFormat", then "Field" + n+1),
// "Menu" (10-249, "Field" + n-9), "Controls" (250-499, "Field" + n-249) and
// "Misc" (500-749, "Field" + n-499). A file can replace only the numbers that
// have a built-in text; it is read as UTF-8, or as windows-1250 when not
// valid UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// "Language file not found: ...", "Language support not initialized",
// "Language support already initialized".
class ELanguageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The language menu of the main window: one radio item per language.
class TLanguageMenu {
 public:
  virtual ~TLanguageMenu() = default;
  // Adds an unchecked radio item; returns its handle.
  virtual int AddRadioItem(const std::string& caption, uint32_t tag,
                           std::function<void()> onClick) = 0;
  virtual void SetChecked(int item) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// Called after the user picked a language, with its locale id.
using TLanguageChanged = std::function<void(uint32_t winID)>;

// One available language.
struct LngListRec {
  uint32_t WinID = 0;
  std::string Description;
  std::string FileName;  // full path, or "DEFAULT" for the built-in texts
  int MenuItem = -1;     // -1: no menu item
  TLanguageChanged OnChange;
  TLanguageMenu* Menu = nullptr;

  // Loads this language, checks its menu item and calls OnChange.
  void Select() const;
};

namespace Language {

// Text n of the table; "Resource error" for a number outside 0-749.
std::string GetText(int n);

// Makes a language current: "DEFAULT" restores the built-in texts; a file
// overlays them. Throws ELanguageError for a file that does not exist.
void LoadLanguage(const std::string& fileName);
// The language file loaded, "" for the built-in texts.
const std::string& CurrentLanguageFile();
// The locale id of the texts in force: the "WinID" of the language file
// loaded (0 when it has none), 1029 for the built-in Czech texts.
uint32_t CurrentLanguageId();

// Lists the language files of folder (the built-in Czech set last, unless a
// file has the Czech id 1029), adds their menu items, then selects winID.
// Throws ELanguageError when already initialised.
void InitLanguages(const std::string& folder, TLanguageMenu* menu, TLanguageChanged onChange,
                   uint32_t winID);
// The same over several folders, in their order: a file whose name (in any
// letter case) an earlier folder holds is left out, so a user's own copy
// in the first folder stands in for the one in a later folder.
void InitLanguages(const std::vector<std::string>& folders, TLanguageMenu* menu,
                   TLanguageChanged onChange, uint32_t winID);
// Selects every entry with that id in list order (0: the user's default
// locale); none matching leaves the texts as they are.
void SelectLanguage(uint32_t winID);
// Throws ELanguageError when not initialised.
const std::vector<LngListRec>& GetLanguageList();
// Drops the language list (program end).
void DoneLanguages();

// The locale id of the user's locale (0x0409 for the C locale, 0 unknown).
uint32_t GetDefaultLangID();
// The name of a locale id in its own language; "" when unknown.
std::string GetLanguageName(uint32_t id);
// The locale of an id as language or language_REGION ("cs", "pt_BR"); ""
// when unknown.
std::string GetLanguageTag(uint32_t id);

}  // namespace Language
