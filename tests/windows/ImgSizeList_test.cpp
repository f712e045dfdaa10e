// The photos-by-resolution window: the entry the batch window calls, the
// orders and hidden ratios, the selection, moving and opening photos.
#include "app/batch/edit_imgsize.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/TestPhotos.h"
#include "tests/windows/WindowTestApp.h"

namespace {

using platform::MessageAnswer;
using testsupport::TempDir;
namespace work = edit_imgsize;

// The relative paths of the photos LB shows, in line order; each line must
// end with its own photo's path.
std::vector<std::string> Shown(const TImgSizeList& form, const work::TResolutionList& list) {
  std::vector<std::string> shown;
  EXPECT_EQ(static_cast<size_t>(form.LB->count()), form.ShownPhotos().size());
  for (int row = 0; row < form.LB->count(); ++row) {
    const std::string& relative = list.Photos()[form.ShownPhotos()[static_cast<size_t>(row)]].relative;
    const std::string line = form.LB->item(row)->text().toStdString();
    EXPECT_EQ(line.substr(line.size() - relative.size()), relative) << line;
    shown.push_back(relative);
  }
  return shown;
}

std::vector<std::string> Files(const std::string& dir) {
  std::vector<std::string> files;
  for (const std::string& rel : DosFunc::FindFiles(dir, true)) files.push_back(dir + "/" + rel);
  std::sort(files.begin(), files.end());
  return files;
}

class ImgSizeList : public ::testing::Test {
 protected:
  void SetUp() override { WindowTestApp(); }

