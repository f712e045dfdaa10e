// TfrmGPS: the window of the named GPS places. It lists the places of the
// places file (TGpsPlaceList), shows the chosen one's position in the GPS
// fields, stores a new or changed place, removes one, and imports the places
// of another file. The other windows look places up by position through it.
//
// The window is made at start, but the file is read only when a place is
// first needed (a lookup, or the window shown), and written only when the
// places change. The list shows the names straight from the places, so a
// file of millions of places costs no more than itself.
//
// Two modes: editing (from the menu) and picking, in which a double click on
// a place closes the window with OK; the caller then reads the position from
// GPSGroup's decimal edits and altitude and the name from misto.
#pragma once

#include <QDialog>
#include <string>

#include "photos/GpsPlaces.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class TGpsGroup;
class TPlaceNames;

// A place picked in the window: its decimal position, altitude and name as
// the window showed them.
struct TPickedPlace {
  std::string lat;
  std::string lon;
  std::string alt;
  std::string name;
};

class TfrmGPS : public QDialog {
 public:
  // Finds the places file; reads nothing yet.
  explicit TfrmGPS(QWidget* owner = nullptr);

  // Shows the window modally; a double click on a place ends it with OK
  // (QDialog::Accepted) when picking is set.
  int Execute(bool picking);
  // Execute(true); true, with place filled, when a place was picked.
  bool PickPlace(TPickedPlace& place);
  // The captions (the places' own texts stay).
  void ApplyTexts();

  // --- The places ---------------------------------------------------------------
  const std::string& LocationsFilePath() const { return places_.Path(); }
  int FindLocation(const std::string& lat, const std::string& lon) const;
  std::string LocationNameAt(int index) const;
  std::string FindLocationName(const std::string& lat, const std::string& lon) const;
  // Stores the place and selects it; a file that cannot be written is told,
  // and false returned.
  bool AddLocation(const std::string& lat, const std::string& lon, const std::string& alt,
                   const std::string& name);
  // The degree fields and the altitude combo from the decimal edits and the
  // altitude.
  void UpdateCoordinates();
  // The position a caller shows (decimal texts and altitude) and the name.
  void SetPosition(const std::string& lat, const std::string& lon, const std::string& alt,
                   const std::string& name);
  // Writes the file with its places in name order (its other lines kept).
  bool SortLocationsFile();
  // Reads the file again and shows its places.
  void LoadLocations();
  bool SaveLocations();
  static bool ParseLocationLine(const std::string& line, std::string& lat, std::string& lon,
                                std::string& name, std::string& alt) {
    return GpsPlaces::ParseLocationLine(line, lat, lon, name, alt);
  }

  // --- Handlers -----------------------------------------------------------------
  void LBClick();
  void LBDblClick();
  void BitBtn1Click();
  void BitBtn2Click();
  void mistoChange();
  void Import1Click();

  // --- Controls -----------------------------------------------------------------
  TGpsGroup* GPSGroup;
  QLabel* lbName;
  QLineEdit* misto;
  // The places' names, one row each.
  QListView* LB;
  QAction* Import1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QFileDialog* OpenDialog1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Build();
  void Connect();
  // LB shows the places' names; index is selected without running LBClick.
  void FillList(int index);
  // The selected place's row; -1 when none is selected.
  int SelectedRow() const;
  void TellNotSaved();

  TGpsPlaceList places_;
  TPlaceNames* names_;
  bool picking_ = false;
  // The folder a places file was last imported from.
  std::string importFolder_;
};
