// The main window, driven by its controls' names: start-up state, a folder
// of photos with mixed-case names, stepping, sorting, the ignore list,
// deleting, the EXIF grids, failures, settings and the language.
#include "app/browser/Main.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <filesystem>
#include <set>

#include "app/batch/HromadneAkce.h"
#include "app/dialogs/InfoWindow.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/dialogs/modalgauge.h"
#include "app/pickers/ImgListForm.h"
#include "app/pickers/ThumbListForm.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/start/GlobalWindows.h"
#include "foundation/DosFunc.h"
#include "foundation/appcore.h"
#include "foundation/config/cfgtools.h"
#include "metadata/exif.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;
using testsupport::PhotoPath;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

struct TBox {
  std::string text;
  std::string caption;
};

std::vector<TBox>& Boxes() {
  static std::vector<TBox> boxes;
  return boxes;
}

platform::MessageAnswer& Answer() {
  static platform::MessageAnswer answer = platform::MessageAnswer::Yes;
  return answer;
}

platform::MessageAnswer RecordBox(const std::string& text, const std::string& caption,
                                  platform::MessageButtons, platform::MessageIcon) {
  Boxes().push_back({text, caption});
  return Answer();
}

void WriteNoExifPhoto(const std::string& path) {
  platform::Bitmap picture;
  picture.width = 64;
  picture.height = 48;
  picture.pixels.assign(64 * 48 * 3, 128);
  ASSERT_TRUE(platform::WriteJpegFile(picture, path, 90));
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    appcore::SetFormApplicationInitialized();
    Boxes().clear();
    Answer() = platform::MessageAnswer::Yes;
    platform::SetMessageBoxFunction(RecordBox);
    CreateWindows();
  }

  void TearDown() override {
    GlobalWindows::Destroy();
    platform::SetMessageBoxFunction(nullptr);
  }

  void CreateWindows() {
    GlobalWindows::Create(false);
    form = GlobalWindows::Get().MainForm;
  }

  template <typename T>
  T* Find(const char* name) {
    return FindNamed<T>(*form, name);
  }

  std::string Copy(const char* photo, const std::string& name, const TempDir& dir) {
    fs::copy_file(PhotoPath(photo), dir.File(name));
    return dir.File(name);
  }

  // Chooses a photo in the open dialog, as the user does after F3.
  void Open(const std::string& path) {
    ChooseFile(path);
    Find<QAction>("Open1")->trigger();
  }

  std::string Names() const {
    std::string names;
    for (const TPhotoEntry& entry : form->Files())
      names += (names.empty() ? "" : " ") + fs::path(entry.Path).filename().string();
    return names;
  }

  std::string Current() const { return fs::path(form->CurrentFile()).filename().string(); }

  void Click(const char* button) { QTest::mouseClick(Find<QToolButton>(button), Qt::LeftButton); }

  bool Enabled(const char* button) { return Find<QToolButton>(button)->isEnabled(); }

  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
  TempDir photos;
  TMainForm* form = nullptr;
};

TEST_F(MainFormTest, StartsEmptyWithItsMenusShortcutsAndDisabledItems) {
  EXPECT_EQ(form->windowTitle(), "Quillmarsh v1.0");
  const struct {
    const char* item;
    const char* shortcut;
  } shortcuts[] = {{"Open1", "F3"},           {"Openproject1", "Ctrl+O"},
                   {"Save1", "Ctrl+S"},       {"Saveproject1", "Ctrl+A"},
                   {"Ignorecurrentimage1", "Ctrl+I"}, {"Deletecurrentimage1", "Ctrl+D"},
                   {"Imagelist1", "Ctrl+L"},  {"Thumbnailslist1", "Ctrl+T"},
                   {"SlideShow1", "F12"}};
  for (const auto& s : shortcuts)
    EXPECT_EQ(Find<QAction>(s.item)->shortcut(), QKeySequence(s.shortcut)) << s.item;
  for (const char* item :
       {"ExtractEXIFs1", "JoinEXIFs1", "FileDateTmebyexposure1", "GenerateCurrentProject1",
        "GenerateAllProjects", "Savethumbnails1", "Save1", "Saveproject1", "Projectproperties1",
        "Renamefiles1", "Ignorecurrentimage1", "Deletecurrentimage1", "Preview800x600",
        "Preview1024x768", "Allprojects1", "Onlycurrentproject1", "Allprojects2",
        "Onlycurrentproject2", "Separateflashnoflashsnaps1", "SeparateGPSnoGPSsnaps1",
        "Previewprojectlist1", "Projectlist1", "Imagelist1", "Thumbnailslist1", "SlideShow1",
        "Saveplayer1"})
    EXPECT_FALSE(Find<QAction>(item)->isEnabled()) << item;
  for (const char* item : {"Open1", "About2", "Homepage1"})
    EXPECT_TRUE(Find<QAction>(item)->isEnabled()) << item;
  const struct {
    const char* item;
    const char* caption;
  } captions[] = {{"File1", "&Soubor"},
                  {"Open1", "&Otevři"},
                  {"Separateflashnoflashsnaps1", "Rozdělení fotek na \"s bleskem\" / \"bez blesku\""},
                  {"Language", "Jazyk"},
                  {"Homepage1", "Domovská stránka"}};
  for (const auto& c : captions) EXPECT_EQ(Find<QAction>(c.item)->text(), c.caption) << c.item;
  for (const char* button : {"FirstFileButton", "PrevFile", "NextFile", "LastFileButton"})
    EXPECT_FALSE(Enabled(button)) << button;
  EXPECT_EQ(Find<QComboBox>("CameraTypeCombo")->currentText(), "EXIF struktura nenalezena");
  EXPECT_EQ(Find<QTableWidget>("SG")->rowCount(), 0);
  EXPECT_EQ(Find<QTableWidget>("ESG")->horizontalHeaderItem(0)->text(),
            "Příznaky specifické fotoaparátu");
  EXPECT_EQ(form->ThumbnailFile(), home.Path() + "/tmp/exif_thumbnail.jpg");
  // Side files are offered beside the photos.
  EXPECT_EQ(Find<QFileDialog>("OpenDialog")->nameFilters(),
            QStringList({"All (*.jpg *.jpeg *.exif)", "JPEG Image File (*.jpg *.jpeg)",
                         "EXIF Backup File (*.exif)"}));
}

