// The player: carried by the program, and a self-running show played as a
// user plays it, on a virtual screen with a window manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
using testsupport::XvfbAwait;

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

void PutU32(std::string& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
}

// A package holding one project of the picture in good, then junk entries
// of bytes that are no picture: written in one go, as a container the
// program reads, far faster than entry by entry.
std::string PackageWithJunk(const TempDir& dir, const std::string& good, int junk) {
  std::string bytes;
  std::vector<uint32_t> offsets;
  const auto add = [&](const std::string& name, const std::string& data) {
    offsets.push_back(static_cast<uint32_t>(bytes.size()));
    std::string record(128, '\0');
    record[0] = static_cast<char>(name.size());
    record.replace(1, name.size(), name);
    bytes += record;
    PutU32(bytes, static_cast<uint32_t>(data.size()));
    bytes += data;
  };
  TSlideShowProject project;
  project.Count = 1 + junk;
  project.Title = "Poškozená";
  const auto list = project.Encode();
  add(SlideShowPackage::kListEntry, std::string(list.begin(), list.end()));
  add(SlideShowPackage::kEmptyLanguage, std::string(1, '\0'));
  add("good.inf", "");
  add("tn_good.jpg", "");
  add("good.jpg", testsupport::ReadFileBytes(good));
  for (int i = 0; i < junk; ++i) {
    const std::string name = "junk" + std::to_string(i);
    add(name + ".inf", "no record");
    add("tn_" + name + ".jpg", "no thumbnail");
    add(name + ".jpg", "\xFF\xD8 no picture at all " + name);
  }
  const auto index = static_cast<uint32_t>(bytes.size());
  for (const uint32_t offset : offsets) PutU32(bytes, offset);
  bytes += "#FLISTFILE#";
  bytes += std::string("\x00\x01", 2);
  PutU32(bytes, 0);
  PutU32(bytes, index);
  PutU32(bytes, static_cast<uint32_t>(offsets.size()));
  bytes += std::string(512, '\0');
  testsupport::WriteFileBytes(dir.File("junk.ssp"), bytes);
  return dir.File("junk.ssp");
}

// True once the show's window is off the screen within seconds.
bool ShowEnds(const XvfbScreen& screen, double seconds) {
  return XvfbAwait([&] { return screen.WindowTitles().find("SlideShow\n") == std::string::npos; },
                   seconds);
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

// A package of thousands of pictures that do not decode: the player stays
// at the good one, Esc and the window manager's close end the show at once,
// and the next picture asked for ends it with a message and the menu.
TEST(SlideShowPlayer, PicturesThatDoNotDecodeNeverFreezeThePlayer) {
  TempDir dir;
  const QColor red(230, 20, 20);
  const std::string package = PackageWithJunk(dir, WritePhoto(dir, "good.jpg", red), 30000);
  XvfbScreen screen(dir, kScreenWidth, kScreenHeight);
  ASSERT_TRUE(screen.Up());
  const auto show = screen.Start(QUILLMARSH_PLAYER, {package}, "show");
  ASSERT_TRUE(show->Started());

  const char* const kMenu = "Nabídka prezentace";
  ASSERT_TRUE(screen.AwaitWindow(kMenu)) << show->Log();
  screen.Keys("Tab");
  screen.Type("99");
  for (const char* end : {"Escape", "alt+F4"}) {
    screen.Keys("Return");
    ASSERT_FALSE(AwaitScreen(screen, red).isNull()) << end << "\n" << show->Log();
    screen.Keys(end);
    EXPECT_TRUE(ShowEnds(screen, 1)) << end << "\n" << screen.WindowTitles();
    ASSERT_TRUE(screen.AwaitWindow(kMenu)) << end << "\n" << show->Log();
  }

  screen.Keys("Return");
  ASSERT_FALSE(AwaitScreen(screen, red).isNull()) << show->Log();
  screen.Keys("space");
  ASSERT_TRUE(screen.AwaitWindow("SlideShow Error")) << screen.WindowTitles() << show->Log();
  EXPECT_TRUE(ShowEnds(screen, 1)) << screen.WindowTitles();
  screen.Keys("Return");
  ASSERT_TRUE(screen.AwaitWindow(kMenu)) << show->Log();
  screen.Keys("Escape");
  EXPECT_EQ(show->Wait(), 0) << show->Log();
}

}  // namespace
