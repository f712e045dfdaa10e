// The GPS text routines: map address, the position of a photo, and the
// checks and splits of coordinate fields.
#include "photos/batch/HromadneAkceGps.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using testsupport::PhotoPath;

TEST(HromadneAkceGps, MapUrlKeepsTheQueryAsBuiltAndMarksAnEasternLongitude) {
  const struct {
    const char* lat;
    const char* lon;
    const char* url;
  } cases[] = {
      {"50,08", "14,42", "https://www.google.com/maps?q=50.08%2C+14.42&views=satellite"},
      {" 50.083333 ", " -14.4 ", "https://www.google.com/maps?q=50.083333%2C-14.4&views=satellite"},
      {"-33.9", "+151.2", "https://www.google.com/maps?q=-33.9%2C+151.2&views=satellite"},
  };
  for (const auto& c : cases) EXPECT_EQ(HromadneAkce::MapUrl(c.lat, c.lon), c.url) << c.lat;
}

TEST(HromadneAkceGps, OpenMapHandsTheAddressToTheDesktop) {
  testsupport::TempDir dir;
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", dir.File("open.log"));
  EXPECT_TRUE(HromadneAkce::OpenMap("50.1", "14.4"));
  EXPECT_TRUE(HromadneAkce::ShowFileOnMap(PhotoPath("gps_DSCN0010.jpg")));
  EXPECT_FALSE(HromadneAkce::ShowFileOnMap(PhotoPath("Canon_40D.jpg")));
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("open.log")),
            "https://www.google.com/maps?q=50.1%2C+14.4&views=satellite\n"
            "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n");
}

TEST(HromadneAkceGps, ReadExifGpsTextGivesSignedDecimalsOnlyForAValidPosition) {
  std::string lat = "x";
  std::string lon = "y";
  ASSERT_TRUE(HromadneAkce::ReadExifGpsText(PhotoPath("Kodak_CX7530.jpg"), lat, lon));
  EXPECT_EQ(lat, "-0.371300");
  EXPECT_EQ(lon, "36.056417");
  for (const std::string& file : {PhotoPath("Canon_40D.jpg"), PhotoPath("no-such.jpg"),
                                 PhotoPath("t_35-empty.jpg")}) {
    EXPECT_FALSE(HromadneAkce::ReadExifGpsText(file, lat, lon)) << file;
    EXPECT_EQ(lat, "");
    EXPECT_EQ(lon, "");
  }
}

TEST(HromadneAkceGps, NumberFieldsAcceptDecimalsWithEitherMarkAndBlanks) {
  const struct {
    const char* text;
    bool number;
  } cases[] = {{"50", true},    {" 50.5 ", true}, {"50,5", true}, {"- 14", true},
               {"1 000", true}, {"", false},      {"N", false},   {"50.5.1", false}};
  for (const auto& c : cases) {
    const std::string text = c.text;
    EXPECT_EQ(HromadneAkce::IsNumberEdit(&text), c.number) << c.text;
  }
  EXPECT_TRUE(HromadneAkce::IsNumberEdit(nullptr));

  const std::string good = "12";
  const std::string bad = "x";
  EXPECT_TRUE(HromadneAkce::ValidCoordEdits(&good, &good, &good, &good));
  EXPECT_TRUE(HromadneAkce::ValidCoordEdits(&good, nullptr, nullptr, &good));
  EXPECT_FALSE(HromadneAkce::ValidCoordEdits(&good, &good, &bad, &good));
}

TEST(HromadneAkceGps, APastedPairSplitsAtTheFirstCommaOrElseSemicolon) {
  const struct {
    const char* text;
    bool split;
    const char* lat;
    const char* lon;
  } cases[] = {
      {"50.1, 14.4", true, "50.1", "14.4"},
      {"50.1;14.4", true, "50.1", "14.4"},
      {"50,1;14,4", false, "", ""},
      {"50.1", false, "", ""},
      {" -33.9 ; 151.2 ", true, "-33.9", "151.2"},
  };
  for (const auto& c : cases) {
    std::string lat;
    std::string lon;
    EXPECT_EQ(HromadneAkce::SplitLatLonText(c.text, lat, lon), c.split) << c.text;
    EXPECT_EQ(lat, c.lat) << c.text;
    EXPECT_EQ(lon, c.lon) << c.text;
  }
}

TEST(HromadneAkceGps, SplitLatLonPairTakesThePairFromEitherField) {
  std::string lat = "50.1, 14.4";
  std::string lon = "9";
  EXPECT_TRUE(HromadneAkce::SplitLatLonPair(lat, lon));
  EXPECT_EQ(lat, "50.1");
  EXPECT_EQ(lon, "14.4");

  lat = "1";
  lon = "-12.5;-40.25";
  EXPECT_TRUE(HromadneAkce::SplitLatLonPair(lat, lon));
  EXPECT_EQ(lat, "-12.5");
  EXPECT_EQ(lon, "-40.25");

  lat = "50.1";
  lon = "14.4";
  EXPECT_FALSE(HromadneAkce::SplitLatLonPair(lat, lon));
  EXPECT_EQ(lat, "50.1");
  EXPECT_EQ(lon, "14.4");
}

}  // namespace