TEST_F(MainFormTest, AFolderOfMixedCaseNamesIsListedByExposureAndSteppedAround) {
  Copy("canon-ixus.jpg", "b.JPG", photos);       // 2001-06-09
  Copy("Canon_40D.jpg", "B.jpg", photos);        // 2008-05-30
  Copy("nikon-e950.jpg", "a.jpeg", photos);      // 2001-04-06
  Copy("Sony_HDR-HC3.jpg", "C.Jpg", photos);     // 2007-06-15
  Copy("olympus-c960.jpg", "side.exif", photos); // 2000-11-07
  Copy("Canon_40D.jpg", ".hidden.jpg", photos);
  Copy("Canon_40D.jpg", "d.png", photos);

  Open(photos.File("b.JPG"));
  EXPECT_EQ(Names(), "side.exif a.jpeg b.JPG C.Jpg B.jpg");
  EXPECT_EQ(Current(), "b.JPG");
  EXPECT_EQ(form->ImageDir(), photos.Path());
  EXPECT_NE(form->windowTitle().toStdString().find(photos.File("b.JPG")), std::string::npos);
  for (const char* button : {"FirstFileButton", "PrevFile", "NextFile", "LastFileButton"})
    EXPECT_TRUE(Enabled(button)) << button;
  EXPECT_TRUE(Find<QAction>("Ignorecurrentimage1")->isEnabled());

  Click("NextFile");
  EXPECT_EQ(Current(), "C.Jpg");
  Click("NextFile");
  EXPECT_EQ(Current(), "B.jpg");
  EXPECT_FALSE(Enabled("NextFile"));
  EXPECT_FALSE(Enabled("LastFileButton"));
  form->NextFileClick();
  EXPECT_EQ(Current(), "side.exif");
  EXPECT_FALSE(Enabled("PrevFile"));
  form->PrevFileClick();
  EXPECT_EQ(Current(), "B.jpg");
  Click("FirstFileButton");
  EXPECT_EQ(Current(), "side.exif");
  Click("LastFileButton");
  EXPECT_EQ(Current(), "B.jpg");

  // A small folder is read again at each step: a new photo joins the list.
  Copy("gps_DSCN0010.jpg", "e.jpg", photos);  // 2008-10-22
  Click("FirstFileButton");
  EXPECT_EQ(Names(), "side.exif a.jpeg b.JPG C.Jpg B.jpg e.jpg");

  // Unchecked, the photo is shown again; the next read sorts by name.
  QTest::mouseClick(Find<QCheckBox>("SortByExposure"), Qt::LeftButton);
  EXPECT_EQ(Current(), "side.exif");
  EXPECT_EQ(Names(), "side.exif a.jpeg b.JPG C.Jpg B.jpg e.jpg");
  Click("NextFile");
  EXPECT_EQ(Names(), "a.jpeg B.jpg b.JPG C.Jpg e.jpg side.exif");
  EXPECT_EQ(Current(), "a.jpeg");
}

TEST_F(MainFormTest, AFolderOfTenPhotosIsReadAgainOnlyWhenAPhotoIsChosen) {
  for (const char* name : {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "p6.jpg",
                           "p7.jpg", "p8.jpg", "p9.jpg"})
    Copy("Canon_40D.jpg", name, photos);
  Open(photos.File("p0.jpg"));
  ASSERT_EQ(form->Files().size(), 10u);
  Copy("Canon_40D.jpg", "new.jpg", photos);
  Click("NextFile");
  EXPECT_EQ(Current(), "p1.jpg");
  EXPECT_EQ(form->Files().size(), 10u);
  Open(photos.File("p1.jpg"));
  EXPECT_EQ(form->Files().size(), 11u);
}

