#include "texts/Language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"
#include "texts/CzechTexts.h"
#include "texts/texty.h"

namespace {

// Records what the language list does to the menu.
class FakeMenu : public TLanguageMenu {
 public:
  int AddRadioItem(const std::string& caption, uint32_t tag, std::function<void()> onClick) override {
    captions.push_back(caption);
    tags.push_back(tag);
    clicks.push_back(std::move(onClick));
    return static_cast<int>(captions.size()) - 1;
  }
  void SetChecked(int item) override { checked = item; }
  void SetEnabled(bool on) override { enabled = on; }

  std::vector<std::string> captions;
  std::vector<uint32_t> tags;
  std::vector<std::function<void()>> clicks;
  int checked = -1;
  bool enabled = false;
};

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { Language::LoadLanguage("DEFAULT"); }
  void TearDown() override {
    Language::DoneLanguages();
    Language::LoadLanguage("DEFAULT");
  }
  std::string Write(const std::string& name, const std::string& text) {
    testsupport::WriteFileBytes(dir.File(name), text);
    return dir.File(name);
  }
  testsupport::TempDir dir;
  testsupport::ScopedEnv lcAll{"LC_ALL", ""};
  testsupport::ScopedEnv lcMessages{"LC_MESSAGES", ""};
};

TEST_F(LanguageTest, BuiltInTable) {
  std::map<std::string, int> perGroup;
  int filled = 0;
  for (int n = 0; n < 750; ++n) {
    if (Language::GetText(n).empty()) continue;
    ++filled;
    ++perGroup[n < 10 ? "general" : n < 250 ? "menu" : n < 500 ? "controls" : "messages"];
  }
  EXPECT_EQ(filled, 447);
  EXPECT_EQ(perGroup, (std::map<std::string, int>{
                          {"general", 2}, {"menu", 134}, {"controls", 147}, {"messages", 164}}));
  const struct {
    int n;
    const char* text;
  } cases[] = {
      {0, "dd.mm.yyyy"},
      {1, "hh:mm:ss"},
      {10, "&Soubor"},
      {35, "O aplikaci"},
      {38, "Rozdělení fotek na \"s bleskem\" / \"bez blesku\""},
      {53, "Rozdělení fotek na \"s GPS\" / \"bez GPS\""},
      {54, "Nastav datum/čas podle jména souboru"},
      {250, "Zobrazit neznámé tagy"},
      {271, "Je-li zaškrtnuto, umožní vložit poznámku do formátů, které ji nemají, popř. "
            "zvětšit délku již existující poznámky"},
      {294, "Kopie souborů"},
      {302, "Myš"},
      {313, "Testovací řádek"},
      {500, "Příznak"},
      {546, "Načítám EXIF-záznamy"},
      {548, "více na internetu"},
      {559, "Sestavuji index..."},
      {561, "Spustitelná prezentace"},
      {562, "Prezentace"},
      {604, "Rozdělit do podsložek"},
      {314, "Celý snímek"},
      {605, "Chcete opravdu smazat aktuální fotku?"},
      {622, "GPS místa nelze importovat."},
  };
  for (const auto& c : cases) EXPECT_EQ(Language::GetText(c.n), c.text) << c.n;
  for (int n : {2, 9, 36, 39, 40, 199, 249, 295, 301, 464, 547, 550, 558, 639, 749}) {
    EXPECT_EQ(Language::GetText(n), "") << n;
  }
  for (auto [a, b] : {std::pair{29, 32}, {263, 15}, {284, 23}, {275, 289}, {511, 515}, {521, 522}}) {
    EXPECT_EQ(Language::GetText(a), Language::GetText(b));
  }
  EXPECT_EQ(Language::GetText(750), "Resource error");
  EXPECT_EQ(Language::GetText(-1), "Resource error");
}

