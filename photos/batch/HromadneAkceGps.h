// GPS positions as the user sees and types them: the decimal texts of a
// photo's position, the web map of a position, and the checks and splits of
// the coordinate fields. Plain functions; a field that a window does not have
// is passed as nullptr.
#pragma once

#include <string>

class TExifReader;

namespace HromadneAkce {

// The map service's page for a position: the address, "maps?q=", the
// latitude, "%2C", the longitude and "&views=satellite". Both texts are
// trimmed and "," becomes "."; a longitude that starts with neither "-" nor
// "+" gets "+" in front. Nothing else is encoded.
std::string MapUrl(const std::string& lat, const std::string& lon);

// Opens MapUrl(lat, lon) with the desktop's browser; true when handed on.
// A failure is told (WebPage::Open).
bool OpenMap(const std::string& lat, const std::string& lon);

// The signed decimal texts (six decimals) of the GPS position reader holds.
// False, with both texts empty, when it holds no valid one.
bool GpsTextOf(const TExifReader& reader, std::string& lat, std::string& lon);

// GpsTextOf the photo in file; false also when the file is missing or has no
// EXIF.
bool ReadExifGpsText(const std::string& file, std::string& lat, std::string& lon);

// OpenMap at the photo's position; false when it has none.
bool ShowFileOnMap(const std::string& file);

// True for no field (nullptr), or when the text without blanks is a decimal
// number ("," or ".") or an integer. An empty text is no number.
bool IsNumberEdit(const std::string* text);

// All four fields pass IsNumberEdit.
bool ValidCoordEdits(const std::string* deg, const std::string* min, const std::string* sec,
                     const std::string* decimal);

// A pasted "latitude, longitude" pair: only a text holding "." is split, at
// its first "," or, when it has none, at its first ";". lat and lon are the
// trimmed parts. False (outputs untouched) when nothing was split.
bool SplitLatLonText(const std::string& text, std::string& lat, std::string& lon);

// When the latitude text, or else the longitude text, holds a pair, the two
// parts replace both texts; true when that happened.
bool SplitLatLonPair(std::string& latText, std::string& lonText);

}  // namespace HromadneAkce