TEST_F(MainFormTest, LongWorkTellsWhatItIsDoingUntilItEnds) {
  Copy("canon-ixus.jpg", "a.jpg", photos);
  Copy("Canon_40D.jpg", "b.jpg", photos);
  // What the progress and information windows and the status line show
  // whenever events run meanwhile.
  std::set<std::string> seen;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [this, &seen] {
    const TfrmModalGauge* gauge = GlobalWindows::Get().frmModalGauge;
    if (gauge->isVisible())
      seen.insert(gauge->FInfo->text().toStdString() + " / " + form->StatusText());
    if (const TInfoWind* info = InfoWindow::Current())
      seen.insert(info->Label1->text().toStdString());
  });
  watch.start();
  Open(photos.File("a.jpg"));
  QTest::mouseClick(Find<QPushButton>("ShowImgButton"), Qt::LeftButton);
  watch.stop();
  const std::set<std::string> told = {"Čekejte, načítám seznam souborů... / Načítám EXIF-záznamy",
                                      "Načítám obrázek ..."};
  EXPECT_EQ(seen, told);
  EXPECT_EQ(form->StatusText(), "");
  EXPECT_FALSE(GlobalWindows::Get().frmModalGauge->isVisible());
  EXPECT_EQ(InfoWindow::Current(), nullptr);
}

TEST_F(MainFormTest, IgnoringKeepsThePhotoOutOfTheFolderUntilTheLastOneIsGone) {
  Copy("canon-ixus.jpg", "one.jpg", photos);
  Copy("Canon_40D.jpg", "two.jpg", photos);
  Copy("Canon_40D.jpg", "TWO.JPG", photos);
  Open(photos.File("one.jpg"));
  ASSERT_EQ(Names(), "one.jpg TWO.JPG two.jpg");

  Answer() = platform::MessageAnswer::No;
  Find<QAction>("Ignorecurrentimage1")->trigger();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Chcete opravdu ignorovat aktuální fotku?\n\none.jpg");
  EXPECT_EQ(Boxes()[0].caption, "Ignorovat?");
  EXPECT_EQ(Names(), "one.jpg TWO.JPG two.jpg");
  EXPECT_FALSE(fs::exists(photos.File("ignore.list")));

  Answer() = platform::MessageAnswer::Yes;
  Find<QAction>("Ignorecurrentimage1")->trigger();
  EXPECT_EQ(Names(), "TWO.JPG two.jpg");
  EXPECT_EQ(Current(), "TWO.JPG");
  EXPECT_EQ(ReadFileBytes(photos.File("ignore.list")), "one.jpg\r\n");
  EXPECT_NE(DosFunc::GetFileAttr(photos.File("ignore.list")) & DosFunc::faReadOnly, 0);

  // Its twin in another case stays; the list is read with the folder.
  Find<QAction>("Ignorecurrentimage1")->trigger();
  EXPECT_EQ(Current(), "two.jpg");
  Open(photos.File("two.jpg"));
  EXPECT_EQ(Names(), "two.jpg");
  form->LoadIgnoreList();
  EXPECT_EQ(Current(), "two.jpg");

  Find<QAction>("Ignorecurrentimage1")->trigger();
  EXPECT_EQ(Names(), "");
  EXPECT_EQ(form->CurrentFile(), "");
  EXPECT_EQ(form->windowTitle(), "Quillmarsh v1.0");
  EXPECT_EQ(Find<QTableWidget>("SG")->rowCount(), 0);
  EXPECT_FALSE(Find<QAction>("Ignorecurrentimage1")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Deletecurrentimage1")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Imagelist1")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Thumbnailslist1")->isEnabled());
  EXPECT_EQ(ReadFileBytes(photos.File("ignore.list")), "one.jpg\r\nTWO.JPG\r\ntwo.jpg\r\n");
}

