// The rename and separate-snaps dialogs, the about box and the hyperlink
// label.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/dialogs/AboutForm.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/dialogs/SeparateSnaps.h"
#include "app/dialogs/URLLabel.h"
#include "foundation/appcore.h"
#include "resources/Product.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;

template <typename D>
void OnNextModal(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

TEST(TForm4, ReturnsTheNameAndTheTrimmedNumbersOrNothingOnCancel) {
  WindowTestApp();
  TForm4 form;
  EXPECT_EQ(form.windowTitle(), "Přejmenování souborů");
  EXPECT_EQ(form.Label2->text(), "Od ID");
  EXPECT_EQ(form.BitBtn2->text(), "Teď!");
  EXPECT_EQ(form.BitBtn1->text(), "Zruš");
  EXPECT_EQ(form.FName->text(), "img");

  OnNextModal<QDialog>([&](QDialog&) {
    form.FName->setText("dovolena");
    form.FromID->setText(" 12");
    form.Step->setText("5");
    form.BitBtn2->click();
  });
  std::string name;
  int first = 0;
  int step = 0;
  ASSERT_TRUE(form.Execute(name, first, step));
  EXPECT_EQ(name, "dovolena");
  EXPECT_EQ(first, 12);
  EXPECT_EQ(step, 5);

  OnNextModal<QDialog>([&](QDialog&) {
    form.FromID->setText("99");
    form.BitBtn1->click();
  });
  EXPECT_FALSE(form.Execute(name, first, step));
  EXPECT_EQ(name, "dovolena");
  EXPECT_EQ(first, 12);
  EXPECT_EQ(step, 5);
}

TEST(TForm4, OkWithAnEmptyNumberIsRefusedWithAMessage) {
  WindowTestApp();
  appcore::SetFormApplicationInitialized();
  for (QLineEdit* TForm4::*field : {&TForm4::FromID, &TForm4::Step}) {
    TForm4 form;
    QString message;
    bool stayedOpen = false;
    OnNextModal<QDialog>([&](QDialog&) {
      (form.*field)->setText("");
      OnNextModal<QMessageBox>([&](QMessageBox& box) {
        message = box.windowTitle() + "|" + box.text();
        box.button(QMessageBox::Ok)->click();
      });
      form.BitBtn2->click();
      stayedOpen = form.isVisible();
      (form.*field)->setText("3");
      form.BitBtn2->click();
    });
    std::string name;
    int first = -1;
    int step = -1;
    ASSERT_TRUE(form.Execute(name, first, step));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(message, "Chyba|Chyba číselného formátu");
    EXPECT_EQ(field == &TForm4::FromID ? first : step, 3);
  }
}

TEST(TForm4, OkWithANameThatIsNoPlainNamePartIsRefusedWithAMessage) {
  WindowTestApp();
  appcore::SetFormApplicationInitialized();
  TForm4 form;
  QString message;
  bool stayedOpen = false;
  OnNextModal<QDialog>([&](QDialog&) {
    form.FName->setText("../up");
    OnNextModal<QMessageBox>([&](QMessageBox& box) {
      message = box.text();
      box.button(QMessageBox::Ok)->click();
    });
    form.BitBtn2->click();
    stayedOpen = form.isVisible();
    form.FName->setText("up");
    form.BitBtn2->click();
  });
  std::string name;
  int first = 0, step = 0;
  ASSERT_TRUE(form.Execute(name, first, step));
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(message.toStdString(), Language::GetText(661));
  EXPECT_EQ(name, "up");
}

TEST(TForm5, OkWaitsForAnExistingFolderAndCancelChangesNothing) {
  WindowTestApp();
  testsupport::TempDir dir;
  fs::create_directory(dir.File("vyber"));
  std::string folder = dir.File("chybi");
  bool move = false;
  {
    TForm5 form;
    EXPECT_EQ(form.windowTitle(), "Rozdělení snímků");
    EXPECT_EQ(form.MoveFiles->text(), "Přesun souborů");
    OnNextModal<QDialog>([&](QDialog&) {
      EXPECT_EQ(form.Dir->text(), Q(folder));
      EXPECT_TRUE(form.CopyFiles->isChecked());
      form.OKButton->click();
      EXPECT_TRUE(form.isVisible());
      // "..." fills Dir from the folder browser.
      OnNextModal<QFileDialog>([&](QFileDialog& d) {
        d.setDirectory(Q(dir.File("vyber")));
        static_cast<QDialog&>(d).accept();
      });
      form.Button1->click();
      EXPECT_EQ(form.Dir->text(), Q(dir.File("vyber")));
      form.MoveFiles->setChecked(true);
      form.OKButton->click();
    });
    ASSERT_TRUE(form.Execute(folder, move));
  }
  EXPECT_EQ(folder, dir.File("vyber"));
  EXPECT_TRUE(move);

  TForm5 again;
  OnNextModal<QDialog>([&](QDialog&) {
    EXPECT_TRUE(again.MoveFiles->isChecked());
    again.Dir->setText(Q(dir.Path()));
    again.CancelButton->click();
  });
  EXPECT_FALSE(again.Execute(folder, move));
  EXPECT_EQ(folder, dir.File("vyber"));
  EXPECT_TRUE(move);
}

TEST(TAboutBox, ShowsTheVersionTheTranslationsAndTheLinks) {
  WindowTestApp();
  TAboutBox box;
  EXPECT_EQ(box.windowTitle(), "O aplikaci");
  EXPECT_EQ(box.ProductName->text(), "Quillmarsh");
  EXPECT_TRUE(box.ProductName->font().bold());
  EXPECT_EQ(box.Version->text(), "Version 1.0");
  EXPECT_EQ(box.Translations->text(), "Překlady");
  EXPECT_EQ(box.HomePage->URL, resources::kHomePage);
  EXPECT_EQ(box.Translators->URL, resources::kTranslationsPage);

  bool shown = false;
  OnNextModal<QDialog>([&](QDialog& modal) {
    shown = modal.objectName() == "AboutBox";
    modal.findChild<QPushButton*>("OKButton")->click();
  });
  TAboutBox::ShowAbout(nullptr);
  EXPECT_TRUE(shown);
}

void Hover(QWidget& w) {
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(&w, &enter);
}

void Leave(QWidget& w) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&w, &leave);
}