TEST_F(LanguageTest, FileOverridesOnlyBuiltInNumbers) {
  const std::string file = Write("english.lng",
                                 "[Language]\r\nDescription=English\r\nWinID=0x0409\r\n"
                                 "[General]\r\nDateFormat=mm/dd/yyyy\r\nField3=not built in\r\n"
                                 "[Menu]\r\nField1=&File\r\nField45=Set date from name\r\n"
                                 "[Controls]\r\nField1=Show unknown tags\r\nField64=Test line\r\n"
                                 "[Misc]\r\nField3=Maker tags\r\nField200=ignored\r\n"
                                 "Field999=ignored\r\nFieldX=ignored\r\n");
  EXPECT_EQ(Language::CurrentLanguageId(), 1029u);
  Language::LoadLanguage(file);
  EXPECT_EQ(Language::CurrentLanguageFile(), file);
  EXPECT_EQ(Language::CurrentLanguageId(), 0x0409u);
  EXPECT_EQ(Language::GetText(0), "mm/dd/yyyy");
  EXPECT_EQ(Language::GetText(1), "hh:mm:ss");
  EXPECT_EQ(Language::GetText(2), "");
  EXPECT_EQ(Language::GetText(10), "&File");
  EXPECT_EQ(Language::GetText(54), "Set date from name");
  EXPECT_EQ(Language::GetText(250), "Show unknown tags");
  EXPECT_EQ(Language::GetText(313), "Test line");
  EXPECT_EQ(Language::GetText(502), "Maker tags");
  EXPECT_EQ(Language::GetText(699), "");
  EXPECT_EQ(Language::GetText(501), "Hodnota");  // missing key keeps the built-in text

  Language::LoadLanguage("DEFAULT");
  EXPECT_EQ(Language::CurrentLanguageFile(), "");
  EXPECT_EQ(Language::CurrentLanguageId(), 1029u);
  EXPECT_EQ(Language::GetText(10), "&Soubor");
  EXPECT_THROW(Language::LoadLanguage(dir.File("missing.lng")), ELanguageError);
}

TEST_F(LanguageTest, Windows1250FileIsRead) {
  Language::LoadLanguage(Write("slovak.lng", "[Language]\r\nWinID=1051\r\n"
                                             "[Menu]\r\nField1=\x8Elt\xFD s\xFA" "bor\r\n"));
  EXPECT_EQ(Language::GetText(10), "Žltý súbor");
}

TEST_F(LanguageTest, ListWithCzechFileHasNoBuiltInEntry) {
  Write("cesky.LNG", "[Language]\r\nDescription=Cesky\r\nWinID=0x0405\r\n");
  Write("bad.lng", "[Language]\r\nDescription=Vlastní\r\nWinID=0xZZ\r\n");
  Write("nameless.lng", "[Language]\r\nWinID=12345\r\n");
  Write("notes.txt", "[Language]\r\nDescription=x\r\n");
  FakeMenu menu;
  std::vector<uint32_t> changes;
  Language::InitLanguages(dir.Path(), &menu, [&](uint32_t id) { changes.push_back(id); }, 1029);
  const auto& list = Language::GetLanguageList();
  ASSERT_EQ(list.size(), 2u);
  std::map<uint32_t, std::string> byId;
  for (const LngListRec& e : list) byId[e.WinID] = e.Description;
  EXPECT_EQ(byId, (std::map<uint32_t, std::string>{{0, "Vlastní"}, {1029, "Čeština"}}));
  EXPECT_TRUE(menu.enabled);
  EXPECT_EQ(menu.captions.size(), 2u);
  EXPECT_EQ(changes, (std::vector<uint32_t>{1029}));
  EXPECT_EQ(menu.tags[static_cast<size_t>(menu.checked)], 1029u);
  EXPECT_THROW(Language::InitLanguages(dir.Path(), nullptr, nullptr, 0), ELanguageError);
}

TEST_F(LanguageTest, EmptyFolderAndDefaultLocale) {
  testsupport::ScopedEnv lang("LANG", "cs_CZ.UTF-8");
  FakeMenu menu;
  int calls = 0;
  Language::InitLanguages(dir.Path(), &menu, [&](uint32_t) { ++calls; }, 0);
  const auto& list = Language::GetLanguageList();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].FileName, "DEFAULT");
  EXPECT_EQ(list[0].Description, "Čeština");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(menu.checked, 0);
}

