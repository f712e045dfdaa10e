// The slide-show windows: a show of photos advanced by keys, clicks and its
// timer; the overlay line; the player's menu, its projects and the picker;
// the player's errors; full screen.
#include "app/slideshow/SlideShowForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/slideshow/SlideShowProjects.h"
#include "app/slideshow/SlideThumbListForm.h"
#include "app/slideshow/sfullscr.h"
#include "foundation/config/cfgtools.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "metadata/exif.h"
#include "platform/jpeg/JpegWriter.h"
#include "resources/Product.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/TestPhotos.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

const QColor kColours[] = {QColor(220, 30, 30), QColor(30, 200, 30), QColor(30, 30, 220),
                           QColor(220, 220, 30)};

std::string SolidPhoto(const TempDir& dir, const std::string& name, QColor colour,
                       int width = 160, int height = 120) {
  platform::Bitmap picture;
  picture.width = width;
  picture.height = height;
  for (int i = 0; i < width * height; ++i)
    for (int part : {colour.red(), colour.green(), colour.blue()})
      picture.pixels.push_back(static_cast<uint8_t>(part));
  EXPECT_TRUE(platform::WriteJpegFile(picture, dir.File(name), 95));
  return dir.File(name);
}

// The colour of the picture on screen; -1 when it is none of kColours.
int ColourShown(const TSlideShow& show) {
  const QImage image = show.Img->pixmap().toImage();
  if (image.isNull()) return -1;
  const QColor got(image.pixel(image.width() / 2, image.height() / 2));
  for (int i = 0; i < 4; ++i) {
    const QColor& c = kColours[i];
    if (std::abs(got.red() - c.red()) < 30 && std::abs(got.green() - c.green()) < 30 &&
        std::abs(got.blue() - c.blue()) < 30)
      return i;
  }
  return -1;
}

// Calls act once the show has put a picture on screen and prepared the
// next, from the show's own event loop; stops the show afterwards, so that
// Run returns whatever act did.
void WhenShown(TSlideShow& show, std::function<void()> act, int tries = 3000) {
  QTimer::singleShot(tries == 3000 ? 0 : 1, &show, [&show, act, tries] {
    if (show.ShownIndex() >= 0 && !show.Preparing()) {
      act();
      show.Stop();
    } else if (tries > 0) {
      WhenShown(show, act, tries - 1);
    } else {
      ADD_FAILURE() << "no picture came on screen";
      show.Stop();
    }
  });
}

// Waits in the show's loop until its picture changes from before.
bool AwaitNext(const TSlideShow& show, int before) {
  return QTest::qWaitFor([&] { return show.ShownIndex() != before && !show.Preparing(); }, 5000);
}

class SlideShowTest : public ::testing::Test {
 protected:
  void SetUp() override { WindowTestApp(); }

  std::vector<std::string> Photos(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
      paths.push_back(SolidPhoto(dir, "p" + std::to_string(i) + ".jpg", kColours[i]));
    return paths;
  }

  TempDir dir;
};

TEST_F(SlideShowTest, KeysAndClicksAdvanceWrapAndStop) {
  TSlideShow show;
  show.Items() = Photos(3);
  show.SetOverlayFlags(SlideShowOverlay::kCounter);
  std::vector<int> seen;
  WhenShown(show, [&] {
    EXPECT_TRUE(show.isVisible());
    EXPECT_TRUE(show.FS->Fullscreen());
    EXPECT_TRUE(show.windowState() & Qt::WindowFullScreen);
    seen.push_back(ColourShown(show));
    EXPECT_EQ(show.ExposureLabel->text(), "2/3");
    EXPECT_EQ(show.CurrentIndex(), 2);  // the next one is prepared
    QTest::keyClick(&show, Qt::Key_Space);
    seen.push_back(ColourShown(show));
    QTest::keyClick(&show, Qt::Key_Return);  // after the third, the first
    seen.push_back(ColourShown(show));
    EXPECT_EQ(show.ExposureLabel->text(), "1/3");
    QTest::mouseClick(show.Img, Qt::LeftButton);
    seen.push_back(ColourShown(show));
    // No picker in a folder show: the right button does nothing.
    QTest::mouseClick(show.Img, Qt::RightButton);
    seen.push_back(ColourShown(show));
    QTest::mouseClick(show.Img, Qt::MiddleButton);
    EXPECT_FALSE(show.isVisible());
  });
  show.Run(1);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1, 1}));
  EXPECT_EQ(show.ShownIndex(), 1);
  EXPECT_FALSE(show.FS->Fullscreen());
  EXPECT_FALSE(show.Timer1->isActive());
}

