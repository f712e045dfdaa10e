// The main window's slide-show commands: the folder show returning to the
// photo on screen, packages of the current or all projects with the window
// put back as it was, what cannot be packaged, taking a show apart, and the
// player items without a player.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/browser/Main.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/slideshow/SlideShowForm.h"
#include "app/start/GlobalWindows.h"
#include "foundation/AppFolders.h"
#include "foundation/config/cfgtools.h"
#include "gallery/slideshow/FListFile.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "platform/jpeg/JpegWriter.h"
#include "resources/Product.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/GlobalWindowsTest.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

// Photos of one colour each, told apart by their red part.
void WritePhoto(const std::string& path, int red) {
  platform::Bitmap picture;
  picture.width = 64;
  picture.height = 48;
  for (int i = 0; i < 64 * 48; ++i)
    for (int part : {red, 40, 40}) picture.pixels.push_back(static_cast<uint8_t>(part));
  ASSERT_TRUE(platform::WriteJpegFile(picture, path, 95));
}

int RedShown(const TSlideShow& show) {
  const QImage image = show.Img->pixmap().toImage();
  return image.isNull() ? -1 : QColor(image.pixel(image.width() / 2, image.height() / 2)).red();
}

// The projects of a package: title and picture count.
std::vector<std::pair<std::string, int>> ProjectsOf(const std::string& package) {
  TSlideShowWorkDir work;
  TSlideShowPackage reader;
  std::vector<std::pair<std::string, int>> projects;
  if (reader.Open(package, work) != TSlideShowPackage::TOpenResult::Opened) return projects;
  for (const TSlideShowProject& project : reader.Projects())
    projects.emplace_back(project.Title, project.Count);
  return projects;
}

class MainSlideShow : public GlobalWindowsTest {
 protected:

  std::string Folder(const std::string& name) const { return dir.File(name); }
  // Photos p0.jpg ... in folder, of red 40, 80, 120 ...
  std::vector<std::string> Photos(const std::string& folder, int count) {
    fs::create_directories(Folder(folder));
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      paths.push_back(Folder(folder) + "/p" + std::to_string(i) + ".jpg");
      WritePhoto(paths.back(), 40 * (i + 1));
    }
    return paths;
  }
  void StoreProject(const std::string& name, const std::string& folder) {
    THtmlProject project;
    project.ProjectName = name;
    project.PhotoFolder = Folder(folder);
    project.HtmlDir = Folder("web/" + folder);
    project.Shortcut = folder;
    int index = -1;
    ASSERT_TRUE(HtmlProjectSettings::WriteProject(project, index));
  }
  void Open(const std::string& photo) {
    OnNextModal<QFileDialog>([photo](QFileDialog& dialog) {
      dialog.selectFile(QString::fromStdString(photo));
      static_cast<QDialog&>(dialog).accept();
    });
    FindNamed<QAction>(*main, "Open1")->trigger();
  }
  // Runs a command whose next file dialog is answered with path; with
  // replacing, the dialog's question whether to replace the file is
  // answered Yes.
  void Answering(const std::string& path, const char* item, bool replacing = false) {
    OnNextModal<QFileDialog>([path, replacing](QFileDialog& dialog) {
      if (replacing)
        OnNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
      dialog.selectFile(QString::fromStdString(path));
      static_cast<QDialog&>(dialog).accept();
    });
    FindNamed<QAction>(*main, item)->trigger();
  }

  testsupport::TempDir dir;
};

