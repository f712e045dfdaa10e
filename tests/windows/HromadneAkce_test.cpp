// The batch actions window through its controls: actions over a folder tree
// and what lands on disk, files mode, the statistics, the commands while a
// run goes on, the settings, the refusals and the messages.
#include "app/batch/HromadneAkce.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QTimer>
#include <set>

#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/GpsGroup.h"
#include "foundation/appcore.h"
#include "foundation/config/cfgtools.h"
#include "tests/photos/BatchTree.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/PickPlace.h"
#include "tests/windows/WindowTestApp.h"

namespace {

using batchtest::At;
using batchtest::Photo;
using batchtest::Tree;
using Names = std::vector<std::string>;

const char kHotovo[] = "Hotovo|Hotovo";

class HromadneAkceWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TfrmHA>();
    form_->show();
  }

  template <typename W>
  W* Find(const char* name) const {
    W* widget = form_->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  void Click(const char* name) const { Button(name)->click(); }

  // Folder mode on the test's folder, with its subfolders.
  void OnRoot(bool subdirs = true) {
    Find<QLineEdit>("RootDir")->setText(QString::fromStdString(Root()));
    Find<QCheckBox>("Subdirs")->setChecked(subdirs);
  }

  std::string Root() const { return dir_.Path(); }
  std::string At_(const std::string& rel) const { return Root() + "/" + rel; }
  TDateTime FileDate(const std::string& rel) const { return DosFunc::GetFileDateTime(At_(rel)); }

  // First: the application installs the real message box, which the hook
  // then replaces.
  QApplication& app_ = WindowTestApp();
  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  ScopedMessageHook boxes_;
  std::unique_ptr<TfrmHA> form_;
};

TEST_F(HromadneAkceWindow, ActionsRunOverTheTreeAndSayDone) {
  const TDateTime taken = At(2013, 10, 5, 7, 56, 3), old = At(2020, 1, 1);
  Photo(Root(), "a.jpg", taken, old);
  Photo(Root(), "sub/b.jpg", At(2012, 2, 2, 2, 2, 2), old);
  OnRoot(false);
  Click("Button2");
  EXPECT_EQ(FileDate("a.jpg"), taken);
  EXPECT_EQ(FileDate("sub/b.jpg"), old) << "subfolders only when chosen";
  EXPECT_EQ(boxes_.Said(), (Names{kHotovo}));

  Find<QCheckBox>("Subdirs")->setChecked(true);
  Click("Button3");
  EXPECT_EQ(Tree(Root()), (Names{"20131005_075603.jpg", "sub/20120202_020202.jpg"}));
  Click("Button8");
  EXPECT_EQ(Tree(Root()),
            (Names{"2013-10/20131005_075603.jpg", "sub/2012-02/20120202_020202.jpg"}));
  EXPECT_EQ(boxes_.Said().size(), 3u);
  EXPECT_TRUE(form_->isVisible()) << "folder mode stays open";
}

TEST_F(HromadneAkceWindow, AMissingFolderIsToldAndTheStatisticsStaySilent) {
  Find<QLineEdit>("RootDir")->setText(QString::fromStdString(At_("missing")));
  Click("BitBtn1");
  EXPECT_TRUE(boxes_.Said().empty());
  Click("Button2");
  ASSERT_EQ(boxes_.Said(), (Names{"Chyba|Vybraná složka neexistuje, nebo není dostupná"}));
  EXPECT_EQ(boxes_.Boxes()[0].icon, platform::MessageIcon::Error);
}

TEST_F(HromadneAkceWindow, FilesThatCouldNotBeHandledAreListed) {
  Photo(Root(), "a.jpg", At(2013, 10, 5, 7, 56, 3));
  testsupport::WriteFileBytes(At_("2013-10"), "a file where the folder would go");
  OnRoot();
  Click("Button8");
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  const ScopedMessageHook::TBox& box = boxes_.Boxes()[0];
  EXPECT_EQ(box.caption, "Hotovo");
  EXPECT_EQ(box.icon, platform::MessageIcon::Warning);
  EXPECT_NE(box.text.find("Podsložku se nepodařilo vytvořit"), std::string::npos) << box.text;
  EXPECT_NE(box.text.find(At_("2013-10")), std::string::npos) << box.text;
  EXPECT_TRUE(DosFunc::FileExistsLong(At_("a.jpg")));
}

