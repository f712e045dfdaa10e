// Errand 1, in the main window: a photographer opens a folder, steps through
// its photos, sorts them by name and by date taken, ignores one, gives one
// photo a comment and a typed position and another a place from the places
// list, and saves. exiftool then finds only those values changed, nothing
// new to warn about, and every file date as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/widgets/GpsGroup.h"
#include "tests/errands/Errand.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/PickPlace.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Tags = std::map<std::string, std::string>;
using platform::MessageAnswer;

// "Group:Tag" = value of every tag exiftool reads from photo, numbers as
// numbers, without the file system's and exiftool's own.
Tags ExiftoolTags(const std::string& photo) {
  Tags tags;
  const std::string text = testsupport::CommandOutput(
      "exiftool -a -G1 -s -n -args --System:all --ExifTool:all --Composite:all '" + photo + "'");
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const size_t equals = line.find('=');
    if (line.rfind('-', 0) == 0 && equals != std::string::npos)
      tags[line.substr(1, equals - 1)] = line.substr(equals + 1);
  }
  return tags;
}

// The tags whose value changed, were added or are gone ("(gone)"), leaving
// out where the thumbnail lies, which moves whenever the EXIF grows.
Tags ChangedTags(const Tags& before, const Tags& after) {
  Tags changed;
  for (const auto& [tag, value] : after) {
    const auto old = before.find(tag);
    if (old == before.end() || old->second != value) changed[tag] = value;
  }
  for (const auto& [tag, value] : before)
    if (!after.count(tag)) changed[tag] = "(gone)";
  changed.erase("IFD1:ThumbnailOffset");
  return changed;
}

// What a photo is before the errand, to compare with afterwards.
struct PhotoBefore {
  std::string bytes;
  Tags tags;
  std::set<std::string> warnings;
  fs::file_time_type modified;
  std::string picture;
};

class BrowserErrand : public errand::ErrandTest {
 protected:
  void SetUp() override {
    ErrandTest::SetUp();
    boxes.emplace();
    StoreKnownPlaces();
  }

