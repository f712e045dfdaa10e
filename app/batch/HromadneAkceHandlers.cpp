// The batch actions window's handlers that set controls or open the other
// batch windows; the actions themselves run through RunAction.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/batch/HromadneAkce.h"
#include "app/batch/edit_imgresort.h"
#include "app/batch/edit_imgsize.h"
#include "app/batch/edit_speccislovani.h"
#include "app/dialogs/PBFolderDialog.h"
#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceDateActions.h"
#include "photos/batch/HromadneAkceWalk.h"
#include "texts/Language.h"

namespace {

using FormTools::Q;
using FormTools::S;

constexpr int kTextRun = 570;
constexpr int kTextByExif = 598;
constexpr int kTextByName = 599;

}  // namespace

void TfrmHA::Button1Click() {
  if (!RootDir->text().isEmpty()) Folder->Folder = S(RootDir->text());
  if (!Folder->Execute()) return;
  RootDir->setText(Q(Folder->Folder));
  ShowStatistics();
}

void TfrmHA::SubdirsClick() { ShowStatistics(); }

void TfrmHA::rb_dateClick() {
  Button13->setEnabled(rb_date->isChecked());
  for (QWidget* w : std::initializer_list<QWidget*>{imgprefix, Label9, cislovatod, Label8, lbstep})
    w->setEnabled(rb_index->isChecked());
}

void TfrmHA::UpdateRenameCaption() {
  const bool byDate = sortbyexif->isChecked();
  Button3->setText(Q(Language::GetText(kTextRun) + ", " +
                     StrFunc::LowerCaseCz(Language::GetText(byDate ? kTextByExif : kTextByName))));
  // Names from the date and time need the date order.
  if (!byDate && rb_date->isChecked()) rb_index->setChecked(true);
  rb_date->setEnabled(byDate);
}

void TfrmHA::sortbyexifClick() {
  UpdateRenameCaption();
  ShowStatistics();
}

void TfrmHA::lbstepChange() {
  // A step applies only to the name order.
  if (lbstep->currentIndex() <= 0 || !sortbyexif->isChecked()) return;
  sortbyexif->setChecked(false);
  sortbyexifClick();
}

void TfrmHA::Button3Click() {
  if (sortbyexif->isChecked()) {
    RunAction(HromadneAkce::kRenameByPhotoDate);
    return;
  }
  if (busy_) return;
  const HromadneAkce::TOptions options = Options();
  cislovatod->setText(QString::number(options.startNumber));
  const HromadneAkce::TTarget target = Target();
  const HromadneAkce::TRunResult result = RunBusy([&](HromadneAkce::TProgress& progress) {
    return HromadneAkce::RunRenameByName(options, target, progress);
  });
  Finish(HromadneAkce::kRenameByPhotoDate, result);
}

void TfrmHA::movedateClick() {
  days->setEnabled(movedate->isChecked());
  mins->setEnabled(movetime->isChecked());
  Button12->setEnabled(movedate->isChecked() || movetime->isChecked());
}

void TfrmHA::Button12Click() {
  // A field that holds no whole number is not part of the shift.
  const std::pair<QCheckBox*, QLineEdit*> fields[] = {{movedate, days}, {movetime, mins}};
  for (const auto& [check, edit] : fields) {
    int32_t value = 0;
    if (!check->isChecked()) continue;
    if (HromadneAkce::ReadShiftField(S(edit->text()), value))
      edit->setText(edit->text().trimmed());
    else
      check->setChecked(false);
  }
  movedateClick();
  const HromadneAkce::TOptions options = Options();
  if (Button12->isEnabled() && (options.shiftDays != 0 || options.shiftMinutes != 0))
    RunAction(HromadneAkce::kShiftDates);
}

void TfrmHA::Button6Click() {
  if (busy_) return;
  HromadneAkce::TGpsPosition position;
  GpsFields::TCheck check = GPSGroup->CheckPosition(position);
  if (check.problem == GpsFields::TProblem::kEmpty)
    check.problem = GpsFields::TProblem::kIncomplete;
  if (check.problem != GpsFields::TProblem::kNone) {
    TGpsGroup::TellProblem(check);
    return;
  }
  const std::string name = StrFunc::Trim(S(locname->text()));
  TfrmGPS* places = GlobalWindows::Get().frmGPS;
  // A position typed with a name becomes a place first; a place taken from
  // the list (locname disabled) is stored already.
  if (places != nullptr && locname->isEnabled() && !name.empty()) {
    places->AddLocation(S(GPSGroup->GoogleSirka->text()), S(GPSGroup->GoogleDelka->text()),
                        S(GPSGroup->GpsVyska->text()), name);
  }
  RunAction(HromadneAkce::kWriteGps);
}

void TfrmHA::Button7Click() {
  TfrmGPS* places = GlobalWindows::Get().frmGPS;
  TPickedPlace place;
  if (places == nullptr || !places->PickPlace(place)) return;
  GPSGroup->SetDecimal(place.lat, place.lon, place.alt);
  locname->setText(Q(place.name));
  locname->setEnabled(false);
}

void TfrmHA::GpsEdited(TGpsPart part) {
  // A changed position no longer belongs to the place taken from the list.
  if (part != TGpsPart::kAltitude) locname->setEnabled(true);
}

void TfrmHA::UpdateGpsButtons() {
  Button6->setEnabled(GpsFields::PositionComplete(GPSGroup->Latitude(), GPSGroup->Longitude()));
}

void TfrmHA::ShowMinMaxDate(bool max) {
  if (!statistics_.datesFound) return;
  const TDateTime value =
      DateFunc::Ms1990ToDateTime(0, max ? statistics_.maxDate : statistics_.minDate);
  int day = 0, month = 0, year = 0;
  DateFunc::DayNumToYMD(DateFunc::DateTimeToDayNum(value), day, month, year);
  cal->setSelectedDate(QDate(year, month, day));
}

bool TfrmHA::eventFilter(QObject* watched, QEvent* event) {
  const bool minDate = watched == lbMinDate && event->type() == QEvent::MouseButtonDblClick;
  const bool maxDate = watched == lbMaxDate && event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (minDate || maxDate) {
    ShowMinMaxDate(maxDate);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

std::string TfrmHA::StartFolder() const {
  if (!files_.filesMode) return StrFunc::Trim(S(RootDir->text()));
  return files_.folders.empty() ? std::string() : files_.folders.front();
}

void TfrmHA::Button17Click() { Tfrm_specnum::Execute(this, StartFolder(), Subdirs->isChecked()); }

void TfrmHA::Button18Click() {
  const std::string before = Folder->Folder;
  Folder->Folder = StartFolder();
  const bool chosen = Folder->Execute();
  const std::string folder = Folder->Folder;
  Folder->Folder = before;
  if (chosen) edit_imgsize::ShowResolutionList(this, folder);
}

void TfrmHA::Button19Click() { TImgResort::Execute(this); }
