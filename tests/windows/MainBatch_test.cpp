// The main window's Batch menu through its items: the menu held while a run
// lets events through, the gauge and the progress window, side files and
// renaming with the rename dialog (a refused plan changing nothing, the
// photo shown following its new name), an interrupted rename finished
// first after asking (a folder that is none of its galleries left as it
// was), separation with the separate-snaps dialog and a name already
// taken; a pending edit asked about once before a run; and closing the
// window with and without a pending edit.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/browser/Main.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/dialogs/SeparateSnaps.h"
#include "app/dialogs/modalgauge.h"
#include "app/start/GlobalWindows.h"
#include "gallery/rename/PhotoRename.h"
#include "tests/gallery/RenameFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/GlobalWindowsTest.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using testsupport::ReadFileBytes;

class MainBatch : public GlobalWindowsTest {
 protected:
  template <typename T>
  T* Find(const char* name) {
    return FindNamed<T>(*main, name);
  }
  std::string Add(const char* photo, const std::string& name) {
    fs::copy_file(testsupport::PhotoPath(photo), photos.File(name));
    return photos.File(name);
  }
  void Open(const std::string& photo) {
    ChooseFile(photo);
    Find<QAction>("Open1")->trigger();
    ASSERT_EQ(main->CurrentFile(), photo);
  }
  void Trigger(const char* item) { Find<QAction>(item)->trigger(); }
  // Answers the rename dialog.
  void Rename(const std::string& pattern, const std::string& first, const std::string& step) {
    OnNextModal<TForm4>([=](TForm4& dialog) {
      dialog.FName->setText(QString::fromStdString(pattern));
      dialog.FromID->setText(QString::fromStdString(first));
      dialog.Step->setText(QString::fromStdString(step));
      dialog.BitBtn2->click();
    });
    Trigger("Renamefiles1");
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(photos.Path()))
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  testsupport::TempDir photos;
};

TEST_F(MainBatch, ARunHoldsTheMenuShowsItsProgressAndShowsTheFolderAgain) {
  Add("Canon_40D.jpg", "a.jpg");
  const std::string shown = Add("Nikon_D70.jpg", "B.JPG");
  Open(shown);
  bool seen = false, batchEnabled = true, openEnabled = true, progressShown = false;
  int maximum = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QProgressBar* gauge = Find<QProgressBar>("Gauge");
    if (seen || gauge->isHidden()) return;
    seen = true;
    batchEnabled = Find<QMenu>("Batch1")->menuAction()->isEnabled();
    openEnabled = Find<QAction>("Open1")->isEnabled();
    progressShown = GlobalWindows::Get().frmModalGauge->isVisible();
    maximum = gauge->maximum();
  });
  watch.start(0);
  Trigger("ExtractEXIFs1");
  watch.stop();
  ASSERT_TRUE(seen);
  EXPECT_FALSE(batchEnabled);
  EXPECT_FALSE(openEnabled);
  EXPECT_TRUE(progressShown);
  EXPECT_EQ(maximum, 2);
  EXPECT_TRUE(fs::exists(photos.File("exif/a.exif")));
  EXPECT_TRUE(fs::exists(photos.File("exif/b.exif")));
  EXPECT_TRUE(hook->Boxes().empty());
  EXPECT_TRUE(Find<QProgressBar>("Gauge")->isHidden());
  EXPECT_FALSE(GlobalWindows::Get().frmModalGauge->isVisible());
  EXPECT_TRUE(Find<QMenu>("Batch1")->menuAction()->isEnabled());
  EXPECT_TRUE(Find<QAction>("Renamefiles1")->isEnabled());
  EXPECT_EQ(main->CurrentFile(), shown);
  EXPECT_EQ(main->Files().size(), 2u);
}

TEST_F(MainBatch, RenamingFollowsTheDialogRefusesABadPlanAndShowsThePhotoUnderItsNewName) {
  Add("Canon_40D.jpg", "a.jpg");
  const std::string shown = Add("Nikon_D70.jpg", "b.jpg");
  // A folder the list leaves out holds a name.
  fs::create_directory(photos.File("OTHER0006.jpg"));
  Open(shown);
  const std::string bytes = ReadFileBytes(shown);
  // The second new name is taken by a file of the folder: nothing changes.
  Rename("other", "5", "1");
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text.rfind(Language::GetText(662), 0), 0u);
  EXPECT_NE(hook->Boxes()[0].text.find("other0006.jpg"), std::string::npos);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  // A step of 0 neither.
  Rename("x", "1", "0");
  ASSERT_EQ(hook->Boxes().size(), 2u);
  EXPECT_EQ(hook->Boxes()[1].text, Language::GetText(660));

  Rename("Léto ", "10", "5");
  EXPECT_EQ(hook->Boxes().size(), 2u);
  const std::vector<std::string> names = Names();
  EXPECT_EQ(names.size(), 2u);
  EXPECT_NE(std::find(names.begin(), names.end(), "Léto 0010.jpg"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "Léto 0015.jpg"), names.end());
  ASSERT_NE(main->CurrentFile(), shown);
  EXPECT_EQ(ReadFileBytes(main->CurrentFile()), bytes);
  EXPECT_EQ(main->Files().size(), 2u);
  EXPECT_FALSE(PhotoRename::HasLeftovers(photos.Path(), {}));
}

