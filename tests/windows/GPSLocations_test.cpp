// The GPS places window, driven by its controls' names: the places file it
// starts with, showing, storing, removing, picking and importing places, and
// the positions and writes it refuses.
#include "app/places/GPSLocations.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/widgets/GpsGroup.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/WindowTestApp.h"

namespace {

using platform::MessageAnswer;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

class GPSLocationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(home.Path() + "/data");
    WriteFileBytes(PlacesFile(),
                   "50.1|14.4|235|Praha\r\n"
                   "49.7|13.4||Plze\xF2\r\n"
                   "50.1|x||Chyba\r\n"
                   "49.2|16.6||brno\r\n");
    form = std::make_unique<TfrmGPS>();
  }

  std::string PlacesFile() const { return home.Path() + "/data/quillmarsh.gps"; }

  const std::vector<ScopedMessageHook::TBox>& Boxes() const { return boxes.Boxes(); }

  template <typename T>
  T* Find(const char* name) {
    return FindNamed<T>(*form, name);
  }

  std::string Text(const char* edit) { return Find<QLineEdit>(edit)->text().toStdString(); }

  // Typed over the field's text; letters with marks arrive as one input.
  void TypeInto(const char* edit, const char* text) {
    QLineEdit* field = Find<QLineEdit>(edit);
    field->selectAll();
    const std::string typed = text;
    if (std::all_of(typed.begin(), typed.end(), [](char c) { return c > 0; })) {
      QTest::keyClicks(field, text);
    } else {
      field->insert(QString::fromStdString(typed));
    }
  }

  std::string Names() {
    std::string names;
    const QAbstractItemModel* rows = form->LB->model();
    for (int i = 0; i < rows->rowCount(); ++i)
      names += (i == 0 ? "" : ",") + rows->index(i, 0).data().toString().toStdString();
    return names;
  }
  int CurrentRow() { return form->LB->currentIndex().row(); }

  QPoint At(int row) { return form->LB->visualRect(form->LB->model()->index(row, 0)).center(); }
  void ClickPlace(int row) { QTest::mouseClick(form->LB->viewport(), Qt::LeftButton, {}, At(row)); }
  void DoubleClickPlace(int row) {
    ClickPlace(row);
    QTest::mouseDClick(form->LB->viewport(), Qt::LeftButton, {}, At(row));
  }

  QApplication& app = WindowTestApp();
  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
  ScopedMessageHook boxes;
  std::unique_ptr<TfrmGPS> form;
};

// The window is made at start: it neither reads nor writes the file then.
// Shown, it lists the places by name; the file stays as the user wrote it.
TEST_F(GPSLocationsTest, StartsWithTheValidPlacesSortedByNameAndItsCzechCaptions) {
  EXPECT_EQ(form->LocationsFilePath(), PlacesFile());
  const std::string written =
      "50.1|14.4|235|Praha\r\n49.7|13.4||Plze\xF2\r\n50.1|x||Chyba\r\n49.2|16.6||brno\r\n";
  EXPECT_EQ(ReadFileBytes(PlacesFile()), written);
  // What the file holds when the places are first needed is what counts.
  WriteFileBytes(PlacesFile(), written + "48.8|14.3||Krumlov\r\n");
  form->show();
  EXPECT_EQ(Names(), "brno,Krumlov,Plzeň,Praha");
  EXPECT_EQ(ReadFileBytes(PlacesFile()), written + "48.8|14.3||Krumlov\r\n");
  form->show();
  EXPECT_EQ(form->windowTitle(), "GPS souřadnice míst");
  EXPECT_EQ(Find<QPushButton>("BitBtn1")->text(), "Vymaž označenou položku");
  EXPECT_EQ(Find<QPushButton>("BitBtn2")->text(), "Vložit/Změnit");
  EXPECT_EQ(Find<QLabel>("lbLatitude")->text(), "Zeměpisná šířka");
  EXPECT_EQ(Find<QLabel>("lbLongitude")->text(), "Zeměpisná délka");
  EXPECT_EQ(Find<QComboBox>("GPSAltitudeRef")->itemText(1), "Pod mořem");
  EXPECT_FALSE(Find<QPushButton>("BitBtn2")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("MapButton")->isEnabled());
  EXPECT_EQ(form->FindLocationName("50.1", "14.4"), "Praha");
  EXPECT_EQ(form->FindLocationName("50.10", "14.4"), "");
  EXPECT_EQ(form->LocationNameAt(form->FindLocation("49.2", "16.6")), "brno");
}