TEST_F(SlideShowTest, EscStopsAndTheMouseCanBeOff) {
  TSlideShow show;
  show.Items() = Photos(2);
  show.SetMouseOn(false);
  WhenShown(show, [&] {
    QTest::mouseClick(show.Img, Qt::LeftButton);
    QTest::mouseClick(show.Img, Qt::MiddleButton);
    EXPECT_EQ(show.ShownIndex(), 0);
    EXPECT_TRUE(show.isVisible());
    QTest::keyClick(&show, Qt::Key_Escape);
    EXPECT_FALSE(show.isVisible());
  });
  show.Run(0);
  EXPECT_EQ(show.ShownIndex(), 0);
}

TEST_F(SlideShowTest, TheTimerAdvancesUnlessItIsOff) {
  TSlideShow show;
  show.Items() = Photos(2);
  show.SetInterval(0);  // only the overlay's quarter second
  WhenShown(show, [&] {
    EXPECT_TRUE(show.Timer1->isActive());
    EXPECT_LE(show.Timer1->interval(), 250);
    EXPECT_TRUE(AwaitNext(show, 0));
    EXPECT_EQ(ColourShown(show), 1);
  });
  show.Run(0);

  TSlideShow still;
  still.Items() = Photos(2);
  still.SetTimerOn(false);
  WhenShown(still, [&] { EXPECT_FALSE(still.Timer1->isActive()); });
  still.Run(0);
}

TEST_F(SlideShowTest, PicturesThatDoNotLoadAreSkipped) {
  std::vector<std::string> items = Photos(2);
  WriteFileBytes(dir.File("broken.jpg"), "not a picture");
  items.insert(items.begin() + 1, dir.File("broken.jpg"));
  items.push_back(dir.File("missing.jpg"));
  TSlideShow show;
  show.Items() = items;
  std::vector<int> shown;
  WhenShown(show, [&] {
    shown.push_back(show.ShownIndex());
    QTest::keyClick(&show, Qt::Key_Space);
    shown.push_back(show.ShownIndex());
    QTest::keyClick(&show, Qt::Key_Space);
    shown.push_back(show.ShownIndex());
  });
  show.Run(0);
  EXPECT_EQ(shown, (std::vector<int>{0, 2, 0}));

  // Nothing to show: the show ends at once and says so; an empty list
  // never starts.
  const ScopedMessageHook boxes;
  TSlideShow none;
  none.Items() = {dir.File("broken.jpg")};
  none.Run(0);
  EXPECT_FALSE(none.isVisible());
  EXPECT_EQ(none.ShownIndex(), -1);
  EXPECT_EQ(boxes.Said(), (std::vector<std::string>{"SlideShow Error|" + Language::GetText(738)}));
  TSlideShow empty;
  empty.Run(0);
  EXPECT_FALSE(empty.Running());
}

TEST_F(SlideShowTest, PhotosStandUpright) {
  TSlideShow show;
  show.Items() = {testsupport::CopyPhoto("orientation_portrait_6.jpg", dir)};
  WhenShown(show, [&] {
    const QSize shown = show.Img->pixmap().size();
    EXPECT_LT(shown.width(), shown.height());  // stored 600 x 450
  });
  show.Run(0);
}

TSlideShowSource Project(const std::string& title, std::vector<std::string> photos) {
  TSlideShowSource source;
  source.Project.Title = title;
  source.Photos = std::move(photos);
  return source;
}

class PlayerTest : public SlideShowTest {
 protected:
  void SetUp() override {
    SlideShowTest::SetUp();
    boxes = std::make_unique<ScopedMessageHook>();
  }