TEST_F(LanguageTest, SameIdTwiceLoadsTheLaterAndClicksSwitch) {
  testsupport::ScopedEnv lang("LANG", "de_DE.UTF-8");
  Write("a.lng", "[Language]\r\nWinID=0x0407\r\n[Menu]\r\nField1=A\r\n");
  Write("b.lng", "[Language]\r\nWinID=1031\r\n[Menu]\r\nField1=B\r\n");
  FakeMenu menu;
  Language::InitLanguages(dir.Path(), &menu, [](uint32_t) {}, 0);
  const auto& list = Language::GetLanguageList();
  ASSERT_EQ(list.size(), 3u);  // two files and the built-in set
  EXPECT_EQ(Language::CurrentLanguageFile(), list[1].FileName);
  EXPECT_EQ(Language::GetText(10), list[1].FileName == dir.File("a.lng") ? "A" : "B");
  menu.clicks[2]();
  EXPECT_EQ(Language::CurrentLanguageFile(), "");
  EXPECT_EQ(Language::GetText(10), "&Soubor");
  EXPECT_EQ(menu.checked, 2);
}

// The user's own files (the data folder) come first; a file of the same name
// in a later folder (beside the program) is left out.
TEST_F(LanguageTest, EarlierFoldersComeFirstAndHideFilesOfTheSameName) {
  testsupport::TempDir program;
  Write("english.lng", "[Language]\r\nWinID=0x0409\r\n[Menu]\r\nField1=Mine\r\n");
  testsupport::WriteFileBytes(program.File("ENGLISH.LNG"),
                              "[Language]\r\nWinID=0x0409\r\n[Menu]\r\nField1=Shipped\r\n");
  testsupport::WriteFileBytes(program.File("deutsch.lng"),
                              "[Language]\r\nWinID=0x0407\r\n[Menu]\r\nField1=Datei\r\n");
  FakeMenu menu;
  Language::InitLanguages({dir.Path(), program.Path() + "/missing", program.Path()}, &menu,
                          [](uint32_t) {}, 0x0409);
  const auto& list = Language::GetLanguageList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].FileName, dir.File("english.lng"));
  EXPECT_EQ(list[1].FileName, program.File("deutsch.lng"));
  EXPECT_EQ(list[2].FileName, "DEFAULT");
  EXPECT_EQ(menu.captions, (std::vector<std::string>{"English", "Deutsch", "Čeština"}));
  EXPECT_EQ(Language::GetText(10), "Mine");
  EXPECT_EQ(Language::GetLanguageTag(Language::CurrentLanguageId()), "en");
  menu.clicks[1]();
  EXPECT_EQ(Language::GetText(10), "Datei");
  EXPECT_EQ(Language::GetLanguageTag(0x0416), "pt_BR");
  EXPECT_EQ(Language::GetLanguageTag(0x9999), "");
}

TEST_F(LanguageTest, NoMatchKeepsTheBuiltInTexts) {
  testsupport::ScopedEnv lang("LANG", "fr_FR.UTF-8");
  Write("en.lng", "[Language]\r\nWinID=0x0409\r\n[Menu]\r\nField1=&File\r\n");
  int calls = 0;
  Language::InitLanguages(dir.Path(), nullptr, [&](uint32_t) { ++calls; }, 0);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(Language::GetText(10), "&Soubor");
  EXPECT_EQ(Language::GetDefaultLangID(), 0x040Cu);
}

// The English file as shipped in lng/ and as the build puts it beside the
// program, where the Language menu finds it.
const std::string kEnglishSource = QUILLMARSH_SOURCE_LNG "/English.lng";
const std::string kProgramLngFolder = QUILLMARSH_PROGRAM_LNG;

struct TTextKey {
  std::string section;
  std::string key;
  bool operator<(const TTextKey& o) const { return std::tie(section, key) < std::tie(o.section, o.key); }
};

// Where a language file keeps text n, worked out here on its own so that a
// fault of the loader's numbering shows too.
TTextKey KeyOf(int n) {
  if (n == 0) return {"General", "DateFormat"};
  if (n == 1) return {"General", "TimeFormat"};
  if (n < 10) return {"General", "Field" + std::to_string(n + 1)};
  if (n < 250) return {"Menu", "Field" + std::to_string(n - 9)};
  if (n < 500) return {"Controls", "Field" + std::to_string(n - 249)};
  return {"Misc", "Field" + std::to_string(n - 499)};
}

