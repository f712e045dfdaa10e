// Errand: the photographer sends photos and folders from the file manager to
// the program's launchers, "show on map" and "set GPS position", which the
// program put into the applications folder on an earlier run.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <sstream>

#include "app/batch/HromadneAkce.h"
#include "app/start/StartupArgs.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/appform.h"
#include "tests/errands/Errand.h"
#include "tests/support/XvfbScreen.h"
#include "tests/windows/MessageHook.h"

namespace {

namespace fs = std::filesystem;
using testsupport::XvfbScreen;
using Names = std::vector<std::string>;

// The words of a launcher's Exec line, its quoting undone.
Names ExecWords(const std::string& line) {
  std::string value;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '\\') ++i;
    value += line[i];
  }
  Names words;
  std::string word;
  bool quoted = false;
  bool any = false;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (quoted && c == '\\' && i + 1 < value.size()) {
      word += value[++i];
    } else if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any || !word.empty()) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
    }
  }
  if (any || !word.empty()) words.push_back(word);
  return words;
}

// exiftool's decimal position of a photo, to four places: "50.0755 14.4378";
// empty without one.
std::string PositionOf(const std::string& photo) {
  std::istringstream values(testsupport::Exiftool("-GPSLatitude -GPSLongitude", photo));
  double lat = 0;
  double lon = 0;
  if (!(values >> lat >> lon)) return "";
  char text[64];
  std::snprintf(text, sizeof text, "%.4f %.4f", lat, lon);
  return text;
}

// What the user does in the batch window with the keyboard alone. Each step
// is done in the window as this test program opens it, and kept, to press
// the same keys in the real program's window.
class TKeyboard {
 public:
  explicit TKeyboard(QWidget& window) : window_(window) {}

  // Tab until target has the focus.
  void TabTo(QWidget* target) {
    int tabs = 0;
    while (window_.focusWidget() != target && tabs < 200) {
      QTest::keyClick(Focus(), Qt::Key_Tab);
      ++tabs;
    }
    ASSERT_EQ(window_.focusWidget(), target) << target->objectName().toStdString();
    for (int i = 0; i < tabs; ++i) steps_.push_back({"key", "Tab"});
  }
  void Type(const std::string& text) {
    QTest::keyClicks(Focus(), QString::fromStdString(text));
    steps_.push_back({"type", text});
  }
  void Space() {
    QTest::keyClick(Focus(), Qt::Key_Space);
    steps_.push_back({"key", "space"});
  }

  // The same keys on the screen, in its active window.
  void PressAgain(const XvfbScreen& screen) const {
    for (const auto& [kind, what] : steps_) {
      if (kind == "key") {
        screen.Keys(what);
      } else {
        screen.Type(what);
      }
    }
  }

 private:
  QWidget* Focus() const { return window_.focusWidget() != nullptr ? window_.focusWidget() : &window_; }

  QWidget& window_;
  std::vector<std::pair<std::string, std::string>> steps_;
};

class StartModeErrand : public errand::ErrandTest {
 protected:
  void SetUp() override {
    ErrandTest::SetUp();
    boxes = std::make_unique<ScopedMessageHook>();
    screen = std::make_unique<XvfbScreen>(dir, 1280, 1024);
    ASSERT_TRUE(screen->Up());
  }
  void TearDown() override {
    screen.reset();
    ErrandTest::TearDown();
  }

  std::string Folder(const std::string& name) const { return dir.File(name); }
  // Copies of test photos in the folder, by their names.
  std::vector<std::string> Photos(const std::string& folder, const Names& names) {
    fs::create_directories(Folder(folder));
    std::vector<std::string> paths;
    for (const std::string& name : names) {
      paths.push_back(Folder(folder) + "/" + name);
      fs::copy_file(testsupport::PhotoPath(name), paths.back());
    }
    return paths;
  }

