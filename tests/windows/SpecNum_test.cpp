// The special renumbering window: what it asks, what it refuses, what it
// renames, and its controls while a run goes on.
#include "app/batch/edit_speccislovani.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/config/appcfg.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"

namespace {

using platform::MessageAnswer;
using testsupport::TempDir;

std::vector<std::string> Files(const std::string& dir) {
  std::vector<std::string> names = DosFunc::FindFiles(dir, false);
  std::sort(names.begin(), names.end());
  return names;
}

class SpecNum : public ::testing::Test {
 protected:
  void SetUp() override { WindowTestApp(); }

  void Make(const std::vector<std::string>& names) {
    for (const std::string& name : names) testsupport::WriteFileBytes(dir_.File(name), name);
  }

  testsupport::ScopedHome home_;
  TempDir dir_;
};

TEST_F(SpecNum, OpensOnTheBatchFolderAndTheSubfolderChoiceRulesTheSubfolderOptions) {
  for (bool subdirs : {true, false}) {
    SCOPED_TRACE(subdirs);
    OnNextModal<Tfrm_specnum>([&](Tfrm_specnum& form) {
      EXPECT_EQ(form.windowTitle(), "Speciální operace v číslování");
      EXPECT_EQ(form.root->text().toStdString(), dir_.Path());
      EXPECT_EQ(form.subdirs->isChecked(), subdirs);
      EXPECT_EQ(form.prefix->text(), "img");
      EXPECT_TRUE(form.rb_name->isChecked());
      EXPECT_TRUE(form.rb_byfolder->isChecked());
      EXPECT_EQ(form.lbstep->currentText(), "1");
      EXPECT_EQ(form.Label16->text(), "-- Přeskakuje soubory nevyhovující formátu \"prefix_cislo\"");
      for (QWidget* w : std::initializer_list<QWidget*>{form.rb_byfolder, form.rb_continue,
                                                        form.Label4, form.Label5}) {
        EXPECT_EQ(w->isEnabled(), subdirs) << w->objectName().toStdString();
        form.subdirs->click();
        EXPECT_EQ(w->isEnabled(), !subdirs) << w->objectName().toStdString();
        form.subdirs->click();
      }
      form.reject();
    });
    Tfrm_specnum::Execute(nullptr, dir_.Path(), subdirs);
  }
}

TEST_F(SpecNum, BadNumbersAreToldBeforeAnyQuestionAndNothingIsRenamed) {
  Make({"img_1.jpg", "img_2.jpg"});
  struct Case {
    const char* start;
    const char* from;
    const char* shift;
    QPushButton* Tfrm_specnum::*button;
    const char* said;
  };
  const Case cases[] = {
      {"x", "1", "1", &Tfrm_specnum::Button2, "Chyba|Počátek číslování musí být celé číslo"},
      {"1", "1,5", "1", &Tfrm_specnum::Button3, "Chyba|Počátek přečíslování musí být celé číslo"},
      {"1", "1", "", &Tfrm_specnum::Button3, "Chyba|Posun přečíslování musí být celé číslo"},
      {"1", "1", " 0 ", &Tfrm_specnum::Button3,
       "Informace|Posun přečíslování máte NULA = není co dělat."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    ScopedMessageHook boxes({MessageAnswer::Yes});
    Tfrm_specnum form;
    form.root->setText(QString::fromStdString(dir_.Path()));
    form.cislovatod->setText(c.start);
    form.zmenaod->setText(c.from);
    form.zmenakrok->setText(c.shift);
    (form.*c.button)->click();
    EXPECT_EQ(boxes.Said(), std::vector<std::string>{c.said});
    EXPECT_EQ(Files(dir_.Path()), (std::vector<std::string>{"img_1.jpg", "img_2.jpg"}));
  }
}

TEST_F(SpecNum, RenumbersOnlyAfterYesWithTheCommandsDisabledMeanwhile) {
  std::vector<std::string> names;
  for (char c = 'a'; c <= 'y'; ++c) names.push_back(std::string(1, c) + ".jpg");
  Make(names);
  Tfrm_specnum form;
  form.root->setText(QString::fromStdString(dir_.Path()));
  form.prefix->setText(" foto ");
  form.lbstep->setCurrentText("10");
  {
    ScopedMessageHook boxes({MessageAnswer::No});
    form.Button2->click();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text,
              "Chcete spustit očíslování podle jména ve složce " + dir_.Path() + " ?");
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(Files(dir_.Path()), names);
  }
  ScopedMessageHook boxes({MessageAnswer::Yes});
  bool disabled = false;
  bool barShown = false;
  bool stayedOpen = false;
  form.show();
  QTimer::singleShot(0, [&] {
    disabled = !form.Button2->isEnabled() && !form.Button3->isEnabled() && !form.root->isEnabled();
    barShown = form.PB->isVisible();
    form.reject();
    stayedOpen = form.isVisible();
  });
  form.Button2->click();
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(barShown);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(form.Button2->isEnabled());
  EXPECT_FALSE(form.rb_continue->isEnabled());
  EXPECT_FALSE(form.PB->isVisible());
  EXPECT_EQ(form.prefix->text(), "foto");
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  std::vector<std::string> renamed;
  for (int n = 1; n <= 241; n += 10) {
    const std::string number = std::to_string(n);
    renamed.push_back("foto_" + std::string(3 - number.size(), '0') + number + ".jpg");
  }
  EXPECT_EQ(Files(dir_.Path()), renamed);
}

TEST_F(SpecNum, AShiftBelowOneIsRefusedWithAMessageAndAFinishedLeftoverIsTold) {
  Make({"img_1.jpg", "img_2.jpg"});
  Tfrm_specnum form;
  form.root->setText(QString::fromStdString(dir_.Path()));
  form.zmenakrok->setText("-1");
  {
    ScopedMessageHook boxes({MessageAnswer::Yes});
    form.Button3->click();
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].caption, "Chyba");
    EXPECT_EQ(Files(dir_.Path()), (std::vector<std::string>{"img_1.jpg", "img_2.jpg"}));
  }
  // A run stopped half-way left a temporary name; the next run finishes it,
  // says so and leaves the operation to be started again.
  testsupport::WriteFileBytes(dir_.File("img_3.jpg.~qm1a2b.tmp"), "3");
  ScopedMessageHook boxes({MessageAnswer::Yes});
  form.Button5->click();
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].caption, "Informace");
  EXPECT_NE(boxes.Boxes()[1].text.find("Dokončeno"), std::string::npos);
  EXPECT_EQ(Files(dir_.Path()), (std::vector<std::string>{"img_1.jpg", "img_2.jpg", "img_3.jpg"}));
}

TEST_F(SpecNum, TheChosenRootIsShownAndRemembered) {
  TempDir other;
  Tfrm_specnum form;
  form.root->setText(QString::fromStdString(dir_.Path()));
  QString start;
  ChooseFolder(other.Path(), &start);
  form.Button1->click();
  EXPECT_EQ(start.toStdString(), dir_.Path());
  EXPECT_EQ(form.root->text().toStdString(), other.Path());
  EXPECT_EQ(appcfg::ReadString("gui.fileoper.edit1", ""), other.Path());
}

}  // namespace
