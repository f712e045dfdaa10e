// The two forms of a GPS coordinate kept in step, the altitude's side, and
// the check of a position before it is written.
#include "photos/GpsFields.h"

#include <gtest/gtest.h>

namespace {

using GpsFields::TAltitude;
using GpsFields::TCoordinate;
using GpsFields::TProblem;

TEST(GpsFields, DecimalDegreesBecomeDegreesMinutesSecondsAndHemisphere) {
  const struct {
    const char* decimal;
    const char* deg;
    const char* min;
    const char* sec;
    int ref;
  } cases[] = {
      {"50.5", "50", "30", "0.000", 0},
      {"-50.5", "50", "30", "0.000", 1},
      {"-33.5", "33", "30", "0.000", 1},
      {"50,083333", "50", "4", "59.999", 0},
      {" 14.4 ", "14", "24", "0.000", 0},
      {"43.467448", "43", "28", "2.813", 0},
      {"-0.3713", "0", "22", "16.680", 1},
      // Seconds that would show as 60.000 carry into the minutes and degrees.
      {"10.0166666", "10", "1", "0.000", 0},
      {"50.9999999", "51", "0", "0.000", 0},
      {"-179.99999999", "180", "0", "0.000", 1},
  };
  for (const auto& c : cases) {
    TCoordinate coordinate;
    coordinate.decimal = c.decimal;
    ASSERT_TRUE(GpsFields::FromDecimal(coordinate)) << c.decimal;
    EXPECT_EQ(coordinate.deg, c.deg) << c.decimal;
    EXPECT_EQ(coordinate.min, c.min) << c.decimal;
    EXPECT_EQ(coordinate.sec, c.sec) << c.decimal;
    EXPECT_EQ(coordinate.ref, c.ref) << c.decimal;
    EXPECT_EQ(coordinate.decimal, c.decimal) << "the typed text stays";
  }
  for (const char* text : {"", "N", "50.5.1", "-", "50.1, 14.4"}) {
    TCoordinate coordinate{"1", "2", "3", 1, text};
    EXPECT_FALSE(GpsFields::FromDecimal(coordinate)) << text;
    EXPECT_EQ(coordinate.deg + coordinate.min + coordinate.sec, "123") << text;
    EXPECT_EQ(coordinate.ref, 1) << text;
  }
}

TEST(GpsFields, DegreesMinutesSecondsBecomeSignedDecimalDegrees) {
  const struct {
    TCoordinate fields;
    const char* decimal;
    int ref;
  } cases[] = {
      {{"50", "30", "0", 0, ""}, "50.500000", 0},
      {{"50", "30", "0", 1, ""}, "-50.500000", 1},
      {{"50", "5", "", 0, "x"}, "50.083333", 0},
      {{" 43 ", "28", "2,814", 0, ""}, "43.467448", 0},
      {{"0", "22", "16.68", 1, ""}, "-0.371300", 1},
      {{"5 0", "+5", "", 0, ""}, "50.083333", 0},
      // A fraction in the degrees or minutes leaves the decimal text as it was.
      {{"50", "30.5", "0", 0, "50.5"}, "50.5", 0},
      {{"50,5", "", "", 1, "-50"}, "-50", 1},
      // All three emptied: no position, and the hemisphere back to N / E.
      {{"", " ", "", 1, "-50.5"}, "", 0},
      {{"", "", "", 1, ""}, "", 1},
  };
  for (const auto& c : cases) {
    TCoordinate coordinate = c.fields;
    GpsFields::FromDegrees(coordinate);
    EXPECT_EQ(coordinate.decimal, c.decimal) << c.fields.deg << " " << c.fields.min;
    EXPECT_EQ(coordinate.ref, c.ref) << c.fields.deg << " " << c.fields.min;
  }
}

TEST(GpsFields, TheHemisphereSetsTheDecimalSignAndTheAltitudeSideFollowsItsSign) {
  const struct {
    const char* decimal;
    int ref;
    const char* result;
  } hemispheres[] = {
      {"50.5", 1, "-50.500000"}, {"-50.5", 0, "50.500000"}, {"50.5", 0, "50.5"},
      {"-50.5", 1, "-50.5"},     {"", 1, ""},               {"abc", 1, "abc"},
  };
  for (const auto& c : hemispheres) {
    TCoordinate coordinate;
    coordinate.decimal = c.decimal;
    coordinate.ref = c.ref;
    GpsFields::FollowReference(coordinate);
    EXPECT_EQ(coordinate.decimal, c.result) << c.decimal << " " << c.ref;
  }

  const struct {
    TAltitude before;
    bool fromText;
    TAltitude after;
  } altitudes[] = {
      {{"-12", 0}, true, {"-12", 1}},    {{"12", 1}, true, {"12", 0}},
      {{"-12", 1}, false, {"-12", 1}},   {{"-12", 0}, false, {"12.00", 0}},
      {{"12", 1}, false, {"-12.00", 1}}, {{"245,37", 1}, false, {"-245.37", 1}},
      {{"abc", 1}, true, {"abc", 1}},    {{"", 1}, false, {"", 1}},
  };
  for (const auto& c : altitudes) {
    TAltitude altitude = c.before;
    GpsFields::FollowAltitude(altitude, c.fromText);
    EXPECT_EQ(altitude.text, c.after.text) << c.before.text << " " << c.before.ref;
    EXPECT_EQ(altitude.ref, c.after.ref) << c.before.text << " " << c.before.ref;
  }
}

TEST(GpsFields, TheMapNeedsTwoDecimalNumbersAndNumbersInEveryDegreeField) {
  const TCoordinate lat{"50", "30", "0", 0, "50.5"};
  const TCoordinate lon{"14", "24", "0", 0, "14.4"};
  EXPECT_TRUE(GpsFields::DecimalsAreNumbers(lat, lon));
  EXPECT_TRUE(GpsFields::PositionComplete(lat, lon));
  TCoordinate letters = lon;
  letters.min = "x";
  EXPECT_TRUE(GpsFields::DecimalsAreNumbers(lat, letters));
  EXPECT_FALSE(GpsFields::PositionComplete(lat, letters));
  TCoordinate fraction = lon;
  fraction.min = "24.5";
  EXPECT_FALSE(GpsFields::PositionComplete(lat, fraction));
  TCoordinate empty = lon;
  empty.decimal = " ";
  EXPECT_FALSE(GpsFields::DecimalsAreNumbers(lat, empty));
  EXPECT_FALSE(GpsFields::PositionComplete(lat, empty));
}

TEST(GpsFields, APositionIsCheckedBeforeItIsWritten) {
  using E = HromadneAkce::TGpsFieldError;
  const TCoordinate prague{"50", "5", "0", 0, "50.083333"};
  const TCoordinate east{"14", "25", "12.5", 0, "14.42"};
  const struct {
    const char* what;
    TCoordinate lat;
    TCoordinate lon;
    TAltitude alt;
    TProblem problem;
    E field;
  } cases[] = {
      {"valid", prague, east, {"", 0}, TProblem::kNone, E::None},
      {"poles and date line", {"90", "0", "0", 1, "-90"}, {"180", "0", "0", 1, "-180"}, {},
       TProblem::kNone, E::None},
      {"nothing at all", {}, {}, {" ", 0}, TProblem::kEmpty, E::None},
      {"latitude only", prague, {}, {}, TProblem::kIncomplete, E::None},
      {"altitude only", {}, {}, {"235", 0}, TProblem::kIncomplete, E::None},
      {"letters", prague, {"14", "x", "0", 0, "14.4"}, {}, TProblem::kIncomplete, E::None},
      {"minutes with a fraction", {"50", "30.5", "0", 0, "50.5"}, east, {}, TProblem::kField,
       E::LatitudeMinutes},
      {"degrees with a fraction", prague, {"14.5", "0", "0", 0, "14.5"}, {}, TProblem::kField,
       E::LongitudeDegrees},
      {"hexadecimal degrees", {"$32", "0", "0", 0, "50"}, east, {}, TProblem::kField,
       E::LatitudeDegrees},
      {"latitude over 90", {"91", "0", "0", 0, "91"}, east, {}, TProblem::kField,
       E::LatitudeDegrees},
      {"latitude just over 90", {"90", "0", "0.5", 0, "90.000139"}, east, {}, TProblem::kField,
       E::LatitudeRange},
      {"longitude over 180", prague, {"181", "0", "0", 1, "-181"}, {}, TProblem::kField,
       E::LongitudeDegrees},
      {"60 minutes", {"50", "60", "0", 0, "51"}, east, {}, TProblem::kField, E::LatitudeMinutes},
      {"60 seconds", prague, {"14", "0", "60", 0, "14.016667"}, {}, TProblem::kField,
       E::LongitudeSeconds},
      {"seconds stored as 60", prague, {"14", "0", "59.9996", 0, "14.016667"}, {},
       TProblem::kField, E::LongitudeSeconds},
      {"seconds stored as 60 in the latitude", {"50", "0", "59,99951", 0, "50.016667"}, east, {},
       TProblem::kField, E::LatitudeSeconds},
      {"negative degrees", {"-50", "0", "0", 0, "-50"}, east, {}, TProblem::kField,
       E::LatitudeDegrees},
      {"altitude of letters", prague, east, {"abc", 0}, TProblem::kField, E::Altitude},
  };
  for (const auto& c : cases) {
    HromadneAkce::TGpsPosition position;
    const GpsFields::TCheck check = GpsFields::CheckPosition(c.lat, c.lon, c.alt, position);
    EXPECT_EQ(check.problem, c.problem) << c.what;
    EXPECT_EQ(check.field, c.field) << c.what;
    EXPECT_EQ(GpsFields::ProblemText(check).empty(),
              c.problem == TProblem::kNone || c.problem == TProblem::kEmpty)
        << c.what;
  }

  HromadneAkce::TGpsPosition position;
  ASSERT_EQ(GpsFields::CheckPosition({"50", "5", "0", 1, "-50.083333"},
                                     {" 14 ", "25", "12,5", 1, "-14.42"}, {"-12.5", 1}, position)
                .problem,
            TProblem::kNone);
  EXPECT_EQ(position.latDegrees, 50);
  EXPECT_EQ(position.latMinutes, 5);
  EXPECT_FALSE(position.north);
  EXPECT_EQ(position.lonDegrees, 14);
  EXPECT_EQ(position.lonMinutes, 25);
  EXPECT_DOUBLE_EQ(position.lonSeconds, 12.5);
  EXPECT_FALSE(position.east);
  EXPECT_TRUE(position.hasAltitude);
  EXPECT_DOUBLE_EQ(position.altitude, -12.5);
}

}  // namespace
