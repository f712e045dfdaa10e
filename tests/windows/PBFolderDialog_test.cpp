// The folder browser: the path shortening, the captions by locale, and the
// dialog's contract over the desktop's folder dialog.
#include "app/dialogs/PBFolderDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "foundation/appcore.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;

// Runs act on the modal dialog of type D once it shows.
template <typename D>
void OnNextModal(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

TEST(PBFolderDialog, ShortenPathKeepsTheHeadAndTheLastComponents) {
  struct Case {
    std::string path;
    int limit;
    std::string shown;
  };
  const std::string fifty = "/home/jana/Fotky/2023/Léto/ěščřžýáíéůú/Krkonoše/xy";
  const Case cases[] = {
      {"/home/jana/Fotky/2023/Dovolená na horách/Krkonoše/den první/IMG_0001.JPG", 50,
       "/.../Krkonoše/den první/IMG_0001.JPG"},
      {fifty, 50, fifty},  // 50 characters, more bytes
      {"/home/jana/Fotky/2023/Dovolená na horách/Krkonoše/x", 50,
       "/.../jana/Fotky/2023/Dovolená na horách/Krkonoše/x"},
      {"/media/jana/KARTA/DCIM/100CANON/velmi_dlouhe_jmeno_slozky_ktere_se_nevejde_nikam_cele",
       50, "/.../velmi_dlouhe_jmeno_slozky_ktere_se_nevejde..."},
      {"//nas/fotky/archiv/2019/svatba Petra a Jany/vybrane/upravene", 50,
       "//nas/.../svatba Petra a Jany/vybrane/upravene"},
      // Too few "/" after the second character, none at all, a tiny limit.
      {"/" + std::string(30, 'a') + "/" + std::string(30, 'b'), 50,
       "/" + std::string(30, 'a') + "/" + std::string(18, 'b')},
      {std::string(60, 'c'), 50, std::string(50, 'c')},
      {"/home/jana/Fotky/2023/Dovolená", 5, "/home"},
      {"/home/jana/Fotky", 16, "/home/jana/Fotky"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PBFolderDialog::ShortenPath(c.path, c.limit), c.shown) << c.path;
}

// The captions are those of the language in force when they are asked for,
// also in a dialog made before: the text table's, or for a language the
// table has no texts of, the dialog's own.
TEST(PBFolderDialog, CaptionsFollowTheLanguageInForce) {
  WindowTestApp();
  testsupport::ScopedEnv locale("LC_ALL", "en_US.UTF-8");
  testsupport::TempDir lng;
  testsupport::WriteFileBytes(lng.File("polski.lng"),
                              "[Language]\r\nDescription=Polski\r\nWinID=0x0415\r\n"
                              "[Controls]\r\nField135=Bieżący folder:\r\nField136=Nowy folder\r\n");
  testsupport::WriteFileBytes(lng.File("deutsch.lng"),
                              "[Language]\r\nDescription=Deutsch\r\nWinID=0x0407\r\n");
  Language::LoadLanguage("DEFAULT");
  TPBFolderDialog dialog(nullptr);
  EXPECT_EQ(PBFolderDialog::LanguageKey(), "0405");
  EXPECT_EQ(dialog.NewFolderCaption(), "Nová složka");
  EXPECT_EQ(dialog.LabelCaption(), "Vybraná složka:");

  Language::LoadLanguage(lng.File("polski.lng"));
  EXPECT_EQ(PBFolderDialog::LanguageKey(), "0415");
  EXPECT_EQ(dialog.NewFolderCaption(), "Nowy folder");
  EXPECT_EQ(dialog.LabelCaption(), "Bieżący folder:");

  Language::LoadLanguage(lng.File("deutsch.lng"));
  EXPECT_EQ(dialog.NewFolderCaption(), "Neuer Ordner");
  EXPECT_EQ(dialog.LabelCaption(), "Ausgewählter Ordner:");
  // A new list is picked from at once; without the language, its first
  // entry; an empty one keeps the caption.
  dialog.SetNewFolderCaptions({"0409=New folder", "0407=Neu", "Default=Nová složka"});
  EXPECT_EQ(dialog.NewFolderCaption(), "Neu");
  dialog.SetLabelCaptions({"0409=Current folder:", "0406=Valgt mappe:"});
  EXPECT_EQ(dialog.LabelCaption(), "Current folder:");
  dialog.SetLabelCaptions({});
  EXPECT_EQ(dialog.LabelCaption(), "Current folder:");
  Language::LoadLanguage("DEFAULT");

  EXPECT_EQ(PBFolderDialog::PickCaption({"0c07=Neuer Ordner"}, "0C07", "x"), "Neuer Ordner");
  dialog.SetNewFolderWidth(0);
  EXPECT_EQ(dialog.NewFolderWidth(), 75);
}

TEST(TPBFolderDialog, ConfirmReturnsTheChosenFolderAndCancelKeepsTheEntryValue) {
  WindowTestApp();
  testsupport::TempDir dir;
  fs::create_directory(dir.File("leto"));
  fs::create_directory(dir.File("zima"));
  TPBFolderDialog dialog(nullptr);
  dialog.Folder = dir.File("leto");

  QString status;
  bool buttonShown = true;
  OnNextModal<QFileDialog>([&](QFileDialog& d) {
    EXPECT_EQ(d.directory().absolutePath(), Q(dir.File("leto")));
    status = d.findChild<QLabel*>("StatusText")->text();
    buttonShown = d.findChild<QPushButton*>("NewFolderButton")->isVisibleTo(&d);
    d.setDirectory(Q(dir.File("zima")));
    static_cast<QDialog&>(d).accept();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Folder, dir.File("zima"));
  EXPECT_EQ(status.toStdString(), PBFolderDialog::ShortenPath(dir.File("leto")));
  EXPECT_FALSE(buttonShown);

  OnNextModal<QFileDialog>([&](QFileDialog& d) {
    d.setDirectory(Q(dir.File("leto")));
    d.reject();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.Folder, dir.File("zima"));

  // A folder that is gone starts the dialog where it chose last instead.
  dialog.Folder = dir.File("gone");
  OnNextModal<QFileDialog>([&](QFileDialog& d) {
    EXPECT_EQ(d.directory().absolutePath(), Q(dir.File("zima")));
    d.reject();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.Folder, dir.File("gone"));
}

TEST(TPBFolderDialog, NewFolderIsMadeUnderTheSelectedOneAndSelected) {
  WindowTestApp();
  appcore::SetFormApplicationInitialized();
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("soubor"), "x");
  TPBFolderDialog dialog(nullptr);
  dialog.NewFolderVisible = true;
  dialog.NewFolderEnabled = true;
  dialog.Folder = dir.Path();

  QString error;
  OnNextModal<QFileDialog>([&](QFileDialog& d) {
    auto* button = d.findChild<QPushButton*>("NewFolderButton");
    ASSERT_TRUE(button->isVisibleTo(&d));
    ASSERT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), Q(dialog.NewFolderCaption()));

    OnNextModal<QInputDialog>([](QInputDialog& in) { in.reject(); });
    button->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.directory().absolutePath(), Q(dir.Path()));

    // A name that cannot become a folder is told, and nothing changes.
    OnNextModal<QInputDialog>([&error](QInputDialog& in) {
      in.setTextValue("soubor/pod");
      OnNextModal<QMessageBox>([&error](QMessageBox& box) {
        error = box.windowTitle() + "|" + box.text();
        box.button(QMessageBox::Ok)->click();
      });
      in.accept();
    });
    button->click();
    EXPECT_EQ(d.directory().absolutePath(), Q(dir.Path()));

    OnNextModal<QInputDialog>([](QInputDialog& in) {
      in.setTextValue("Nová složka");
      in.accept();
    });
    button->click();
    EXPECT_EQ(d.directory().absolutePath(), Q(dir.File("Nová složka")));
    static_cast<QDialog&>(d).accept();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Folder, dir.File("Nová složka"));
  EXPECT_TRUE(fs::is_directory(dir.File("Nová složka")));
  EXPECT_FALSE(fs::exists(dir.File("soubor/pod")));
  EXPECT_EQ(error.toStdString(), "Chyba|Vybraná složka neexistuje, nebo není dostupná\n" +
                                     dir.File("soubor/pod"));
}

TEST(PBFolderDialog, NewFolderNameIsJoinedWithOneSlash) {
  EXPECT_EQ(PBFolderDialog::JoinNewFolder("/foto", "nova"), "/foto/nova");
  EXPECT_EQ(PBFolderDialog::JoinNewFolder("/foto/", "nova"), "/foto/nova");
  EXPECT_EQ(PBFolderDialog::JoinNewFolder("/foto", "/nova"), "/foto/nova");
  EXPECT_EQ(PBFolderDialog::JoinNewFolder("/foto", "a/b"), "/foto/a/b");
}

}  // namespace
