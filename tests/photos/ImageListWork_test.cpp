#include "photos/ImageListWork.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using GpsFields::TProblem;
using HromadneAkce::TGpsFieldError;

TEST(PhotoListPosition, DecimalTextsAreCheckedAsEveryPositionIs) {
  const struct {
    const char *lat, *lon, *alt;
    TProblem problem;
    TGpsFieldError field;
  } cases[] = {
      {"50.5", "-14.25", "", TProblem::kNone, TGpsFieldError::None},
      {"-0.3713", "180", "1602", TProblem::kNone, TGpsFieldError::None},
      {"50,5", "14.4", "výška", TProblem::kNone, TGpsFieldError::None},
      {"90.01", "14.4", "", TProblem::kField, TGpsFieldError::LatitudeRange},
      {"-91", "14.4", "", TProblem::kField, TGpsFieldError::LatitudeDegrees},
      {"50.5", "1000", "", TProblem::kField, TGpsFieldError::LongitudeDegrees},
      {"50.5", "14.4", "1e30", TProblem::kField, TGpsFieldError::Altitude},
      {"50.5", "x", "", TProblem::kIncomplete, TGpsFieldError::None},
      {"", "", "", TProblem::kIncomplete, TGpsFieldError::None},
  };
  for (const auto& c : cases) {
    HromadneAkce::TGpsPosition position;
    const GpsFields::TCheck check = ImageList::CheckPosition(c.lat, c.lon, c.alt, position);
    EXPECT_EQ(check.problem, c.problem) << c.lat << " " << c.lon << " " << c.alt;
    EXPECT_EQ(check.field, c.field) << c.lat << " " << c.lon << " " << c.alt;
  }

  HromadneAkce::TGpsPosition p;
  ASSERT_EQ(ImageList::CheckPosition("-0.3713", "-14.25", "1602", p).problem, TProblem::kNone);
  EXPECT_FALSE(p.north);
  EXPECT_FALSE(p.east);
  EXPECT_EQ(p.latMinutes, 22);
  EXPECT_NEAR(p.latSeconds, 16.68, 1e-9);
  EXPECT_EQ(p.lonDegrees, 14);
  EXPECT_EQ(p.lonMinutes, 15);
  EXPECT_TRUE(p.hasAltitude);
  EXPECT_DOUBLE_EQ(p.altitude, 1602);
  ASSERT_EQ(ImageList::CheckPosition("50.5", "14.4", "výška", p).problem, TProblem::kNone);
  EXPECT_FALSE(p.hasAltitude);
}

TEST(PhotoListPosition, AWriteThatFailsOrIsRefusedIsToldApart) {
  testsupport::TempDir dir;
  const std::string missing = dir.File("missing.jpg");
  EXPECT_EQ(ImageList::WritePosition(missing, "50.5", "14.4", "").status,
            ImageList::TWriteStatus::kFailed);
  const ImageList::TWriteResult refused = ImageList::WritePosition(missing, "95", "14.4", "");
  EXPECT_EQ(refused.status, ImageList::TWriteStatus::kRefused);
  EXPECT_EQ(refused.check.field, TGpsFieldError::LatitudeDegrees);
}

}  // namespace