TEST_F(GPSLocationsTest, AChosenPlaceFillsTheFieldsAndStoringRenamesMovesOrAddsAPlace) {
  // The position a caller gives stays until a place is chosen, also when the
  // list takes the focus.
  form->SetPosition("43.467448", "11.885127", "", "");
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->LB->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(form->LB->hasFocus());
  EXPECT_EQ(Text("GoogleSirka"), "43.467448");
  EXPECT_EQ(Text("SirMin"), "28");

  ClickPlace(2);
  EXPECT_EQ(Text("misto"), "Praha");
  const struct {
    const char* field;
    const char* text;
  } fields[] = {{"GoogleSirka", "50.1"}, {"GoogleDelka", "14.4"}, {"GpsVyska", "235"},
                {"SirSt", "50"},         {"SirMin", "6"},         {"SirSec", "0.000"},
                {"DelkaSt", "14"},       {"DelkaMin", "24"}};
  for (const auto& f : fields) EXPECT_EQ(Text(f.field), f.text) << f.field;
  EXPECT_TRUE(Find<QPushButton>("BitBtn2")->isEnabled());

  // A new name at the same position renames the place.
  TypeInto("misto", "Hradčany");
  QTest::mouseClick(Find<QPushButton>("BitBtn2"), Qt::LeftButton);
  EXPECT_EQ(Names(), "brno,Hradčany,Plzeň");
  EXPECT_EQ(CurrentRow(), 1);

  // A known name at a new position moves that place.
  TypeInto("GoogleDelka", "16.61");
  TypeInto("misto", "BRNO");
  QTest::mouseClick(Find<QPushButton>("BitBtn2"), Qt::LeftButton);
  EXPECT_EQ(Names(), "BRNO,Hradčany,Plzeň");
  EXPECT_EQ(CurrentRow(), 0);

  // Anything else is added, in its place by name.
  QApplication::clipboard()->setText("-33.9, 151.2");
  Find<QLineEdit>("GoogleSirka")->selectAll();
  Find<QLineEdit>("GoogleSirka")->paste();
  TypeInto("GpsVyska", "-3");
  TypeInto("misto", "Sydney");
  EXPECT_EQ(Find<QComboBox>("SirkaRef")->currentText(), "S");
  EXPECT_EQ(Find<QComboBox>("GPSAltitudeRef")->currentIndex(), 1);
  QTest::mouseClick(Find<QPushButton>("BitBtn2"), Qt::LeftButton);
  EXPECT_EQ(Names(), "BRNO,Hradčany,Plzeň,Sydney");
  EXPECT_EQ(CurrentRow(), 3);
  // The line that is no place stays; the places are written by name.
  EXPECT_EQ(ReadFileBytes(PlacesFile()),
            "50.1|x||Chyba\r\n50.1|16.61|235|BRNO\r\n50.1|14.4|235|Hradčany\r\n"
            "49.7|13.4||Plzeň\r\n-33.9|151.2|-3|Sydney\r\n");
  EXPECT_TRUE(Boxes().empty());

  // An empty name stores nothing.
  TypeInto("misto", "  ");
  EXPECT_FALSE(Find<QPushButton>("BitBtn2")->isEnabled());
}

TEST_F(GPSLocationsTest, APositionThatMayNotBeStoredIsToldAndTheFileStays) {
  const std::string before = ReadFileBytes(PlacesFile());
  form->show();
  // A fraction in the minutes leaves no position to store at all.
  form->SetPosition("50.5", "14.4", "", "Nové místo");
  TypeInto("SirMin", "30.5");
  EXPECT_FALSE(Find<QPushButton>("BitBtn2")->isEnabled());
  const struct {
    const char* field;
    const char* text;
    const char* message;
  } cases[] = {
      {"SirSt", "91", "Stupně zeměpisné šířky musí být celé číslo od 0 do 90."},
      {"DelkaSec", "60", "Vteřiny zeměpisné délky musí být číslo od 0 do 59.999."},
      {"GpsVyska", "vysoko", "Nadmořská výška musí být číslo."},
  };
  for (const auto& c : cases) {
    form->SetPosition("50.5", "14.4", "", "Nové místo");
    const size_t shown = Boxes().size();
    TypeInto(c.field, c.text);
    QTest::mouseClick(Find<QPushButton>("BitBtn2"), Qt::LeftButton);
    ASSERT_EQ(Boxes().size(), shown + 1) << c.field;
    EXPECT_EQ(Boxes().back().text.rfind(c.message, 0), 0u) << Boxes().back().text;
    EXPECT_EQ(Boxes().back().caption, "Chyba");
  }
  EXPECT_EQ(ReadFileBytes(PlacesFile()), before);
  EXPECT_EQ(Names(), "brno,Plzeň,Praha");
}

