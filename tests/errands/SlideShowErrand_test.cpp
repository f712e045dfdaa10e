// Errand: the photographer packs the trip's project as a self-running slide
// show in the main window, then plays the show on a screen of its own as a
// real process, steps through it with the keys and stops it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "app/projects/HtmlProjectSettings.h"
#include "app/widgets/JpegImage.h"
#include "gallery/slideshow/FListFile.h"
#include "tests/errands/Errand.h"
#include "tests/support/XvfbScreen.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"

namespace {

namespace fs = std::filesystem;
using testsupport::XvfbScreen;
using errand::ChooseMenu;
using Names = std::vector<std::string>;

// The trip's photos, as the camera named them.
const char* const kTrip[] = {"gps_DSCN0010.jpg", "canon-ixus.jpg", "olympus-c960.jpg"};

// How far apart two pictures are: their mean colour difference, 0 to 255,
// on a coarse grid, so that JPEG's small losses count for little.
double Distance(const QImage& a, const QImage& b) {
  const QSize grid(40, 30);
  const QImage x = a.scaled(grid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage y = b.scaled(grid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  double sum = 0;
  for (int row = 0; row < grid.height(); ++row)
    for (int col = 0; col < grid.width(); ++col) {
      const QColor p(x.pixel(col, row));
      const QColor q(y.pixel(col, row));
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
             std::abs(p.blue() - q.blue());
    }
  return sum / (grid.width() * grid.height() * 3);
}

class SlideShowErrand : public errand::ErrandTest {
 protected:
  // The message boxes answered and kept; installed once the application has
  // put the real ones in place.
  void SetUp() override {
    ErrandTest::SetUp();
    boxes = std::make_unique<ScopedMessageHook>();
  }

  std::string Folder(const std::string& name) const { return dir.File(name); }

  // The trip's photos copied into the folder "trip".
  std::vector<std::string> CopyTrip() {
    fs::create_directories(Folder("trip"));
    std::vector<std::string> photos;
    for (const char* name : kTrip) {
      photos.push_back(Folder("trip/") + name);
      fs::copy_file(testsupport::PhotoPath(name), photos.back());
    }
    return photos;
  }

  // File > Open, the photo chosen in the file dialog.
  void OpenPhoto(TMainForm& main, const std::string& photo) {
    ChooseFile(photo);
    ChooseMenu(main, {Text("Soubor", "File"), Text("Otevři", "Open")});
  }

  // File > Save project: a new project asks for its settings first, where
  // the user names it and confirms.
  void SaveProject(TMainForm& main, const QString& name) {
    OnNextModal<TForm2>([name](TForm2& settings) {
      QTest::keyClicks(settings.ProjectName, name);
      EXPECT_TRUE(settings.OKButton->isEnabled());
      QTest::mouseClick(settings.OKButton, Qt::LeftButton);
    });
    ChooseMenu(main, {Text("Soubor", "File"), Text("Ulož projekt", "Save project")});
  }

  // Publish > Self-running slide show > item, saved under path in the save
  // dialog with the file type filter chosen.
  void PackShow(TMainForm& main, const QString& item, const std::string& path,
                const QString& filter) {
    OnNextModal<QFileDialog>([path, filter](QFileDialog& dialog) {
      EXPECT_TRUE(dialog.nameFilters().contains(filter)) << dialog.nameFilters().join(";").toStdString();
      dialog.selectNameFilter(filter);
      dialog.selectFile(QString::fromStdString(path));
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    ChooseMenu(main, {Text("Zveřejnění", "Publish"),
                      Text("Spustitelná prezentace", "Self-running slide show"), item});
  }

  // The name of the photo the screen shows, centred as the show puts it;
  // empty when it shows none of photos.
  static std::string PhotoOnScreen(const QImage& shot, const std::vector<std::string>& photos) {
    const QSize screen = shot.size();
    for (size_t i = 0; i < photos.size(); ++i) {
      const QImage picture = JpegImage::LoadFitted(photos[i], screen);
      if (picture.isNull()) continue;
      const QRect at(QPoint((screen.width() - picture.width()) / 2,
                            (screen.height() - picture.height()) / 2),
                     picture.size());
      if (!shot.isNull() && Distance(shot.copy(at), picture) < 12)
        return fs::path(photos[i]).filename().string();
    }
    return "";
  }

  // Waits for the screen to differ from before and to settle; that picture,
  // a null one when it did not change in ten seconds.
  static QImage AwaitChange(const XvfbScreen& screen, const QImage& before) {
    QImage settled;
    QImage last;
    testsupport::XvfbAwait([&] {
      const QImage shot = screen.Shot();
      const bool changed = !shot.isNull() && (before.isNull() || Distance(shot, before) > 3);
      if (changed && !last.isNull() && Distance(shot, last) < 1) settled = shot;
      last = changed ? shot : QImage();
      return !settled.isNull();
    });
    return settled;
  }

  // Presses key in the show and waits for the next picture. A key pressed
  // while the show still prepares the picture after the one on screen is
  // dropped by the show and leaves it where it was: pressed again then.
  QImage Step(const XvfbScreen& screen, const std::string& key, const QImage& before) {
    for (int tries = 0; tries < 3; ++tries) {
      screen.Keys(key);
      const QImage next = AwaitChange(screen, before);
      if (!next.isNull()) return next;
    }
    return {};
  }

  testsupport::TempDir dir;
  std::unique_ptr<ScopedMessageHook> boxes;
};

TEST_P(SlideShowErrand, PacksTheTripAsASelfRunningShowAndPlaysItWithTheKeys) {
  std::vector<std::string> photos = CopyTrip();
  if (Damaged())
    photos.push_back(
        errand::AddDamagedPhoto(Folder("trip"), testsupport::PhotoPath("nikon-e950.jpg")));
  TMainForm& main = StartProgram();

  // The trip's folder, opened at its first photo, becomes a project.
  OpenPhoto(main, photos[0]);
  SaveProject(main, "Toskana 2008");
  ASSERT_EQ(GlobalWindows::Get().Form2->ProjectIndex(), 0);

  // Publish > Self-running slide show > Current project only, saved as
  // "trip-show" with the self-running type chosen: the show takes its
  // extension and can be started as it is.
  PackShow(main, Text("Jen aktuální projekt", "Current project only"), Folder("trip-show"),
           Text("Spustitelná prezentace (*.run)", "Self-running slide show (*.run)"));
  EXPECT_EQ(boxes->Said(), Names{});
  const std::string show = Folder("trip-show.run");
  ASSERT_TRUE(fs::exists(show));
  struct stat mode {};
  ASSERT_EQ(stat(show.c_str(), &mode), 0);
  EXPECT_NE(mode.st_mode & S_IXUSR, 0u);
  // The show speaks the language the program speaks.
  TFListFile package;
  ASSERT_TRUE(package.OpenRead(show));
  EXPECT_EQ(package.EntryName(1), English() ? "English.lng" : "empty.lng");
  package.Close();

  // The show played on a screen of its own, as a program of its own.
  XvfbScreen screen(dir);
  ASSERT_TRUE(screen.Up());
  const auto player = screen.Start(show, {}, "show");
  ASSERT_TRUE(screen.AwaitWindow(Text("Nabídka prezentace", "Slide show menu"))) << player->Log();
  // A long interval, so that only the keys move the show on; Enter plays
  // the first project.
  screen.Keys("Tab");
  screen.Type("99");
  screen.Keys("Return");
  QImage shown;
  ASSERT_TRUE(testsupport::XvfbAwait([&] {
    shown = screen.Shot();
    return !PhotoOnScreen(shown, photos).empty();
  })) << "the show showed no photo\n" << player->Log();
  Names seen = {PhotoOnScreen(shown, photos)};
  for (const char* key : {"space", "Return", "space", "space"}) {
    shown = Step(screen, key, shown);
    ASSERT_FALSE(shown.isNull()) << "the show did not move on after " << key << "\n" << player->Log();
    seen.push_back(PhotoOnScreen(shown, photos));
  }
  // The photos in the order they were taken, as the main window lists them,
  // then from the start again; a photo that cannot be shown is passed over.
  EXPECT_EQ(seen, (Names{"olympus-c960.jpg", "canon-ixus.jpg", "gps_DSCN0010.jpg",
                         "olympus-c960.jpg", "canon-ixus.jpg"}))
      << player->Log();

  // Esc ends the show and brings back the menu; Esc there ends the player,
  // which leaves no work files behind.
  screen.Keys("Escape");
  ASSERT_TRUE(screen.AwaitWindow(Text("Nabídka prezentace", "Slide show menu"))) << player->Log();
  screen.Keys("Escape");
  EXPECT_EQ(player->Wait(), 0) << player->Log();
  for (const auto& entry : fs::directory_iterator(home.Path() + "/tmp"))
    EXPECT_NE(entry.path().filename().string().rfind("slideshow-", 0), 0u) << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Runs, SlideShowErrand, errand::kVariants, errand::VariantName);

}  // namespace
