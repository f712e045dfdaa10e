// The player: carried by the program, and a self-running show played as a
// user plays it, on a virtual screen with a window manager.
#include <gtest/gtest.h>

#include <string>

#include <QColor>
#include <QImage>

#include "gallery/slideshow/FListFile.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"
#include "tests/support/XvfbScreen.h"

namespace {

using testsupport::CommandOutput;
using testsupport::TempDir;
using testsupport::XvfbScreen;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

std::string WritePhoto(const TempDir& dir, const std::string& name, QColor colour) {
  platform::Bitmap picture;
  picture.width = kScreenWidth;
  picture.height = kScreenHeight;
  for (int i = 0; i < kScreenWidth * kScreenHeight; ++i)
    for (int part : {colour.red(), colour.green(), colour.blue()})
      picture.pixels.push_back(static_cast<uint8_t>(part));
  EXPECT_TRUE(platform::WriteJpegFile(picture, dir.File(name), 90));
  return dir.File(name);
}

bool Near(QRgb pixel, QColor colour) {
  const QColor got(pixel);
  return std::abs(got.red() - colour.red()) < 40 && std::abs(got.green() - colour.green()) < 40 &&
         std::abs(got.blue() - colour.blue()) < 40;
}

// Takes pictures of the screen until its centre shows colour; that picture.
QImage AwaitScreen(const XvfbScreen& screen, QColor colour) {
  QImage shot;
  testsupport::XvfbAwait([&] {
    shot = screen.Shot();
    return !shot.isNull() && Near(shot.pixel(kScreenWidth / 2, kScreenHeight / 2), colour);
  });
  return shot;
}

TEST(SlideShowPlayer, TheProgramCarriesThePlayer) {
  TFListFile own;
  ASSERT_TRUE(own.OpenRead(QUILLMARSH_PROGRAM));
  ASSERT_EQ(own.EntryCount(), 1);
  EXPECT_EQ(own.EntryName(0), "reelwright");
  TempDir dir;
  own.SetExtractFolder(dir.Path());
  const std::string player = own.ExtractFile(0);
  ASSERT_FALSE(player.empty());
  EXPECT_EQ(CommandOutput("cmp '" + player + "' '" QUILLMARSH_PLAYER "'"), "");
}

TEST(SlideShowPlayer, SelfRunningShowPlaysFullScreen) {
  TempDir dir;
  const QColor red(230, 20, 20);
  const QColor blue(20, 20, 230);
  TSlideShowSource project;
  project.Project.Title = "Výlet";
  project.Photos = {WritePhoto(dir, "first.jpg", red), WritePhoto(dir, "second.jpg", blue)};
  ASSERT_EQ(SlideShowPackage::Write(dir.File("trip.run"), {project}, "", QUILLMARSH_PLAYER, {}),
            TPackageResult::Written);

  XvfbScreen screen(dir, kScreenWidth, kScreenHeight);
  ASSERT_TRUE(screen.Up());
  const auto show = screen.Start(dir.File("trip.run"), {}, "show");
  ASSERT_TRUE(show->Started());

  // The menu: a long interval, so only keys advance, and the first project.
  ASSERT_TRUE(screen.AwaitWindow("Nabídka prezentace")) << show->Log();
  screen.Keys("Tab");
  screen.Type("99");
  screen.Keys("Return");
  const QImage first = AwaitScreen(screen, red);
  ASSERT_FALSE(first.isNull()) << show->Log();
  // The whole screen is the picture: no frame, no title bar, no panel.
  for (const QPoint& at : {QPoint(kScreenWidth / 2, kScreenHeight / 2), QPoint(kScreenWidth - 3, 2),
                           QPoint(2, kScreenHeight - 3), QPoint(kScreenWidth - 3, kScreenHeight - 3)})
    EXPECT_TRUE(Near(first.pixel(at), red)) << at.x() << "," << at.y();
  // The overlay line "1/2" stands at the top left.
  EXPECT_FALSE(Near(first.pixel(6, 6), red));

  screen.Keys("space");
  const QImage second = AwaitScreen(screen, blue);
  EXPECT_TRUE(Near(second.pixel(kScreenWidth - 3, kScreenHeight - 3), blue));

  // Esc ends the show and brings back the menu; Esc there ends the player.
  screen.Keys("Escape");
  ASSERT_TRUE(screen.AwaitWindow("Nabídka prezentace")) << show->Log();
  screen.Keys("Escape");
  EXPECT_EQ(show->Wait(), 0) << show->Log();
}

}  // namespace
