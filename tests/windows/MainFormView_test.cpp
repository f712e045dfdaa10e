// The main window as the user meets it: the keyboard stays with the control
// that had it while progress windows come and go, and photos and their
// thumbnails stand upright as their orientation tag says.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/browser/Main.h"
#include "app/dialogs/InfoWindow.h"
#include "app/dialogs/modalgauge.h"
#include "app/dialogs/waitwindow.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/GpsGroup.h"
#include "foundation/appcore.h"
#include "metadata/Orientation.h"
#include "platform/jpeg/JpegReader.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CopyPhoto;
using testsupport::TempDir;

class MainFormViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    appcore::SetFormApplicationInitialized();
    GlobalWindows::Create(false);
    form = GlobalWindows::Get().MainForm;
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  }

  void TearDown() override { GlobalWindows::Destroy(); }

  template <typename T>
  T* Find(const char* name) {
    return FindNamed<T>(*form, name);
  }

  // Chooses a photo in the open dialog, as the user does after F3.
  void Open(const std::string& path) {
    ChooseFile(path);
    Find<QAction>("Open1")->trigger();
  }

  // Where the keys go once the events of the windows that went have run.
  QWidget* KeysGoTo() {
    QTest::qWait(20);
    return QApplication::activeWindow() == form ? QApplication::focusWidget() : nullptr;
  }

  // The application first: it installs the message boxes the hook replaces.
  QApplication& app = WindowTestApp();
  ScopedMessageHook boxes;
  testsupport::ScopedHome home;
  TempDir photos;
  TMainForm* form = nullptr;
};

TEST_F(MainFormViewTest, TheKeysStayWithTheControlThatHadThemAcrossProgressWindows) {
  CopyPhoto("Canon_40D.jpg", photos);
  CopyPhoto("canon-ixus.jpg", photos);
  QPlainTextEdit* note = Find<QPlainTextEdit>("Note");
  QLineEdit* latitude = form->GPSGroup->GoogleSirka;

  // F3: the open dialog, then the folder's progress window, which lets no
  // key typed meanwhile through. (This platform activates every window
  // shown, the progress window too, as some window managers do.)
  Open(photos.File("canon-ixus.jpg"));
  note->setFocus();
  bool typedMeanwhile = false;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!GlobalWindows::Get().frmModalGauge->isVisible() || typedMeanwhile) return;
    typedMeanwhile = true;
    QTest::keyClicks(note, "x");
  });
  watch.start();
  Open(photos.File("Canon_40D.jpg"));
  watch.stop();
  ASSERT_FALSE(GlobalWindows::Get().frmModalGauge->isVisible());
  EXPECT_TRUE(typedMeanwhile);
  // Nothing was typed into the photo shown before, so nothing asks to save.
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(note->toPlainText().toStdString(), "");
  ASSERT_EQ(KeysGoTo(), note);
  QTest::keyClicks(QApplication::focusWidget(), "Kaskada");
  EXPECT_EQ(note->toPlainText().toStdString(), "Kaskada");
  EXPECT_TRUE(Find<QAction>("Save1")->isEnabled());

  // The information window of the whole photo, shown and shown no more.
  latitude->setFocus();
  Find<QPushButton>("ShowImgButton")->click();
  ASSERT_TRUE(form->FullImageShown());
  ASSERT_EQ(InfoWindow::Current(), nullptr);
  EXPECT_EQ(KeysGoTo(), latitude);
  Find<QPushButton>("ShowImgButton")->click();

  // A wait window that comes and goes.
  { TfrmWait wait("Čekejte", 0, 3); }
  EXPECT_EQ(KeysGoTo(), latitude);
}

// The photo decoded whole, turned as orientation says, and scaled to size.
QImage Reference(const std::string& photo, int orientation, QSize size) {
  platform::JpegReader reader;
  platform::Bitmap picture;
  if (!reader.OpenFile(photo) || !reader.Decode(picture)) return {};
  Orientation::TurnUpright(picture, orientation);
  const QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                     QImage::Format_RGB888);
  return image.copy().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The mean difference of two pictures of one size, per pixel over the three
// colours (0 to 765).
double Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 765;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
             std::abs(p.blue() - q.blue());
    }
  }
  return sum / (a.width() * a.height());
}

TEST_F(MainFormViewTest, PhotosAndThumbnailsStandUprightAsTheirOrientationSays) {
  const struct {
    const char* photo;
    int orientation;
    bool portrait;
  } cases[] = {{"orientation_landscape_3.jpg", 3, false},
               {"orientation_portrait_6.jpg", 6, true},
               {"Canon_40D.jpg", 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.photo);
    const std::string photo = CopyPhoto(c.photo, photos);
    Open(photo);
    ASSERT_EQ(form->CurrentFile(), photo);
    const QImage thumbnail = Find<QLabel>("Img")->pixmap().toImage();
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.height() > thumbnail.width(), c.portrait);

    QTest::mouseClick(Find<QPushButton>("ShowImgButton"), Qt::LeftButton);
    const QImage full = Find<QLabel>("FullImg")->pixmap().toImage();
    ASSERT_FALSE(full.isNull());
    EXPECT_EQ(full.height() > full.width(), c.portrait);
    // The pictures shown match the photo turned upright, not as stored; so
    // does their top left corner.
    for (const QImage& shown : {full, thumbnail}) {
      const QImage upright = Reference(photo, c.orientation, shown.size());
      const QImage stored = Reference(photo, 1, shown.size());
      EXPECT_LT(Difference(shown, upright), 30);
      const QRect corner(0, 0, shown.width() / 4, shown.height() / 4);
      EXPECT_LT(Difference(shown.copy(corner), upright.copy(corner)), 30);
      if (c.orientation != 1) {
        EXPECT_GT(Difference(shown, stored), 2 * Difference(shown, upright));
      }
    }
    QTest::mouseClick(Find<QPushButton>("ShowImgButton"), Qt::LeftButton);
  }
}

}  // namespace
