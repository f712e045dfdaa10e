// The fields of a GPS position as a window shows them, without the window:
// each coordinate as degrees, minutes, seconds and a hemisphere, and as
// signed decimal degrees; the altitude as metres and a side of the sea level.
// The functions keep the two forms of a coordinate in step and check a
// position before it is written anywhere.
#pragma once

#include <cstdint>
#include <string>

#include "photos/batch/HromadneAkceGpsWrite.h"

namespace GpsFields {

// One coordinate as its fields hold it. ref is the hemisphere combo's item:
// 0 north or east, 1 south or west.
struct TCoordinate {
  std::string deg, min, sec;
  int ref = 0;
  std::string decimal;
};

// The altitude edit and its combo: 0 above sea, 1 below.
struct TAltitude {
  std::string text;
  int ref = 0;
};

// The text without blanks as a whole number (decimal digits, optional sign);
// 0 when it is none.
int32_t IntegerField(const std::string& text);
// The text without blanks as a decimal number ("," or "."); 0 when it is none.
double FloatField(const std::string& text);

// Degrees, minutes, seconds ("####.###", trimmed) and the hemisphere from the
// decimal text. Seconds that round to 60.000 carry into the minutes, and 60
// minutes into the degrees. False, with the fields unchanged, when the
// decimal text is no number.
bool FromDecimal(TCoordinate& c);
// The decimal text from degrees, minutes and seconds, negative for item 1.
// When all three are empty the decimal text is emptied, and the hemisphere
// goes back to item 0 when there was a decimal text. Degrees or minutes that
// are no whole number leave the decimal text as it is.
void FromDegrees(TCoordinate& c);
// The decimal value's sign follows the hemisphere; nothing when it agrees
// already or the decimal text is no number.
void FollowReference(TCoordinate& c);

// When the altitude text is a number whose sign disagrees with the combo:
// the combo follows the sign (fromText), or the value's sign follows the
// combo and the text is written again ("####.##").
void FollowAltitude(TAltitude& a, bool fromText);

// Both decimal texts are numbers: what the map and a new place need.
bool DecimalsAreNumbers(const TCoordinate& lat, const TCoordinate& lon);
// DecimalsAreNumbers, and every field of both coordinates is a number, the
// degrees and minutes whole ones.
bool PositionComplete(const TCoordinate& lat, const TCoordinate& lon);

enum class TProblem {
  kNone,
  kEmpty,       // no field of the position holds anything
  kIncomplete,  // a coordinate's field is empty or no number while others are filled
  kField,       // a field the batch actions would refuse too (TGpsFieldError)
};

struct TCheck {
  TProblem problem = TProblem::kNone;
  HromadneAkce::TGpsFieldError field = HromadneAkce::TGpsFieldError::None;
};

// Checks the fields of a position and gathers it: the fields must be
// complete, and then pass HromadneAkce::ParseGpsFields, the check every
// window writing a position makes. An empty altitude is no altitude; the side of
// the sea level is the altitude's sign.
TCheck CheckPosition(const TCoordinate& lat, const TCoordinate& lon, const TAltitude& alt,
                     HromadneAkce::TGpsPosition& position);

// The message for a check that failed (from the text table); empty for
// kNone and kEmpty.
std::string ProblemText(const TCheck& check);

}  // namespace GpsFields
