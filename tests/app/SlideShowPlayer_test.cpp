// The player: carried by the program, and a self-running show played as a
// user plays it, on a virtual screen with a window manager.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include <QColor>
#include <QImage>

#include "foundation/StrFunc.h"
#include "gallery/FListFile.h"
#include "gallery/SlideShowPackage.h"
#include "platform/Process.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CommandOutput;
using testsupport::ReadFileBytes;
using testsupport::ScopedEnv;
using testsupport::TempDir;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

// A child process, ended when the object goes unless it was waited for.
class TChild {
 public:
  TChild(const std::string& program, const std::vector<std::string>& args,
         const std::string& log)
      : pid_(platform::StartProcess(program, args, "", log)) {}
  ~TChild() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    platform::WaitForProcess(pid_);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  bool Started() const { return pid_ > 0; }
  int Wait() {
    const int code = platform::WaitForProcess(pid_);
    pid_ = -1;
    return code;
  }

 private:
  int pid_;
};

// Waits up to ten seconds for done to hold, looking every 50 ms.
bool Await(const std::function<bool()>& done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// An X server of its own with a window manager, for the life of the object;
// DISPLAY names it meanwhile.
class TVirtualScreen {
 public:
  explicit TVirtualScreen(const TempDir& dir)
      : server_("bash",
                {"-c", "exec Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>\"$0\"",
                 dir.File("display")},
                dir.File("xvfb.log")) {
    Await([&] { return fs::exists(dir.File("display")) && fs::file_size(dir.File("display")) > 0; });
    display_ = std::make_unique<ScopedEnv>(
        "DISPLAY", ":" + StrFunc::Trim(ReadFileBytes(dir.File("display"))));
    manager_ = std::make_unique<TChild>("openbox", std::vector<std::string>{},
                                        dir.File("openbox.log"));
  }

 private:
  TChild server_;
  std::unique_ptr<ScopedEnv> display_;
  std::unique_ptr<TChild> manager_;
};

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
QImage AwaitScreen(const TempDir& dir, const std::string& name, QColor colour) {
  QImage shot;
  Await([&] {
    CommandOutput("import -window root '" + dir.File(name) + "'");
    shot = QImage(QString::fromStdString(dir.File(name)));
    return !shot.isNull() && Near(shot.pixel(kScreenWidth / 2, kScreenHeight / 2), colour);
  });
  return shot;
}

// Runs xdotool with args, giving a window up to 30 seconds to come.
void XDo(const std::string& args) { CommandOutput("timeout 30 xdotool " + args); }

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

  TVirtualScreen screen(dir);
  ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
  // The sanitizers' leak check would count what X11 and fontconfig keep.
  ScopedEnv sanitizer("ASAN_OPTIONS", "detect_leaks=0:halt_on_error=1:abort_on_error=1");
  TChild show(dir.File("trip.run"), {}, dir.File("show.log"));
  ASSERT_TRUE(show.Started());

  // The menu: a long interval, so only keys advance, and the first project.
  XDo("search --sync --onlyvisible --name 'SlideShow Menu' windowactivate --sync");
  XDo("key --clearmodifiers Tab type 99");
  XDo("key --clearmodifiers Return");
  const QImage first = AwaitScreen(dir, "first.png", red);
  ASSERT_FALSE(first.isNull()) << ReadFileBytes(dir.File("show.log"));
  // The whole screen is the picture: no frame, no title bar, no panel.
  for (const QPoint& at : {QPoint(kScreenWidth / 2, kScreenHeight / 2), QPoint(kScreenWidth - 3, 2),
                           QPoint(2, kScreenHeight - 3), QPoint(kScreenWidth - 3, kScreenHeight - 3)})
    EXPECT_TRUE(Near(first.pixel(at), red)) << at.x() << "," << at.y();
  // The overlay line "1/2" stands at the top left.
  EXPECT_FALSE(Near(first.pixel(6, 6), red));

  XDo("key --clearmodifiers space");
  const QImage second = AwaitScreen(dir, "second.png", blue);
  EXPECT_TRUE(Near(second.pixel(kScreenWidth - 3, kScreenHeight - 3), blue));

  // Esc ends the show and brings back the menu; Esc there ends the player.
  XDo("key --clearmodifiers Escape");
  XDo("search --sync --onlyvisible --name 'SlideShow Menu' windowactivate --sync");
  XDo("key --clearmodifiers Escape");
  EXPECT_EQ(show.Wait(), 0) << ReadFileBytes(dir.File("show.log"));
}

}  // namespace
