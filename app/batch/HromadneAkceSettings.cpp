// The batch actions window's settings: the folder, the choices of its
// actions and the GPS position, under the product's root.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/batch/HromadneAkce.h"
#include "app/dialogs/PBFolderDialog.h"
#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/config/cfgtools.h"
#include "resources/Product.h"

namespace {

using FormTools::Q;
using FormTools::S;

constexpr char kFilesPrefix[] = "Files: ";

void OpenSettings(TConfig& config) { config.OpenRegistryDefault(false, resources::kProductName); }

// Checks the radio button stored as index; -1 (none stored) or another
// number changes nothing.
void CheckStored(int32_t index, std::initializer_list<QRadioButton*> radios) {
  if (index >= 0 && static_cast<size_t>(index) < radios.size())
    radios.begin()[index]->setChecked(true);
}

// The index of the checked radio button; -1 when none is.
int32_t CheckedIndex(std::initializer_list<QRadioButton*> radios) {
  int32_t index = 0;
  for (const QRadioButton* radio : radios) {
    if (radio->isChecked()) return index;
    ++index;
  }
  return -1;
}

}  // namespace

void TfrmHA::LoadSettings() {
  std::string lat, lon, alt;
  {
    TConfig config;
    OpenSettings(config);
    if (RootDir->isEnabled()) {
      const std::string folder = config.ReadString("OpenHADir", S(RootDir->text()));
      RootDir->setText(Q(folder));
      Folder->Folder = folder;
    }
    sortbyexif->setChecked(config.ReadBool("SortByExif", true));
    const int32_t day = config.ReadInteger("OpenHADate", -1);
    if (day > 0) {
      int d = 0, m = 0, y = 0;
      DateFunc::DayNumToYMD(day, d, m, y);
      if (const QDate date(y, m, d); date.isValid()) cal->setSelectedDate(date);
    }
    cbSetExifDate->setChecked(config.ReadBool("OpenHASetExpDate", true));
    cbSetFileDate->setChecked(config.ReadBool("OpenHASetFileDate", true));
    cbStayOpen->setChecked(config.ReadBool("OpenHAStayOpen", false));
    CheckStored(config.ReadInteger("OpenHARenameFormat", -1), {rb_index, rb_date, rb_date2});
    CheckStored(config.ReadInteger("OpenHAUpdGPS", -1), {rbJustUnsetGPS, rbUpdateAllGPS});
    lat = config.ReadString("OpenHAGMLatitude", "");
    lon = config.ReadString("OpenHAGMLongitude", "");
    alt = config.ReadString("OpenHAGMAltitude", "");
  }
  const TfrmGPS* places = GlobalWindows::Get().frmGPS;
  const std::string name = places != nullptr ? places->FindLocationName(lat, lon) : "";
  locname->setText(Q(name));
  GPSGroup->SetDecimal(lat, lon, alt);
  // A stored place keeps its name; only a new position takes one.
  locname->setEnabled(StrFunc::Trim(name).empty());
  UpdateRenameCaption();
}

void TfrmHA::SaveSettings() {
  TConfig config;
  OpenSettings(config);
  const std::string root = S(RootDir->text());
  if (root.rfind(kFilesPrefix, 0) != 0) config.WriteString("OpenHADir", root);
  config.WriteBool("SortByExif", sortbyexif->isChecked());
  const QDate day = cal->selectedDate();
  config.WriteInteger("OpenHADate", DateFunc::DMYToDayNum(day.day(), day.month(), day.year()));
  config.WriteBool("OpenHASetExpDate", cbSetExifDate->isChecked());
  config.WriteBool("OpenHASetFileDate", cbSetFileDate->isChecked());
  config.WriteBool("OpenHAStayOpen", cbStayOpen->isChecked());
  const int32_t format = CheckedIndex({rb_index, rb_date, rb_date2});
  if (format >= 0) config.WriteInteger("OpenHARenameFormat", format);
  const int32_t gps = CheckedIndex({rbJustUnsetGPS, rbUpdateAllGPS});
  if (gps >= 0) config.WriteInteger("OpenHAUpdGPS", gps);
  config.WriteString("OpenHAGMLatitude", S(GPSGroup->GoogleSirka->text()));
  config.WriteString("OpenHAGMLongitude", S(GPSGroup->GoogleDelka->text()));
  config.WriteString("OpenHAGMAltitude", S(GPSGroup->GpsVyska->text()));
}
