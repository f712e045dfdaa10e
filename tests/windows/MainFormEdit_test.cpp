// Editing in the main window, driven by its controls' names: the comment and
// the position written into a copy of a photo and read back (by the reader
// and by exiftool), the question before leaving an edit, positions and writes
// that are refused, and the GPS places around the position.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

#include "app/browser/Main.h"
#include "app/dialogs/locationname.h"
#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/GpsGroup.h"
#include "foundation/appcore.h"
#include "metadata/exif.h"
#include "tests/metadata/ExifWriteSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/PickPlace.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using testsupport::CopyPhoto;
using testsupport::Exiftool;
using testsupport::ReadFileBytes;

class MainFormEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    appcore::SetFormApplicationInitialized();
    fs::create_directories(home.Path() + "/data");
    GlobalWindows::Create(false);
    form = GlobalWindows::Get().MainForm;
    places = GlobalWindows::Get().frmGPS;
  }

  void TearDown() override { GlobalWindows::Destroy(); }

  // The main window's own control (the places window has fields of the same
  // names).
  const std::vector<ScopedMessageHook::TBox>& Boxes() const { return boxes.Boxes(); }

  template <typename T>
  T* Find(const char* name) {
    // The GPS group's fields first: the places window has fields of the same names.
    T* found = form->GPSGroup->findChild<T*>(name);
    return found != nullptr ? found : FindNamed<T>(*form, name);
  }

  std::string Text(const char* edit) { return Find<QLineEdit>(edit)->text().toStdString(); }

  void TypeInto(const char* edit, const char* text) {
    QLineEdit* field = Find<QLineEdit>(edit);
    field->selectAll();
    QTest::keyClicks(field, text);
  }

  void PasteInto(const char* edit, const char* text) {
    QApplication::clipboard()->setText(text);
    Find<QLineEdit>(edit)->selectAll();
    Find<QLineEdit>(edit)->paste();
  }

  void Comment(const std::string& text) {
    QPlainTextEdit* note = Find<QPlainTextEdit>("Note");
    note->selectAll();
    note->insertPlainText(QString::fromStdString(text));
  }

  void Save() { Find<QAction>("Save1")->trigger(); }

  // "name = value" of each row of a tag grid.
  std::vector<std::string> Rows(const char* grid) {
    std::vector<std::string> rows;
    const QTableWidget* table = Find<QTableWidget>(grid);
    for (int row = 0; row < table->rowCount(); ++row) {
      const QTableWidgetItem* name = table->item(row, 0);
      const QTableWidgetItem* value = table->item(row, 1);
      rows.push_back((name ? name->text() : QString()).toStdString() + " = " +
                     (value ? value->text() : QString()).toStdString());
    }
    return rows;
  }

  static fs::file_time_type Modified(const std::string& path) { return fs::last_write_time(path); }

  QApplication& app = WindowTestApp();
  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
  ScopedMessageHook boxes;
  testsupport::TempDir photos;
  TMainForm* form = nullptr;
  TfrmGPS* places = nullptr;
};

TEST_F(MainFormEditTest, NothingIsEditableBeforeAPhotoIsShown) {
  EXPECT_FALSE(Find<QAction>("Save1")->isEnabled());
  EXPECT_TRUE(Find<QAction>("GPSLocations1")->isEnabled());
  EXPECT_TRUE(Find<QPlainTextEdit>("Note")->isReadOnly());
  EXPECT_TRUE(Find<QLineEdit>("GoogleSirka")->isReadOnly());
  EXPECT_FALSE(Find<QComboBox>("SirkaRef")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("GpsSaveButton")->isEnabled());
  EXPECT_FALSE(form->ForceNote());

  form->OpenFileList(CopyPhoto("Canon_40D.jpg", photos));
  EXPECT_FALSE(Find<QPlainTextEdit>("Note")->isReadOnly());
  EXPECT_FALSE(Find<QLineEdit>("GoogleSirka")->isReadOnly());
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Save1")->isEnabled());
  EXPECT_FALSE(form->Modified());
}

