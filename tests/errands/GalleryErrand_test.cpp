// A photographer's web gallery, from the first project to the third upload:
// a project made for a folder of trip photos and saved, the gallery
// generated and looked at in headless Chromium, the photos renamed from the
// Batch menu and the gallery generated again with every link still
// resolving, the gallery published to the tests' FTP server, published
// again with nothing changed, and once more after one photo's comment was
// edited: only the pages that show the comment go out, no image is made or
// sent again.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/browser/Main.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/ftp/FTPSettingsForm.h"
#include "app/projects/HtmlProjectSettings.h"
#include "foundation/StrFunc.h"
#include "tests/errands/Errand.h"
#include "tests/errands/GalleryErrand.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;
using errand::ChooseMenu;
using galleryerrand::Type;
using platform::MessageAnswer;
using testsupport::ReadFileBytes;

// Small photos of several cameras: eight make two film-strip pages of the
// 800x600 gallery and one of the 1024x768 one.
const char* const kPhotos[] = {"Canon_40D.jpg",       "Kodak_CX7530.jpg", "Nikon_D70.jpg",
                               "Olympus_C8080WZ.jpg", "Pentax_K10D.jpg",  "Ricoh_Caplio_RR330.jpg",
                               "Sony_HDR-HC3.jpg",    "Panasonic_DMC-FZ30.jpg"};
// The gallery's folders on the server, each with its checksum cache.
const char* const kFolders[] = {"ico", "th", "foto", "800x600", "1024x768", "exif"};
constexpr int kTextCompressing = 289;
constexpr int kTextPhotosFailed = 641;

class GalleryErrand : public errand::ErrandTest {
 protected:
  void SetUp() override {
    ErrandTest::SetUp();
    // After the program's own message boxes are installed.
    hook = std::make_unique<ScopedMessageHook>();
    for (const char* photo : kPhotos) fs::copy_file(testsupport::PhotoPath(photo), photos.File(photo));
    if (Damaged())
      damaged = ReadFileBytes(errand::AddDamagedPhoto(photos.Path(), testsupport::PhotoPath("canon-ixus.jpg")));
  }

  std::string Gallery() const { return web.File("vylet"); }
  std::string InGallery(const std::string& path) const { return Gallery() + "/" + path; }

