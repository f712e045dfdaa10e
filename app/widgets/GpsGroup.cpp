#include "app/widgets/GpsGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/widgets/FormTools.h"
#include "app/widgets/SlotGuard.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceGps.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Text;

constexpr int kTextError = 516;
constexpr int kTextAboveSea = 571;
constexpr int kTextBelowSea = 572;
constexpr int kTextLatitude = 573;
constexpr int kTextLongitude = 574;

// Sets the sync flag for the life of the object and restores it after.
class TSyncOff {
 public:
  explicit TSyncOff(bool& sync) : sync_(sync), old_(sync) { sync_ = false; }
  ~TSyncOff() { sync_ = old_; }
  TSyncOff(const TSyncOff&) = delete;
  TSyncOff& operator=(const TSyncOff&) = delete;

 private:
  bool& sync_;
  bool old_;
};

// Wide enough for the longest value of the field, however narrow the window.
QLineEdit* Edit(QWidget* parent, const char* name, int characters) {
  auto* edit = Named(new QLineEdit(parent), name);
  const int digit = edit->fontMetrics().horizontalAdvance('0');
  edit->setMinimumWidth(digit * characters + 12);
  edit->setMaximumWidth(digit * (characters + 2) + 12);
  return edit;
}

QComboBox* Combo(QWidget* parent, const char* name, const QStringList& items) {
  auto* combo = Named(new QComboBox(parent), name);
  combo->addItems(items);
  return combo;
}

std::string TextOf(const QLineEdit* edit) { return edit->text().toStdString(); }

int IndexOf(const QComboBox* combo) { return std::max(0, combo->currentIndex()); }

// Only a text that differs is set: the user's cursor stays where it is.
void SetText(QLineEdit* edit, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (edit->text() != value) edit->setText(value);
}

}  // namespace

TGpsGroup::TGpsGroup(QWidget* parent) : QGroupBox("GPS", parent) {
  setObjectName("GPSGroup");
  Build();
  Connect();
  ApplyTexts();
  UpdateGpsButtons();
}

void TGpsGroup::Build() {
  lbLatitude = Named(new QLabel(this), "lbLatitude");
  SirSt = Edit(this, "SirSt", 3);
  SirMin = Edit(this, "SirMin", 2);
  SirSec = Edit(this, "SirSec", 6);
  SirkaRef = Combo(this, "SirkaRef", {"N", "S"});
  GoogleSirka = Edit(this, "GoogleSirka", 11);
  lbLongitude = Named(new QLabel(this), "lbLongitude");
  DelkaSt = Edit(this, "DelkaSt", 3);
  DelkaMin = Edit(this, "DelkaMin", 2);
  DelkaSec = Edit(this, "DelkaSec", 6);
  DelkaRef = Combo(this, "DelkaRef", {"E", "W"});
  GoogleDelka = Edit(this, "GoogleDelka", 11);
  GpsVyska = Edit(this, "GpsVyska", 8);
  Label6 = Named(new QLabel("m.", this), "Label6");
  GPSAltitudeRef = Combo(this, "GPSAltitudeRef", {QString(), QString()});
  MapButton = Named(new QPushButton("Map", this), "MapButton");

  grid_ = new QGridLayout(this);
  const auto addCoordinate = [this](int row, QLabel* label, const TCoordinateFields& f) {
    grid_->addWidget(label, row, 0, 1, 5);
    grid_->addWidget(f.deg, row + 1, 0);
    grid_->addWidget(f.min, row + 1, 1);
    grid_->addWidget(f.sec, row + 1, 2);
    grid_->addWidget(f.ref, row + 1, 3);
    grid_->addWidget(f.decimal, row + 1, 4);
  };
  addCoordinate(0, lbLatitude, LatitudeFields());
  addCoordinate(2, lbLongitude, LongitudeFields());
  auto* altitude = new QHBoxLayout;
  altitude->addWidget(GpsVyska);
  altitude->addWidget(Label6);
  altitude->addWidget(GPSAltitudeRef, 1);
  grid_->addLayout(altitude, 4, 0, 1, 5);
  buttons_ = new QHBoxLayout;
  buttons_->addWidget(MapButton);
  buttons_->addStretch(1);
  grid_->addLayout(buttons_, 5, 0, 1, 5);
  grid_->setColumnStretch(4, 1);
  nextRow_ = 6;
}