TEST_F(MainFormEditTest, ACommentAndAPositionAreSavedIntoThePhotoAndNothingElseChanges) {
  const std::string photo = CopyPhoto("Canon_40D.jpg", photos);
  const auto before = exifwrite::View(photo, {"2x37510", "28x", "1x513"});
  const fs::file_time_type time = Modified(photo);
  form->OpenFileList(photo);

  Comment("Výlet na Sněžku\nse psem");
  PasteInto("GoogleSirka", "50.087, -14.421");
  TypeInto("GpsVyska", "-12.5");
  EXPECT_TRUE(form->Modified());
  EXPECT_TRUE(Find<QAction>("Save1")->isEnabled());
  EXPECT_TRUE(form->windowTitle().endsWith("   (Modifikován) "));
  EXPECT_EQ(Find<QComboBox>("DelkaRef")->currentText(), "W");
  EXPECT_EQ(Find<QComboBox>("GPSAltitudeRef")->currentIndex(), 1);

  Save();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(form->Modified());
  EXPECT_FALSE(Find<QAction>("Save1")->isEnabled());
  EXPECT_FALSE(form->windowTitle().contains("Modifikován"));
  EXPECT_EQ(Modified(photo), time);
  // exiftool shows the comment's line break as "..", and signs the numbers.
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude -GPSLatitudeRef -GPSLongitude -GPSLongitudeRef "
                     "-GPSAltitude -GPSAltitudeRef",
                     photo),
            "Výlet na Sněžku..se psem\n50.087\nN\n-14.421\nW\n-12.5\n1\n");
  // The rebuilt segment moves the thumbnail, whose bytes stay.
  exifwrite::ExpectSameView(before, exifwrite::View(photo, {"2x37510", "28x", "1x513"}));

  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  EXPECT_EQ(reader.GetLatitudeText(), "50.087000");
  EXPECT_EQ(reader.GetLongitudeText(), "-14.421000");
  EXPECT_DOUBLE_EQ(reader.GetAltitude(), -12.5);
  // The fields show what the photo now holds.
  EXPECT_EQ(Text("SirSec"), "13.200");
  EXPECT_EQ(Text("GoogleSirka"), "50.087000");

  // Another photo and back: the saved values are shown.
  form->ShowFile(CopyPhoto("canon-ixus.jpg", photos), false);
  form->ShowFile(photo, false);
  EXPECT_EQ(Find<QPlainTextEdit>("Note")->toPlainText(), "Výlet na Sněžku\nse psem");
  EXPECT_EQ(Text("GoogleDelka"), "-14.421000");
  EXPECT_EQ(Text("GpsVyska"), "-12.50");
}

TEST_F(MainFormEditTest, AnExistingPositionIsChangedInPlaceAndItsRowsShowIt) {
  const std::string photo = CopyPhoto("gps_DSCN0010.jpg", photos);
  const auto size = fs::file_size(photo);
  form->OpenFileList(photo);
  const std::vector<std::string> before = Rows("ESG");
  TypeInto("DelkaSec", "30");
  EXPECT_EQ(Text("GoogleDelka"), "11.891667");
  Save();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(fs::file_size(photo), size);
  EXPECT_EQ(Exiftool("-GPSLatitude -GPSLongitude", photo), "43.4674483333333\n11.8916666666667\n");
  // The rows show what the photo now holds, as when it is read again.
  const std::vector<std::string> after = Rows("ESG");
  EXPECT_NE(after, before);
  form->ShowFile(photo, false);
  EXPECT_EQ(Rows("ESG"), after);
}

TEST_F(MainFormEditTest, APhotoWithAnIncompletePositionGetsTheWholeNewOne) {
  const std::string photo = CopyPhoto("Canon_40D.jpg", photos);
  ASSERT_EQ(Exiftool("-q -overwrite_original -GPSLatitude=50.5 -GPSLatitudeRef=N", photo), "");
  form->OpenFileList(photo);
  EXPECT_EQ(Text("GoogleSirka"), "");
  PasteInto("GoogleSirka", "50.5, 14.4");
  Save();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Exiftool("-GPSLatitude -GPSLongitude", photo), "50.5\n14.4\n");
}

