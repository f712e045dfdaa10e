// TGpsGroup: the GPS position fields that the main window, the places window,
// the batch actions window and the photo list window share. Latitude and
// longitude each stand as degrees, minutes, seconds with a hemisphere combo,
// and as signed decimal degrees; the altitude as metres with a combo for the
// side of the sea level; MapButton opens the position on the web map.
//
// Whatever the user changes in one form of a coordinate is carried into the
// other (GpsFields). Qt also signals the changes the program makes: while a
// field is being set by the group itself (the sync flag off) its handler does
// nothing, so the two forms never chase each other. A window adds its own
// buttons and rows, and hears of the user's changes through OnEdit and of
// every new button state through OnButtons.
#pragma once

#include <QGroupBox>
#include <functional>
#include <string>

#include "photos/GpsFields.h"

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

enum class TGpsPart { kLatitude, kLongitude, kAltitude };

class TGpsGroup : public QGroupBox {
 public:
  explicit TGpsGroup(QWidget* parent);

  // The labels' and the altitude combo's texts.
  void ApplyTexts();
  // A button of the window, in the row of MapButton.
  void AddButton(QPushButton* button);
  // A row of the window below the buttons.
  void AddRow(QWidget* row);
  // Without the degree fields and the altitude only the decimal edits show.
  void SetDegreesVisible(bool visible);
  // Read-only fields and fixed combos when off.
  void SetEditable(bool editable);

  // The fields' contents.
  GpsFields::TCoordinate Latitude() const;
  GpsFields::TCoordinate Longitude() const;
  GpsFields::TAltitude Altitude() const;

  // Sets every field as given, without running the handlers, and updates the
  // buttons.
  void ShowPosition(const GpsFields::TCoordinate& lat, const GpsFields::TCoordinate& lon,
                    const GpsFields::TAltitude& alt);
  // Empties the fields; the combos go to item 0.
  void Clear();
  // Puts decimal texts and an altitude into the fields and fills the degree
  // fields and the altitude combo from them (without running the handlers).
  void SetDecimal(const std::string& lat, const std::string& lon, const std::string& alt);
  // The degree fields and the altitude combo from what the decimal edits and
  // the altitude hold.
  void UpdateCoordinates();

  // GpsFields::CheckPosition on the fields.
  GpsFields::TCheck CheckPosition(HromadneAkce::TGpsPosition& position) const;
  // The message of a failed check in an error box.
  static void TellProblem(const GpsFields::TCheck& check);

  // MapButton is enabled for a complete position of numbers; then OnButtons.
  void UpdateGpsButtons();

  // The user changed a part of the position (the group has synchronised it).
  std::function<void(TGpsPart)> OnEdit;
  // The buttons' states were updated.
  std::function<void()> OnButtons;

  // Handlers.
  void SirkaChange();
  void DelkaChange();
  void GoogleSirkaChange();
  void GoogleDelkaChange();
  void SirkaRefChange();
  void DelkaRefChange();
  void VyskaChange();
  void GPSAltitudeRefChange();
  void MapButtonClick();

  QLabel* lbLatitude;
  QLineEdit* SirSt;
  QLineEdit* SirMin;
  QLineEdit* SirSec;
  QComboBox* SirkaRef;
  QLineEdit* GoogleSirka;
  QLabel* lbLongitude;
  QLineEdit* DelkaSt;
  QLineEdit* DelkaMin;
  QLineEdit* DelkaSec;
  QComboBox* DelkaRef;
  QLineEdit* GoogleDelka;
  QLineEdit* GpsVyska;
  QLabel* Label6;
  QComboBox* GPSAltitudeRef;
  QPushButton* MapButton;

 private:
  struct TCoordinateFields {
    QLineEdit* deg;
    QLineEdit* min;
    QLineEdit* sec;
    QComboBox* ref;
    QLineEdit* decimal;
  };

  void Build();
  void Connect();
  TCoordinateFields LatitudeFields() const;
  TCoordinateFields LongitudeFields() const;
  static GpsFields::TCoordinate Read(const TCoordinateFields& fields);
  // Sets fields without their handlers.
  void Put(const TCoordinateFields& fields, const GpsFields::TCoordinate& c);
  void PutAltitude(const GpsFields::TAltitude& a);
  void SyncCoordinate(const TCoordinateFields& fields, bool fromDecimal);
  void SyncReference(const TCoordinateFields& fields);
  void SyncAltitude(bool fromEdit);
  // A pasted "latitude, longitude" in either decimal edit split into both;
  // false when there was none.
  bool TakePastedPair();
  void Edited(TGpsPart part);

  QGridLayout* grid_;
  QBoxLayout* buttons_;
  int nextRow_;
  // Off while the group sets fields itself.
  bool sync_ = true;
};
