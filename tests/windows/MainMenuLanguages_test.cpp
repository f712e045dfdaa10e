// The main window in each shipped language: the English file beside the
// program is offered in the Language menu and chosen at start when stored,
// and in every language no two items of one menu share an accelerator.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <map>

#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "foundation/appcore.h"
#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;

const std::string kEnglish = QUILLMARSH_PROGRAM_LNG "/English.lng";

// The letter after a single "&", 0 for none.
QChar Accelerator(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1].toLower();
    ++i;
  }
  return QChar();
}

// "menu: letter" for each letter that two items of one menu share.
void FindClashes(const QString& where, const QList<QAction*>& items, QStringList& clashes) {
  std::map<QChar, int> seen;
  for (const QAction* item : items) {
    const QChar letter = Accelerator(item->text());
    if (!letter.isNull() && ++seen[letter] == 2) clashes << where + ": " + letter;
    if (item->menu() != nullptr) FindClashes(item->text(), item->menu()->actions(), clashes);
  }
}

class MainMenuLanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    appcore::SetFormApplicationInitialized();
  }
  void TearDown() override {
    GlobalWindows::Destroy();
    Language::LoadLanguage("DEFAULT");
  }
  // The main window as it starts with the language stored and the shipped
  // English file where a user's own files go.
  TMainForm& Start(uint32_t language) {
    fs::create_directories(home.Path() + "/data/lng");
    fs::copy_file(kEnglish, home.Path() + "/data/lng/English.lng");
    {
      TConfig config;
      config.OpenRegistryDefault(false, "Quillmarsh");
      config.WriteInteger("Language", static_cast<int32_t>(language));
    }
    GlobalWindows::Create(false);
    return *GlobalWindows::Get().MainForm;
  }

  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
};

TEST_F(MainMenuLanguagesTest, EveryLanguageHasItsAcceleratorsApart) {
  const struct {
    uint32_t id;
    const char* file;
    const char* sortCaption;
  } languages[] = {{0x0409, "English", "Sort by date taken"}, {0x0405, "Čeština", "Řadit podle expozice"}};
  for (const auto& l : languages) {
    SCOPED_TRACE(l.file);
    TMainForm& form = Start(l.id);
    QStringList languageItems;
    QString checked;
    for (const QAction* item : FindNamed<QAction>(form, "Language")->menu()->actions()) {
      languageItems << item->text();
      if (item->isChecked()) checked = item->text();
    }
    EXPECT_EQ(languageItems, (QStringList{"English", "Čeština"}));
    EXPECT_EQ(checked, l.file);
    EXPECT_EQ(FindNamed<QCheckBox>(form, "SortByExposure")->text(), l.sortCaption);
    QStringList clashes;
    FindClashes("menu bar", form.menuBar()->actions(), clashes);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join(", ").toStdString();
    GlobalWindows::Destroy();
    fs::remove_all(home.Path() + "/data/lng");
  }
}

}  // namespace