TEST_F(MainSlideShow, FolderShowStartsAtThePhotoAndReturnsToTheOneOnScreen) {
  const std::vector<std::string> photos = Photos("trip", 4);
  WriteFileBytes(Folder("trip/p1.exif"), "side file");
  Open(photos[1]);
  ASSERT_EQ(main->Files().size(), 5u);
  std::vector<int> reds;
  std::string overlay;
  std::function<void()> drive = [&] {
    auto* show = dynamic_cast<TSlideShow*>(main->findChild<QWidget*>("SlideShow"));
    if (show == nullptr || show->ShownIndex() < 0 || show->Preparing()) {
      QTimer::singleShot(1, drive);
      return;
    }
    EXPECT_FALSE(show->Menu());  // no player here, and no picker
    overlay = show->ExposureLabel->text().toStdString();
    reds.push_back(RedShown(*show));
    QTest::keyClick(show, Qt::Key_Space);
    QTest::keyClick(show, Qt::Key_Space);
    reds.push_back(RedShown(*show));
    QTest::mouseClick(show->Img, Qt::RightButton);  // does nothing here
    QTest::keyClick(show, Qt::Key_Escape);
  };
  QTimer::singleShot(0, drive);
  FindNamed<QAction>(*main, "SlideShow1")->trigger();
  ASSERT_EQ(reds.size(), 2u);
  EXPECT_NEAR(reds[0], 80, 8);
  EXPECT_NEAR(reds[1], 160, 8);
  EXPECT_EQ(overlay, "2/4");  // the side file is no picture
  EXPECT_EQ(main->CurrentFile(), photos[3]);
  EXPECT_TRUE(FindNamed<QAction>(*main, "SlideShow1")->isEnabled());
  EXPECT_EQ(main->findChild<QWidget*>("SlideShow"), nullptr);
}

TEST_F(MainSlideShow, PackagesTheCurrentOrEveryProjectAndPutsTheWindowBack) {
  const std::vector<std::string> hills = Photos("hills", 2);
  Photos("town", 1);
  fs::create_directories(Folder("empty"));
  StoreProject("Hory", "hills");
  StoreProject("Město", "town");
  StoreProject("Prázdný", "empty");
  fs::create_directories(Folder("out"));
  Open(hills[1]);
  ASSERT_EQ(form->ProjectIndex(), 0);
  // An edit of the project not saved yet survives the packaging.
  form->ProjectName->setText("Hory a doly");
  form->FieldChange();
  const TProjectState before = form->Snapshot();

  const auto status = [this] { return FindNamed<QLabel>(*main, "SBPanel")->text().toStdString(); };
  Answering(Folder("out/hills.ssp"), "Onlycurrentproject2");
  EXPECT_EQ(ProjectsOf(Folder("out/hills.ssp")),
            (std::vector<std::pair<std::string, int>>{{"Hory", 2}}));
  EXPECT_EQ(status(), "Prezentace uložena – projektů: 1, obrázků: 2");
  Answering(Folder("out/all"), "Allprojects2");  // no extension: the package's
  EXPECT_EQ(ProjectsOf(Folder("out/all.ssp")),
            (std::vector<std::pair<std::string, int>>{{"Hory", 2}, {"Město", 1}}));
  EXPECT_EQ(status(), "Prezentace uložena – projektů: 2, obrázků: 3");
  EXPECT_EQ(hook->Said(), std::vector<std::string>{});

  const TProjectState after = form->Snapshot();
  EXPECT_EQ(after.ProjectIndex, 0);
  EXPECT_TRUE(after.Unsaved);
  EXPECT_EQ(after.Values.ProjectName, before.Values.ProjectName);
  EXPECT_EQ(after.Values.PhotoFolder, before.Values.PhotoFolder);
  EXPECT_EQ(form->ProjectName->text(), "Hory a doly");
  EXPECT_EQ(main->ImageDir(), Folder("hills"));
  EXPECT_EQ(main->Files().size(), 2u);
  EXPECT_EQ(main->CurrentFile(), hills[1]);
  EXPECT_TRUE(FindNamed<QAction>(*main, "Allprojects2")->isEnabled());
  EXPECT_TRUE(FindNamed<QAction>(*main, "Onlycurrentproject2")->isEnabled());
  EXPECT_FALSE(main->Gauge->isVisible());
  // The save dialog's folder is remembered.
  main->SaveSettings();
  TConfig config;
  config.OpenRegistryDefault(false, resources::kProductName);
  EXPECT_EQ(config.ReadString("SaveSSPDir", ""), Folder("out"));
}