TEST_F(MainFormEditTest, AnEditIsOfferedForSavingBeforeAnotherPhotoAndOnClosing) {
  const std::string first = CopyPhoto("canon-ixus.jpg", photos);
  const std::string second = CopyPhoto("Canon_40D.jpg", photos);
  const std::string firstBytes = ReadFileBytes(first);
  form->OpenFileList(first + "\n" + second);

  Comment("Neuloženo");
  boxes.Answer(MessageAnswer::No);
  QTest::mouseClick(Find<QToolButton>("NextFile"), Qt::LeftButton);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "EXIF byl modifikován. Chcete uložit?");
  EXPECT_EQ(Boxes()[0].caption, "Uložit?");
  EXPECT_EQ(Boxes()[0].buttons, platform::MessageButtons::YesNoCancel);
  EXPECT_EQ(form->CurrentFile(), second);
  EXPECT_EQ(ReadFileBytes(first), firstBytes);

  Comment("Uloženo");
  boxes.Answer(MessageAnswer::Yes);
  QTest::mouseClick(Find<QToolButton>("PrevFile"), Qt::LeftButton);
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(form->CurrentFile(), first);
  EXPECT_EQ(Exiftool("-UserComment", second), "Uloženo\n");

  // Unchanged: nothing is asked.
  QTest::mouseClick(Find<QToolButton>("NextFile"), Qt::LeftButton);
  EXPECT_EQ(Boxes().size(), 2u);

  // Closing asks once; Cancel closes all the same, without saving.
  Comment("Při zavírání");
  const std::string secondBytes = ReadFileBytes(second);
  boxes.Answer(MessageAnswer::Cancel);
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(ReadFileBytes(second), secondBytes);
}

TEST_F(MainFormEditTest, ARefusedPositionIsNotWrittenButTheCommentIsAndAFailedWriteWritesNothing) {
  const std::string photo = CopyPhoto("Canon_40D.jpg", photos);
  form->OpenFileList(photo);
  Comment("Komentář");
  PasteInto("GoogleSirka", "50.5, 14.4");
  const struct {
    const char* field;
    const char* text;
    const char* message;
  } refused[] = {
      {"SirMin", "30.5", "Minuty zeměpisné šířky musí být celé číslo od 0 do 59."},
      {"SirSt", "95", "Stupně zeměpisné šířky musí být celé číslo od 0 do 90."},
      {"SirSt", "90", "Zeměpisná šířka může být nejvýše 90°."},
      {"DelkaMin", "60", "Minuty zeměpisné délky musí být celé číslo od 0 do 59."},
      {"DelkaSec", "59.9996", "Vteřiny zeměpisné délky musí být číslo od 0 do 59.999."},
      {"GpsVyska", "12 m", "Nadmořská výška musí být číslo."},
      {"DelkaSt", "", "GPS pozice není úplná"},
  };
  for (const auto& r : refused) {
    PasteInto("GoogleSirka", "50.5, 14.4");
    Find<QLineEdit>("GpsVyska")->clear();
    const size_t shown = Boxes().size();
    TypeInto(r.field, r.text);
    if (*r.text == '\0') Find<QLineEdit>(r.field)->clear();
    Save();
    ASSERT_EQ(Boxes().size(), shown + 1) << r.field;
    EXPECT_EQ(Boxes().back().text.rfind(r.message, 0), 0u) << Boxes().back().text;
    // The first save writes the comment; the position waits in its fields.
    const std::string said = shown == 0 ? "Komentář byl uložen, GPS pozice ne." : "GPS pozice nebyla uložena.";
    EXPECT_EQ(Boxes().back().text.substr(Boxes().back().text.size() - said.size()), said);
    EXPECT_EQ(Boxes().back().buttons, platform::MessageButtons::Ok);
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(Find<QAction>("Save1")->isEnabled());
  }
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude", photo), "Komentář\n");
  const std::string bytes = ReadFileBytes(photo);
  Comment("Komentář nový");

  PasteInto("GoogleSirka", "50.5, 14.4");
  Find<QLineEdit>("GpsVyska")->clear();
  const size_t shown = Boxes().size();
  {
    testsupport::ScopedFileSizeLimit limit(bytes.size() / 2);
    Save();
  }
  ASSERT_EQ(Boxes().size(), shown + 1);
  EXPECT_EQ(Boxes().back().text,
            "Změny nelze uložit do snímku, snímek zůstal beze změny.\n\n" + photo);
  EXPECT_TRUE(ReadFileBytes(photo) == bytes);
  EXPECT_TRUE(form->Modified());

  // A comment is rebuilt in the private temporary folder: one that cannot be
  // made is named, and why.
  const std::string temp = home.Path() + "/tmp";
  fs::remove_all(temp);
  testsupport::WriteFileBytes(temp, "not a folder");
  Save();
  ASSERT_EQ(Boxes().size(), shown + 2);
  EXPECT_EQ(Boxes().back().text, "Změny nelze uložit do snímku, snímek zůstal beze změny.\n\n" + photo +
                                      "\n\nSložku programu nelze vytvořit:\n" + temp + ": Not a directory");
  fs::remove(temp);

  // The edit is still there to be saved.
  Save();
  EXPECT_EQ(Boxes().size(), shown + 2);
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude -GPSLongitude", photo), "Komentář nový\n50.5\n14.4\n");
}