void TGpsGroup::Connect() {
  const auto on = [this](auto* sender, auto signal, void (TGpsGroup::*handler)()) {
    connect(sender, signal, this, SlotGuard::Handler(this, handler));
  };
  for (QLineEdit* edit : {SirSt, SirMin, SirSec})
    on(edit, &QLineEdit::textChanged, &TGpsGroup::SirkaChange);
  for (QLineEdit* edit : {DelkaSt, DelkaMin, DelkaSec})
    on(edit, &QLineEdit::textChanged, &TGpsGroup::DelkaChange);
  on(GoogleSirka, &QLineEdit::textChanged, &TGpsGroup::GoogleSirkaChange);
  on(GoogleDelka, &QLineEdit::textChanged, &TGpsGroup::GoogleDelkaChange);
  on(SirkaRef, &QComboBox::currentIndexChanged, &TGpsGroup::SirkaRefChange);
  on(DelkaRef, &QComboBox::currentIndexChanged, &TGpsGroup::DelkaRefChange);
  on(GpsVyska, &QLineEdit::textChanged, &TGpsGroup::VyskaChange);
  on(GPSAltitudeRef, &QComboBox::currentIndexChanged, &TGpsGroup::GPSAltitudeRefChange);
  on(MapButton, &QPushButton::clicked, &TGpsGroup::MapButtonClick);
}

void TGpsGroup::ApplyTexts() {
  lbLatitude->setText(Text(kTextLatitude));
  lbLongitude->setText(Text(kTextLongitude));
  GPSAltitudeRef->setItemText(0, Text(kTextAboveSea));
  GPSAltitudeRef->setItemText(1, Text(kTextBelowSea));
}

void TGpsGroup::AddButton(QPushButton* button) {
  button->setParent(this);
  buttons_->insertWidget(buttons_->count() - 1, button);
}

void TGpsGroup::AddRow(QWidget* row) {
  row->setParent(this);
  grid_->addWidget(row, nextRow_++, 0, 1, 5);
}

void TGpsGroup::SetDegreesVisible(bool visible) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{SirSt, SirMin, SirSec, SirkaRef, DelkaSt, DelkaMin, DelkaSec,
                                       DelkaRef, GpsVyska, Label6, GPSAltitudeRef})
    w->setVisible(visible);
  // Alone, the decimal edits stand under their labels, not beside empty columns.
  for (QLineEdit* edit : {GoogleSirka, GoogleDelka}) {
    const int row = edit == GoogleSirka ? 1 : 3;
    grid_->removeWidget(edit);
    if (visible) {
      grid_->addWidget(edit, row, 4);
    } else {
      grid_->addWidget(edit, row, 0, 1, 5, Qt::AlignLeft);
    }
  }
}

void TGpsGroup::SetEditable(bool editable) {
  for (QLineEdit* edit :
       {SirSt, SirMin, SirSec, GoogleSirka, DelkaSt, DelkaMin, DelkaSec, GoogleDelka, GpsVyska})
    edit->setReadOnly(!editable);
  for (QComboBox* combo : {SirkaRef, DelkaRef, GPSAltitudeRef}) combo->setEnabled(editable);
}

TGpsGroup::TCoordinateFields TGpsGroup::LatitudeFields() const {
  return {SirSt, SirMin, SirSec, SirkaRef, GoogleSirka};
}

TGpsGroup::TCoordinateFields TGpsGroup::LongitudeFields() const {
  return {DelkaSt, DelkaMin, DelkaSec, DelkaRef, GoogleDelka};
}

GpsFields::TCoordinate TGpsGroup::Read(const TCoordinateFields& f) {
  return {TextOf(f.deg), TextOf(f.min), TextOf(f.sec), IndexOf(f.ref), TextOf(f.decimal)};
}

GpsFields::TCoordinate TGpsGroup::Latitude() const { return Read(LatitudeFields()); }

GpsFields::TCoordinate TGpsGroup::Longitude() const { return Read(LongitudeFields()); }

GpsFields::TAltitude TGpsGroup::Altitude() const {
  return {TextOf(GpsVyska), IndexOf(GPSAltitudeRef)};
}

void TGpsGroup::Put(const TCoordinateFields& f, const GpsFields::TCoordinate& c) {
  TSyncOff off(sync_);
  SetText(f.deg, c.deg);
  SetText(f.min, c.min);
  SetText(f.sec, c.sec);
  f.ref->setCurrentIndex(c.ref);
  SetText(f.decimal, c.decimal);
}

void TGpsGroup::PutAltitude(const GpsFields::TAltitude& a) {
  TSyncOff off(sync_);
  SetText(GpsVyska, a.text);
  GPSAltitudeRef->setCurrentIndex(a.ref);
}

void TGpsGroup::ShowPosition(const GpsFields::TCoordinate& lat, const GpsFields::TCoordinate& lon,
                             const GpsFields::TAltitude& alt) {
  Put(LatitudeFields(), lat);
  Put(LongitudeFields(), lon);
  PutAltitude(alt);
  UpdateGpsButtons();
}

void TGpsGroup::Clear() { ShowPosition({}, {}, {}); }