  // The earlier run: the program started as it is, its main window, where
  // the English run chooses English from the Language menu, and the window
  // closed. The program keeps the language and puts its launchers into the
  // applications folder, where the file manager offers them.
  void EarlierRun() {
    const auto program = screen->Start(QUILLMARSH_PROGRAM, {}, "earlier");
    ASSERT_TRUE(screen->AwaitWindow("Quillmarsh v.*")) << program->Log();
    if (English()) {
      // Alt+S opens "Soubor"; to the left of the first menu lie the last
      // ones, "O aplikaci" and then "Jazyk", which lists English first.
      screen->Keys("alt+s Left Left Return");
      ASSERT_TRUE(testsupport::XvfbAwait([&] { return fs::exists(Launcher("Show on map")); }))
          << program->Log();
    }
    screen->Keys("alt+F4");
    ASSERT_EQ(program->Wait(), 0) << program->Log();
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    EXPECT_EQ(config.ReadInteger("Language", 0), English() ? 0x0409 : 0x0405);
    // The launchers carry the names in the language chosen.
    const std::pair<const char*, bool> launchers[] = {
        {"Zobrazení na mapě", !English()}, {"Nastavení GPS souřadnic", !English()},
        {"Show on map", English()},        {"Set GPS position", English()},
        {"Quillmarsh", true}};
    for (const auto& [name, there] : launchers)
      EXPECT_EQ(fs::exists(Launcher(name)), there) << name;
  }

  std::string Launcher(const std::string& name) const {
    return home.Path() + "/applications/" + name + ".desktop";
  }

  // The command the file manager runs for the items sent to the launcher
  // named name: its Exec line, "%F" standing for the items.
  Names Sending(const std::string& name, const Names& items) const {
    std::istringstream entry(testsupport::ReadFileBytes(Launcher(name)));
    Names command;
    for (std::string line; std::getline(entry, line);)
      if (line.rfind("Exec=", 0) == 0) command = ExecWords(line.substr(5));
    EXPECT_FALSE(command.empty()) << "no launcher " << name;
    // It starts the program that wrote it.
    if (!command.empty()) {
      EXPECT_EQ(command.front(), QUILLMARSH_PROGRAM);
    }
    Names run;
    for (const std::string& word : command) {
      if (word == "%F") {
        run.insert(run.end(), items.begin(), items.end());
      } else {
        run.push_back(word);
      }
    }
    return run;
  }

  // The batch window as start-up opens it in GPS-set mode for the command,
  // in this test program: the only window, on the command's photos and
  // folders, in the stored language.
  TfrmHA& StartInGpsSetMode(const Names& command) {
    const TStartupArgs args = StartupArgs::Collect({command.begin() + 1, command.end()});
    EXPECT_TRUE(args.GpsSet);
    QWidget* first = GlobalWindows::Create(args.GpsSet);
    appform::InitializeFormApplication(false);
    TfrmHA& batch = *GlobalWindows::Get().frmHA;
    EXPECT_EQ(first, &batch);
    Main::LoadLanguageWithoutMainForm();
    batch.OpenWithFiles(args.Text);
    batch.show();
    batch.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&batch));
    return batch;
  }

  // Starts the command on the screen, its output kept under name.
  std::unique_ptr<testsupport::XvfbProcess> Run(const Names& command, const std::string& name) const {
    return screen->Start(command.front(), Names(command.begin() + 1, command.end()), name);
  }

  // The photos of the GPS-set errand, below the folder top: a trip's folder
  // of two photos without GPS and one with it (and the damaged photo in its
  // run), and one more photo without GPS elsewhere.
  struct TErrandPhotos {
    std::string folder;
    std::vector<std::string> withoutGps;
    std::string withGps;
    std::string damaged;
    std::string damagedBytes;

    Names Sent() const { return {folder, withoutGps.back()}; }
    void ExpectPositionWritten() const {
      for (const std::string& photo : withoutGps)
        EXPECT_EQ(PositionOf(photo), "50.0755 14.4378") << photo;
      EXPECT_EQ(PositionOf(withGps), "43.4674 11.8851");
      if (!damaged.empty()) {
        EXPECT_EQ(testsupport::ReadFileBytes(damaged), damagedBytes);
      }
    }
  };
  TErrandPhotos TripPhotos(const std::string& top) {
    TErrandPhotos photos;
    photos.folder = Folder(top + "/trip");
    photos.withoutGps = Photos(top + "/trip", {"Canon_40D.jpg", "Nikon_D70.jpg"});
    photos.withGps = Photos(top + "/trip", {"gps_DSCN0010.jpg"})[0];
    photos.withoutGps.push_back(Photos(top + "/more", {"Pentax_K10D.jpg"})[0]);
    if (Damaged()) {
      photos.damaged = errand::AddDamagedPhoto(photos.folder, photos.withoutGps[1]);
      photos.damagedBytes = testsupport::ReadFileBytes(photos.damaged);
    }
    return photos;
  }

  testsupport::TempDir dir;
  std::unique_ptr<ScopedMessageHook> boxes;
  std::unique_ptr<XvfbScreen> screen;
};