  // The photos' file names in the folder, or only the good ones; the
  // damaged photo is known by its content, whatever its name.
  std::vector<std::string> Names(bool goodOnly) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(photos.Path()))
      if (entry.is_regular_file() && entry.path().extension() == ".jpg" &&
          (!goodOnly || ReadFileBytes(entry.path().string()) != damaged))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // The pages the gallery of the good photos `names` consists of.
  static std::set<std::string> PagesOf(const std::vector<std::string>& names) {
    std::set<std::string> pages;
    for (const auto& [size, perStrip] : {std::pair{"800x600", 7u}, std::pair{"1024x768", 9u}}) {
      pages.insert(std::string(size) + "/index.htm");
      for (size_t strip = 0; strip * perStrip < names.size(); ++strip) {
        char page[16];
        std::snprintf(page, sizeof page, "page%04zu.htm", strip + 1);
        pages.insert(std::string(size) + "/" + page);
      }
      for (const std::string& name : names) pages.insert(std::string(size) + "/" + Stem(name) + ".htm");
    }
    for (const std::string& name : names) pages.insert("exif/exif_" + Stem(name) + ".htm");
    return pages;
  }
  static std::string Stem(const std::string& name) { return StrFunc::LowerCaseCz(fs::path(name).stem().string()); }

  // Web > Generate web pages > Current project; the images the main window
  // showed as compressed meanwhile.
  std::set<std::string> Generate(TMainForm& main) {
    const std::string compressing = Language::GetText(kTextCompressing) + " ";
    std::set<std::string> compressed;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      const std::string shown = main.CompressInfo1->text().toStdString();
      if (!main.CompressInfo1->isHidden() && shown.starts_with(compressing))
        compressed.insert(shown.substr(compressing.size()));
    });
    watch.start(0);
    ChooseMenu(main, {Text("Web", "Web"), Text("Generování stránek pro web", "Generate web pages"),
                  Text("Aktuální projekt", "Current project")});
    watch.stop();
    ExpectTold(Damaged());
    return compressed;
  }

  // The images a generation makes, as the compression shows them: the
  // photo and the thumbnail of every good photo, or with `missing` only
  // those whose size misses the project's window; and each time those of
  // the damaged photo, whose picture does not decode.
  std::set<std::string> Images(bool missing) const {
    const THtmlProject project = GlobalWindows::Get().Form2->Values();
    std::set<std::string> images;
    for (const std::string& name : Names(true)) {
      const struct {
        std::string path, shown;
        std::string max, tolerance;
        int64_t unit;
      } kinds[] = {{"foto/" + Stem(name) + ".jpg", Stem(name), project.ImgMaxSize, project.ImgTolerance, 1024},
                   {"th/th_" + Stem(name) + ".jpg", "th_" + Stem(name), project.TbMaxSize, project.TbTolerance, 1}};
      for (const auto& kind : kinds) {
        const auto size = static_cast<int64_t>(fs::file_size(InGallery(kind.path)));
        const int64_t max = std::stoll(kind.max), tolerance = std::stoll(kind.tolerance);
        if (!missing || size < (max - tolerance) * kind.unit || size > (max + tolerance) * kind.unit)
          images.insert(kind.shown);
      }
    }
    if (Damaged()) images.insert({Stem(DamagedName()), "th_" + Stem(DamagedName())});
    return images;
  }

  // Nothing was told since the last look; with damagedPhoto only that one
  // photo (the damaged one) was, as left out of the gallery.
  void ExpectTold(bool damagedPhoto) {
    const std::vector<ScopedMessageHook::TBox> boxes(hook->Boxes().begin() + static_cast<std::ptrdiff_t>(seenBoxes),
                                                     hook->Boxes().end());
    seenBoxes = hook->Boxes().size();
    if (!damagedPhoto) {
      for (const auto& box : boxes) ADD_FAILURE() << box.caption << "|" << box.text;
      return;
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(boxes[0].text, Language::GetText(kTextPhotosFailed) + "\n\n" + DamagedName()) << boxes[0].text;
  }

  // The damaged photo's name now; empty without one.
  std::string DamagedName() const {
    for (const std::string& name : Names(false))
      if (ReadFileBytes(photos.File(name)) == damaged) return name;
    return std::string();
  }

  // Looks at the gallery in the browser: every page of the photos `names`
  // and no other is reached, and all that each refers to resolves.
  void CheckInBrowser(const std::vector<std::string>& names) {
    const galleryerrand::TBrowserCheck check = galleryerrand::CheckInBrowser(Gallery());
    EXPECT_TRUE(check.passed) << check.output;
    EXPECT_EQ(check.pages, PagesOf(names)) << check.output;
  }

  // Publish > Upload > Current project only, answering its question.
  void Publish(TMainForm& main) {
    hook->Answer(MessageAnswer::Yes);
    ChooseMenu(main, {Text("Zveřejnění", "Publish"), "Upload", Text("Jen aktuální projekt", "Current project only")});
    ASSERT_GT(hook->Boxes().size(), seenBoxes);
    EXPECT_EQ(hook->Boxes()[seenBoxes].text,
              Text("Chcete na internetu aktualizovat aktuální projekt?",
                   "Do you want to update the current project on the internet?"));
    ++seenBoxes;
    ExpectTold(false);
  }

  // What the server stored since the last look, below the project's folder.
  std::set<std::string> Stored() { return galleryerrand::StoredSince(record, recordMark, "/www/vylet/"); }

  // The server holds the gallery's file as it is here; pages go as text,
  // which leaves them with the server's line ends.
  bool OnServer(const std::string& path) const {
    std::string here = ReadFileBytes(InGallery(path));
    if (path.ends_with(".htm")) here.erase(std::remove(here.begin(), here.end(), '\r'), here.end());
    return ReadFileBytes(server.File("ftp/www/vylet/" + path)) == here;
  }

  static std::set<std::string> Caches() {
    std::set<std::string> caches;
    for (const char* folder : kFolders) caches.insert(std::string(folder) + "/ftpcache");
    return caches;
  }

  std::unique_ptr<ScopedMessageHook> hook;
  std::string damaged;  // the damaged photo's bytes, in that run
  size_t seenBoxes = 0;
  testsupport::TempDir photos, web, server;
  std::string record = server.File("record.log");
  size_t recordMark = 0;
};