TEST_F(HromadneAkceWindow, FilesModeEnablesRenamingOnlyForFoldersAndEndsAfterItsAction) {
  const TDateTime taken = At(2013, 10, 5, 7, 56, 3), old = At(2020, 1, 1);
  const std::string file = Photo(Root(), "a.jpg", taken, old);
  const std::string folder = batchtest::MakeFolderOf(At_("sub/x"));
  Photo(Root(), "sub/b.jpg", taken, old);
  auto* group = Find<QGroupBox>("GroupBox1");
  form_->OpenWithFiles(folder + "\r\n" + file + "\r\n");
  EXPECT_EQ(Find<QLineEdit>("RootDir")->text().toStdString(), "Files: " + folder + " & " + file);
  EXPECT_FALSE(group->isEnabled());
  for (const char* name : {"RootDir", "Button1", "Subdirs"})
    EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
  EXPECT_TRUE(Find<QCheckBox>("cbStayOpen")->isVisible());
  form_->OpenWithFiles(folder);
  EXPECT_TRUE(group->isEnabled());
  EXPECT_TRUE(Button("Button3")->isEnabled());

  form_->OpenWithFiles(folder + "\r\n" + file);
  Find<QCheckBox>("cbStayOpen")->setChecked(true);
  Click("Button2");
  EXPECT_EQ(FileDate("a.jpg"), taken);
  EXPECT_EQ(FileDate("sub/b.jpg"), taken);
  EXPECT_EQ(boxes_.Said(), (Names{kHotovo}));
  EXPECT_TRUE(form_->isVisible());
  // Kept open, it tells the end also when the arguments held nothing to do.
  form_->OpenWithFiles(batchtest::MakeFolderOf(At_("empty/x")));
  Click("Button2");
  EXPECT_EQ(boxes_.Said(), (Names{kHotovo, kHotovo}));

  form_->OpenWithFiles(folder + "\r\n" + file);
  Find<QCheckBox>("cbStayOpen")->setChecked(false);
  Click("Button4");
  // Its last word before the window closes, which ends the program.
  EXPECT_EQ(boxes_.Said(), (Names{kHotovo, kHotovo, std::string(kHotovo) + "\n\nZpracováno souborů: 2"}));
  EXPECT_FALSE(form_->isVisible());
}

TEST_F(HromadneAkceWindow, FilesModeSaysWhichPhotosGotThePositionBeforeItEnds) {
  const std::string plain = Photo(Root(), "a.jpg", At(2013, 10, 5));
  const std::string located = Root() + "/gps.jpg";
  std::filesystem::copy_file(testsupport::PhotoPath("gps_DSCN0010.jpg"), located);
  const std::string broken = Root() + "/broken.jpg";
  testsupport::WriteFileBytes(broken, "\xFF\xD8 not a photo");
  form_->OpenWithFiles(plain + "\r\n" + located + "\r\n" + broken);
  QTest::keyClicks(Find<QLineEdit>("GoogleSirka"), "50.0755");
  QTest::keyClicks(Find<QLineEdit>("GoogleDelka"), "14.4378");
  Click("Button6");
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  const ScopedMessageHook::TBox& box = boxes_.Boxes()[0];
  EXPECT_EQ(box.caption, "Hotovo");
  EXPECT_EQ(box.text.rfind("Hotovo\n\nPozice GPS zapsána do fotek: 1, beze změny: 1\n\n", 0), 0u)
      << box.text;
  EXPECT_NE(box.text.find(broken), std::string::npos) << box.text;
  EXPECT_EQ(box.icon, platform::MessageIcon::Warning);
  EXPECT_FALSE(form_->isVisible());
  TExifReader reader;
  reader.ReadFromFile(plain);
  EXPECT_EQ(reader.GetLatitudeText().substr(0, 7), "50.0755");
}

TEST_F(HromadneAkceWindow, RenamingByNameInFilesModeWithoutAFolderIsRefused) {
  const std::string folder = batchtest::MakeFolderOf(At_("gone/x"));
  form_->OpenWithFiles(folder);
  ASSERT_TRUE(DosFunc::RemoveDirLong(folder));
  Find<QCheckBox>("sortbyexif")->click();
  Click("Button3");
  EXPECT_EQ(boxes_.Said(), (Names{"Chyba|Vybraná složka neexistuje, nebo není dostupná"}));
  EXPECT_TRUE(form_->isVisible());
}

