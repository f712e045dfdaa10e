#include "photos/batch/HromadneAkceGps.h"

#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/WebPage.h"

namespace HromadneAkce {

namespace {

constexpr const char* kMapService = "https://www.google.com/";

std::string DecimalPoint(const std::string& text) {
  return StrFunc::TranslateChars(StrFunc::Trim(text), ",", ".");
}

}  // namespace

std::string MapUrl(const std::string& lat, const std::string& lon) {
  std::string longitude = DecimalPoint(lon);
  if (longitude.empty() || (longitude[0] != '-' && longitude[0] != '+')) longitude.insert(0, "+");
  return std::string(kMapService) + "maps?q=" + DecimalPoint(lat) + "%2C" + longitude +
         "&views=satellite";
}

bool OpenMap(const std::string& lat, const std::string& lon) {
  return WebPage::Open(MapUrl(lat, lon));
}

bool GpsTextOf(const TExifReader& reader, std::string& lat, std::string& lon) {
  lat.clear();
  lon.clear();
  if (!reader.HasGPS() || !reader.IsGPSValid()) return false;
  lat = reader.GetLatitudeText();
  lon = reader.GetLongitudeText();
  return true;
}

bool ReadExifGpsText(const std::string& file, std::string& lat, std::string& lon) {
  TExifReader reader;
  if (reader.ReadFromFile(file)) return GpsTextOf(reader, lat, lon);
  lat.clear();
  lon.clear();
  return false;
}

bool ShowFileOnMap(const std::string& file) {
  std::string lat;
  std::string lon;
  return ReadExifGpsText(file, lat, lon) && OpenMap(lat, lon);
}

bool IsNumberEdit(const std::string* text) {
  if (text == nullptr) return true;
  const std::string cleaned = StrFunc::RemoveBlanks(*text);
  double decimal = 0;
  int32_t whole = 0;
  return StrFunc::TryStrToFloatS(cleaned, decimal) || StrFunc::TryStrToIntS(cleaned, whole);
}

bool ValidCoordEdits(const std::string* deg, const std::string* min, const std::string* sec,
                     const std::string* decimal) {
  return IsNumberEdit(deg) && IsNumberEdit(min) && IsNumberEdit(sec) && IsNumberEdit(decimal);
}

bool SplitLatLonText(const std::string& text, std::string& lat, std::string& lon) {
  if (text.find('.') == std::string::npos) return false;
  size_t at = text.find(',');
  if (at == std::string::npos) at = text.find(';');
  if (at == std::string::npos) return false;
  lat = StrFunc::Trim(std::string_view(text).substr(0, at));
  lon = StrFunc::Trim(std::string_view(text).substr(at + 1));
  return true;
}

bool SplitLatLonPair(std::string& latText, std::string& lonText) {
  std::string lat;
  std::string lon;
  if (!SplitLatLonText(latText, lat, lon) && !SplitLatLonText(lonText, lat, lon)) return false;
  latText = lat;
  lonText = lon;
  return true;
}

}  // namespace HromadneAkce
