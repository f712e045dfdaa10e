// The shared GPS fields, typed into as a user does: each form of a
// coordinate follows the other, pasted pairs, the hemispheres, the altitude's
// side, and what the window hears of it.
#include "app/widgets/GpsGroup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "tests/support/TestSupport.h"
#include "tests/windows/WindowTestApp.h"

namespace {

// A field and what happens to it: a text typed over its contents, a text
// pasted over them, or a combo item chosen.
struct TAction {
  enum Kind { kType, kPaste, kChoose } kind;
  const char* field;
  const char* text;
  int item;
};

TAction Type(const char* field, const char* text) { return {TAction::kType, field, text, 0}; }
TAction Paste(const char* field, const char* text) { return {TAction::kPaste, field, text, 0}; }
TAction Choose(const char* field, int item) { return {TAction::kChoose, field, "", item}; }

class GpsGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    group.OnEdit = [this](TGpsPart part) { edits.push_back(part); };
  }

  QLineEdit* Edit(const char* name) { return group.findChild<QLineEdit*>(name); }
  QComboBox* Combo(const char* name) { return group.findChild<QComboBox*>(name); }

  void Do(const TAction& action) {
    if (action.kind == TAction::kChoose) {
      Combo(action.field)->setCurrentIndex(action.item);
      return;
    }
    QLineEdit* edit = Edit(action.field);
    ASSERT_NE(edit, nullptr) << action.field;
    edit->setFocus();
    edit->selectAll();
    if (action.kind == TAction::kPaste) {
      QApplication::clipboard()->setText(action.text);
      edit->paste();
    } else if (*action.text == '\0') {
      QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(edit, action.text);
    }
  }

  // "deg min sec ref decimal / deg min sec ref decimal / altitude side map",
  // with "_" for an empty field.
  std::string Fields() {
    const auto text = [this](const char* name) {
      const std::string value = Edit(name)->text().toStdString();
      return value.empty() ? std::string("_") : value;
    };
    const auto item = [this](const char* name) { return Combo(name)->currentText().toStdString(); };
    return text("SirSt") + " " + text("SirMin") + " " + text("SirSec") + " " + item("SirkaRef") +
           " " + text("GoogleSirka") + " / " + text("DelkaSt") + " " + text("DelkaMin") + " " +
           text("DelkaSec") + " " + item("DelkaRef") + " " + text("GoogleDelka") + " / " +
           text("GpsVyska") + " " + std::to_string(Combo("GPSAltitudeRef")->currentIndex()) +
           (group.MapButton->isEnabled() ? " map" : " -");
  }

  QApplication& app = WindowTestApp();
  testsupport::ScopedHome home;
  TGpsGroup group{nullptr};
  std::vector<TGpsPart> edits;
};

