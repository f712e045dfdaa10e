// The last words of finished work: the title and its counts, and what the
// batch actions window says of an action before the GPS-set mode ends.
#include "photos/LastWord.h"

#include <gtest/gtest.h>

#include "photos/batch/HromadneAkceLastWord.h"

namespace {

TEST(LastWord, TheTitleThenEachCountThatIsToldByItsLabel) {
  EXPECT_EQ(LastWord::Of(200, {{207, 12}, {208, 1, false}}),
            "Galerie vygenerována – fotek: 12, nezdařilo se: 1");
  EXPECT_EQ(LastWord::Of(200, {{207, 0}, {208, 0, false}}), "Galerie vygenerována – fotek: 0");
  EXPECT_EQ(LastWord::Of(204, {}), "Upload skončil chybou");
  EXPECT_EQ(LastWord::Of(204, {{210, 0, false}}), "Upload skončil chybou");
  EXPECT_EQ(LastWord::Counts({{213, 3}, {214, 2, false}}),
            "Pozice GPS zapsána do fotek: 3, beze změny: 2");
}

TEST(LastWord, FilesModeTellsThePhotosGivenAPositionOrTheFilesHandled) {
  using HromadneAkce::TFailureKind;
  HromadneAkce::TRunResult result;
  result.filesMet = 5;
  result.gpsWritten = 3;
  result.failures = {{TFailureKind::GpsNotWritten, "/f/damaged.jpg", {}}};
  EXPECT_EQ(HromadneAkce::DoneWord(HromadneAkce::kWriteGps, result),
            "Pozice GPS zapsána do fotek: 3, beze změny: 1");
  EXPECT_EQ(HromadneAkce::DoneWord(HromadneAkce::kFileDateFromPhoto, result),
            "Zpracováno souborů: 4");
  result = {};
  EXPECT_EQ(HromadneAkce::DoneWord(HromadneAkce::kWriteGps, result),
            "Pozice GPS zapsána do fotek: 0");
  EXPECT_EQ(HromadneAkce::DoneWord(HromadneAkce::kShiftDates, result), "Zpracováno souborů: 0");
}

}  // namespace