TEST(TURLLabel, LeavingRestoresTheExactFontShownBefore) {
  WindowTestApp();
  TURLLabel label;
  EXPECT_EQ(label.URL, resources::kHomePage);
  EXPECT_EQ(label.text(), resources::kHomePage);
  EXPECT_EQ(label.CurrentFont().color, QColor(Qt::black));
  EXPECT_EQ(label.MouseOverFont.color, QColor(Qt::blue));
  EXPECT_TRUE(label.MouseOverFont.font.underline());
  EXPECT_EQ(label.MouseOverFont.font.family(), label.font().family());
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

  Leave(label);  // before any enter: nothing to restore
  const TFontDesc plain = label.CurrentFont();
  EXPECT_EQ(label.CurrentFont(), plain);

  Hover(label);
  EXPECT_EQ(label.CurrentFont(), label.MouseOverFont);
  Leave(label);
  EXPECT_EQ(label.CurrentFont(), plain);

  // A font changed after creation is the one restored.
  QFont changed = label.font();
  changed.setPointSize(15);
  changed.setItalic(true);
  label.ApplyFont({changed, QColor(0x33, 0x66, 0x99)});
  const TFontDesc before = label.CurrentFont();
  Hover(label);
  Hover(label);
  EXPECT_EQ(label.CurrentFont(), label.MouseOverFont);
  Leave(label);
  EXPECT_EQ(label.CurrentFont(), before);
}

TEST(TURLLabel, ReleasingAButtonOverItOpensItsAddress) {
  WindowTestApp();
  testsupport::TempDir dir;
  const std::string log = dir.File("open.log");
  testsupport::ScopedEnv openLog("QUILLMARSH_OPEN_LOG", log);
  TURLLabel label;
  label.URL = "https://quillmarsh.example.org/lng/";
  label.resize(200, 20);
  label.show();
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(testsupport::ReadFileBytes(log), "https://quillmarsh.example.org/lng/\n");

  QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 5));
  EXPECT_EQ(testsupport::ReadFileBytes(log), "https://quillmarsh.example.org/lng/\n");
}

}  // namespace
