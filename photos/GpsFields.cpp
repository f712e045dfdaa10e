#include "photos/GpsFields.h"

#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceGps.h"
#include "texts/Language.h"

namespace GpsFields {

namespace {

constexpr const char* kSecondsPicture = "####.###";
constexpr const char* kDecimalPicture = "###############.######";
constexpr const char* kAltitudePicture = "####.##";

constexpr int kTextIncomplete = 610;
// The message of each field error, in the order of TGpsFieldError.
constexpr int kFieldTexts[] = {0, 611, 612, 613, 614, 615, 616, 617, 618, 619};

std::string Picture(const char* picture, double value) {
  return StrFunc::Trim(StrFunc::FormatNumber(picture, value));
}

bool IsEmpty(const std::string& text) { return StrFunc::RemoveBlanks(text).empty(); }

bool IsNumber(const std::string& text) { return HromadneAkce::IsNumberEdit(&text); }

bool AllNumbers(const TCoordinate& c) {
  return HromadneAkce::ValidCoordEdits(&c.deg, &c.min, &c.sec, &c.decimal);
}

bool AllEmpty(const TCoordinate& c) {
  return IsEmpty(c.deg) && IsEmpty(c.min) && IsEmpty(c.sec) && IsEmpty(c.decimal);
}

// Digits only, after an optional sign, blanks left out: "12", not "12.0"
// nor "$C".
bool WholeField(const std::string& text, int32_t& value) {
  value = 0;
  const std::string cleaned = StrFunc::RemoveBlanks(text);
  const size_t digits = !cleaned.empty() && (cleaned[0] == '+' || cleaned[0] == '-') ? 1 : 0;
  if (cleaned.size() == digits || cleaned.size() > digits + 9) return false;
  for (size_t i = digits; i < cleaned.size(); ++i)
    if (cleaned[i] < '0' || cleaned[i] > '9') return false;
  return StrFunc::TryStrToIntS(cleaned, value);
}

bool WholeOrEmpty(const std::string& text) {
  int32_t value = 0;
  return IsEmpty(text) || WholeField(text, value);
}

}  // namespace

int32_t IntegerField(const std::string& text) {
  int32_t value = 0;
  return WholeField(text, value) ? value : 0;
}

double FloatField(const std::string& text) {
  double value = 0;
  return StrFunc::TryStrToFloatS(StrFunc::RemoveBlanks(text), value) ? value : 0;
}

bool FromDecimal(TCoordinate& c) {
  int32_t deg = 0, min = 0;
  double sec = 0;
  bool negative = false;
  if (!StrFunc::StrToDegMinSec(c.decimal, deg, min, sec, negative)) return false;
  // A shown 60.000 would be refused as a value, and stored as one.
  if (StrFunc::RoundTo(3, sec) >= 60) {
    sec = 0;
    if (++min == 60) {
      min = 0;
      ++deg;
    }
  }
  c.deg = std::to_string(deg);
  c.min = std::to_string(min);
  c.sec = Picture(kSecondsPicture, sec);
  c.ref = negative ? 1 : 0;
  return true;
}

void FromDegrees(TCoordinate& c) {
  if (IsEmpty(c.deg) && IsEmpty(c.min) && IsEmpty(c.sec)) {
    if (!c.decimal.empty()) c.ref = 0;
    c.decimal.clear();
    return;
  }
  // "30.5" minutes are no 30 nor 0 minutes: the decimal waits for a whole number.
  if (!WholeOrEmpty(c.deg) || !WholeOrEmpty(c.min)) return;
  c.decimal = StrFunc::DegMinSecToStr(IntegerField(c.deg), IntegerField(c.min), FloatField(c.sec),
                                      c.ref == 1);
}

void FollowReference(TCoordinate& c) {
  const double value = FloatField(c.decimal);
  if ((c.ref == 1 && value > 0) || (c.ref == 0 && value < 0))
    c.decimal = Picture(kDecimalPicture, -value);
}

void FollowAltitude(TAltitude& a, bool fromText) {
  double value = 0;
  if (!StrFunc::TryStrToFloatS(StrFunc::RemoveBlanks(a.text), value)) return;
  const int side = value >= 0 ? 0 : 1;
  if (side == a.ref) return;
  if (fromText) {
    a.ref = side;
  } else {
    a.text = Picture(kAltitudePicture, -value);
  }
}

bool DecimalsAreNumbers(const TCoordinate& lat, const TCoordinate& lon) {
  return !IsEmpty(lat.decimal) && !IsEmpty(lon.decimal) && IsNumber(lat.decimal) &&
         IsNumber(lon.decimal);
}

bool PositionComplete(const TCoordinate& lat, const TCoordinate& lon) {
  return DecimalsAreNumbers(lat, lon) && AllNumbers(lat) && AllNumbers(lon) &&
         WholeOrEmpty(lat.deg) && WholeOrEmpty(lat.min) && WholeOrEmpty(lon.deg) &&
         WholeOrEmpty(lon.min);
}

TCheck CheckPosition(const TCoordinate& lat, const TCoordinate& lon, const TAltitude& alt,
                     HromadneAkce::TGpsPosition& position) {
  using HromadneAkce::TGpsFieldError;
  position = HromadneAkce::TGpsPosition();
  if (AllEmpty(lat) && AllEmpty(lon))
    return {IsEmpty(alt.text) ? TProblem::kEmpty : TProblem::kIncomplete, TGpsFieldError::None};
  if (!DecimalsAreNumbers(lat, lon) || !AllNumbers(lat) || !AllNumbers(lon))
    return {TProblem::kIncomplete, TGpsFieldError::None};
  const HromadneAkce::TGpsFields fields{lat.deg, lat.min, lat.sec,      lat.ref == 1, lon.deg,
                                        lon.min, lon.sec, lon.ref == 1, alt.text};
  const TGpsFieldError error = HromadneAkce::ParseGpsFields(fields, position);
  return {error == TGpsFieldError::None ? TProblem::kNone : TProblem::kField, error};
}

std::string ProblemText(const TCheck& check) {
  if (check.problem == TProblem::kIncomplete) return Language::GetText(kTextIncomplete);
  const int text = kFieldTexts[static_cast<size_t>(check.field)];
  return check.problem == TProblem::kField && text != 0 ? Language::GetText(text) : "";
}

}  // namespace GpsFields