TEST_F(MainFormTest, APhotoPickedFromEitherListIsShownAndCancellingChangesNothing) {
  Copy("canon-ixus.jpg", "a.jpg", photos);  // 2001-06-09
  Copy("Canon_40D.jpg", "b.jpg", photos);   // 2008-05-30
  Copy("Sony_HDR-HC3.jpg", "c.jpg", photos);
  Open(photos.File("a.jpg"));
  ASSERT_EQ(Names(), "a.jpg c.jpg b.jpg");
  form->show();

  const struct {
    const char* key;
    const char* item;
    int pick;  // the entry chosen, -1 to cancel
    const char* shown;
  } picks[] = {{"Ctrl+L", "Imagelist1", 2, "b.jpg"},
               {"Ctrl+L", "Imagelist1", -1, "b.jpg"},
               {"Ctrl+T", "Thumbnailslist1", 1, "c.jpg"},
               {"Ctrl+T", "Thumbnailslist1", -1, "c.jpg"}};
  for (const auto& p : picks) {
    SCOPED_TRACE(std::string(p.key) + " " + std::to_string(p.pick));
    QAction* item = Find<QAction>(p.item);
    bool disabledMeanwhile = false;
    const int pick = p.pick;
    if (std::string(p.item) == "Imagelist1") {
      OnNextModal<TImageListForm>([&disabledMeanwhile, item, pick](TImageListForm& picker) {
        disabledMeanwhile = !item->isEnabled();
        EXPECT_EQ(picker.SG->rowCount(), 3);
        if (pick < 0) return picker.CancelButton->click();
        picker.SG->selectRow(pick);
        picker.OkButton->click();
      });
    } else {
      OnNextModal<TThumbnailListForm>([&disabledMeanwhile, item, pick](TThumbnailListForm& picker) {
        disabledMeanwhile = !item->isEnabled();
        EXPECT_EQ(picker.Cache().Count(), 3);
        if (pick < 0) return picker.CancelButton->click();
        picker.DG->setCurrentIndex(picker.DG->model()->index(0, pick));
        picker.OkButton->click();
      });
    }
    // The short-cuts work in the active window.
    QApplication::setActiveWindow(form);
    QTest::keySequence(form, QKeySequence(p.key));
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(Current(), p.shown);
    EXPECT_EQ(Enabled("NextFile"), p.shown != std::string("b.jpg"));
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MainFormTest, ThePhotoListShowsAnEmptyDateForAPhotoWithoutOne) {
  WriteNoExifPhoto(photos.File("plain.jpg"));
  // A camera whose clock was never set writes empty dates.
  std::string zeros = testsupport::ReadFileBytes(PhotoPath("canon-ixus.jpg"));
  for (size_t at; (at = zeros.find("2001:06:09 15:17:32")) != std::string::npos;)
    zeros.replace(at, 19, "0000:00:00 00:00:00");
  testsupport::WriteFileBytes(photos.File("zeros.jpg"), zeros);
  Copy("Canon_40D.jpg", "dated.jpg", photos);
  Open(photos.File("dated.jpg"));
  ASSERT_EQ(Names(), "plain.jpg zeros.jpg dated.jpg");
  form->show();
  std::vector<std::array<QString, 3>> rows;
  OnNextModal<TImageListForm>([&rows](TImageListForm& picker) {
    for (int row = 0; row < picker.SG->rowCount(); ++row) {
      std::array<QString, 3>& cells = rows.emplace_back();
      for (int column = 0; column < 3; ++column)
        if (const QTableWidgetItem* item = picker.SG->item(row, column)) cells[size_t(column)] = item->text();
    }
    picker.CancelButton->click();
  });
  QApplication::setActiveWindow(form);
  QTest::keySequence(form, QKeySequence("Ctrl+L"));
  EXPECT_EQ(rows, (std::vector<std::array<QString, 3>>{
                      {"", "", "plain.jpg"}, {"", "", "zeros.jpg"}, {"30.05.2008", "15:56:01", "dated.jpg"}}));
}

TEST_F(MainFormTest, DeletingAsksAboutDeletingAndRemovesExactlyThatFile) {
  Copy("canon-ixus.jpg", "a.jpg", photos);
  Copy("Canon_40D.jpg", "b.jpg", photos);
  Copy("Canon_40D.jpg", "B.JPG", photos);
  Open(photos.File("b.jpg"));
  ASSERT_EQ(Names(), "a.jpg B.JPG b.jpg");

  Answer() = platform::MessageAnswer::No;
  Find<QAction>("Deletecurrentimage1")->trigger();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Chcete opravdu smazat aktuální fotku?\n\nb.jpg");
  EXPECT_EQ(Boxes()[0].caption, "Smazat?");
  EXPECT_TRUE(fs::exists(photos.File("b.jpg")));

  Answer() = platform::MessageAnswer::Yes;
  Find<QAction>("Deletecurrentimage1")->trigger();
  EXPECT_FALSE(fs::exists(photos.File("b.jpg")));
  EXPECT_TRUE(fs::exists(photos.File("B.JPG")));
  EXPECT_EQ(Names(), "a.jpg B.JPG");
  EXPECT_EQ(Current(), "B.JPG");
  EXPECT_FALSE(fs::exists(photos.File("ignore.list")));

  Find<QAction>("Deletecurrentimage1")->trigger();
  Find<QAction>("Deletecurrentimage1")->trigger();
  EXPECT_EQ(Names(), "");
  EXPECT_FALSE(fs::exists(photos.File("a.jpg")));
  EXPECT_FALSE(fs::exists(photos.File("B.JPG")));
}

TEST_F(MainFormTest, TheGridsShowGeneralAndMakerTagsAndTheirAbsence) {
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(PhotoPath("canon-ixus.jpg")));
  form->ShowFile(PhotoPath("canon-ixus.jpg"), true);
  auto* grid = Find<QTableWidget>("SG");
  auto* makerGrid = Find<QTableWidget>("ESG");
  const int known = grid->rowCount();
  ASSERT_GT(known, 10);
  EXPECT_EQ(grid->item(0, 0)->text().toStdString(), reader.StandardRows().names[0]);
  EXPECT_EQ(grid->item(0, 1)->text().toStdString(), reader.StandardRows().texts[0]);
  EXPECT_EQ(grid->item(0, 0)->toolTip(), grid->item(0, 0)->text());
  EXPECT_EQ(grid->item(known - 1, 0)->text(), "Data Format");
  EXPECT_EQ(grid->item(known - 1, 1)->text(), reader.IsIntelOrder() ? "Intel" : "Reverse");
  ASSERT_GT(makerGrid->rowCount(), 5);
  EXPECT_TRUE(makerGrid->item(0, 0)->text().startsWith("Canon"));
  EXPECT_EQ(Find<QComboBox>("CameraTypeCombo")->currentText(), "Canon");
  EXPECT_TRUE(Find<QLabel>("Img")->isVisibleTo(form));
  EXPECT_FALSE(Find<QLabel>("Img")->pixmap().isNull());

  // The user cannot pick another maker: the combo only shows the photo's.
  Find<QComboBox>("CameraTypeCombo")->setCurrentIndex(3);
  form->CameraTypeComboChange();
  EXPECT_EQ(Find<QComboBox>("CameraTypeCombo")->currentText(), "Canon");

  QTest::mouseClick(Find<QCheckBox>("ShowUnknown"), Qt::LeftButton);
  EXPECT_GT(grid->rowCount() + makerGrid->rowCount(), known);

  WriteNoExifPhoto(photos.File("plain.jpg"));
  form->ShowFile(photos.File("plain.jpg"), true);
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(makerGrid->rowCount(), 0);
  EXPECT_EQ(Find<QComboBox>("CameraTypeCombo")->currentIndex(), 0);
  EXPECT_TRUE(Find<QLabel>("Img")->isVisibleTo(form));

  WriteFileBytes(photos.File("damaged.jpg"), "\xFF\xD8\xFF\xE1 not a photo at all");
  form->ShowFile(photos.File("damaged.jpg"), true);
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_FALSE(Find<QLabel>("Img")->isVisibleTo(form));
  QTest::mouseClick(Find<QPushButton>("ShowImgButton"), Qt::LeftButton);
  EXPECT_TRUE(form->FullImageShown());
  EXPECT_EQ(Find<QLabel>("FullImg")->text(), "Snímek nelze zobrazit, soubor je poškozený.");

  // A photo cut off inside its picture: no EXIF, and what can be decoded.
  form->ShowFile(Copy("invalid_image00971.jpg", "cut.jpg", photos), true);
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(makerGrid->rowCount(), 0);
  EXPECT_FALSE(Find<QLabel>("FullImg")->pixmap().isNull());
}