// Text n as the file holds it, "" when missing.
std::string FileText(TConfig& file, int n) {
  const TTextKey where = KeyOf(n);
  file.SetSection(where.section);
  return file.ReadString(where.key, "");
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
    ++count;
  return count;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class EnglishFileTest : public LanguageTest {
 protected:
  void SetUp() override {
    LanguageTest::SetUp();
    english.OpenFile(kEnglishSource);
    english.SetReadOnly(true);
  }
  TConfig english;
};

// Every built-in text has its English one, and the file holds nothing the
// loader would pass over (a key with no built-in text is never read).
TEST_F(EnglishFileTest, HoldsEveryBuiltInTextAndNoOther) {
  ASSERT_TRUE(std::filesystem::exists(kEnglishSource));
  std::set<TTextKey> expected;
  for (const resources::NumberedText& t : resources::CzechTexts()) {
    expected.insert(KeyOf(t.number));
    EXPECT_NE(FileText(english, t.number), "") << "no English text " << t.number << " for " << t.text;
  }
  for (const std::string& section : english.ReadSections()) {
    if (section == "Language") continue;
    EXPECT_TRUE(section == "General" || section == "Menu" || section == "Controls" || section == "Misc")
        << section;
    for (const std::string& key : english.ReadSection(section))
      EXPECT_TRUE(expected.count({section, key})) << "[" << section << "] " << key << " has no built-in text";
  }
  english.SetSection("Language");
  EXPECT_EQ(english.ReadString("Description", ""), "English");
  EXPECT_EQ(english.ReadString("WinID", ""), "0x0409");
  EXPECT_TRUE(english.ValueExists("Language", "LinuxID"));
}

// What the program joins to a text or reads out of it survives translation:
// the accelerator mark, the end a caller adds a name or a list after, the
// patterns of dates and times.
TEST_F(EnglishFileTest, KeepsWhatTheProgramReliesOn) {
  for (const resources::NumberedText& t : resources::CzechTexts()) {
    const std::string czech = t.text;
    const std::string text = FileText(english, t.number);
    EXPECT_EQ(Count(text, "&"), Count(czech, "&")) << t.number << " " << text;
    EXPECT_EQ(Count(text, "& "), 0u) << t.number << " " << text;
    EXPECT_EQ(Count(text, "\n"), Count(czech, "\n")) << t.number << " " << text;
    for (const char* end : {":", "...", "?"})
      EXPECT_EQ(EndsWith(text, end), EndsWith(czech, end)) << t.number << " " << text << " / " << end;
  }
  EXPECT_EQ(FileText(english, 0), "dd.mm.yyyy");
  EXPECT_EQ(FileText(english, 1), "hh:mm:ss");
}

TEST_F(EnglishFileTest, IsBesideTheProgramAndTheLanguageMenuLoadsIt) {
  const std::string installed = kProgramLngFolder + "/English.lng";
  ASSERT_TRUE(std::filesystem::exists(installed));
  EXPECT_TRUE(testsupport::ReadFileBytes(installed) == testsupport::ReadFileBytes(kEnglishSource))
      << installed << " is not a copy of " << kEnglishSource;

  FakeMenu menu;
  std::vector<uint32_t> changes;
  Language::InitLanguages(kProgramLngFolder, &menu, [&](uint32_t id) { changes.push_back(id); },
                          0x0409);
  EXPECT_EQ(menu.captions, (std::vector<std::string>{"English", "Čeština"}));
  EXPECT_EQ(changes, (std::vector<uint32_t>{0x0409}));
  EXPECT_EQ(menu.checked, 0);
  EXPECT_EQ(Language::CurrentLanguageFile(), installed);
  for (const resources::NumberedText& t : resources::CzechTexts())
    EXPECT_EQ(Language::GetText(t.number), FileText(english, t.number)) << t.number;

  menu.clicks[1]();
  EXPECT_EQ(Language::GetText(10), "&Soubor");
  menu.clicks[0]();
  EXPECT_EQ(Language::GetText(10), "&File");
}

}  // namespace