  // A package of two projects: one photo, then three with a date and a
  // comment on the second.
  std::string Package() {
    const std::vector<std::string> photos = Photos(4);
    const std::string dated = dir.File("dated.jpg");
    fs::copy_file(testsupport::PhotoPath("Pentax_K10D.jpg"), dated);
    TExifReader writer;
    EXPECT_TRUE(writer.ReadFromFile(dated));
    writer.SetUserComment(std::string(300, 'w'));
    EXPECT_TRUE(writer.SaveChanges());
    const std::string path = dir.File("show.ssp");
    EXPECT_EQ(SlideShowPackage::Write(path,
                                      {Project("Jedna", {photos[0]}),
                                       Project("Tři", {photos[1], dated, photos[2]})},
                                      "", "", {}),
              TPackageResult::Written);
    return path;
  }
  std::unique_ptr<ScopedMessageHook> boxes;
};

TEST_F(PlayerTest, PlaysTheChosenProjectWithTheMenusChoices) {
  TSlideShow show;
  ASSERT_TRUE(show.LoadPlayerData({Package()}));
  TSlideShowList& menu = *show.Menu();
  ASSERT_EQ(menu.SG->rowCount(), 2);
  EXPECT_EQ(menu.SG->item(1, 0)->text(), "Tři");
  EXPECT_EQ(menu.Mouse->text(), "Myš");
  EXPECT_EQ(menu.Test->text(), "Testovací řádek");
  EXPECT_EQ(menu.Interval->text(), "5");
  menu.Interval->selectAll();
  QTest::keyClicks(menu.Interval, "0");
  menu.TimeInterval->setChecked(false);

  std::vector<std::string> lines;
  WhenShown(show, [&] {
    EXPECT_EQ(show.Interval(), 1000);
    EXPECT_FALSE(show.TimerOn());
    EXPECT_EQ(show.Items(), (std::vector<std::string>{"*5", "*8", "*11"}));
    lines.push_back(show.ExposureLabel->text().toStdString());
    QTest::keyClick(&show, Qt::Key_Space);
    lines.push_back(show.ExposureLabel->text().toStdString());
    EXPECT_LE(show.ExposureLabel->width(), show.width() - 30);
    EXPECT_FALSE(show.Timer1->isActive());
  });
  show.StartProject(1);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "1/3");
  // The date and the comment, shortened to the screen.
  EXPECT_EQ(lines[1].rfind("2/3   04.05.2008  16:47:24   www", 0), 0u) << lines[1];
  EXPECT_EQ(lines[1].substr(lines[1].size() - 3), "...");
  EXPECT_LT(lines[1].size(), 250u);
  EXPECT_EQ(show.Picker(), nullptr);
  EXPECT_FALSE(show.ExposureLabel->isVisible());
}

TEST_F(PlayerTest, ThePickerJumpsToAPictureOrStopsTheShow) {
  TSlideShow show;
  ASSERT_TRUE(show.LoadPlayerData({Package()}));
  show.Menu()->TimeInterval->setChecked(false);
  std::vector<int> shown;
  bool drawnLazily = false;
  WhenShown(show, [&] {
    OnNextModal<TSlideThumbListForm>([&](TSlideThumbListForm& picker) {
      EXPECT_EQ(picker.windowTitle(), "Seznam náhledů");
      EXPECT_TRUE(picker.windowState() & Qt::WindowFullScreen);
      ASSERT_TRUE(QTest::qWaitFor([&] { return picker.Drawn(2); }));
      drawnLazily = true;
      picker.DG->setCurrentIndex(picker.DG->model()->index(0, 2));
      picker.OkButton->click();
    });
    QTest::mouseClick(show.Img, Qt::RightButton);
    shown.push_back(show.ShownIndex());
    shown.push_back(ColourShown(show));
    OnNextModal<TSlideThumbListForm>([](TSlideThumbListForm& picker) { picker.BitBtn1->click(); });
    QTest::mouseClick(show.Img, Qt::RightButton);
    EXPECT_FALSE(show.isVisible());
  });
  show.StartProject(1);
  EXPECT_TRUE(drawnLazily);
  EXPECT_EQ(shown, (std::vector<int>{2, 2}));

  TConfig config;
  config.OpenRegistryDefault(false, resources::kProductName);
  config.SetSection("SlideShow\\ThumbWinPos");
  EXPECT_GT(config.ReadInteger("Width", -1), 0);
}