TEST_F(MainBatch, AnInterruptedRenameIsFinishedAndToldBeforeTheDialog) {
  const std::string shown = Add("Canon_40D.jpg", "a.jpg");
  Open(shown);
  fs::copy_file(testsupport::PhotoPath("Nikon_D70.jpg"), photos.File("img0002.jpg") + PhotoRename::kTempSuffix);
  OnNextModal<TForm4>([](TForm4& dialog) { dialog.BitBtn1->click(); });
  hook->Answer(MessageAnswer::Yes);
  Trigger("Renamefiles1");
  ASSERT_EQ(hook->Boxes().size(), 2u);
  EXPECT_EQ(hook->Boxes()[0].text.rfind(Language::GetText(731), 0), 0u);
  EXPECT_EQ(hook->Boxes()[1].text, Language::GetText(665));
  EXPECT_EQ(hook->Boxes()[1].icon, platform::MessageIcon::Information);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "img0002.jpg"}));
  EXPECT_EQ(main->Files().size(), 2u);

  // One that cannot be finished is named, and the rename does not start.
  fs::copy_file(photos.File("a.jpg"), photos.File("a.jpg") + PhotoRename::kTempSuffix);
  hook->Answer(MessageAnswer::Yes);
  Trigger("Renamefiles1");
  ASSERT_EQ(hook->Boxes().size(), 4u);
  EXPECT_NE(hook->Boxes()[3].text.find(photos.File("a.jpg") + PhotoRename::kTempSuffix), std::string::npos);
  EXPECT_EQ(hook->Boxes()[3].icon, platform::MessageIcon::Error);
}

// Watches for the rename dialog while it lives: tells whether it came up
// and cancels it.
class TRenameDialogWatch {
 public:
  TRenameDialogWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* dialog = dynamic_cast<TForm4*>(QApplication::activeModalWidget())) {
        shown_ = true;
        dialog->BitBtn1->click();
      }
    });
    timer_.start(0);
  }
  bool Shown() const { return shown_; }

 private:
  QTimer timer_;
  bool shown_ = false;
};