// Leaving a photo (the next one, or closing) with a number that is none in a
// GPS field: Yes saves the comment all the same, and the position typed is
// dropped only when the user says so; kept, the photo stays shown with it.
TEST_F(MainFormEditTest, LeavingWithABadGpsFieldSavesTheCommentAndDropsThePositionOnlyWhenTold) {
  const std::string first = CopyPhoto("canon-ixus.jpg", photos);
  const std::string second = CopyPhoto("Canon_40D.jpg", photos);
  form->OpenFileList(first + "\n" + second);
  const std::string badAltitude = "Nadmořská výška musí být číslo.\n\n";
  const std::string drop = "\n\nZahodit neuložené změny a pokračovat?";
  const auto edit = [this](const char* comment, const char* altitude) {
    Comment(comment);
    PasteInto("GoogleSirka", "50.5, 14.4");
    TypeInto("GpsVyska", altitude);
  };

  edit("Na vrcholu", "12x");
  boxes.Answer(MessageAnswer::Yes);
  boxes.Answer(MessageAnswer::No);
  QTest::mouseClick(Find<QToolButton>("NextFile"), Qt::LeftButton);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, badAltitude + "Komentář byl uložen, GPS pozice ne." + drop);
  EXPECT_EQ(Boxes()[1].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(form->CurrentFile(), first);
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude", first), "Na vrcholu\n");
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(Text("GoogleDelka"), "14.4");
  EXPECT_EQ(Text("GpsVyska"), "12x");
  // Corrected, the position is saved too.
  TypeInto("GpsVyska", "12");
  Save();
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude -GPSAltitude", first), "Na vrcholu\n50.5\n12\n");

  // Told to drop it, the window goes on to the next photo.
  QTest::mouseClick(Find<QToolButton>("NextFile"), Qt::LeftButton);
  ASSERT_EQ(form->CurrentFile(), second);
  edit("Druhý", "7y");
  boxes.Answer(MessageAnswer::Yes);
  boxes.Answer(MessageAnswer::Yes);
  QTest::mouseClick(Find<QToolButton>("PrevFile"), Qt::LeftButton);
  EXPECT_EQ(Boxes().size(), 4u);
  EXPECT_EQ(form->CurrentFile(), first);
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude", second), "Druhý\n");

  // A write that fails on leaving keeps the whole edit unless it is dropped.
  Comment("Nevejde se");
  const std::string bytes = ReadFileBytes(first);
  boxes.Answer(MessageAnswer::Yes);
  boxes.Answer(MessageAnswer::No);
  {
    testsupport::ScopedFileSizeLimit limit(bytes.size() / 2);
    QTest::mouseClick(Find<QToolButton>("NextFile"), Qt::LeftButton);
  }
  ASSERT_EQ(Boxes().size(), 6u);
  EXPECT_EQ(Boxes()[5].text, "Změny nelze uložit do snímku, snímek zůstal beze změny.\n\n" + first + drop);
  EXPECT_EQ(form->CurrentFile(), first);
  EXPECT_TRUE(ReadFileBytes(first) == bytes);
  EXPECT_EQ(Find<QPlainTextEdit>("Note")->toPlainText(), "Nevejde se");

  // Closing: a kept edit keeps the window open; a dropped one closes it.
  edit("Při zavírání", "1z");
  form->show();
  boxes.Answer(MessageAnswer::Yes);
  boxes.Answer(MessageAnswer::No);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Exiftool("-UserComment", first), "Při zavírání\n");
  boxes.Answer(MessageAnswer::Yes);
  boxes.Answer(MessageAnswer::Yes);
  EXPECT_TRUE(form->close());
  ASSERT_EQ(Boxes().size(), 10u);
  EXPECT_EQ(Boxes()[9].text, badAltitude + "GPS pozice nebyla uložena." + drop);
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude", first), "Při zavírání\n50.5\n");
}