  testsupport::ScopedHome home_;
  TempDir dir_;
};

TEST_F(ImgSizeList, AsksForSubfoldersAndTellsWhenThereIsNoPhoto) {
  DosFunc::ForceDirectoriesLong(dir_.File("a"));
  WritePhoto(dir_.File("a/p.jpg"), 32, 24);
  {
    ScopedMessageHook boxes({MessageAnswer::No});
    work::ShowResolutionList(nullptr, dir_.Path());
    EXPECT_EQ(boxes.Said(),
              (std::vector<std::string>{"Dotaz|Projít včetně podadresářů?",
                                        "Chyba|Nebyl nalezen žádný soubor.\n\nProhledávaná složka: \n" +
                                            dir_.Path()}));
  }
  ScopedMessageHook boxes({MessageAnswer::Yes});
  int lines = -1;
  QString count;
  OnNextModal<TImgSizeList>([&](TImgSizeList& form) {
    lines = form.LB->count();
    count = form.imgcount->text();
    form.reject();
  });
  work::ShowResolutionList(nullptr, dir_.Path());
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(count, "Počet souborů: 1");
}

TEST_F(ImgSizeList, ListsByTheChosenOrderAndHidesTheWideScreenRatios) {
  const struct {
    const char* name;
    int width, height;
  } photos[] = {{"w160.jpg", 160, 100}, {"w192.jpg", 192, 108}, {"w150.jpg", 150, 100},
                {"w64.jpg", 64, 48}};
  std::vector<std::string> files;
  for (const auto& p : photos) {
    WritePhoto(dir_.File(p.name), p.width, p.height);
    files.push_back(dir_.File(p.name));
  }
  testsupport::WriteFileBytes(dir_.File("broken.jpg"), "not a photo");
  files.push_back(dir_.File("broken.jpg"));
  work::TResolutionList list(dir_.Path(), files, nullptr);
  TImgSizeList form(nullptr, list);
  EXPECT_EQ(form.windowTitle(), "Rozlišení fotek");
  EXPECT_EQ(form.razeni->currentText(), "Poměr stran");

  struct Case {
    int order;
    bool hide160, hide178;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {0, false, false, {"broken.jpg", "w64.jpg", "w150.jpg", "w160.jpg", "w192.jpg"}},
      {1, false, false, {"broken.jpg", "w64.jpg", "w150.jpg", "w160.jpg", "w192.jpg"}},
      {2, false, false, {"broken.jpg", "w64.jpg", "w150.jpg", "w160.jpg", "w192.jpg"}},
      {0, true, false, {"broken.jpg", "w64.jpg", "w150.jpg", "w192.jpg"}},
      {2, true, true, {"broken.jpg", "w64.jpg", "w150.jpg"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    form.razeni->setCurrentIndex(c.order);
    form.hide160->setChecked(c.hide160);
    form.hide178->setChecked(c.hide178);
    EXPECT_EQ(Shown(form, list), c.shown);
    EXPECT_EQ(form.imgcount->text().toStdString(),
              "Počet souborů: " + std::to_string(c.shown.size()));
  }
  form.razeni->setCurrentIndex(1);
  EXPECT_EQ(form.LB->item(1)->text(), "1.33    64 x  48   w64.jpg");
  EXPECT_EQ(form.LB->item(0)->text(), QString(19, ' ') + "broken.jpg");
}

TEST_F(ImgSizeList, CtrlAAndTheMenuSelectAllOrClearAndMovingNeedsASelection) {
  std::vector<std::string> files;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    WritePhoto(dir_.File(name), 32, 24);
    files.push_back(dir_.File(name));
  }
  work::TResolutionList list(dir_.Path(), files, nullptr);
  TImgSizeList form(nullptr, list);
  form.show();
  EXPECT_FALSE(form.Button1->isEnabled());
  EXPECT_FALSE(form.mnuPresun->isEnabled());
  form.LB->item(1)->setSelected(true);
  EXPECT_TRUE(form.Button1->isEnabled());
  QTest::keyClick(form.LB, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form.LB->selectedItems().size(), 3);
  QTest::keyClick(form.LB, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form.LB->selectedItems().size(), 0);
  EXPECT_FALSE(form.Button1->isEnabled());
  form.Oznaitve1->trigger();
  EXPECT_EQ(form.LB->selectedItems().size(), 3);
  form.Oznaitve1->trigger();
  EXPECT_EQ(form.LB->selectedItems().size(), 0);
}

TEST_F(ImgSizeList, MovesTheSelectedPhotosKeepingTheirFoldersAndAsksBeforeReplacing) {
  std::vector<std::string> files;
  for (const char* rel : {"a/p1.jpg", "b/p2.jpg", "c/p3.jpg"}) {
    DosFunc::ForceDirectoriesLong(dir_.File(std::string(rel).substr(0, 1)));
    WritePhoto(dir_.File(rel), 32, 24);
    files.push_back(dir_.File(rel));
  }
  TempDir target;
  DosFunc::ForceDirectoriesLong(target.File("c"));
  testsupport::WriteFileBytes(target.File("c/p3.jpg"), "already there");
  work::TResolutionList list(dir_.Path(), files, nullptr);
  TImgSizeList form(nullptr, list);
  form.show();

  ScopedMessageHook boxes({MessageAnswer::No});
  form.LB->selectAll();
  ChooseFolder(target.Path());
  form.Button1->click();
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, work::OverwriteQuestion(target.File("c/p3.jpg")));
  EXPECT_EQ(Files(target.Path()), (std::vector<std::string>{target.File("a/p1.jpg"),
                                                            target.File("b/p2.jpg"),
                                                            target.File("c/p3.jpg")}));
  EXPECT_EQ(testsupport::ReadFileBytes(target.File("c/p3.jpg")), "already there");
  EXPECT_EQ(Shown(form, list), std::vector<std::string>{"c/p3.jpg"});
  EXPECT_EQ(form.imgcount->text(), "Počet souborů: 1");

  // Moving into the folder the photos come from is refused.
  form.LB->selectAll();
  ChooseFolder(dir_.Path());
  form.Button1->click();
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].caption, "Chyba");
  EXPECT_EQ(Files(dir_.Path()), std::vector<std::string>{dir_.File("c/p3.jpg")});
  EXPECT_EQ(form.LB->count(), 1);
}

TEST_F(ImgSizeList, DoubleClickOpensThePhotoOrTellsItIsGone) {
  WritePhoto(dir_.File("p.jpg"), 32, 24);
  work::TResolutionList list(dir_.Path(), {dir_.File("p.jpg")}, nullptr);
  TImgSizeList form(nullptr, list);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const std::string log = dir_.File("open.log");
  testsupport::ScopedEnv openLog("QUILLMARSH_OPEN_LOG", log);
  ScopedMessageHook boxes;
  const QPoint line = form.LB->visualItemRect(form.LB->item(0)).center();
  QTest::mouseClick(form.LB->viewport(), Qt::LeftButton, {}, line);
  QTest::mouseDClick(form.LB->viewport(), Qt::LeftButton, {}, line);
  EXPECT_NE(testsupport::ReadFileBytes(log).find(dir_.File("p.jpg")), std::string::npos);
  EXPECT_TRUE(boxes.Boxes().empty());

  DosFunc::DeleteFileLong(dir_.File("p.jpg"));
  QTest::mouseClick(form.LB->viewport(), Qt::LeftButton, {}, line);
  QTest::mouseDClick(form.LB->viewport(), Qt::LeftButton, {}, line);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].caption, "Chyba");
  EXPECT_EQ(boxes.Boxes()[0].icon, platform::MessageIcon::Error);
}

}  // namespace
