// Qt's own dialogs inside the program: they speak the language of the
// program's texts, a message box is wide enough for its caption, and a web
// page that no browser can open is told.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/batch/HromadneAkce.h"
#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/QtLanguage.h"
#include "foundation/appcore.h"
#include "platform/MessageBox.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

class StandardDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    appcore::SetFormApplicationInitialized();
    Language::LoadLanguage("DEFAULT");
    QtLanguage::FollowTexts();
  }
  void TearDown() override {
    GlobalWindows::Destroy();
    Language::LoadLanguage("DEFAULT");
    QtLanguage::FollowTexts();
  }

  // The texts of the buttons of a box, and its width, as the user sees it.
  struct TShownBox {
    QStringList buttons;
    int width = 0;
  };
  static TShownBox ShowBox(const std::string& text, const std::string& caption,
                           MessageButtons buttons = MessageButtons::YesNoCancel) {
    TShownBox shown;
    OnNextModal<QMessageBox>([&shown](QMessageBox& box) {
      for (const QAbstractButton* button : box.buttons()) shown.buttons << button->text();
      shown.buttons.sort();
      shown.width = box.width();
      box.reject();
    });
    platform::ShowMessageBox(text, caption, buttons, MessageIcon::Question);
    return shown;
  }

  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
};

TEST_F(StandardDialogsTest, QtsDialogsSpeakTheLanguageOfTheTextsAlsoAfterAChange) {
  GlobalWindows::Create(false);
  TMainForm* form = GlobalWindows::Get().MainForm;
  auto* openDialog = FindNamed<QFileDialog>(*form, "OpenDialog");
  auto* lookIn = FindNamed<QLabel>(*openDialog, "lookInLabel");
  auto* calendar = FindNamed<QCalendarWidget>(*GlobalWindows::Get().frmHA, "cal");

  EXPECT_EQ(ShowBox("Otázka", "Uložit?").buttons, (QStringList{"&Ano", "&Ne", "Zrušit"}));
  EXPECT_EQ(lookIn->text(), "Hledat v:");
  EXPECT_EQ(calendar->locale().language(), QLocale::Czech);
  EXPECT_EQ(QLocale().standaloneMonthName(1), "leden");

  testsupport::TempDir lng;
  testsupport::WriteFileBytes(lng.File("english.lng"),
                              "[Language]\r\nDescription=English\r\nWinID=0x0409\r\n");
  Language::LoadLanguage(lng.File("english.lng"));
  form->LanguageChanged(0x0409);
  EXPECT_EQ(ShowBox("Question", "Save?").buttons, (QStringList{"&No", "&Yes", "Cancel"}));
  EXPECT_EQ(lookIn->text(), "Look in:");
  EXPECT_EQ(calendar->locale().language(), QLocale::English);

  Language::LoadLanguage("DEFAULT");
  form->LanguageChanged(1029);
  // The windows hear of the change through their event queues.
  QCoreApplication::processEvents();
  EXPECT_EQ(lookIn->text(), "Hledat v:");
  // Qt's translation does not take the program's own caption.
  EXPECT_EQ(openDialog->windowTitle(), "Vyber soubor z adresáře");
}

// The window manager cuts a caption its title bar cannot hold to "...".
TEST_F(StandardDialogsTest, AMessageBoxIsWideEnoughForItsCaption) {
  const int shortBox = ShowBox("Hotovo", "Hotovo", MessageButtons::Ok).width;
  QFont bold = QApplication::font("QMdiSubWindowTitleBar");
  bold.setBold(true);
  EXPECT_GE(shortBox, QFontMetrics(bold).horizontalAdvance("Hotovo") + 100);
  const std::string caption = "Přejmenování souborů ve složce";
  EXPECT_GE(ShowBox("Hotovo", caption, MessageButtons::Ok).width,
            QFontMetrics(bold).horizontalAdvance(QString::fromStdString(caption)) + 100);
}

TEST_F(StandardDialogsTest, AWebPageThatNoBrowserCanOpenIsTold) {
  testsupport::ScopedEnv noBrowser("QUILLMARSH_OPEN_LOG", home.Path() + "/missing/open.log");
  ScopedMessageHook boxes;
  GlobalWindows::Create(false);
  TMainForm* form = GlobalWindows::Get().MainForm;
  FindNamed<QAction>(*form, "Homepage1")->trigger();
  form->GPSGroup->GoogleSirka->setText("50.1");
  form->GPSGroup->GoogleDelka->setText("14.4");
  form->GPSGroup->MapButtonClick();
  const std::string told = "Chyba|Webový prohlížeč se nepodařilo spustit, stránku nelze otevřít.\n\n";
  ASSERT_EQ(boxes.Said().size(), 2u);
  EXPECT_EQ(boxes.Said()[0].rfind(told + "https://", 0), 0u) << boxes.Said()[0];
  EXPECT_EQ(boxes.Said()[1], told + "https://www.google.com/maps?q=50.1%2C+14.4&views=satellite");
  EXPECT_EQ(boxes.Boxes()[1].icon, MessageIcon::Error);
}

}  // namespace
