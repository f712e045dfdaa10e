// The main window's gallery generation through its menu item: the gallery
// written, the window's commands held while the run lets events through and
// given back afterwards with the sort box and the image view, the project
// stored; an invalid project, names that would share outputs, an output
// folder that cannot be made, one that holds files of the user's own, and
// the program's temporary folder that cannot be made.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/browser/Main.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/start/GlobalWindows.h"
#include "platform/Environment.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/GlobalWindowsTest.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;

class MainGenerate : public GlobalWindowsTest {
 protected:
  void SetUp() override {
    GlobalWindowsTest::SetUp();
    project = form;
  }

  template <typename T>
  T* Find(const QObject& window, const char* name) {
    return FindNamed<T>(window, name);
  }
  std::string Add(const char* photo, const std::string& name) {
    fs::copy_file(testsupport::PhotoPath(photo), photos.File(name));
    return photos.File(name);
  }
  void Open(const std::string& photo) {
    OnNextModal<QFileDialog>([photo](QFileDialog& dialog) {
      dialog.selectFile(QString::fromStdString(photo));
      static_cast<QDialog&>(dialog).accept();
    });
    Find<QAction>(*main, "Open1")->trigger();
  }
  void Generate() { Find<QAction>(*main, "GenerateCurrentProject1")->trigger(); }
  std::string Status() { return Find<QLabel>(*main, "SBPanel")->text().toStdString(); }
  std::string Html(const std::string& path) const { return photos.File("html/" + path); }

  testsupport::TempDir photos;
  TForm2* project = nullptr;
};

TEST_F(MainGenerate, WritesTheGalleryHoldsTheCommandsAndPutsTheWindowBack) {
  Add("canon-ixus.jpg", "Ixus.JPG");
  const std::string shown = Add("Kodak_CX7530.jpg", "kodak.jpg");
  Add("olympus-c960.jpg", "olympus.jpg");
  Open(shown);
  Find<QLineEdit>(*project, "ProjectName")->setText("Výlet");
  QCheckBox* sort = Find<QCheckBox>(*main, "SortByExposure");
  sort->setChecked(false);
  Find<QPushButton>(*main, "ShowImgButton")->click();
  ASSERT_TRUE(main->FullImageShown());

  // What the window looks like while the run lets events through; with
  // QUILLMARSH_WINDOW_SHOT=<file.png> (under Xvfb) a picture of it is saved.
  const char* shot = std::getenv("QUILLMARSH_WINDOW_SHOT");
  if (shot != nullptr) main->show();
  bool seen = false, openEnabled = true, nextEnabled = true, imageShown = true, sorted = false;
  int maximum = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QProgressBar* gauge = Find<QProgressBar>(*main, "Gauge");
    if (shot != nullptr && gauge->value() == 3) main->grab().save(shot);
    if (seen || gauge->isHidden()) return;
    seen = true;
    openEnabled = Find<QAction>(*main, "Open1")->isEnabled();
    nextEnabled = Find<QToolButton>(*main, "NextFile")->isEnabled();
    imageShown = main->FullImageShown();
    sorted = sort->isChecked();
    maximum = gauge->maximum();
  });
  watch.start(0);
  // A new project is stored after the settings window confirms it.
  OnNextModal<TForm2>([](TForm2& dialog) { dialog.OKButtonClick(); });
  Generate();
  watch.stop();

  ASSERT_TRUE(seen);
  EXPECT_FALSE(openEnabled);
  EXPECT_FALSE(nextEnabled);
  EXPECT_FALSE(imageShown);
  EXPECT_TRUE(sorted);
  EXPECT_EQ(maximum, 4);
  for (const char* file : {"800x600/index.htm", "1024x768/page0001.htm", "th/th_ixus.jpg", "foto/kodak.jpg",
                           "exif/exif_olympus.htm", "800x600/ixus.htm"})
    EXPECT_TRUE(fs::exists(Html(file))) << file;
  EXPECT_TRUE(hook->Boxes().empty());
  EXPECT_EQ(project->ProjectIndex(), 0);
  EXPECT_TRUE(Find<QProgressBar>(*main, "Gauge")->isHidden());
  EXPECT_TRUE(Find<QLabel>(*main, "CompressInfo1")->isHidden());
  EXPECT_TRUE(Find<QAction>(*main, "GenerateCurrentProject1")->isEnabled());
  EXPECT_TRUE(Find<QAction>(*main, "Open1")->isEnabled());
  EXPECT_FALSE(sort->isChecked());
  EXPECT_TRUE(main->FullImageShown());
  EXPECT_EQ(main->CurrentFile(), shown);
  EXPECT_EQ(Status(), "Galerie vygenerována – fotek: 3");

  // A photo that gives no gallery images is counted apart.
  testsupport::WriteFileBytes(photos.File("broken.jpg"), "\xFF\xD8 not a photo");
  Generate();
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(Status(), "Galerie vygenerována – fotek: 3, nezdařilo se: 1");
}