// The mean grey of row (or column) i of a cell's picture.
double LineGrey(const QImage& image, int i, bool column) {
  double sum = 0;
  const int count = column ? image.height() : image.width();
  for (int k = 0; k < count; ++k) sum += qGray(column ? image.pixel(i, k) : image.pixel(k, i));
  return sum / count;
}

// The picker's cells show the middle of each picture's thumbnail, neither
// squeezed nor stretched: a portrait loses its top and bottom, a panorama
// its sides.
TEST_F(PlayerTest, ThePickersCellsShowTheMiddleOfEachPictureUndistorted) {
  WriteGradientPhoto(dir.File("portrait.jpg"), 400, 600);
  WriteGradientPhoto(dir.File("panorama.jpg"), 1000, 400, true);
  const std::string path = dir.File("shapes.ssp");
  ASSERT_EQ(SlideShowPackage::Write(path, {Project("Tvary", {dir.File("portrait.jpg"), dir.File("panorama.jpg")})},
                                    "", "", {}),
            TPackageResult::Written);
  TSlideShow show;
  ASSERT_TRUE(show.LoadPlayerData({path}));
  show.Menu()->TimeInterval->setChecked(false);
  std::vector<QImage> cells;
  WhenShown(show, [&] {
    OnNextModal<TSlideThumbListForm>([&](TSlideThumbListForm& picker) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return picker.Drawn(0) && picker.Drawn(1); }));
      cells = picker.IL;
      picker.CancelButton->click();
    });
    QTest::mouseClick(show.Img, Qt::RightButton);
  });
  show.StartProject(0);
  ASSERT_EQ(cells.size(), 2u);
  for (const QImage& cell : cells) EXPECT_EQ(cell.size(), QSize(100, 75));
  // Thumbnails of 80 x 120 and 160 x 64: their middle 60 rows, 85 columns.
  EXPECT_NEAR(LineGrey(cells[0], 0, false), 255 * 30.5 / 120, 4);
  EXPECT_NEAR(LineGrey(cells[0], 74, false), 255 * 89.6 / 120, 4);
  EXPECT_NEAR(LineGrey(cells[1], 0, true), 255 * 37.5 / 160, 4);
  EXPECT_NEAR(LineGrey(cells[1], 99, true), 255 * 121.6 / 160, 4);
}

// Pictures of a package that do not decode are skipped while fewer than a
// run of them come in a row; a run ends the show, once the picture on
// screen has been seen, with a message.
TEST_F(PlayerTest, ARunOfPicturesThatDoNotDecodeEndsTheShowWithAMessage) {
  const std::string good = SolidPhoto(dir, "good.jpg", kColours[0]);
  const std::string junk = dir.File("junk.jpg");
  WriteFileBytes(junk, "\xFF\xD8 no picture");
  WriteFileBytes(dir.File("empty.lng"), std::string(1, '\0'));
  WriteFileBytes(dir.File("p.inf"), "");
  WriteFileBytes(dir.File("tn_p.jpg"), "");
  // good, a run one short, good, a whole run, good.
  std::vector<std::string> pictures{good};
  for (int run : {TSlideShow::kFailedRun - 1, TSlideShow::kFailedRun}) {
    pictures.insert(pictures.end(), static_cast<size_t>(run), junk);
    pictures.push_back(good);
  }
  TSlideShowProject project;
  project.Count = static_cast<int32_t>(pictures.size());
  const auto record = project.Encode();
  WriteFileBytes(dir.File("ssplist.tmp"), std::string(record.begin(), record.end()));
  {
    TFListFile container;
    container.OpenWrite(dir.File("junk.ssp"));
    container.AddFile(dir.File("ssplist.tmp"));
    container.AddFile(dir.File("empty.lng"));
    for (const std::string& picture : pictures)
      for (const std::string& file : {dir.File("p.inf"), dir.File("tn_p.jpg"), picture})
        container.AddFile(file);
  }
  TSlideShow show;
  ASSERT_TRUE(show.LoadPlayerData({dir.File("junk.ssp")}));
  show.Menu()->TimeInterval->setChecked(false);
  std::vector<int> shown;
  WhenShown(show, [&] {
    shown.push_back(show.ShownIndex());
    QTest::keyClick(&show, Qt::Key_Space);
    shown.push_back(show.ShownIndex());
    EXPECT_TRUE(show.isVisible());
    EXPECT_TRUE(boxes->Said().empty());
    QTest::keyClick(&show, Qt::Key_Space);
    EXPECT_FALSE(show.isVisible());
  });
  show.StartProject(0);
  EXPECT_EQ(shown, (std::vector<int>{0, TSlideShow::kFailedRun}));
  EXPECT_EQ(boxes->Said(), (std::vector<std::string>{"SlideShow Error|" + Language::GetText(738)}));
}

