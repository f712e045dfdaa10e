// The resort window: its settings, its browse buttons and what its two run
// buttons do to the folders.
#include "app/batch/edit_imgresort.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <map>
#include <string>

#include "app/dialogs/waitwindow.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/config/appcfg.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using TFiles = std::map<std::string, std::string>;

void MakeFiles(const std::string& dir, const TFiles& files) {
  for (const auto& [rel, bytes] : files) {
    DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(dir + "/" + rel));
    testsupport::WriteFileBytes(dir + "/" + rel, bytes);
  }
}

TFiles Contents(const std::string& dir) {
  TFiles out;
  for (const std::string& rel : DosFunc::FindFiles(dir, true)) out[rel] = ReadFileBytes(dir + "/" + rel);
  return out;
}

class ImgResort : public ::testing::Test {
 protected:
  void SetUp() override { WindowTestApp(); }

  std::string Dir(const std::string& name) const {
    DosFunc::ForceDirectoriesLong(root_.File(name));
    return root_.File(name);
  }

  testsupport::ScopedHome home_;
  TempDir root_;
};

TEST_F(ImgResort, ChoicesAreKeptForTheNextWindowAndItOpensOnThePageLastRun) {
  ScopedMessageHook boxes;
  {
    TImgResort form;
    EXPECT_EQ(form.windowTitle(), "Aktualizace fotek v roztříděných složkách");
    EXPECT_EQ(form.PageControl1->tabText(1), "Kopie do nového stromu");
    EXPECT_EQ(form.PageControl1->currentIndex(), 0);
    for (QRadioButton* on : {form.RadioButton4, form.RadioButton2, form.podleft_zprava,
                             form.podleft_char, form.podright_zprava, form.podright_char})
      EXPECT_TRUE(on->isChecked()) << on->objectName().toStdString();
    EXPECT_EQ(form.podleft_fixlen->text(), "4");
    EXPECT_FALSE(form.CheckBox1->isChecked());

    // Direction and length are separate choices of one side.
    form.podleft_zleva->click();
    form.podleft_fix->click();
    EXPECT_TRUE(form.podleft_zleva->isChecked());
    EXPECT_TRUE(form.podleft_fix->isChecked());
    form.RadioButton1->click();
    form.RadioButton3->click();
    form.podright_fix->click();
    form.podright_fixlen->setText("6");
    form.CheckBox1->click();
    form.Edit1->setText("/vzor");
    form.Edit4->setText("/strom");
    form.PageControl1->setCurrentIndex(1);
    form.Button1->click();  // refused: the folders do not exist
  }
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].caption, "Chyba");
  {
    TImgResort form;
    EXPECT_EQ(form.PageControl1->currentIndex(), 1);
    for (QAbstractButton* on :
         std::initializer_list<QAbstractButton*>{form.RadioButton1, form.RadioButton3,
                                                 form.podleft_zleva, form.podleft_fix,
                                                 form.podright_zprava, form.podright_fix,
                                                 form.CheckBox1})
      EXPECT_TRUE(on->isChecked()) << on->objectName().toStdString();
    EXPECT_EQ(form.podright_fixlen->text(), "6");
    EXPECT_EQ(form.Edit1->text(), "/vzor");
    EXPECT_EQ(form.Edit4->text(), "/strom");
    form.Button7->click();
  }
  EXPECT_EQ(appcfg::ReadInteger("gui.imgresort.tab", ""), 1);
  EXPECT_TRUE(appcfg::ReadBool("gui.imgresort.rnxxx", ""));
  TImgResort form;
  EXPECT_EQ(form.PageControl1->currentIndex(), 0);
}

TEST_F(ImgResort, BrowsingStartsAtTheStoredFolderElseTheEditElseTheLastChosen) {
  const std::string first = Dir("first");
  const std::string second = Dir("second");
  TImgResort form;
  form.Edit4->setText(QString::fromStdString(first));
  QString start;
  ChooseFolder(second, &start);
  form.Button5->click();
  EXPECT_EQ(start.toStdString(), first);
  EXPECT_EQ(form.Edit4->text().toStdString(), second);
  EXPECT_EQ(appcfg::ReadString("gui.imgresort.edit4", ""), second);

  // Edit5 is empty and was never chosen: the last folder chosen anywhere.
  ChooseFolder(first, &start);
  form.Button6->click();
  EXPECT_EQ(start.toStdString(), second);
  EXPECT_EQ(form.Edit5->text().toStdString(), first);

  // The stored folder goes before the edit's text; a cancel keeps the text.
  form.Edit4->setText("/jinde");
  OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
    start = dialog.directory().absolutePath();
    dialog.reject();
  });
  form.Button5->click();
  EXPECT_EQ(start.toStdString(), second);
  EXPECT_EQ(form.Edit4->text(), "/jinde");
}

TEST_F(ImgResort, UpdateReplacesTreeFilesByTheirNewVersionsUnderTheWaitWindowFirst) {
  const std::string tree = Dir("tree");
  const std::string flat = Dir("flat");
  MakeFiles(tree, {{"2013/Praha/DSC_0012.jpg", "old"}, {"2013/Praha/DSC_0013.jpg", "keep"}});
  MakeFiles(flat, {{"DSC_0012.jpg", "new"}});
  ScopedMessageHook boxes;
  TImgResort form;
  form.Edit4->setText(QString::fromStdString(" " + tree + " "));
  form.Edit5->setText(QString::fromStdString(flat));
  form.CheckBox1->setChecked(true);
  int waitWindows = -1;
  bool disabled = false;
  QTimer::singleShot(0, [&] {
    waitWindows = TfrmWait::OpenCount();
    disabled = !form.PageControl1->isEnabled();
  });
  form.Button7->click();
  EXPECT_EQ(waitWindows, 1);
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(form.PageControl1->isEnabled());
  EXPECT_EQ(TfrmWait::OpenCount(), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(Contents(tree),
            (TFiles{{"2013/Praha/DSC_0012.jpg", "new"}, {"2013/Praha/DSC_0013.xxx", "keep"}}));
  EXPECT_EQ(Contents(flat), TFiles{});
}

TEST_F(ImgResort, CopyOrMoveIntoThePatternsTreeByThePartOfTheNameAndTheRestUnsorted) {
  for (bool move : {false, true}) {
    SCOPED_TRACE(move);
    TempDir root;
    const std::string pattern = root.File("vzor");
    const std::string flat = root.File("flat");
    const std::string target = root.File("cil");
    MakeFiles(pattern, {{"2013/Praha/IMG 0012.jpg", "p"}});
    MakeFiles(flat, {{"DSC_0012.jpg", "a"}, {"DSC_0012_edit.jpg", "b"}});
    ScopedMessageHook boxes;
    TImgResort form;
    form.Edit1->setText(QString::fromStdString(pattern));
    form.Edit3->setText(QString::fromStdString(flat));
    form.Edit2->setText(QString::fromStdString(target));
    (move ? form.RadioButton3 : form.RadioButton4)->click();
    form.Button1->click();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Contents(target), (TFiles{{"2013/Praha/DSC_0012.jpg", "a"},
                                        {"x-UNSORTED/DSC_0012_edit.jpg", "b"}}));
    EXPECT_EQ(Contents(flat).size(), move ? 0u : 2u);
  }
}

}  // namespace
