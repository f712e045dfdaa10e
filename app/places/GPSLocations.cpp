#include "app/places/GPSLocations.h"

#include <QAbstractListModel>
#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/FileDialogs.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/SlotGuard.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Text;

constexpr int kTextCaption = 52;
constexpr int kTextDelete = 505;
constexpr int kTextError = 516;
constexpr int kTextRemove = 578;
constexpr int kTextInsert = 579;
constexpr int kTextRemoveQuestion = 580;
constexpr int kTextPlaceName = 582;
constexpr int kTextNotSaved = 621;
constexpr int kTextNotImported = 622;
constexpr int kDefaultWidth = 720;
constexpr int kDefaultHeight = 460;

void TellError(int text, const std::string& detail) {
  platform::ShowMessageBox(Language::GetText(text) + "\n\n" + detail, Language::GetText(kTextError),
                           platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

// "lat|lon|alt" into its three trimmed parts.
void SplitCoords(const std::string& coords, std::string& lat, std::string& lon, std::string& alt) {
  const size_t first = coords.find('|');
  const size_t second = first == std::string::npos ? first : coords.find('|', first + 1);
  lat = StrFunc::Trim(coords.substr(0, first));
  lon =
      first == std::string::npos ? "" : StrFunc::Trim(coords.substr(first + 1, second - first - 1));
  alt = second == std::string::npos ? "" : StrFunc::Trim(coords.substr(second + 1));
}

}  // namespace

// The names of the places as rows. No row is asked for before the places
// are needed (the window is shown, or they change): a window made at start
// must not read the file.
class TPlaceNames : public QAbstractListModel {
 public:
  TPlaceNames(const TGpsPlaceList& places, QObject* owner)
      : QAbstractListModel(owner), places_(places) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() || !active_ ? 0 : static_cast<int>(places_.Count());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const std::string_view name = places_.NameView(static_cast<size_t>(index.row()));
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  // The places are needed, or changed.
  void Reset() {
    beginResetModel();
    active_ = true;
    endResetModel();
  }
  bool Active() const { return active_; }

 private:
  const TGpsPlaceList& places_;
  bool active_ = false;
};

TfrmGPS::TfrmGPS(QWidget* owner)
    : QDialog(owner),
      places_(GpsPlaces::LocationsFilePath(platform::ExecutablePath())),
      names_(new TPlaceNames(places_, this)) {
  setObjectName("frmGPS");
  Build();
  Connect();
  ApplyTexts();
  resize(kDefaultWidth, kDefaultHeight);
  mistoChange();
  appform::AutoChangeAppFont(this);
}

void TfrmGPS::Build() {
  LB = Named(new QListView(this), "LB");
  // All rows are one line high: a long list is laid out at once.
  LB->setUniformItemSizes(true);
  LB->setModel(names_);
  Import1 = Named(new QAction("Import", LB), "Import1");
  LB->setContextMenuPolicy(Qt::ActionsContextMenu);
  LB->addAction(Import1);

  GPSGroup = new TGpsGroup(this);
  lbName = Named(new QLabel(this), "lbName");
  misto = Named(new QLineEdit(this), "misto");
  BitBtn1 = Named(new QPushButton(this), "BitBtn1");
  BitBtn2 = Named(new QPushButton(this), "BitBtn2");
  OpenDialog1 = Named(new QFileDialog(this), "OpenDialog1");
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setNameFilter("Quillmarsh - GPS (*.gps)");
  OpenDialog1->setDefaultSuffix("gps");

  auto* fields = new QVBoxLayout;
  fields->addWidget(GPSGroup);
  fields->addWidget(lbName);
  fields->addWidget(misto);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn2);
  buttons->addWidget(BitBtn1);
  fields->addLayout(buttons);
  fields->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(LB, 1);
  layout->addLayout(fields);
}

void TfrmGPS::Connect() {
  const auto guarded = [this](void (TfrmGPS::*handler)()) {
    return SlotGuard::Handler(this, handler);
  };
  // A selection, not the current row: focus alone makes the first row
  // current, and must not replace the position shown.
  connect(LB->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          guarded(&TfrmGPS::LBClick));
  connect(LB, &QListView::clicked, this, guarded(&TfrmGPS::LBClick));
  connect(LB, &QListView::doubleClicked, this, guarded(&TfrmGPS::LBDblClick));
  connect(BitBtn1, &QPushButton::clicked, this, guarded(&TfrmGPS::BitBtn1Click));
  connect(BitBtn2, &QPushButton::clicked, this, guarded(&TfrmGPS::BitBtn2Click));
  connect(misto, &QLineEdit::textChanged, this, guarded(&TfrmGPS::mistoChange));
  connect(Import1, &QAction::triggered, this, guarded(&TfrmGPS::Import1Click));
  GPSGroup->OnButtons = [this] { mistoChange(); };
}

int TfrmGPS::Execute(bool picking) {
  picking_ = picking;
  const int result = exec();
  picking_ = false;
  return result;
}