TEST_P(StartModeErrand, PhotosSentToShowOnMapOpenEachPlaceOnceOnTheWebMap) {
  // Two photos of one place, one of another, one from far away, one taken
  // without GPS; the damaged photo is a copy of the one from far away.
  const std::vector<std::string> photos =
      Photos("trip", {"gps_DSCN0021.jpg", "gps_DSCN0010.jpg", "Canon_40D.jpg", "Kodak_CX7530.jpg"});
  fs::copy_file(photos[1], Folder("trip/again.jpg"));
  Names sent = {photos[0], photos[1], photos[2], Folder("trip/again.jpg"), photos[3]};
  if (Damaged()) sent.push_back(errand::AddDamagedPhoto(Folder("trip"), photos[3]));
  EarlierRun();

  // The photos sent to the launcher "show on map": the program opens the
  // web map once for each place, in the order they were sent, and ends
  // without any window or message.
  const testsupport::ScopedEnv browser("QUILLMARSH_OPEN_LOG", Folder("browser.log"));
  const auto program = Run(Sending(Text("Zobrazení na mapě", "Show on map"), sent), "gpsview");
  EXPECT_EQ(program->Wait(), 0) << program->Log();
  EXPECT_EQ(testsupport::ReadFileBytes(Folder("browser.log")),
            "https://www.google.com/maps?q=43.467082%2C+11.884538&views=satellite\n"
            "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n"
            "https://www.google.com/maps?q=-0.371300%2C+36.056417&views=satellite\n");
  EXPECT_EQ(program->Log(), "");
}

TEST_P(StartModeErrand, PhotosSentToSetGpsPositionGetItAndTheProgramEnds) {
  EarlierRun();
  const std::string launcher = Text("Nastavení GPS souřadnic", "Set GPS position");
  const std::string title = Text("Přejmenování souborů ve složce", "Batch actions on a folder");

  // First in this test program, on copies of their own: the trip's folder
  // and one more photo sent to the launcher "set GPS position". Start-up
  // opens the batch window alone on them; the user types the position,
  // moving with Tab, and runs the GPS action with Space. The photos without
  // GPS get the position, the one with GPS keeps its own, a damaged photo is
  // left as it was, the window says so (its last word, with the damaged
  // photo named), and closes, which ends the program.
  TErrandPhotos rehearsal = TripPhotos("rehearsal");
  TfrmHA& batch = StartInGpsSetMode(Sending(launcher, rehearsal.Sent()));
  EXPECT_EQ(batch.windowTitle().toStdString(), title);
  TKeyboard keys(batch);
  QTimer::singleShot(0, [&] {
    keys.TabTo(batch.GPSGroup->GoogleSirka);
    keys.Type("50.0755");
    keys.TabTo(batch.GPSGroup->GoogleDelka);
    keys.Type("14.4378");
    keys.TabTo(batch.Button6);
    keys.Space();
  });
  QTimer tooLong;
  tooLong.callOnTimeout([] { QCoreApplication::exit(1); });
  tooLong.start(30000);
  EXPECT_EQ(QApplication::exec(), 0);
  tooLong.stop();
  rehearsal.ExpectPositionWritten();
  ASSERT_EQ(boxes->Boxes().size(), 1u);
  const std::string& said = boxes->Boxes()[0].text;
  EXPECT_EQ(said.rfind(Text("Hotovo\n\nPozice GPS zapsána do fotek: 3, beze změny: 1",
                            "Done\n\nGPS position written into photos: 3, unchanged: 1"),
                       0),
            0u)
      << said;
  if (Damaged()) {
    EXPECT_NE(said.find(rehearsal.damaged), std::string::npos) << said;
  }
  GlobalWindows::Destroy();
  Language::DoneLanguages();

  // The same in the real program, started as the launcher starts it: only
  // the batch window opens, the same keys do the same, and after its last
  // word the program ends.
  TErrandPhotos trip = TripPhotos("real");
  const auto program = Run(Sending(launcher, trip.Sent()), "gpsset");
  ASSERT_TRUE(screen->AwaitWindow(title)) << program->Log() << screen->WindowTitles();
  EXPECT_EQ(screen->WindowTitles(), title + "\n");
  keys.PressAgain(*screen);
  ASSERT_TRUE(screen->AwaitWindow(Text("Hotovo", "Done"))) << screen->WindowTitles();
  screen->Keys("Return");
  EXPECT_EQ(program->Wait(), 0) << program->Log();
  trip.ExpectPositionWritten();
}

INSTANTIATE_TEST_SUITE_P(Runs, StartModeErrand, errand::kVariants, errand::VariantName);

}  // namespace