TEST_F(MainBatch, AFoundInterruptedRenameIsAskedAboutAndNoLeavesEverythingAsItWas) {
  Open(Add("Canon_40D.jpg", "a.jpg"));
  Add("Nikon_D70.jpg", "b.jpg");
  fs::rename(photos.File("b.jpg"), photos.File("c.jpg") + PhotoRename::kTempSuffix);
  testsupport::WriteFileBytes(photos.File(PhotoRename::kJournalName),
                              "Quillmarsh rename\r\npass 3\r\nb.jpg\tc.jpg\r\n");
  const std::map<std::string, std::string> before = renametest::Tree(photos.Path());
  const TRenameDialogWatch watch;
  hook->Answer(MessageAnswer::No);
  Trigger("Renamefiles1");
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text, Language::GetText(731) + "\n\n" + photos.Path());
  EXPECT_EQ(hook->Boxes()[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(hook->Boxes()[0].icon, platform::MessageIcon::Question);
  EXPECT_FALSE(watch.Shown());
  EXPECT_EQ(renametest::Tree(photos.Path()), before);
}

TEST_F(MainBatch, APlantedJournalNamingAnotherFolderLeavesItByteForByte) {
  Open(Add("Canon_40D.jpg", "a.jpg"));
  // Photos, thumbnails and pages of no project.
  testsupport::TempDir victim;
  for (const char* sub : {"foto", "th", "exif", "800x600", "thumbs"}) fs::create_directory(victim.File(sub));
  for (const char* file : {"a.jpg", "foto/a.jpg", "th/th_a.jpg", "th/th_b.jpg", "thumbs/thumb_a.jpg"})
    fs::copy_file(testsupport::PhotoPath("Nikon_D70.jpg"), victim.File(file));
  testsupport::WriteFileBytes(victim.File("800x600/a.htm"), "<a href=\"a.htm\"><img src=\"../foto/a.jpg\"></a>");
  testsupport::WriteFileBytes(victim.File("800x600/b.htm"), "<a href=\"a.htm\">a</a>");
  testsupport::WriteFileBytes(victim.File("exif/exif_a.htm"), "a.jpg");
  testsupport::WriteFileBytes(photos.File(PhotoRename::kJournalName),
                              "Quillmarsh rename\r\npass 1\r\ngallery\t" + victim.Path() + "\r\na.jpg\tb.jpg\r\n");
  const std::map<std::string, std::string> before = renametest::Tree(victim.Path());
  const TRenameDialogWatch watch;
  hook->Answer(MessageAnswer::Yes);
  Trigger("Renamefiles1");
  EXPECT_EQ(renametest::Tree(victim.Path()), before);
  ASSERT_EQ(hook->Boxes().size(), 2u);
  EXPECT_NE(hook->Boxes()[1].text.find(Language::GetText(732) + "\n" + victim.Path()), std::string::npos);
  EXPECT_EQ(hook->Boxes()[1].icon, platform::MessageIcon::Error);
  EXPECT_FALSE(watch.Shown());
  // The folder's own part is finished.
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg"}));
  EXPECT_FALSE(PhotoRename::HasLeftovers(photos.Path(), {}));
}

TEST_F(MainBatch, SeparationAsksForTheDestinationAndTellsOfANameAlreadyTaken) {
  const std::string flash = Add("Canon_40D.jpg", "flash.jpg");
  const std::string noFlash = Add("Nikon_D70.jpg", "noflash.jpg");
  Open(flash);
  testsupport::TempDir target;
  fs::create_directory(target.File("noflash"));
  testsupport::WriteFileBytes(target.File("noflash/NOFLASH.JPG"), "someone else's");
  OnNextModal<TForm5>([&](TForm5& dialog) {
    EXPECT_EQ(dialog.Dir->text().toStdString(), photos.Path());
    EXPECT_TRUE(dialog.MoveFiles->isChecked());
    dialog.Dir->setText(QString::fromStdString(target.Path()));
    dialog.OKButton->click();
  });
  Trigger("Separateflashnoflashsnaps1");
  EXPECT_TRUE(fs::exists(target.File("flash/flash.jpg")));
  EXPECT_FALSE(fs::exists(flash));
  EXPECT_TRUE(fs::exists(noFlash));
  EXPECT_EQ(ReadFileBytes(target.File("noflash/NOFLASH.JPG")), "someone else's");
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text, Language::GetText(669) + "\n" + noFlash);
  // The photo shown moved away: the one left is shown.
  EXPECT_EQ(main->CurrentFile(), noFlash);

  // Cancelling the dialog changes nothing.
  OnNextModal<TForm5>([](TForm5& dialog) { dialog.CancelButton->click(); });
  Trigger("SeparateGPSnoGPSsnaps1");
  EXPECT_TRUE(fs::exists(noFlash));
  EXPECT_FALSE(fs::exists(photos.File("nogps")));
}

TEST_F(MainBatch, APendingEditIsAskedAboutOnceBeforeARun) {
  const std::string shown = Add("Canon_40D.jpg", "a.jpg");
  Open(shown);
  const std::string bytes = ReadFileBytes(shown);
  Find<QPlainTextEdit>("Note")->setPlainText("not saved");
  ASSERT_TRUE(main->Modified());
  hook->Answer(MessageAnswer::No);
  Trigger("Savethumbnails1");
  EXPECT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text, Language::GetText(512));
  EXPECT_FALSE(main->Modified());
  EXPECT_EQ(ReadFileBytes(shown), bytes);
  EXPECT_TRUE(fs::exists(photos.File("thumbs/thumb_a.jpg")));
}

TEST_F(MainBatch, ClosingSavesAPendingEditOnYesAndAsksNothingWithoutOne) {
  const std::string shown = Add("Canon_40D.jpg", "a.jpg");
  Open(shown);
  ASSERT_TRUE(fs::exists(main->ThumbnailFile()));
  main->show();
  EXPECT_TRUE(main->close());
  EXPECT_TRUE(hook->Boxes().empty());
  EXPECT_FALSE(fs::exists(main->ThumbnailFile()));

  Open(shown);
  Find<QPlainTextEdit>("Note")->setPlainText("saved on closing");
  hook->Answer(MessageAnswer::Yes);
  main->show();
  EXPECT_TRUE(main->close());
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(testsupport::Exiftool("-UserComment", shown), "saved on closing\n");
  EXPECT_FALSE(fs::exists(main->ThumbnailFile()));
}

}  // namespace