// The camera's values as the photo holds them: the ISO speed as a number,
// the whole flash field (a row even while unnamed tags are hidden), and the
// UNICODE comment of a Motorola-order photo as other programs wrote it.
TEST_F(MainFormTest, TheRowsAndTheCommentShowTheCamerasValuesAsWritten) {
  const std::string photo = Copy("Fujifilm_FinePix_E500.jpg", "DSCF0001.JPG", photos);
  ASSERT_EQ(testsupport::CommandOutput("exiftool -q -overwrite_original -ISO=64 -Flash#=16 "
                                       "'-UserComment=Výlet na Sněžku' '" + photo + "'"),
            "");
  ASSERT_FALSE(Find<QCheckBox>("ShowUnknown")->isChecked());
  form->ShowFile(photo, true);
  std::set<std::string> rows;
  const auto* grid = Find<QTableWidget>("SG");
  for (int row = 0; row < grid->rowCount(); ++row)
    rows.insert(grid->item(row, 0)->text().toStdString() + " = " + grid->item(row, 1)->text().toStdString());
  EXPECT_EQ(rows.count("ISO Speed Ratings = 64"), 1u);
  EXPECT_EQ(rows.count("Flash = flash did not fire, compulsory flash suppression"), 1u);
  EXPECT_EQ(rows.count("User Comment = Výlet na Sněžku"), 1u);
  EXPECT_EQ(Find<QPlainTextEdit>("Note")->toPlainText(), "Výlet na Sněžku");
}

TEST_F(MainFormTest, TheTagColumnTakesHalfTheGridWithinItsLimitsInBothGrids) {
  form->ShowFile(PhotoPath("canon-ixus.jpg"), false);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  auto* grid = Find<QTableWidget>("SG");
  auto* makerGrid = Find<QTableWidget>("ESG");
  for (const int width : {0, form->minimumSizeHint().width(), 1900}) {
    // First as the window opens, then as the user makes it narrow and wide.
    if (width > 0) form->resize(width, 800);
    QCoreApplication::processEvents();
    const int half = grid->viewport()->width() / 2;
    EXPECT_EQ(grid->columnWidth(0), std::clamp(half, 240, 260)) << width;
    EXPECT_EQ(makerGrid->columnWidth(0), grid->columnWidth(0)) << width;
    EXPECT_EQ(grid->columnWidth(0) + grid->columnWidth(1), grid->viewport()->width()) << width;
  }
}