TEST_F(HromadneAkceWindow, StatisticsCountAndListThePhotosAndTheirDatesSetTheCalendar) {
  Photo(Root(), "a.jpg", At(2013, 10, 5, 7, 56, 3));
  Photo(Root(), "sub/b.jpg", At(2012, 2, 2, 2, 2, 2));
  const std::string undated = batchtest::UndatedPhoto(Root(), "sub/u.jpg", At(2020, 1, 1));
  const std::string gps = At_("gps.jpg");
  ASSERT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath("gps_DSCN0010.jpg"), gps));
  OnRoot();
  auto* cbInvalid = Find<QCheckBox>("cbInvalid");
  EXPECT_FALSE(cbInvalid->isVisible());
  Click("BitBtn1");
  EXPECT_TRUE(boxes_.Said().empty());
  EXPECT_EQ(Find<QLineEdit>("countInvDates")->text(), "1");
  EXPECT_EQ(Find<QLineEdit>("countWithoutGPS")->text(), "3");
  EXPECT_EQ(Find<QLineEdit>("countWithGPS")->text(), "1");
  EXPECT_TRUE(cbInvalid->isVisible());
  auto* min = Find<QLabel>("lbMinDate");
  auto* max = Find<QLabel>("lbMaxDate");
  EXPECT_EQ(min->text(), "Min = 22.10.2008");
  EXPECT_EQ(max->text(), "Max = 05.10.2013");
  // The earliest day takes a double click, the latest one click.
  auto* cal = Find<QCalendarWidget>("cal");
  QTest::mouseDClick(min, Qt::LeftButton);
  EXPECT_EQ(cal->selectedDate(), QDate(2008, 10, 22));
  QTest::mouseClick(max, Qt::LeftButton);
  EXPECT_EQ(cal->selectedDate(), QDate(2013, 10, 5));

  std::vector<std::pair<Names, int>> shown;
  form_->ShowPhotoList = [&](const Names& files, int mode) {
    shown.emplace_back(files, mode);
    return false;
  };
  for (const char* name : {"Button9", "Button10", "Button11"}) Click(name);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], (std::pair<Names, int>{{undated}, 0}));
  EXPECT_EQ(shown[1].second, 1);
  EXPECT_EQ(shown[1].first.size(), 3u);
  EXPECT_EQ(shown[2], (std::pair<Names, int>{{gps}, 2}));

  // Without the subfolders the invalid date is gone, and so is cbInvalid.
  Find<QCheckBox>("Subdirs")->click();
  EXPECT_EQ(Find<QLineEdit>("countInvDates")->text(), "0");
  EXPECT_FALSE(cbInvalid->isVisible());
}

// After an action that renames, moves or positions photos, the counts, the
// dates and the lists are those of the photos as they are now; so they are
// after the photo list wrote a position.
TEST_F(HromadneAkceWindow, CountsAndListsFollowARenameASplitAndAPosition) {
  Photo(Root(), "a.jpg", At(2013, 10, 5, 7, 56, 3));
  Photo(Root(), "sub/b.jpg", At(2012, 2, 2, 2, 2, 2));
  batchtest::UndatedPhoto(Root(), "sub/u.jpg", At(2020, 1, 1));
  ASSERT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath("gps_DSCN0010.jpg"), At_("gps.jpg")));
  OnRoot();
  std::map<int, Names> lists;
  bool writes = false;
  form_->ShowPhotoList = [&](const Names& files, int mode) {
    lists[mode] = files;
    return writes;
  };
  const auto counts = [&] {
    return Find<QLineEdit>("countInvDates")->text().toStdString() + " " +
           Find<QLineEdit>("countWithoutGPS")->text().toStdString() + " " +
           Find<QLineEdit>("countWithGPS")->text().toStdString();
  };
  // Every photo each list names is there; the lists hold every photo.
  const auto listed = [&] {
    lists.clear();
    for (const char* button : {"Button9", "Button10", "Button11"}) Click(button);
    std::set<std::string> all;
    for (const auto& [mode, files] : lists) {
      for (const std::string& file : files) {
        EXPECT_TRUE(DosFunc::FileExistsLong(file)) << file;
        all.insert(file.substr(Root().size() + 1));
      }
    }
    return Names(all.begin(), all.end());
  };
  Click("BitBtn1");
  EXPECT_EQ(counts(), "1 3 1");

  Click("Button3");
  EXPECT_EQ(listed(), Tree(Root()));
  EXPECT_EQ(listed(), (Names{"20081022_162839.jpg", "20131005_075603.jpg",
                             "sub/20120202_020202.jpg", "sub/20130101_010101.jpg"}));
  Click("Button8");
  EXPECT_EQ(listed(), Tree(Root()));
  EXPECT_EQ(listed().size(), 4u);
  EXPECT_EQ(counts(), "1 3 1");

  const std::pair<const char*, const char*> position[] = {
      {"SirSt", "50"}, {"SirMin", "5"}, {"SirSec", "0"},
      {"DelkaSt", "14"}, {"DelkaMin", "25"}, {"DelkaSec", "0"}};
  for (const auto& [name, text] : position) QTest::keyClicks(Find<QLineEdit>(name), text);
  Click("Button6");
  EXPECT_EQ(counts(), "1 0 4");
  EXPECT_EQ(lists.size(), 3u);
  EXPECT_EQ(Find<QLabel>("lbMaxDate")->text(), "Max = 05.10.2013");
  EXPECT_EQ(boxes_.Said(), (Names{kHotovo, kHotovo, kHotovo}));

  // A position the photo list wrote counts too.
  testsupport::CommandOutput("exiftool -q -q -r -overwrite_original -GPS:all= '" + Root() + "'");
  Click("BitBtn1");
  EXPECT_EQ(counts(), "1 4 0");
  writes = true;
  form_->ShowPhotoList = [&](const Names& files, int) {
    TExifReader reader;
    reader.ReadFromFile(files.front());
    reader.SetLatitude(50, 5, true, 0);
    reader.SetLongitude(14, 25, true, 0);
    return reader.WriteGPS();
  };
  Click("Button10");
  EXPECT_EQ(counts(), "1 3 1");
}