void TGpsGroup::SetDecimal(const std::string& lat, const std::string& lon, const std::string& alt) {
  GpsFields::TCoordinate latitude;
  latitude.decimal = lat;
  GpsFields::TCoordinate longitude;
  longitude.decimal = lon;
  Put(LatitudeFields(), latitude);
  Put(LongitudeFields(), longitude);
  PutAltitude({alt, 0});
  UpdateCoordinates();
}

void TGpsGroup::UpdateCoordinates() {
  for (const TCoordinateFields& fields : {LatitudeFields(), LongitudeFields()}) {
    GpsFields::TCoordinate c = Read(fields);
    // An empty position leaves no degrees of an earlier one behind.
    if (StrFunc::RemoveBlanks(c.decimal).empty())
      c = GpsFields::TCoordinate();
    else
      GpsFields::FromDecimal(c);
    Put(fields, c);
  }
  GpsFields::TAltitude altitude = Altitude();
  GpsFields::FollowAltitude(altitude, true);
  PutAltitude(altitude);
  UpdateGpsButtons();
}

GpsFields::TCheck TGpsGroup::CheckPosition(HromadneAkce::TGpsPosition& position) const {
  return GpsFields::CheckPosition(Latitude(), Longitude(), Altitude(), position);
}

void TGpsGroup::TellProblem(const GpsFields::TCheck& check) {
  platform::ShowMessageBox(GpsFields::ProblemText(check), Language::GetText(kTextError),
                           platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

void TGpsGroup::UpdateGpsButtons() {
  MapButton->setEnabled(GpsFields::PositionComplete(Latitude(), Longitude()));
  if (OnButtons) OnButtons();
}

void TGpsGroup::SyncCoordinate(const TCoordinateFields& fields, bool fromDecimal) {
  GpsFields::TCoordinate c = Read(fields);
  if (!fromDecimal) GpsFields::FromDegrees(c);
  // A decimal text that is no number leaves the degrees as they are.
  if (!fromDecimal || GpsFields::FromDecimal(c)) Put(fields, c);
  UpdateGpsButtons();
}

void TGpsGroup::SyncReference(const TCoordinateFields& fields) {
  GpsFields::TCoordinate c = Read(fields);
  GpsFields::FollowReference(c);
  Put(fields, c);
  UpdateGpsButtons();
}

void TGpsGroup::SyncAltitude(bool fromEdit) {
  GpsFields::TAltitude altitude = Altitude();
  GpsFields::FollowAltitude(altitude, fromEdit);
  PutAltitude(altitude);
}

void TGpsGroup::Edited(TGpsPart part) {
  if (OnEdit) OnEdit(part);
}

void TGpsGroup::SirkaChange() {
  if (!sync_) return;
  SyncCoordinate(LatitudeFields(), false);
  Edited(TGpsPart::kLatitude);
}

void TGpsGroup::DelkaChange() {
  if (!sync_) return;
  SyncCoordinate(LongitudeFields(), false);
  Edited(TGpsPart::kLongitude);
}

bool TGpsGroup::TakePastedPair() {
  std::string lat = TextOf(GoogleSirka);
  std::string lon = TextOf(GoogleDelka);
  if (!HromadneAkce::SplitLatLonPair(lat, lon)) return false;
  TSyncOff off(sync_);
  SetText(GoogleSirka, lat);
  SetText(GoogleDelka, lon);
  return true;
}

void TGpsGroup::GoogleSirkaChange() {
  if (!sync_) return;
  if (TakePastedPair()) {
    SyncCoordinate(LongitudeFields(), true);
    Edited(TGpsPart::kLongitude);
  }
  SyncCoordinate(LatitudeFields(), true);
  Edited(TGpsPart::kLatitude);
}

void TGpsGroup::GoogleDelkaChange() {
  if (!sync_) return;
  if (TakePastedPair()) {
    SyncCoordinate(LatitudeFields(), true);
    Edited(TGpsPart::kLatitude);
  }
  SyncCoordinate(LongitudeFields(), true);
  Edited(TGpsPart::kLongitude);
}

void TGpsGroup::SirkaRefChange() {
  if (!sync_) return;
  SyncReference(LatitudeFields());
  Edited(TGpsPart::kLatitude);
}

void TGpsGroup::DelkaRefChange() {
  if (!sync_) return;
  SyncReference(LongitudeFields());
  Edited(TGpsPart::kLongitude);
}

void TGpsGroup::VyskaChange() {
  if (!sync_) return;
  SyncAltitude(true);
  Edited(TGpsPart::kAltitude);
}

void TGpsGroup::GPSAltitudeRefChange() {
  if (!sync_) return;
  SyncAltitude(false);
  Edited(TGpsPart::kAltitude);
}

void TGpsGroup::MapButtonClick() {
  HromadneAkce::OpenMap(TextOf(GoogleSirka), TextOf(GoogleDelka));
}
