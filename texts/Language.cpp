#include "texts/Language.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/config/cfgtools.h"
#include "texts/texty.h"

namespace Language {

namespace {

constexpr uint32_t kCzechId = 1029;
constexpr size_t kMaxFileNameLength = 255;
constexpr size_t kMaxDescriptionLength = 250;

struct TextGroup {
  int first;
  int last;
  const char* section;
};

constexpr TextGroup kGroups[] = {
    {0, 9, "General"}, {10, 249, "Menu"}, {250, 499, "Controls"}, {500, 749, "Misc"}};

// Keys of the general group with a name of their own; the rest are "Field".
constexpr const char* kGeneralKeys[] = {"DateFormat", "TimeFormat"};

std::string& CurrentFile() {
  static std::string file;
  return file;
}

uint32_t& CurrentId() {
  static uint32_t id = kCzechId;
  return id;
}

std::optional<std::vector<LngListRec>>& List() {
  static std::optional<std::vector<LngListRec>> list;
  return list;
}

// "0x0405" or "1029"; anything else is 0.
uint32_t ParseWinID(const std::string& raw) {
  const std::string text = StrFunc::Trim(raw);
  uint32_t value = 0;
  const bool hex = text.size() > 2 && (text.compare(0, 2, "0x") == 0 || text.compare(0, 2, "0X") == 0);
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty()) return 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0 || value > (UINT32_MAX - static_cast<uint32_t>(d)) / (hex ? 16 : 10)) return 0;
    value = value * (hex ? 16 : 10) + static_cast<uint32_t>(d);
  }
  return value;
}

void AddEntry(TConfig& config, const std::string& fileName, TLanguageMenu* menu,
              const TLanguageChanged& onChange) {
  config.SetSection("Language");
  LngListRec entry;
  entry.FileName = Utf8::Left(fileName, kMaxFileNameLength);
  entry.WinID = ParseWinID(config.ReadString("WinID", "0x0000"));
  entry.Description = config.ReadString("Description", "");
  const std::string name = entry.WinID != 0 ? GetLanguageName(entry.WinID) : std::string();
  if (!name.empty()) entry.Description = name;
  entry.Description = Utf8::Left(entry.Description, kMaxDescriptionLength);
  if (entry.Description.empty()) return;
  entry.OnChange = onChange;
  std::vector<LngListRec>& list = *List();
  const size_t index = list.size();
  if (menu != nullptr) {
    entry.Menu = menu;
    entry.MenuItem = menu->AddRadioItem(entry.Description, entry.WinID,
                                        [index] {
                                          if (List() && index < List()->size()) (*List())[index].Select();
                                        });
    menu->SetEnabled(true);
  }
  list.push_back(std::move(entry));
}

}  // namespace

std::string GetText(int n) {
  if (n < 0 || n >= texty::kTextCount) return "Resource error";
  return texty::Texts()[static_cast<size_t>(n)];
}

const std::string& CurrentLanguageFile() { return CurrentFile(); }

uint32_t CurrentLanguageId() { return CurrentId(); }

void LoadLanguage(const std::string& fileName) {
  CurrentFile().clear();
  if (fileName == "DEFAULT") {
    texty::InitTexts();
    CurrentId() = kCzechId;
    return;
  }
  if (!DosFunc::FileExistsLong(fileName) || DosFunc::DirectoryExistsLong(fileName)) {
    throw ELanguageError("Language file not found: " + fileName);
  }
  texty::InitTexts();
  TConfig config;
  config.OpenFile(fileName);
  config.SetReadOnly(true);
  config.SetSection("Language");
  CurrentId() = ParseWinID(config.ReadString("WinID", "0x0000"));
  std::vector<std::string>& texts = texty::Texts();
  for (const TextGroup& group : kGroups) {
    config.SetSection(group.section);
    for (int n = group.first; n <= group.last; ++n) {
      std::string& text = texts[static_cast<size_t>(n)];
      if (text.empty()) continue;
      const int position = n - group.first + 1;
      const bool named = group.first == 0 && n < static_cast<int>(std::size(kGeneralKeys));
      const std::string key = named ? kGeneralKeys[n] : "Field" + std::to_string(position);
      text = config.ReadString(key, text);
    }
  }
  CurrentFile() = Utf8::Left(fileName, kMaxFileNameLength);
}

void InitLanguages(const std::string& folder, TLanguageMenu* menu, TLanguageChanged onChange,
                   uint32_t winID) {
  InitLanguages(std::vector<std::string>{folder}, menu, std::move(onChange), winID);
}

void InitLanguages(const std::vector<std::string>& folders, TLanguageMenu* menu,
                   TLanguageChanged onChange, uint32_t winID) {
  if (List()) throw ELanguageError("Language support already initialized");
  if (menu != nullptr) menu->SetEnabled(false);
  List().emplace();
  std::vector<std::string> taken;
  for (const std::string& folder : folders) {
    for (const std::string& name : DosFunc::FindFilesEx(folder, "*.lng", false, false, false, "")) {
      const std::string key = StrFunc::UpperCaseCz(name);
      if (std::find(taken.begin(), taken.end(), key) != taken.end()) continue;
      taken.push_back(key);
      const std::string path = StrFunc::IncludeBackslash(folder) + name;
      TConfig config;
      config.OpenFile(path);
      config.SetReadOnly(true);
      AddEntry(config, path, menu, onChange);
    }
  }
  const auto& list = *List();
  if (std::none_of(list.begin(), list.end(), [](const LngListRec& e) { return e.WinID == kCzechId; })) {
    std::string stream;
    TConfig config;
    config.OpenStream(stream);
    config.SetSection("Language");
    config.WriteString("Description", "Čeština");
    config.WriteString("WinID", "0x0405");
    config.WriteInteger("LinuxID", 0);
    AddEntry(config, "DEFAULT", menu, onChange);
  }
  SelectLanguage(winID);
}

void SelectLanguage(uint32_t winID) {
  const uint32_t id = winID == 0 ? GetDefaultLangID() : winID;
  for (const LngListRec& entry : GetLanguageList()) {
    if (entry.WinID == id) entry.Select();
  }
}

const std::vector<LngListRec>& GetLanguageList() {
  if (!List()) throw ELanguageError("Language support not initialized");
  return *List();
}

void DoneLanguages() { List().reset(); }

}  // namespace Language

void LngListRec::Select() const {
  Language::LoadLanguage(FileName);
  if (!OnChange) return;
  if (Menu != nullptr && MenuItem >= 0) Menu->SetChecked(MenuItem);
  OnChange(WinID);
}