TEST_F(HromadneAkceWindow, AHiddenWindowTakesTheFirst500FilesAndWarns) {
  for (int i = 0; i < 501; ++i)
    batchtest::Media(Root(), "m" + std::to_string(i) + ".png", At(2001, 1, 1));
  OnRoot();
  form_->hide();
  form_->ShowStatistics();
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].caption, "Varování");
  EXPECT_EQ(boxes_.Boxes()[0].icon, platform::MessageIcon::Warning);
}

TEST_F(HromadneAkceWindow, WhileARunGoesOnNothingElseStartsAndClosingStopsIt) {
  const TDateTime old = At(2020, 1, 1);
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) Photo(Root(), name, At(2013, 10, 5), old);
  OnRoot();
  bool checked = false;
  QTimer::singleShot(0, [&] {
    checked = true;
    EXPECT_TRUE(form_->Running());
    EXPECT_TRUE(Find<QProgressBar>("PB")->isVisible());
    for (QAbstractButton* button : form_->findChildren<QAbstractButton*>())
      EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    form_->RunAction(HromadneAkce::kSplitByMonth);
    form_->close();
    EXPECT_TRUE(form_->isVisible()) << "the run ends first";
  });
  Click("Button2");
  EXPECT_TRUE(checked);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(Tree(Root()), (Names{"a.jpg", "b.jpg", "c.jpg"}));
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) EXPECT_EQ(FileDate(name), old) << name;
  EXPECT_TRUE(boxes_.Said().empty());
  EXPECT_TRUE(Button("Button2")->isEnabled());
  EXPECT_FALSE(Find<QProgressBar>("PB")->isVisible());
}

TEST_F(HromadneAkceWindow, RenameAndShiftControlsFollowTheirRules) {
  auto* sortbyexif = Find<QCheckBox>("sortbyexif");
  auto* rb_date = Find<QRadioButton>("rb_date");
  EXPECT_EQ(Button("Button3")->text(), "Proveď, řazení podle exif");
  EXPECT_TRUE(Button("Button13")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>("imgprefix")->isEnabled());
  auto* lbstep = Find<QComboBox>("lbstep");
  lbstep->setCurrentIndex(5);
  emit lbstep->activated(5);
  EXPECT_FALSE(sortbyexif->isChecked()) << "a step applies to the name order";
  EXPECT_EQ(Button("Button3")->text(), "Proveď, řazení podle jména");
  EXPECT_FALSE(rb_date->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>("rb_index")->isChecked());
  EXPECT_TRUE(Find<QLineEdit>("imgprefix")->isEnabled());
  EXPECT_FALSE(Button("Button13")->isEnabled());

  Photo(Root(), "a.jpg", At(2013, 10, 5), At(2020, 1, 1));
  OnRoot();
  auto* movetime = Find<QCheckBox>("movetime");
  EXPECT_FALSE(Button("Button12")->isEnabled());
  movetime->click();
  EXPECT_TRUE(Button("Button12")->isEnabled());
  Find<QLineEdit>("mins")->setText("1x");
  Click("Button12");
  EXPECT_FALSE(movetime->isChecked());
  EXPECT_FALSE(Button("Button12")->isEnabled());
  EXPECT_EQ(FileDate("a.jpg"), At(2020, 1, 1));
  movetime->click();
  Find<QLineEdit>("mins")->setText(" 90 ");
  Click("Button12");
  EXPECT_EQ(Find<QLineEdit>("mins")->text(), "90");
  EXPECT_EQ(FileDate("a.jpg"), At(2020, 1, 1, 1, 30));
  EXPECT_EQ(boxes_.Said(), (Names{kHotovo}));
}