TEST_F(MainFormTest, APhotoWithAPositionFillsTheGpsFields) {
  form->ShowFile(PhotoPath("gps_DSCN0010.jpg"), true);
  const struct {
    const char* field;
    const char* text;
  } fields[] = {{"SirSt", "43"},          {"SirMin", "28"},        {"SirSec", "2.814"},
                {"GoogleSirka", "43.467448"}, {"DelkaSt", "11"},   {"DelkaMin", "53"},
                {"DelkaSec", "6.456"},    {"GoogleDelka", "11.885127"}, {"GpsVyska", ""}};
  for (const auto& f : fields) EXPECT_EQ(Find<QLineEdit>(f.field)->text(), f.text) << f.field;
  EXPECT_EQ(Find<QComboBox>("SirkaRef")->currentText(), "N");
  EXPECT_EQ(Find<QComboBox>("DelkaRef")->currentText(), "E");

  form->ShowFile(PhotoPath("Kodak_CX7530.jpg"), false);
  EXPECT_EQ(Find<QComboBox>("SirkaRef")->currentText(), "S");
  EXPECT_EQ(Find<QLineEdit>("GoogleSirka")->text(), "-0.371300");

  form->ShowFile(PhotoPath("Canon_40D.jpg"), false);
  EXPECT_EQ(Find<QLineEdit>("SirSt")->text(), "");
  EXPECT_EQ(Find<QLineEdit>("GoogleDelka")->text(), "");
  EXPECT_EQ(Find<QComboBox>("SirkaRef")->currentIndex(), 0);
}

TEST_F(MainFormTest, ACommandLineListFromTwoFoldersKeepsFullPathsAndIsNeverReadAgain) {
  TempDir other;
  Copy("canon-ixus.jpg", "x.jpg", photos);
  Copy("Canon_40D.jpg", "y.jpg", other);
  form->OpenFileList(photos.File("x.jpg") + "\r\n" + other.File("y.jpg") + "\r\n");
  EXPECT_EQ(form->ImageDir(), photos.Path());
  EXPECT_EQ(form->CurrentFile(), photos.File("x.jpg"));
  ASSERT_EQ(form->Files().size(), 2u);
  EXPECT_TRUE(Find<QAction>("Open1")->isEnabled());

  Copy("nikon-e950.jpg", "new.jpg", photos);
  Click("NextFile");
  EXPECT_EQ(form->CurrentFile(), other.File("y.jpg"));
  EXPECT_EQ(form->Files().size(), 2u);

  Find<QAction>("Ignorecurrentimage1")->trigger();
  EXPECT_EQ(ReadFileBytes(other.File("ignore.list")), "y.jpg\r\n");
  EXPECT_FALSE(fs::exists(photos.File("ignore.list")));
  EXPECT_EQ(form->CurrentFile(), photos.File("x.jpg"));
}

TEST_F(MainFormTest, AVanishedPhotoOrFolderShowsAMessageAndAnEmptyDisplay) {
  Copy("canon-ixus.jpg", "a.jpg", photos);
  Copy("Canon_40D.jpg", "b.jpg", photos);
  form->OpenFileList(photos.File("a.jpg") + "\r\n" + photos.File("b.jpg"));
  fs::remove(photos.File("b.jpg"));
  Click("NextFile");
  EXPECT_EQ(Current(), "b.jpg");
  EXPECT_EQ(Find<QTableWidget>("SG")->rowCount(), 0);
  EXPECT_TRUE(form->statusBar()->currentMessage().startsWith("Snímek nelze otevřít:"));
  EXPECT_TRUE(Boxes().empty());

  TempDir gone;
  Copy("canon-ixus.jpg", "c.jpg", gone);
  Open(gone.File("c.jpg"));
  ASSERT_EQ(Names(), "c.jpg");
  fs::remove_all(gone.Path());
  form->NextFileClick();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Složku nelze načíst.\n\n" + gone.Path());
  EXPECT_EQ(Names(), "");
  // Nothing of the vanished photo stays on show, nor can it be edited.
  EXPECT_EQ(form->CurrentFile(), "");
  EXPECT_EQ(form->windowTitle(), "Quillmarsh v1.0");
  EXPECT_EQ(Find<QTableWidget>("SG")->rowCount(), 0);
  EXPECT_FALSE(Find<QLabel>("Img")->isVisibleTo(form));
  EXPECT_TRUE(Find<QPlainTextEdit>("Note")->isReadOnly());
  for (const char* button : {"FirstFileButton", "PrevFile", "NextFile", "LastFileButton"})
    EXPECT_FALSE(Enabled(button)) << button;
}

