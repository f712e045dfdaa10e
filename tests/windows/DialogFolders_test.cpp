// Where the file and folder dialogs open: in the folder of the photo the
// main window shows, else in the folder the dialog was last used in, else in
// the home folder; never in the working folder the program was started from.
// Their places pane shows its names whole.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/batch/HromadneAkce.h"
#include "app/batch/edit_imgresort.h"
#include "app/batch/edit_speccislovani.h"
#include "app/browser/Main.h"
#include "app/dialogs/SeparateSnaps.h"
#include "app/places/GPSLocations.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/start/GlobalWindows.h"
#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/GlobalWindowsTest.h"
#include "tests/windows/OnNextModal.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;

// The working folder is folder for the life of the object.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const std::string& folder) : old_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~ScopedWorkingFolder() { fs::current_path(old_); }
  ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
  ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

 private:
  fs::path old_;
};

class DialogFolders : public GlobalWindowsTest {
 protected:
  struct TDialog {
    const char* name;
    std::function<void()> open;
  };

  void SetUp() override {
    GlobalWindowsTest::SetUp();
    fs::copy_file(testsupport::PhotoPath("Canon_40D.jpg"), photos.File("a.jpg"));
    // A folder of the working folder, which a relative path would name.
    fs::create_directory(work.File("build"));
    resort = std::make_unique<TImgResort>();
    specnum = std::make_unique<Tfrm_specnum>();
    snaps = std::make_unique<TForm5>();
  }
  void TearDown() override {
    snaps.reset();
    specnum.reset();
    resort.reset();
    GlobalWindowsTest::TearDown();
  }

  // Every file dialog and folder picker of the program, opened as a click
  // opens it, with the fields that name a folder empty.
  std::vector<TDialog> Dialogs() {
    TfrmHA* batch = GlobalWindows::Get().frmHA;
    return {
        {"photo", [this] { FindNamed<QAction>(*main, "Open1")->trigger(); }},
        {"slide-show package", [this] { main->ConvertSSPEXE1Click(); }},
        {"slide-show save", [this] { main->Allprojects2Click(); }},
        {"places import", [] { GlobalWindows::Get().frmGPS->Import1Click(); }},
        {"batch folder",
         [batch] {
           batch->RootDir->clear();
           batch->Button1->click();
         }},
        {"gallery output", [this] { form->Button1Click(); }},
        {"separation target",
         [this] {
           snaps->Dir->clear();
           FindNamed<QPushButton>(*snaps, "Button1")->click();
         }},
        {"renumbering root",
         [this] {
           specnum->root->clear();
           FindNamed<QPushButton>(*specnum, "Button1")->click();
         }},
        {"resort folder",
         [this] {
           resort->Edit4->clear();
           resort->Button5->click();
         }},
    };
  }

  // The folder the dialog that open brings up shows; the dialog is cancelled.
  static std::string StartOf(const TDialog& dialog) {
    QString start = "(none)";
    OnNextModal<QFileDialog>([&start](QFileDialog& d) {
      start = d.directory().absolutePath();
      d.reject();
    });
    dialog.open();
    return start.toStdString();
  }

  void ShowPhoto(const std::string& photo) {
    ChooseFile(photo);
    FindNamed<QAction>(*main, "Open1")->trigger();
    ASSERT_EQ(main->CurrentFile(), photo);
  }

  TempDir work, homeFolder, photos, last;
  testsupport::ScopedEnv homeVariable{"HOME", homeFolder.Path()};
  ScopedWorkingFolder workingFolder{work.Path()};
  std::unique_ptr<TImgResort> resort;
  std::unique_ptr<Tfrm_specnum> specnum;
  std::unique_ptr<TForm5> snaps;
};

TEST_F(DialogFolders, EveryDialogOpensAtHomeFirstAndThenWhereThePhotoShownIs) {
  for (const TDialog& dialog : Dialogs()) EXPECT_EQ(StartOf(dialog), homeFolder.Path()) << dialog.name;
  ShowPhoto(photos.File("a.jpg"));
  for (const TDialog& dialog : Dialogs()) {
    const std::string start = StartOf(dialog);
    EXPECT_EQ(start, photos.Path()) << dialog.name;
    EXPECT_NE(start, work.Path()) << dialog.name;
  }
}