bool TfrmGPS::PickPlace(TPickedPlace& place) {
  if (Execute(true) != QDialog::Accepted) return false;
  place.lat = GPSGroup->GoogleSirka->text().toStdString();
  place.lon = GPSGroup->GoogleDelka->text().toStdString();
  place.alt = GPSGroup->GpsVyska->text().toStdString();
  place.name = misto->text().toStdString();
  return true;
}

void TfrmGPS::showEvent(QShowEvent* event) {
  ApplyTexts();
  // The first look reads the file.
  if (!names_->Active()) FillList(-1);
  QDialog::showEvent(event);
}

void TfrmGPS::ApplyTexts() {
  setWindowTitle(Text(kTextCaption));
  GPSGroup->ApplyTexts();
  lbName->setText(Text(kTextPlaceName));
  BitBtn1->setText(Text(kTextRemove));
  BitBtn2->setText(Text(kTextInsert));
}

int TfrmGPS::FindLocation(const std::string& lat, const std::string& lon) const {
  return places_.Find(lat, lon);
}

std::string TfrmGPS::LocationNameAt(int index) const { return places_.NameAt(index); }

std::string TfrmGPS::FindLocationName(const std::string& lat, const std::string& lon) const {
  return places_.FindName(lat, lon);
}

bool TfrmGPS::AddLocation(const std::string& lat, const std::string& lon, const std::string& alt,
                          const std::string& name) {
  const int index = places_.Add(lat, lon, alt, name);
  if (index < 0) {
    TellNotSaved();
    return false;
  }
  FillList(index);
  return true;
}

void TfrmGPS::UpdateCoordinates() { GPSGroup->UpdateCoordinates(); }

void TfrmGPS::SetPosition(const std::string& lat, const std::string& lon, const std::string& alt,
                          const std::string& name) {
  GPSGroup->SetDecimal(lat, lon, alt);
  misto->setText(QString::fromStdString(name));
}

bool TfrmGPS::SortLocationsFile() { return SaveLocations(); }

void TfrmGPS::LoadLocations() {
  places_.Load();
  FillList(-1);
}

bool TfrmGPS::SaveLocations() {
  if (places_.Save()) return true;
  TellNotSaved();
  return false;
}

void TfrmGPS::FillList(int index) {
  const QSignalBlocker blocker(LB->selectionModel());
  names_->Reset();
  if (index >= 0) LB->setCurrentIndex(names_->index(index));
}

void TfrmGPS::TellNotSaved() { TellError(kTextNotSaved, places_.Path()); }

int TfrmGPS::SelectedRow() const {
  const QModelIndex current = LB->currentIndex();
  return current.isValid() && LB->selectionModel()->isSelected(current) ? current.row() : -1;
}

void TfrmGPS::LBClick() {
  const int row = SelectedRow();
  if (row < 0 || static_cast<size_t>(row) >= places_.Count()) return;
  const TGpsPlace place = places_.At(row);
  std::string lat, lon, alt;
  SplitCoords(place.coords, lat, lon, alt);
  SetPosition(lat, lon, alt, place.name);
}

void TfrmGPS::LBDblClick() {
  if (picking_) {
    accept();
  } else if (GPSGroup->MapButton->isEnabled()) {
    GPSGroup->MapButtonClick();
  }
}

void TfrmGPS::BitBtn1Click() {
  const int row = SelectedRow();
  if (row < 0) return;
  if (platform::ShowMessageBox(Language::GetText(kTextRemoveQuestion),
                               Language::GetText(kTextDelete) + "?",
                               platform::MessageButtons::YesNoCancel,
                               platform::MessageIcon::Question) != platform::MessageAnswer::Yes)
    return;
  if (!places_.Remove(row)) {
    TellNotSaved();
    return;
  }
  FillList(std::min(row, static_cast<int>(places_.Count()) - 1));
  LBClick();
}

void TfrmGPS::BitBtn2Click() {
  HromadneAkce::TGpsPosition position;
  const GpsFields::TCheck check = GPSGroup->CheckPosition(position);
  if (check.problem != GpsFields::TProblem::kNone) {
    TGpsGroup::TellProblem(check);
    return;
  }
  AddLocation(GPSGroup->GoogleSirka->text().toStdString(),
              GPSGroup->GoogleDelka->text().toStdString(), GPSGroup->GpsVyska->text().toStdString(),
              misto->text().toStdString());
}

void TfrmGPS::mistoChange() {
  BitBtn2->setEnabled(GPSGroup->MapButton->isEnabled() &&
                      !StrFunc::Trim(misto->text().toStdString()).empty());
}

void TfrmGPS::Import1Click() {
  const std::string file = FileDialogs::Choose(*OpenDialog1, importFolder_);
  if (file.empty()) return;
  if (!places_.Import(file)) TellError(kTextNotImported, file);
  FillList(-1);
}