TEST_F(GPSLocationsTest, RemovingAsksFirstAndSelectsTheNextPlaceOrTheNewLastOne) {
  form->show();
  ClickPlace(1);
  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
    boxes.Answer(answer);
    QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  }
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "Chcete opravdu smazat zvolenou GPS pozici?");
  EXPECT_EQ(Boxes()[0].caption, "Smazat?");
  EXPECT_EQ(Boxes()[0].buttons, platform::MessageButtons::YesNoCancel);
  EXPECT_EQ(Names(), "brno,Plzeň,Praha");

  for (int i = 0; i < 3; ++i) boxes.Answer(MessageAnswer::Yes);
  QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(Names(), "brno,Praha");
  EXPECT_EQ(CurrentRow(), 1);
  EXPECT_EQ(Text("misto"), "Praha");
  QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(Names(), "brno");
  EXPECT_EQ(CurrentRow(), 0);
  EXPECT_EQ(Text("GoogleSirka"), "49.2");
  QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(Names(), "");
  EXPECT_EQ(ReadFileBytes(PlacesFile()), "50.1|x||Chyba\r\n");
  QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(Boxes().size(), 5u);
}

TEST_F(GPSLocationsTest, ADoubleClickPicksAPlaceOnlyWhenPickingAndOtherwiseShowsItsMap) {
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", home.Path() + "/open.log");
  // A window left open by a fault ends the test instead of hanging it.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, form.get(), [this] { form->done(-1); });

  guard.start(10000);
  QTimer::singleShot(0, [this] {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    DoubleClickPlace(0);
  });
  TPickedPlace place;
  ASSERT_TRUE(form->PickPlace(place));
  EXPECT_EQ(Text("GoogleSirka"), "49.2");
  EXPECT_EQ(Text("misto"), "brno");
  EXPECT_EQ(place.lat, "49.2");
  EXPECT_EQ(place.lon, "16.6");
  EXPECT_EQ(place.alt, "");
  EXPECT_EQ(place.name, "brno");

  guard.start(10000);
  QTimer::singleShot(0, [this] {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    DoubleClickPlace(2);
    EXPECT_TRUE(form->isVisible());
    form->reject();
  });
  EXPECT_EQ(form->Execute(false), QDialog::Rejected);
  EXPECT_EQ(ReadFileBytes(home.Path() + "/open.log"),
            "https://www.google.com/maps?q=50.1%2C+14.4&views=satellite\n");
}

TEST_F(GPSLocationsTest, ImportingMergesAnotherPlacesFile) {
  testsupport::TempDir dir;
  WriteFileBytes(dir.File("výlet.gps"), "49.7|13.4|310|Plzeň - náměstí\r\n48.8|14.3||Český Krumlov\r\n");
  QTimer::singleShot(0, [&dir] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString(dir.File("výlet.gps")));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  Find<QAction>("Import1")->trigger();
  EXPECT_EQ(Names(), "brno,Plzeň,Praha,Český Krumlov");
  EXPECT_EQ(ReadFileBytes(PlacesFile()),
            "50.1|x||Chyba\r\n49.2|16.6||brno\r\n49.7|13.4|310|Plzeň\r\n50.1|14.4|235|Praha\r\n"
            "48.8|14.3||Český Krumlov\r\n");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GPSLocationsTest, AStoreThatCannotBeWrittenIsToldAndChangesNothing) {
  const std::string before = ReadFileBytes(PlacesFile());
  form->show();
  form->SetPosition("-33.9", "151.2", "", "Sydney");
  {
    testsupport::ScopedFileSizeLimit limit(before.size());
    QTest::mouseClick(Find<QPushButton>("BitBtn2"), Qt::LeftButton);
  }
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Seznam GPS míst nelze uložit.\n\n" + PlacesFile());
  EXPECT_EQ(Names(), "brno,Plzeň,Praha");
  EXPECT_EQ(ReadFileBytes(PlacesFile()), before);
}

}  // namespace