TEST_F(MainFormEditTest, AnEmptiedPositionIsNotRemovedAndComesBackAfterSaving) {
  const std::string photo = CopyPhoto("gps_DSCN0010.jpg", photos);
  form->OpenFileList(photo);
  for (const char* field : {"SirSt", "SirMin", "SirSec", "DelkaSt", "DelkaMin", "DelkaSec"})
    Find<QLineEdit>(field)->clear();
  EXPECT_EQ(Text("GoogleSirka"), "");
  Comment("Jen komentář");
  Save();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Exiftool("-UserComment -GPSLatitude", photo), "Jen komentář\n43.4674483333333\n");
  EXPECT_EQ(Text("GoogleSirka"), "43.467448");
}

TEST_F(MainFormEditTest, TheCommentTakesAtMost250Characters) {
  form->OpenFileList(CopyPhoto("Canon_40D.jpg", photos));
  QPlainTextEdit* note = Find<QPlainTextEdit>("Note");
  Comment(std::string(240, 'a'));
  note->moveCursor(QTextCursor::Start);
  note->insertPlainText(QString(20, 'b'));
  EXPECT_EQ(note->toPlainText(), QString(10, 'b') + QString(240, 'a'));
  QTest::keyClicks(note, "c");
  EXPECT_EQ(note->toPlainText().size(), 250);
}

TEST_F(MainFormEditTest, APositionStoredAsAPlaceOrPickedFromThePlacesShowsItsName) {
  form->OpenFileList(CopyPhoto("Canon_40D.jpg", photos));
  PasteInto("GoogleSirka", "50.7361, 15.7399");
  QPushButton* store = Find<QPushButton>("GpsSaveButton");
  ASSERT_TRUE(store->isEnabled());
  EXPECT_EQ(store->text(), ">> DB");

  QTimer::singleShot(0, [] {
    TfrmEditStr* editor = GlobalWindows::Get().frmEditStr;
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->EditStr->text(), "");
    editor->EditStr->setText(" Sněžka ");
    QTest::mouseClick(editor->OKButton, Qt::LeftButton);
  });
  QTest::mouseClick(store, Qt::LeftButton);
  EXPECT_EQ(ReadFileBytes(places->LocationsFilePath()), "50.7361|15.7399||Sněžka\r\n");
  EXPECT_EQ(store->text(), "Loc");
  EXPECT_EQ(store->toolTip(), "Sněžka");
  EXPECT_EQ(Find<QLabel>("lbLocation")->text(), "Sněžka");

  TypeInto("SirSec", "1");
  EXPECT_EQ(store->text(), ">> DB");
  EXPECT_EQ(Find<QLabel>("lbLocation")->text(), "");

  // Picking the place puts it back; the photo is changed.
  form->SetModified(false);
  QTimer::singleShot(0, [this] { DoubleClickPlace(*places, "Sněžka"); });
  QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
  EXPECT_EQ(Text("GoogleSirka"), "50.7361");
  EXPECT_EQ(Text("SirSec"), "9.960");
  EXPECT_EQ(Find<QLabel>("lbLocation")->text(), "Sněžka");
  EXPECT_TRUE(form->Modified());

  // From the menu the window only edits: a double click does not close it.
  QTimer::singleShot(0, [this] {
    DoubleClickPlace(*places, "Sněžka");
    EXPECT_TRUE(places->isVisible());
    places->reject();
  });
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", home.Path() + "/open.log");
  Find<QAction>("GPSLocations1")->trigger();
  EXPECT_FALSE(places->isVisible());
}

}  // namespace