TEST_F(MainFormTest, TheWholePhotoFitsTheWindowWithoutEverBeingEnlarged) {
  form->resize(1000, 700);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  auto* full = Find<QLabel>("FullImg");
  const struct {
    const char* photo;
  } cases[] = {{"t_22-canon_tags.jpg"}, {"Fujifilm_FinePix_E500.jpg"}};
  for (const auto& c : cases) {
    platform::JpegReader reader;
    ASSERT_TRUE(reader.OpenFile(PhotoPath(c.photo)));
    form->ShowFile(PhotoPath(c.photo), false);
    if (!form->FullImageShown()) QTest::mouseClick(Find<QPushButton>("ShowImgButton"), Qt::LeftButton);
    ASSERT_TRUE(form->FullImageShown());
    const QSize shown = full->pixmap().size();
    EXPECT_LE(shown.width(), std::min(reader.Width(), full->width())) << c.photo;
    EXPECT_LE(shown.height(), std::min(reader.Height(), full->height())) << c.photo;
    const bool fitsAlready = reader.Width() <= full->width() && reader.Height() <= full->height();
    if (fitsAlready) EXPECT_EQ(shown, QSize(reader.Width(), reader.Height())) << c.photo;
    else EXPECT_NEAR(double(shown.width()) / shown.height(), double(reader.Width()) / reader.Height(), 0.02);
  }
  QTest::mouseClick(Find<QPushButton>("ShowImgButton"), Qt::LeftButton);
  EXPECT_FALSE(form->FullImageShown());
  EXPECT_TRUE(Find<QTableWidget>("SG")->isVisible());
}

TEST_F(MainFormTest, ALongImageDescriptionReadsWholeInTheHintOfItsCell) {
  form->ShowFile(Copy("long_description.jpg", "a.jpg", photos), true);
  const auto* grid = Find<QTableWidget>("SG");
  ASSERT_EQ(grid->item(0, 0)->text(), "Image Description");
  const QString hint = grid->item(0, 1)->toolTip();
  EXPECT_TRUE(hint.startsWith("Operation Mountain Viper put the soldiers")) << hint.toStdString();
  EXPECT_TRUE(hint.endsWith("(U.S. Army photo by Staff Sgt. Kyle Davis) (Released)"))
      << hint.toStdString();
}

TEST_F(MainFormTest, AtItsSmallestTheWindowStillShowsWholePositionsAndTheTagColumn) {
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  form->resize(form->minimumSizeHint());
  QCoreApplication::processEvents();
  const struct {
    const char* field;
    const char* longest;
  } fields[] = {{"SirSt", "180"},          {"SirMin", "59"},           {"SirSec", "59.999"},
                {"GoogleSirka", "-90.000000"}, {"GoogleDelka", "-180.000000"},
                {"GpsVyska", "-1234.56"}};
  for (const auto& f : fields) {
    const QLineEdit* edit = Find<QLineEdit>(f.field);
    EXPECT_GE(edit->contentsRect().width(), edit->fontMetrics().horizontalAdvance(f.longest))
        << f.field;
  }
  EXPECT_GT(Find<QTableWidget>("SG")->viewport()->width(), 260 + 100);
}

TEST_F(MainFormTest, SettingsAreStoredOnCloseAndBoundsAppliedOnlyWhenAllFourAreStored) {
  Copy("canon-ixus.jpg", "a.jpg", photos);
  Open(photos.File("a.jpg"));
  ASSERT_TRUE(fs::exists(form->ThumbnailFile()));
  form->close();
  EXPECT_FALSE(fs::exists(form->ThumbnailFile()));
  {
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    EXPECT_EQ(config.ReadString("OpenImgDir", ""), photos.Path());
    EXPECT_EQ(config.ReadInteger("Language", -1), 0);
    // The slide-show dialogs were not used: stored, but with no folder yet.
    for (const char* key : {"OpenSSPDir", "SaveSSPDir"}) {
      EXPECT_TRUE(config.ValueExists("", key)) << key;
      EXPECT_EQ(config.ReadString(key, "?"), "") << key;
    }
    config.SetSection("Desktop\\Image");
    EXPECT_EQ(config.ReadInteger("Width", -1), Find<QLabel>("FullImg")->width());
    EXPECT_EQ(config.ReadInteger("Height", -1), Find<QLabel>("FullImg")->height());
    config.SetSection("Desktop\\WinPos");
    EXPECT_EQ(config.ReadInteger("Width", -1), form->width());
    config.WriteInteger("Left", 10);
    config.WriteInteger("Top", 20);
    config.WriteInteger("Width", 500);
    config.WriteInteger("Height", 400);
  }
  GlobalWindows::Destroy();
  CreateWindows();
  EXPECT_EQ(form->size(), QSize(500, 400));
  EXPECT_EQ(form->ImageDir(), photos.Path());
  {
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    config.SetSection("Desktop\\WinPos");
    config.WriteInteger("Height", -1);
  }
  GlobalWindows::Destroy();
  CreateWindows();
  EXPECT_NE(form->size(), QSize(500, 400));
}