TEST_F(PlayerTest, TheMenuComesBackUntilItIsCancelled) {
  TSlideShow show;
  show.PlayerArguments = {Package()};
  bool ended = false;
  show.OnPlayerEnd = [&] { ended = true; };
  int played = 0;
  OnNextModal<TSlideShowList>([&](TSlideShowList& menu) {
    menu.SG->setCurrentCell(0, 0);
    WhenShown(show, [&] { ++played; });
    menu.OkButton->click();
    OnNextModal<TSlideShowList>([](TSlideShowList& again) { again.CancelButton->click(); });
  });
  show.Timer2->start();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 10000));
  EXPECT_EQ(played, 1);
}

TEST_F(PlayerTest, MissingEmptyAndDamagedPackagesAreTold) {
  TSlideShow show;
  WriteFileBytes(dir.File("plain.ssp"), "no package");
  EXPECT_FALSE(show.LoadPlayerData({dir.File("plain.ssp")}));
  {
    TFListFile container;
    container.OpenWrite(dir.File("empty.ssp"));
    WriteFileBytes(dir.File("ssplist.tmp"), "");
    WriteFileBytes(dir.File("empty.lng"), std::string(1, '\0'));
    container.AddFile(dir.File("ssplist.tmp"));
    container.AddFile(dir.File("empty.lng"));
    WriteFileBytes(dir.File("ssplist.tmp"), "short");
    container.OpenWrite(dir.File("damaged.ssp"));
    container.AddFile(dir.File("ssplist.tmp"));
    container.AddFile(dir.File("empty.lng"));
  }
  EXPECT_FALSE(show.LoadPlayerData({dir.File("empty.ssp")}));
  EXPECT_FALSE(show.LoadPlayerData({dir.File("damaged.ssp")}));
  EXPECT_EQ(boxes->Said(), (std::vector<std::string>{
                              "SlideShow Error|SlideShow data not found",
                              "SlideShow Error|Empty SlideShow",
                              "SlideShow Error|I/O Error. Cannot read data.",
                          }));
}

TEST_F(PlayerTest, TheMenuSpeaksThePackagesLanguage) {
  WriteFileBytes(dir.File("English.lng"),
                 "[Language]\r\nDescription=English\r\nWinID=0x0409\r\n\r\n"
                 "[Controls]\r\nField53=Mouse\r\n");
  const std::string path = dir.File("english.ssp");
  ASSERT_EQ(SlideShowPackage::Write(path, {Project("One", Photos(1))}, dir.File("English.lng"),
                                    "", {}),
            TPackageResult::Written);
  fs::remove(dir.File("English.lng"));
  TSlideShow show;
  ASSERT_TRUE(show.LoadPlayerData({path}));
  EXPECT_EQ(show.Menu()->Mouse->text(), "Mouse");
  Language::LoadLanguage("DEFAULT");
}

TEST(TFullScreen, CoversTheScreenAndGivesTheWindowBack) {
  WindowTestApp();
  QWidget form;
  form.setGeometry(40, 50, 300, 200);
  form.show();
  TFullScreen fs(&form);
  fs.SetFullscreen(true);
  fs.SetFullscreen(true);
  EXPECT_TRUE(form.windowState() & Qt::WindowFullScreen);
  fs.SetFullscreen(false);
  EXPECT_FALSE(form.windowState() & Qt::WindowFullScreen);
  EXPECT_EQ(form.geometry(), QRect(40, 50, 300, 200));
}

}  // namespace