TEST_F(MainSlideShow, WhatCannotBePackagedIsToldAndLeavesOldFilesAlone) {
  const std::vector<std::string> photos = Photos("trip", 1);
  fs::create_directories(Folder("empty"));
  StoreProject("Výlet", "trip");
  StoreProject("Prázdný", "empty");
  StoreProject("Ztracený", "gone");
  Open(Folder("trip/p0.jpg"));
  WriteFileBytes(Folder("out.ssp"), "old package");

  // The folder of the current project holds no photo any more.
  fs::remove(photos[0]);
  Answering(Folder("out.ssp"), "Onlycurrentproject2", true);
  EXPECT_EQ(hook->Said(),
            (std::vector<std::string>{
                "Chyba uploadu|Nemohu načíst definici projektu: \"Ztracený\"",
                "Informace|Ve vybraných projektech nejsou žádné fotky, prezentace nebyla "
                "vytvořena."}));
  EXPECT_EQ(ReadFileBytes(Folder("out.ssp")), "old package");
  EXPECT_EQ(FindNamed<QLabel>(*main, "SBPanel")->text(), "Prezentace nebyla uložena");

  // The language file in force has gone since it was loaded.
  WritePhoto(photos[0], 50);
  WriteFileBytes(Folder("English.lng"), "[Language]\r\nDescription=English\r\n");
  Language::LoadLanguage(Folder("English.lng"));
  fs::remove(Folder("English.lng"));
  Answering(Folder("out.ssp"), "Allprojects2", true);
  Language::LoadLanguage("DEFAULT");
  ASSERT_EQ(hook->Said().size(), 4u);
  EXPECT_EQ(hook->Said()[3].rfind("Chyba|Prezentaci nelze uložit:\n\n" + Folder("out.ssp"), 0), 0u)
      << hook->Said()[3];
  EXPECT_EQ(ReadFileBytes(Folder("out.ssp")), "old package");
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    EXPECT_NE(entry.path().filename().string().rfind(".~qm", 0), 0u) << entry.path();
}

TEST_F(MainSlideShow, TakesThePackageOutOfAShow) {
  TSlideShowSource source;
  source.Project.Title = "Výlet";
  source.Photos = Photos("trip", 2);
  ASSERT_EQ(SlideShowPackage::Write(Folder("trip.run"), {source}, "", QUILLMARSH_PLAYER, {}),
            TPackageResult::Written);
  Answering(Folder("trip.run"), "ExtractSSPfromexecutable1");
  EXPECT_EQ(ProjectsOf(Folder("trip.ssp")),
            (std::vector<std::pair<std::string, int>>{{"Výlet", 2}}));
  TFListFile package;
  ASSERT_TRUE(package.OpenRead(Folder("trip.ssp")));
  EXPECT_EQ(package.TrailerBase(), 0u);
  EXPECT_EQ(hook->Said(), std::vector<std::string>{"Informace|Hotovo"});
}

TEST_F(MainSlideShow, AFileThatIsNoShowGivesNoPackage) {
  WriteFileBytes(Folder("plain.run"), "no show");
  Answering(Folder("plain.run"), "ExtractSSPfromexecutable1");
  EXPECT_EQ(hook->Said(), std::vector<std::string>{"Chyba|Hotovo"});
  EXPECT_FALSE(fs::exists(Folder("plain.ssp")));
}

TEST_F(MainSlideShow, WithoutAPlayerTheShowItemsAreOffAndFailuresAreTold) {
  // This test program carries no player and has none beside it.
  EXPECT_FALSE(FindNamed<QAction>(*main, "Saveplayer1")->isEnabled());
  EXPECT_FALSE(FindNamed<QAction>(*main, "ConvertSSPEXE1")->isEnabled());
  EXPECT_TRUE(FindNamed<QAction>(*main, "ExtractSSPfromexecutable1")->isEnabled());
  main->Saveplayer1Click();
  TSlideShowSource source;
  source.Project.Title = "p";
  source.Photos = Photos("trip", 1);
  ASSERT_EQ(SlideShowPackage::Write(Folder("trip.ssp"), {source}, "", "", {}),
            TPackageResult::Written);
  OnNextModal<QFileDialog>([this](QFileDialog& dialog) {
    dialog.selectFile(QString::fromStdString(Folder("trip.ssp")));
    static_cast<QDialog&>(dialog).accept();
  });
  main->ConvertSSPEXE1Click();
  EXPECT_EQ(hook->Said(),
            (std::vector<std::string>{
                "Chyba|Přehrávač prezentací nelze uložit do složky programu:\n\n" +
                    AppFolders::ProgramFolder(),
                "Chyba|Hotovo"}));
  EXPECT_TRUE(fs::exists(Folder("trip.ssp")));
  EXPECT_FALSE(fs::exists(Folder("trip.run")));
}

}  // namespace