TEST_F(MainFormTest, ALanguageChangeSetsEveryTextAndReplacesTheLaunchers) {
  const std::string apps = home.Path() + "/applications/";
  form->LanguageChanged(1029);
  const struct {
    const char* launcher;
    const char* switches;
  } launchers[] = {{"Zobrazení na mapě", " /gpsview"},
                   {"Nastavení GPS souřadnic", " /gpsset"},
                   {"Quillmarsh", ""}};
  for (const auto& l : launchers) {
    const std::string exec = "\nExec=" + platform::ExecutablePath() + l.switches + " %F\n";
    EXPECT_NE(ReadFileBytes(apps + l.launcher + ".desktop").find(exec), std::string::npos) << exec;
  }

  TempDir lng;
  WriteFileBytes(lng.File("english.lng"),
                 "[Language]\r\nDescription=English\r\nWinID=0x0409\r\n"
                 "[Menu]\r\nField1=&File\r\nField2=&Open\r\nField3=\r\n"
                 "[Controls]\r\nField1=Show unknown tags\r\nField35=Rename files\r\n"
                 "[Misc]\r\nField82=GPS settings\r\nField93=Show on map\r\n");
  Language::LoadLanguage(lng.File("english.lng"));
  form->LanguageChanged(0x0409);
  EXPECT_EQ(Find<QAction>("File1")->text(), "&File");
  EXPECT_EQ(Find<QAction>("Open1")->text(), "&Open");
  // An item without a text keeps the caption it has.
  ASSERT_EQ(Language::GetText(12), "");
  EXPECT_EQ(Find<QAction>("Openproject1")->text(), "Otevři &projekt");
  EXPECT_EQ(Find<QCheckBox>("ShowUnknown")->text(), "Show unknown tags");
  EXPECT_EQ(GlobalWindows::Get().Form4->windowTitle(), "Rename files");
  EXPECT_FALSE(fs::exists(apps + "Zobrazení na mapě.desktop"));
  EXPECT_FALSE(fs::exists(apps + "Nastavení GPS souřadnic.desktop"));
  EXPECT_TRUE(fs::exists(apps + "Show on map.desktop"));
  EXPECT_TRUE(fs::exists(apps + "GPS settings.desktop"));
  EXPECT_TRUE(fs::exists(apps + "Quillmarsh.desktop"));
  Language::LoadLanguage("DEFAULT");
}

TEST_F(MainFormTest, AStoredLanguageIsAppliedWhileTheOtherWindowsDoNotExistYet) {
  GlobalWindows::Destroy();
  {
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    config.WriteInteger("Language", 1029);
    config.SetSection("Desktop\\WinPos");
    config.WriteInteger("Left", 5000);
    config.WriteInteger("Top", 5000);
    config.WriteInteger("Width", 600);
    config.WriteInteger("Height", 500);
  }
  CreateWindows();
  const std::string apps = home.Path() + "/applications/";
  EXPECT_TRUE(fs::exists(apps + "Zobrazení na mapě.desktop"));
  EXPECT_TRUE(fs::exists(apps + "Quillmarsh.desktop"));
  EXPECT_TRUE(Find<QAction>("Language")->isEnabled());
  // Off every screen: centred instead.
  EXPECT_LT(form->pos().x(), 5000);
}

// Language files the user adds go into the data folder, which a rebuild of
// the program leaves alone.
TEST_F(MainFormTest, TheUsersLanguageFilesAreFoundInTheDataFolder) {
  GlobalWindows::Destroy();
  fs::create_directories(home.Path() + "/data/lng");
  WriteFileBytes(home.Path() + "/data/lng/english.lng",
                 "[Language]\r\nWinID=0x0409\r\n[Menu]\r\nField2=&Open\r\n");
  {
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    config.WriteInteger("Language", 0x0409);
  }
  CreateWindows();
  QStringList languages;
  for (const QAction* item : Find<QAction>("Language")->menu()->actions()) languages << item->text();
  EXPECT_EQ(languages, (QStringList{"English", "Čeština"}));
  EXPECT_EQ(Find<QAction>("Open1")->text(), "&Open");
  Language::LoadLanguage("DEFAULT");
}

TEST(GlobalWindows, AreMadeInTheirOrderAndTheFirstOneEndsTheProgram) {
  WindowTestApp();
  testsupport::ScopedHome home;
  appcore::SetFormApplicationInitialized();

  QWidget* first = GlobalWindows::Create(true);
  const TGlobalWindows& windows = GlobalWindows::Get();
  EXPECT_EQ(windows.MainForm, nullptr);
  EXPECT_EQ(first, static_cast<QWidget*>(windows.frmHA));
  EXPECT_EQ(windows.Form4->parentWidget(), first);
  EXPECT_NE(windows.frmModalGauge, nullptr);
  EXPECT_NE(windows.frmEditStr, nullptr);
  EXPECT_EQ(windows.Form2->parentWidget(), first);
  GlobalWindows::ApplyTexts();
  // GPS-set mode has no main window to load the language.
  Main::LoadLanguageWithoutMainForm();
  EXPECT_FALSE(Language::GetLanguageList().empty());
  Language::DoneLanguages();
  GlobalWindows::Destroy();
  EXPECT_EQ(windows.frmHA, nullptr);

  first = GlobalWindows::Create(false);
  EXPECT_EQ(first, static_cast<QWidget*>(windows.MainForm));
  EXPECT_EQ(windows.frmHA->parentWidget(), first);
  first->show();
  QTimer::singleShot(0, first, [first] { first->close(); });
  QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0);
  GlobalWindows::Destroy();
}

}  // namespace