  // --- The folder -------------------------------------------------------------
  void Put(const char* photo, const std::string& name) {
    fs::copy_file(testsupport::PhotoPath(photo), folder.File(name));
  }
  // names with the damaged photo at index, in the run that has it.
  Names WithDamaged(Names names, size_t index) const {
    if (Damaged()) names.insert(names.begin() + long(index), errand::kDamagedName);
    return names;
  }
  std::map<std::string, PhotoBefore> KeepEveryPhoto() const {
    std::map<std::string, PhotoBefore> kept;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      const std::string path = entry.path().string();
      kept[entry.path().filename().string()] = {
          testsupport::ReadFileBytes(path), ExiftoolTags(path),
          exifwrite::ValidationWarnings(path), fs::last_write_time(path),
          errand::PictureChecksum(path)};
    }
    return kept;
  }

  // --- The user's steps -------------------------------------------------------
  template <typename T>
  T* Find(const char* name) {
    // The GPS group's fields first: the places window has fields of the same names.
    T* found = form->GPSGroup->findChild<T*>(name);
    return found != nullptr ? found : FindNamed<T>(*form, name);
  }
  void Click(const char* button) {
    QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
  }
  // A click on the box at the left of a check box's caption.
  void Tick(const char* checkBox) {
    QCheckBox* box = Find<QCheckBox>(checkBox);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
  }
  void Press(const char* keys) {
    QApplication::setActiveWindow(form);
    QTest::keySequence(form, QKeySequence(keys));
  }
  std::string Shown() const { return fs::path(form->CurrentFile()).filename().string(); }

  // File > Open, and the photo chosen in the open dialog.
  void OpenFolderAt(const std::string& name) {
    ChooseFile(folder.File(name));
    Find<QAction>("Open1")->trigger();
  }
  // From the first photo to the last with the arrow buttons; the names shown.
  Names StepThrough() {
    Click("FirstFileButton");
    Names seen{Shown()};
    ExpectTagsAndThumbnail();
    while (Find<QToolButton>("NextFile")->isEnabled()) {
      Click("NextFile");
      seen.push_back(Shown());
      ExpectTagsAndThumbnail();
    }
    return seen;
  }
  void StepTo(const std::string& name) {
    Click("FirstFileButton");
    while (Shown() != name && Find<QToolButton>("NextFile")->isEnabled()) Click("NextFile");
    ASSERT_EQ(Shown(), name);
  }
  // Each photo, the damaged one too, shows its tags and its thumbnail.
  void ExpectTagsAndThumbnail() {
    EXPECT_GT(Find<QTableWidget>("SG")->rowCount(), 10) << Shown();
    EXPECT_FALSE(Find<QLabel>("Img")->pixmap().isNull()) << Shown();
  }
  void Comment(const char* text) {
    QPlainTextEdit* note = Find<QPlainTextEdit>("Note");
    note->selectAll();
    note->insertPlainText(QString::fromUtf8(text));
  }
  void TypeInto(const char* field, const char* text) {
    QLineEdit* edit = Find<QLineEdit>(field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  // The whole photo in place of the tag grids, and back: the message shown
  // there, or "(the photo)".
  std::string LookAtWholePhoto() {
    Click("ShowImgButton");
    EXPECT_TRUE(form->FullImageShown());
    const QLabel* whole = Find<QLabel>("FullImg");
    const std::string seen =
        whole->pixmap().isNull() ? whole->text().toStdString() : "(the photo)";
    Click("ShowImgButton");
    EXPECT_FALSE(form->FullImageShown());
    return seen;
  }
  // The GPS button beside the position, and the place double-clicked in
  // the places window it opens.
  void PickPlace(const char* name) {
    PickPlaceOnNextModal(QString::fromUtf8(name));
    Click("Button1");
  }

  testsupport::TempDir folder;
  std::optional<ScopedMessageHook> boxes;
  TMainForm* form = nullptr;
};

TEST_P(BrowserErrand, BrowseSortIgnoreEditAndSaveChangesOnlyWhatWasEdited) {
  Put("Nikon_D70.jpg", "Chata.jpg");      // taken 2008-03-15
  Put("Pentax_K10D.jpg", "Zahrada.jpg");  // 2008-05-04
  Put("Canon_40D.jpg", "Most.jpg");       // 2008-05-30
  Put("Sony_HDR-HC3.jpg", "Bouda.jpg");   // 2007-06-15
  if (Damaged())  // 2006-10-22
    errand::AddDamagedPhoto(folder.Path(), testsupport::PhotoPath("Olympus_C8080WZ.jpg"));
  const std::map<std::string, PhotoBefore> before = KeepEveryPhoto();

  form = &StartProgram();
  form->show();
  EXPECT_EQ(Find<QAction>("Open1")->text().toStdString(), Text("&Otevři", "&Open"));
  OpenFolderAt("Most.jpg");
  EXPECT_EQ(Shown(), "Most.jpg");
  ExpectTagsAndThumbnail();
  EXPECT_EQ(LookAtWholePhoto(), "(the photo)");

  // The program lists by date taken.
  EXPECT_TRUE(Find<QCheckBox>("SortByExposure")->isChecked());
  EXPECT_EQ(Find<QCheckBox>("SortByExposure")->text().toStdString(),
            Text("Řadit podle expozice", "Sort by date taken"));
  EXPECT_EQ(StepThrough(), WithDamaged({"Bouda.jpg", "Chata.jpg", "Zahrada.jpg", "Most.jpg"}, 0));

  // By name: the list follows at the next step.
  Tick("SortByExposure");
  Click("PrevFile");
  EXPECT_EQ(StepThrough(), WithDamaged({"Bouda.jpg", "Chata.jpg", "Most.jpg", "Zahrada.jpg"}, 2));
  Tick("SortByExposure");
  Click("PrevFile");
  EXPECT_EQ(StepThrough(), WithDamaged({"Bouda.jpg", "Chata.jpg", "Zahrada.jpg", "Most.jpg"}, 0));
  EXPECT_EQ(boxes->SaidSinceLastLook(), Names{});

  if (Damaged()) {
    // The damaged photo cannot be shown whole; a comment for it cannot be
    // saved, and it stays as it was.
    StepTo(errand::kDamagedName);
    EXPECT_EQ(LookAtWholePhoto(), "Snímek nelze zobrazit, soubor je poškozený.");
    Comment("Poškozená");
    Press("Ctrl+S");
    const std::string path = folder.File(errand::kDamagedName);
    EXPECT_EQ(boxes->SaidSinceLastLook(), (Names{"Chyba|Změny nelze uložit do snímku, snímek zůstal beze změny.\n\n" +
                             path}));
    // Stepping on, the photographer lets the comment go.
    boxes->Answer(MessageAnswer::No);
    Click("NextFile");
    EXPECT_EQ(boxes->SaidSinceLastLook(), (Names{"Uložit?|EXIF byl modifikován. Chcete uložit?"}));
    EXPECT_EQ(Shown(), "Bouda.jpg");
  }

  // The garden photo is not wanted: ignored, it leaves the list for good.
  StepTo("Zahrada.jpg");
  boxes->Answer(MessageAnswer::Yes);
  Press("Ctrl+I");
  const std::string question = Text("Ignorovat?|Chcete opravdu ignorovat aktuální fotku?",
                                    "Ignore?|Do you really want to ignore the current photo?");
  EXPECT_EQ(boxes->SaidSinceLastLook(), (Names{question + "\n\nZahrada.jpg"}));
  EXPECT_EQ(Shown(), "Most.jpg");
  EXPECT_EQ(StepThrough(), WithDamaged({"Bouda.jpg", "Chata.jpg", "Most.jpg"}, 0));
  EXPECT_EQ(testsupport::ReadFileBytes(folder.File("ignore.list")), "Zahrada.jpg\r\n");

  // The bridge gets a comment and the position typed in, and is saved.
  StepTo("Most.jpg");
  Comment("Karlův most za úsvitu");
  TypeInto("GoogleSirka", "50.0865");
  TypeInto("GoogleDelka", "14.4114");
  TypeInto("GpsVyska", "191");
  EXPECT_TRUE(form->windowTitle().endsWith(Text("   (Modifikován) ", "   (Modified) ")));
  Press("Ctrl+S");
  EXPECT_FALSE(form->Modified());

  // The cottage gets a stored place, picked from the list.
  StepTo("Chata.jpg");
  PickPlace("Sněžka");
  EXPECT_EQ(Find<QLabel>("lbLocation")->text().toStdString(), "Sněžka");
  Press("Ctrl+S");
  EXPECT_FALSE(form->Modified());
  EXPECT_EQ(boxes->SaidSinceLastLook(), Names{});

  // What exiftool finds afterwards: only the values edited are new, and
  // every file keeps its date and its picture.
  const std::map<std::string, Tags> changes = {
      {"Most.jpg",
       {{"ExifIFD:UserComment", "Karlův most za úsvitu"},
        {"GPS:GPSLatitude", "50.0865"},
        {"GPS:GPSLatitudeRef", "N"},
        {"GPS:GPSLongitude", "14.4114"},
        {"GPS:GPSLongitudeRef", "E"},
        {"GPS:GPSAltitude", "191"},
        {"GPS:GPSAltitudeRef", "0"}}},
      {"Chata.jpg",
       {{"GPS:GPSLatitude", "50.7361"},
        {"GPS:GPSLatitudeRef", "N"},
        {"GPS:GPSLongitude", "15.7399"},
        {"GPS:GPSLongitudeRef", "E"},
        {"GPS:GPSAltitude", "1602"},
        {"GPS:GPSAltitudeRef", "0"},
        {"GPS:GPSVersionID", "2 2 0 0"}}}};
  for (const auto& [name, was] : before) {
    SCOPED_TRACE(name);
    const std::string path = folder.File(name);
    EXPECT_EQ(fs::last_write_time(path), was.modified);
    EXPECT_EQ(errand::PictureChecksum(path), was.picture);
    const auto changed = changes.find(name);
    if (changed == changes.end()) {
      EXPECT_TRUE(testsupport::ReadFileBytes(path) == was.bytes);
      continue;
    }
    EXPECT_EQ(ChangedTags(was.tags, ExiftoolTags(path)), changed->second);
    EXPECT_EQ(exifwrite::NewWarnings(was.warnings, path), std::set<std::string>());
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, BrowserErrand, errand::kVariants, errand::VariantName);

}  // namespace