TEST_F(DialogFolders, WithoutAPhotoShownADialogOpensWhereItWasLastUsed) {
  // The main window's dialogs keep their last folders in the settings; the
  // pickers remember theirs while the program runs.
  const auto storeAndRestart = [this](const std::string& folder) {
    GlobalWindows::Destroy();
    {
      TConfig config;
      config.OpenRegistryDefault(false, "Quillmarsh");
      for (const char* key : {"OpenImgDir", "OpenSSPDir", "SaveSSPDir"}) config.WriteString(key, folder);
    }
    GlobalWindows::Create(false);
    main = GlobalWindows::Get().MainForm;
    form = GlobalWindows::Get().Form2;
  };
  constexpr size_t kStored = 3;
  storeAndRestart(last.Path());
  const std::vector<TDialog> dialogs = Dialogs();
  for (size_t i = 0; i < kStored; ++i) EXPECT_EQ(StartOf(dialogs[i]), last.Path()) << dialogs[i].name;
  testsupport::WriteFileBytes(last.File("mista.gps"), "50.736111|15.739722|1603|Sněžka\r\n");
  for (size_t i = kStored; i < dialogs.size(); ++i) {
    if (std::string(dialogs[i].name) == "places import")
      ChooseFile(last.File("mista.gps"));
    else
      ChooseFolder(last.Path());
    dialogs[i].open();
    EXPECT_EQ(StartOf(dialogs[i]), last.Path()) << dialogs[i].name;
  }

  // A last folder that is gone, or one named relative to the working
  // folder, gives way to the home folder.
  for (const std::string& stored : {last.File("gone"), std::string("build")}) {
    storeAndRestart(stored);
    for (size_t i = 0; i < kStored; ++i)
      EXPECT_EQ(StartOf(Dialogs()[i]), homeFolder.Path()) << Dialogs()[i].name << " " << stored;
  }
}

TEST_F(DialogFolders, APickerWhoseFieldNamesAFolderStartsThere) {
  ShowPhoto(photos.File("a.jpg"));
  snaps->Dir->setText(QString::fromStdString(last.Path()));
  QString start;
  ChooseFolder(last.Path(), &start);
  FindNamed<QPushButton>(*snaps, "Button1")->click();
  EXPECT_EQ(start.toStdString(), last.Path());
}

TEST_F(DialogFolders, ANameTypedWithItsFolderMakesThatFolderTheNextStart) {
  // The dialog shows the home folder; the name typed goes elsewhere.
  ChooseFile(last.File("trip"));
  main->Allprojects2Click();
  QString start;
  QString name = "(none)";
  OnNextModal<QFileDialog>([&](QFileDialog& d) {
    start = d.directory().absolutePath();
    name = FindNamed<QLineEdit>(d, "fileNameEdit")->text();
    d.reject();
  });
  main->Allprojects2Click();
  EXPECT_EQ(start.toStdString(), last.Path());
  EXPECT_EQ(name, "trip");
  main->close();
  TConfig config;
  config.OpenRegistryDefault(false, "Quillmarsh");
  EXPECT_EQ(config.ReadString("SaveSSPDir", ""), last.Path());
}

TEST_F(DialogFolders, ThePlacesPaneShowsItsNamesWhole) {
  for (const TDialog& dialog : Dialogs()) {
    int shown = 0;
    int needed = 1;
    OnNextModal<QFileDialog>([&](QFileDialog& d) {
      const QListView* places = FindNamed<QListView>(d, "sidebar");
      shown = places->viewport()->width();
      needed = places->sizeHintForColumn(0);
      d.reject();
    });
    dialog.open();
    EXPECT_GE(shown, needed) << dialog.name;
  }
}

}  // namespace