TEST_F(HromadneAkceWindow, AFaultyPositionIsRefusedBeforeAnyPhotoIsTouched) {
  const std::string photo = Photo(Root(), "a.jpg", At(2013, 10, 5));
  const std::string before = testsupport::ReadFileBytes(photo);
  OnRoot();
  const std::pair<const char*, const char*> fields[] = {{"SirSt", "91"},    {"SirMin", "0"},
                                                        {"SirSec", "0"},    {"DelkaSt", "14"},
                                                        {"DelkaMin", "30"}, {"DelkaSec", "0"}};
  for (const auto& [name, text] : fields) QTest::keyClicks(Find<QLineEdit>(name), text);
  ASSERT_TRUE(Button("Button6")->isEnabled());
  Click("Button6");
  EXPECT_EQ(boxes_.Said(), (Names{"Chyba|Stupně zeměpisné šířky musí být celé číslo od 0 do 90."}));
  EXPECT_EQ(testsupport::ReadFileBytes(photo), before);

  Find<QLineEdit>("SirSt")->setText("50");
  Click("Button6");
  EXPECT_EQ(boxes_.Said().back(), kHotovo);
  TExifReader reader;
  reader.ReadFromFile(photo);
  EXPECT_EQ(reader.GetLatitudeText().substr(0, 4), "50.0");
  EXPECT_EQ(reader.GetLongitudeText().substr(0, 5), "14.50");
}

TEST_F(HromadneAkceWindow, SettingsAreSavedOnCloseAndLoadedOnShow) {
  OnRoot();
  Find<QCheckBox>("sortbyexif")->click();
  Find<QCalendarWidget>("cal")->setSelectedDate(QDate(2015, 6, 1));
  Find<QCheckBox>("cbSetExifDate")->setChecked(false);
  Find<QRadioButton>("rb_date2")->setChecked(true);
  Find<QRadioButton>("rbUpdateAllGPS")->setChecked(true);
  QTest::keyClicks(Find<QLineEdit>("GoogleSirka"), "50.5");
  QTest::keyClicks(Find<QLineEdit>("GoogleDelka"), "14.25");
  QTest::keyClicks(Find<QLineEdit>("GpsVyska"), "300");
  Find<QCheckBox>("cbStayOpen")->setChecked(true);
  form_->close();
  {
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    EXPECT_EQ(config.ReadString("OpenHADir", ""), Root());
    EXPECT_FALSE(config.ReadBool("SortByExif", true));
    EXPECT_EQ(config.ReadInteger("OpenHADate", -1), DateFunc::DMYToDayNum(1, 6, 2015));
    EXPECT_FALSE(config.ReadBool("OpenHASetExpDate", true));
    EXPECT_TRUE(config.ReadBool("OpenHASetFileDate", false));
    EXPECT_TRUE(config.ReadBool("OpenHAStayOpen", false));
    EXPECT_EQ(config.ReadInteger("OpenHARenameFormat", -1), 2);
    EXPECT_EQ(config.ReadInteger("OpenHAUpdGPS", -1), 1);
    EXPECT_EQ(config.ReadString("OpenHAGMLatitude", ""), "50.5");
    EXPECT_EQ(config.ReadString("OpenHAGMLongitude", ""), "14.25");
    EXPECT_EQ(config.ReadString("OpenHAGMAltitude", ""), "300");
  }
  form_ = std::make_unique<TfrmHA>();
  form_->show();
  EXPECT_EQ(Find<QLineEdit>("RootDir")->text().toStdString(), Root());
  EXPECT_FALSE(Find<QCheckBox>("sortbyexif")->isChecked());
  EXPECT_EQ(Button("Button3")->text(), "Proveď, řazení podle jména");
  EXPECT_EQ(Find<QCalendarWidget>("cal")->selectedDate(), QDate(2015, 6, 1));
  EXPECT_FALSE(Find<QCheckBox>("cbSetExifDate")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("rb_date2")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("rbUpdateAllGPS")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("SirSt")->text(), "50");
  EXPECT_EQ(Find<QLineEdit>("SirMin")->text(), "30");
  EXPECT_EQ(Find<QLineEdit>("DelkaMin")->text(), "15");
  EXPECT_TRUE(Find<QLineEdit>("locname")->isEnabled());

  // Restored from the task bar, the window keeps what the user changed.
  Find<QCheckBox>("cbSetExifDate")->setChecked(true);
  QShowEvent restored;
  QSpontaneKeyEvent::setSpontaneous(&restored);
  // Delivered as the system delivers it; sendEvent would clear the mark.
  static_cast<QObject*>(form_.get())->event(&restored);
  EXPECT_TRUE(Find<QCheckBox>("cbSetExifDate")->isChecked());

  // Files mode keeps the stored folder.
  form_->OpenWithFiles(At_("x.jpg"));
  form_->close();
  TConfig config;
  config.OpenRegistryDefault(false, "Quillmarsh");
  EXPECT_EQ(config.ReadString("OpenHADir", ""), Root());
}