TEST_F(MainGenerate, RefusalsWriteNothingAndAreTold) {
  Add("Kodak_CX7530.jpg", "A.jpg");
  const std::string shown = Add("Kodak_CX7530.jpg", "a.JPG");
  Open(shown);
  // An invalid project opens the settings; a cancel ends the run.
  OnNextModal<TForm2>([](TForm2& dialog) { dialog.reject(); });
  Generate();
  EXPECT_FALSE(fs::exists(Html("")));
  EXPECT_TRUE(hook->Boxes().empty());

  Find<QLineEdit>(*project, "ProjectName")->setText("Výlet");
  Generate();
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text, Language::GetText(640) + "\n\nA.jpg\na.JPG");
  EXPECT_EQ(hook->Boxes()[0].icon, platform::MessageIcon::Error);
  EXPECT_FALSE(fs::exists(Html("")));
  EXPECT_EQ(project->ProjectIndex(), -1);
  EXPECT_EQ(Status(), "Galerie nebyla vygenerována");

  // A file where a subfolder of the gallery belongs.
  fs::remove(photos.File("A.jpg"));
  fs::create_directories(Html(""));
  testsupport::WriteFileBytes(Html("th"), "not a folder");
  Generate();
  ASSERT_EQ(hook->Boxes().size(), 2u);
  EXPECT_EQ(hook->Said()[1], "Chyba|Nelze vytvořit adresář pro html-projekt");
  EXPECT_FALSE(fs::exists(Html("800x600")));
  EXPECT_TRUE(Find<QAction>(*main, "GenerateCurrentProject1")->isEnabled());

  // A folder of the gallery holding the user's own photo.
  fs::remove(Html("th"));
  fs::create_directories(Html("foto"));
  testsupport::WriteFileBytes(Html("foto/a.jpg"), "the user's own photo");
  Generate();
  ASSERT_EQ(hook->Boxes().size(), 3u);
  EXPECT_EQ(hook->Boxes()[2].text, Language::GetText(470) + "\n\nfoto/a.jpg");
  EXPECT_EQ(hook->Boxes()[2].icon, platform::MessageIcon::Error);
  EXPECT_EQ(testsupport::ReadFileBytes(Html("foto/a.jpg")), "the user's own photo");
  EXPECT_FALSE(fs::exists(Html("th")) || fs::exists(Html("800x600")));
  EXPECT_EQ(project->ProjectIndex(), -1);

  // A file where the program's private temporary folder belongs.
  fs::remove_all(Html("foto"));
  const std::string temp = platform::HomeOverride() + "/tmp";
  fs::remove_all(temp);
  testsupport::WriteFileBytes(temp, "not a folder");
  Generate();
  ASSERT_EQ(hook->Boxes().size(), 4u);
  EXPECT_EQ(hook->Said()[3], "Chyba|Složku programu nelze vytvořit:\n\n" + temp + ": Not a directory");
  EXPECT_FALSE(fs::exists(Html("800x600")));
  fs::remove(temp);
}

}  // namespace