TEST_F(GpsGroupTest, EachFormOfACoordinateFollowsWhatTheUserTypesInTheOther) {
  const struct {
    const char* what;
    const char* lat;  // the decimal position before, set by the program
    const char* lon;
    const char* alt;
    std::vector<TAction> actions;
    const char* fields;
  } cases[] = {
      {"decimal latitude", "", "", "", {Type("GoogleSirka", "50.5")},
       "50 30 0.000 N 50.5 / _ _ _ E _ / _ 0 -"},
      {"southern latitude", "", "", "", {Type("GoogleSirka", "-50.5")},
       "50 30 0.000 S -50.5 / _ _ _ E _ / _ 0 -"},
      {"decimal comma", "50.5", "", "", {Type("GoogleDelka", "14,4")},
       "50 30 0.000 N 50.5 / 14 24 0.000 E 14,4 / _ 0 map"},
      {"seconds that round to 60", "", "14.4", "", {Type("GoogleSirka", "50.9999999")},
       "51 0 0.000 N 50.9999999 / 14 24 0.000 E 14.4 / _ 0 map"},
      {"minutes typed", "50.5", "14.4", "", {Type("SirMin", "15")},
       "50 15 0.000 N 50.250000 / 14 24 0.000 E 14.4 / _ 0 map"},
      {"seconds typed in the south", "-50.5", "14.4", "", {Type("SirSec", "36")},
       "50 30 36 S -50.510000 / 14 24 0.000 E 14.4 / _ 0 map"},
      {"western degrees", "50.5", "-14.4", "", {Type("DelkaSt", "15")},
       "50 30 0.000 N 50.5 / 15 24 0.000 W -15.400000 / _ 0 map"},
      {"latitude pasted as a pair", "", "", "", {Paste("GoogleSirka", "50.1, 14.4")},
       "50 6 0.000 N 50.1 / 14 24 0.000 E 14.4 / _ 0 map"},
      {"pair pasted into the longitude", "1", "2", "", {Paste("GoogleDelka", " 50.087;-14.421 ")},
       "50 5 13.200 N 50.087 / 14 25 15.600 W -14.421 / _ 0 map"},
      {"south chosen", "50.5", "14.4", "", {Choose("SirkaRef", 1)},
       "50 30 0.000 S -50.500000 / 14 24 0.000 E 14.4 / _ 0 map"},
      {"north chosen again", "50.5", "14.4", "", {Choose("SirkaRef", 1), Choose("SirkaRef", 0)},
       "50 30 0.000 N 50.500000 / 14 24 0.000 E 14.4 / _ 0 map"},
      {"west chosen", "50.5", "14.4", "", {Choose("DelkaRef", 1)},
       "50 30 0.000 N 50.5 / 14 24 0.000 W -14.400000 / _ 0 map"},
      {"altitude below sea", "50.5", "14.4", "", {Type("GpsVyska", "-12")},
       "50 30 0.000 N 50.5 / 14 24 0.000 E 14.4 / -12 1 map"},
      {"above sea chosen", "50.5", "14.4", "-12", {Choose("GPSAltitudeRef", 0)},
       "50 30 0.000 N 50.5 / 14 24 0.000 E 14.4 / 12.00 0 map"},
      {"below sea chosen", "50.5", "14.4", "245.5", {Choose("GPSAltitudeRef", 1)},
       "50 30 0.000 N 50.5 / 14 24 0.000 E 14.4 / -245.50 1 map"},
      {"latitude degrees emptied", "-50.5", "14.4", "",
       {Type("SirSt", ""), Type("SirMin", ""), Type("SirSec", "")},
       "_ _ _ N _ / 14 24 0.000 E 14.4 / _ 0 -"},
      {"letters in the minutes", "50.5", "14.4", "", {Type("DelkaMin", "x")},
       "50 30 0.000 N 50.5 / 14 x 0.000 E 14.4 / _ 0 -"},
      {"minutes with a fraction", "50.5", "14.4", "", {Type("SirMin", "15.5")},
       "50 15.5 0.000 N 50.250000 / 14 24 0.000 E 14.4 / _ 0 -"},
      {"letters in the decimal", "50.5", "14.4", "", {Type("GoogleSirka", "abc")},
       "50 30 0.000 N abc / 14 24 0.000 E 14.4 / _ 0 -"},
  };
  for (const auto& c : cases) {
    group.SetDecimal(c.lat, c.lon, c.alt);
    for (const TAction& action : c.actions) Do(action);
    EXPECT_EQ(Fields(), c.fields) << c.what;
  }
}

TEST_F(GpsGroupTest, TheWindowHearsOfTheUsersChangesOnly) {
  group.SetDecimal("50.5", "14.4", "235");
  group.ShowPosition({"1", "2", "3", 1, "-1.034167"}, {}, {"7", 0});
  group.Clear();
  group.UpdateCoordinates();
  EXPECT_TRUE(edits.empty());
  EXPECT_EQ(Fields(), "_ _ _ N _ / _ _ _ E _ / _ 0 -");

  const struct {
    TAction action;
    std::vector<TGpsPart> parts;
  } cases[] = {
      {Type("SirSt", "5"), {TGpsPart::kLatitude}},
      {Choose("DelkaRef", 1), {TGpsPart::kLongitude}},
      {Type("GpsVyska", "1"), {TGpsPart::kAltitude}},
      {Choose("GPSAltitudeRef", 1), {TGpsPart::kAltitude}},
      {Paste("GoogleSirka", "50.1,14.4"), {TGpsPart::kLongitude, TGpsPart::kLatitude}},
  };
  for (const auto& c : cases) {
    edits.clear();
    Do(c.action);
    EXPECT_EQ(edits, c.parts) << c.action.field;
  }
}

TEST_F(GpsGroupTest, WithoutItsDegreeFieldsTheGroupStillKeepsThemInStep) {
  group.SetDegreesVisible(false);
  group.show();
  EXPECT_FALSE(Edit("SirSt")->isVisible());
  EXPECT_FALSE(Edit("GpsVyska")->isVisible());
  EXPECT_TRUE(Edit("GoogleSirka")->isVisible());
  Do(Paste("GoogleSirka", "50.1, 14.4"));
  EXPECT_TRUE(group.MapButton->isEnabled());
  EXPECT_EQ(Edit("SirMin")->text(), "6");
}

TEST_F(GpsGroupTest, TheMapShowsTheDecimalPosition) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", dir.File("open.log"));
  Do(Type("GoogleSirka", "50,08"));
  Do(Type("GoogleDelka", "14,42"));
  ASSERT_TRUE(group.MapButton->isEnabled());
  QTest::mouseClick(group.MapButton, Qt::LeftButton);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("open.log")),
            "https://www.google.com/maps?q=50.08%2C+14.42&views=satellite\n");
}

}  // namespace
