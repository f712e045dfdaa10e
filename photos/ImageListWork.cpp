#include "photos/ImageListWork.h"

#include "foundation/DateFunc.h"
#include "metadata/exif.h"
#include "photos/batch/HromadneAkceGps.h"

namespace ImageList {

namespace {

GpsFields::TCoordinate FromDecimal(const std::string& decimal) {
  GpsFields::TCoordinate c;
  c.decimal = decimal;
  // A text that is no number keeps empty degrees: the check calls it incomplete.
  GpsFields::FromDecimal(c);
  return c;
}

}  // namespace

std::string DateText(const TExifReader& reader) {
  const TExifValues& v = reader.Values();
  if (exif::IsNullDate(v.dateTimeOriginal) && exif::IsNullDate(v.dateTimeDigitized)) return "";
  const TDateTime date =
      exif::IsNullDate(v.dateTimeDigitized) ? v.dateTimeOriginal : v.dateTimeDigitized;
  return DateFunc::FormatDate("dd.mm.yyyy", date) + "  /  " +
         DateFunc::FormatTime("hh:mm:ss", date);
}

GpsFields::TCheck CheckPosition(const std::string& lat, const std::string& lon,
                                const std::string& altitude, HromadneAkce::TGpsPosition& position) {
  GpsFields::TAltitude alt;
  if (HromadneAkce::IsNumberEdit(&altitude)) alt.text = altitude;
  GpsFields::TCheck check =
      GpsFields::CheckPosition(FromDecimal(lat), FromDecimal(lon), alt, position);
  if (check.problem == GpsFields::TProblem::kEmpty)
    check.problem = GpsFields::TProblem::kIncomplete;
  return check;
}

TWriteResult WritePosition(const std::string& path, const std::string& lat, const std::string& lon,
                           const std::string& altitude) {
  TWriteResult result;
  HromadneAkce::TGpsPosition position;
  result.check = CheckPosition(lat, lon, altitude, position);
  if (result.check.problem != GpsFields::TProblem::kNone) {
    result.status = TWriteStatus::kRefused;
    return result;
  }
  HromadneAkce::TFailures failures;
  HromadneAkce::WriteGpsToFile(path, position, HromadneAkce::TGpsMode::UpdateAll, failures);
  if (!failures.empty()) {
    result.status = TWriteStatus::kFailed;
    result.problem = failures.front().problem;
  }
  return result;
}

}  // namespace ImageList