TEST_P(GalleryErrand, MakeGenerateRenamePublishAndRepublishOnlyWhatChanged) {
  fs::create_directory(server.File("ftp"));
  ftptest::RealServer ftp(server.File("ftp"), {"--record", record});

  // The photographer opens the trip's folder.
  TMainForm& main = StartProgram();
  ChooseFile(photos.File(kPhotos[0]));
  ChooseMenu(main, {Text("Soubor", "File"), Text("Otevři", "Open")});
  ASSERT_EQ(main.Files().size(), Names(false).size());

  // File > Project settings: a name, where the pages go, the folder on the
  // server; saved with File > Save project, which shows the settings again.
  TForm2& project = *GlobalWindows::Get().Form2;
  auto confirmSettings = [this](const QString& title) {
    OnNextModal<TForm2>([this, title](TForm2& window) {
      EXPECT_EQ(window.windowTitle(), title);
      Type(window.ProjectName, "Výlet na hory");
      Type(window.HtmlDir, QString::fromStdString(Gallery()));
      Type(window.Shortcut, "vylet");
      // Photos are never enlarged: a size window the small test photos'
      // site photos reach.
      Type(window.ImgMaxSize, "3");
      Type(window.ImgTolerance, "2");
      QTest::mouseClick(window.OKButton, Qt::LeftButton);
    });
  };
  confirmSettings(Text("Nastavení projektu", "Project settings"));
  ChooseMenu(main, {Text("Soubor", "File"), Text("Nastavení projektu", "Project settings")});
  confirmSettings(Text("Nastavení projektu", "Project settings"));
  ChooseMenu(main, {Text("Soubor", "File"), Text("Ulož projekt", "Save project")});
  ASSERT_EQ(project.ProjectIndex(), 0);
  EXPECT_FALSE(project.Unsaved());

  // The gallery is generated and looked at in the browser.
  const std::set<std::string> compressed = Generate(main);
  EXPECT_EQ(compressed, Images(false));
  CheckInBrowser(Names(true));

  // Batch > Rename files: every photo takes the trip's name and a number;
  // the gallery made again still resolves everywhere.
  std::map<std::string, std::string> contents;
  for (const std::string& name : Names(false)) contents[ReadFileBytes(photos.File(name))] = name;
  OnNextModal<TForm4>([](TForm4& dialog) {
    Type(dialog.FName, "vylet ");
    Type(dialog.FromID, "1");
    Type(dialog.Step, "1");
    QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
  });
  ChooseMenu(main, {Text("Hromadné akce", "Batch"), Text("Přejmenování souborů", "Rename files")});
  ExpectTold(false);
  const std::vector<std::string> renamed = Names(false);
  ASSERT_EQ(renamed.size(), contents.size());
  for (const std::string& name : renamed) {
    EXPECT_EQ(name.rfind("vylet 0", 0), 0u) << name;
    EXPECT_EQ(contents.count(ReadFileBytes(photos.File(name))), 1u) << name;
  }
  const std::set<std::string> compressedAgain = Generate(main);
  EXPECT_EQ(compressedAgain, Images(true));
  CheckInBrowser(Names(true));

  // Publish > FTP settings, then the first upload sends the whole gallery.
  OnNextModal<TFTPForm>([this, port = ftp.Port()](TFTPForm& window) {
    EXPECT_EQ(window.windowTitle(), Text("Nastavení FTP", "FTP settings"));
    Type(window.Host, "127.0.0.1");
    Type(window.Port, QString::number(port));
    Type(window.LoginName, "tester");
    Type(window.Password, "secret");
    Type(window.Dir, "www");
    QTest::mouseClick(window.OKButton, Qt::LeftButton);
  });
  ChooseMenu(main, {Text("Zveřejnění", "Publish"), Text("Nastavení FTP", "FTP settings")});
  Publish(main);
  std::set<std::string> everything = Caches();
  for (const auto& [path, state] : galleryerrand::Files(Gallery())) {
    everything.insert(path);
    EXPECT_TRUE(OnServer(path)) << path;
  }
  EXPECT_EQ(Stored(), everything);

  // Published again with nothing changed: only the checksum caches go.
  Publish(main);
  EXPECT_EQ(Stored(), Caches());

  // One photo's comment, typed in the main window and saved.
  QTest::mouseClick(main.NextFile, Qt::LeftButton);
  QTest::mouseClick(main.NextFile, Qt::LeftButton);
  ASSERT_NE(fs::path(main.CurrentFile()).filename().string(), DamagedName());
  const std::string edited = Stem(fs::path(main.CurrentFile()).filename().string());
  main.Note->setFocus();
  galleryerrand::TypeKeys(main.Note, "Na vrcholu za úsvitu");
  ChooseMenu(main, {Text("Soubor", "File"), Text("Ulož", "Save")});
  EXPECT_FALSE(main.Modified());

  // Generated again: no image is made again for the comment (one whose size
  // misses the project's window is tried again, as every run does, and
  // comes out the same), no image file is touched, and only the pages that
  // show the comment change.
  const auto before = galleryerrand::Files(Gallery());
  const std::set<std::string> missing = Images(true);
  EXPECT_EQ(missing.count(edited) + missing.count("th_" + edited), 0u);
  EXPECT_EQ(Generate(main), missing);
  const auto after = galleryerrand::Files(Gallery());
  std::set<std::string> changed;
  for (const auto& [path, state] : after) {
    if (before.count(path) == 0 || before.at(path).bytes != state.bytes) changed.insert(path);
    if (path.starts_with("foto/") || path.starts_with("th/")) {
      EXPECT_TRUE(before.at(path) == state) << path;
    }
  }
  EXPECT_EQ(after.size(), before.size());
  std::set<std::string> showing = {"800x600/" + edited + ".htm", "1024x768/" + edited + ".htm",
                                   "exif/exif_" + edited + ".htm"};
  const std::string thumbnail = QUrl::toPercentEncoding(QString::fromStdString("th_" + edited + ".jpg")).toStdString();
  for (const char* size : {"800x600", "1024x768"})
    for (const auto& entry : fs::directory_iterator(InGallery(size))) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("page") && ReadFileBytes(entry.path().string()).find(thumbnail) != std::string::npos)
        showing.insert(std::string(size) + "/" + name);
    }
  EXPECT_EQ(showing.size(), 5u);  // one film-strip page of each size
  EXPECT_EQ(changed, showing);
  EXPECT_NE(ReadFileBytes(InGallery("800x600/" + edited + ".htm")).find("Na vrcholu za \xFAsvitu"), std::string::npos);

  // Published a third time: those pages and the caches.
  Publish(main);
  std::set<std::string> expected = Caches();
  expected.insert(showing.begin(), showing.end());
  EXPECT_EQ(Stored(), expected);
  for (const std::string& path : showing)
    EXPECT_TRUE(OnServer(path)) << path;
}

INSTANTIATE_TEST_SUITE_P(Errand, GalleryErrand, errand::kVariants, errand::VariantName);

}  // namespace