TEST(HromadneAkcePlaces, APlaceTakenFromTheListIsNotStoredAgainButANamedNewPositionIs) {
  WindowTestApp();
  testsupport::ScopedHome home;
  ScopedMessageHook boxes;
  testsupport::TempDir dir;
  appcore::SetFormApplicationInitialized();
  const std::string placesFile = home.Path() + "/data/quillmarsh.gps";
  testsupport::WriteFileBytes(batchtest::MakeFolderOf(placesFile) + "/quillmarsh.gps",
                              "50.7361|15.7399| 1 602 |Sněžka\r\n");
  const std::string photo = Photo(dir.Path(), "a.jpg", At(2013, 10, 5));
  GlobalWindows::Create(true);
  TfrmHA& batch = *GlobalWindows::Get().frmHA;
  batch.show();
  batch.RootDir->setText(QString::fromStdString(dir.Path()));
  // The file as the user wrote it: storing the place again would rewrite it.
  const std::string places = testsupport::ReadFileBytes(placesFile);

  PickPlaceOnNextModal("Sněžka");
  batch.Button7->click();
  EXPECT_EQ(batch.GPSGroup->SirSt->text(), "50");
  EXPECT_EQ(batch.GPSGroup->GpsVyska->text(), "1 602");
  EXPECT_EQ(batch.locname->text(), "Sněžka");
  EXPECT_FALSE(batch.locname->isEnabled());
  batch.Button6->click();
  EXPECT_EQ(boxes.Said(), (Names{kHotovo}));
  EXPECT_EQ(testsupport::ReadFileBytes(placesFile), places);
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  EXPECT_EQ(reader.GetLatitudeText(), "50.736100");

  // A changed position no longer belongs to the place; named, it becomes one.
  batch.GPSGroup->SirMin->clear();
  QTest::keyClicks(batch.GPSGroup->SirMin, "50");
  EXPECT_TRUE(batch.locname->isEnabled());
  batch.locname->setText("Chata");
  batch.Button6->click();
  EXPECT_NE(testsupport::ReadFileBytes(placesFile).find("|Chata\r\n"), std::string::npos);
  EXPECT_EQ(boxes.Said().size(), 2u);
  GlobalWindows::Destroy();
}

TEST(HromadneAkceMenu, TheMainWindowOpensTheBatchWindowModally) {
  WindowTestApp();
  testsupport::ScopedHome home;
  ScopedMessageHook boxes;
  GlobalWindows::Create(false);
  const TGlobalWindows& windows = GlobalWindows::Get();
  bool opened = false;
  OnNextModal<TfrmHA>([&](TfrmHA& batch) {
    opened = &batch == windows.frmHA && batch.isModal();
    batch.reject();
  });
  windows.MainForm->findChild<QAction*>("AboveDirectory1")->trigger();
  EXPECT_TRUE(opened);
  GlobalWindows::Destroy();
}

}  // namespace
