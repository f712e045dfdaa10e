// Running an action from the batch actions window: the controls gathered
// into the engine's options, the progress, the commands disabled meanwhile,
// the statistics, and what the window tells afterwards.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <climits>
#include <memory>

#include "app/batch/HromadneAkce.h"
#include "app/dialogs/waitwindow.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceDateActions.h"
#include "photos/batch/HromadneAkceLastWord.h"
#include "photos/batch/HromadneAkceRenameName.h"
#include "photos/batch/HromadneAkceReport.h"
#include "photos/batch/HromadneAkceWalk.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Q;
using FormTools::S;
using HromadneAkce::TRunResult;
using HromadneAkce::TRunStatus;

constexpr int kTextDone = 563;
constexpr int kTextError = 516;
constexpr int kTextNoFolder = 577;
constexpr int kTextWait = 58;
constexpr int kTextLimited = 62;
constexpr int kTextLimitedCaption = 63;
constexpr int kTextNoDate = 64;
// The window repaints at most this often during a pass, so that the bar
// moves without the events costing more than the work.
constexpr qint64 kEventsEveryMs = 30;

int BarValue(size_t value) { return static_cast<int>(std::min<size_t>(value, INT_MAX)); }

void Tell(const std::string& text, const std::string& caption, platform::MessageIcon icon) {
  platform::ShowMessageBox(text, caption, platform::MessageButtons::Ok, icon);
}

}  // namespace

// Shows a pass in PBDir and PB, or in a wait window while the window is
// hidden, and lets events run between its steps.
class THAProgress : public HromadneAkce::TProgress {
 public:
  explicit THAProgress(TfrmHA& form) : form_(form) { clock_.start(); }
  ~THAProgress() override { Hide(); }
  THAProgress(const THAProgress&) = delete;
  THAProgress& operator=(const THAProgress&) = delete;

  void BeginFolder(const std::string& folder, size_t steps) override {
    form_.PBDir->setText(Q(folder));
    form_.PB->setRange(0, BarValue(steps));
    form_.PB->setValue(0);
    form_.PBDir->show();
    form_.PB->show();
    if (!form_.isVisible())
      wait_ = std::make_unique<TfrmWait>(Language::GetText(kTextWait), 0,
                                         BarValue(steps > 0 ? steps - 1 : 0));
    Events(true);
  }

  void Step() override {
    form_.PB->setValue(std::min(form_.PB->value() + 1, form_.PB->maximum()));
    if (wait_)
      wait_->Step("");
    else
      Events(false);
  }

  void EndFolder() override {
    Hide();
    Events(true);
  }

  bool StopRequested() override { return form_.stopRequested_; }
  bool LimitFiles() override { return !form_.isVisible(); }

  void FilesLimited(const std::string&, size_t) override {
    Tell(Language::GetText(kTextLimited), Language::GetText(kTextLimitedCaption),
         platform::MessageIcon::Warning);
  }

 private:
  void Hide() {
    wait_.reset();
    form_.PB->hide();
    form_.PB->reset();
    form_.PBDir->hide();
  }

  void Events(bool now) {
    if (!now && clock_.elapsed() < kEventsEveryMs) return;
    QCoreApplication::processEvents();
    clock_.restart();
  }

  TfrmHA& form_;
  std::unique_ptr<TfrmWait> wait_;
  QElapsedTimer clock_;
};

HromadneAkce::TOptions TfrmHA::Options() const {
  HromadneAkce::TOptions o;
  o.subdirs = Subdirs->isChecked();
  o.sortByExif = sortbyexif->isChecked();
  const QDate day = cal->selectedDate();
  o.directDay = day.isValid() ? DateFunc::DMYToDayNum(day.day(), day.month(), day.year()) : -1;
  o.setExifDate = cbSetExifDate->isChecked();
  o.setFileDate = cbSetFileDate->isChecked();
  // Only while the last statistics found photos with invalid dates.
  o.onlyInvalidDates = !cbInvalid->isHidden() && cbInvalid->isChecked();
  if (movedate->isChecked()) HromadneAkce::ReadShiftField(S(days->text()), o.shiftDays);
  if (movetime->isChecked()) HromadneAkce::ReadShiftField(S(mins->text()), o.shiftMinutes);
  o.renameFormat = rb_index->isChecked()   ? HromadneAkce::TRenameFormat::Index
                   : rb_date2->isChecked() ? HromadneAkce::TRenameFormat::DatePerDay
                                           : HromadneAkce::TRenameFormat::Date;
  o.prefix = S(imgprefix->text());
  o.startNumber = HromadneAkce::GetStartNumber(S(cislovatod->text()));
  o.step = std::max(1, lbstep->currentText().toInt());
  o.gpsMode = rbUpdateAllGPS->isChecked() ? HromadneAkce::TGpsMode::UpdateAll
                                          : HromadneAkce::TGpsMode::JustUnset;
  const GpsFields::TCoordinate lat = GPSGroup->Latitude();
  const GpsFields::TCoordinate lon = GPSGroup->Longitude();
  o.gps = {lat.deg,      lat.min,      lat.sec,
           lat.ref == 1, lon.deg,      lon.min,
           lon.sec,      lon.ref == 1, GPSGroup->Altitude().text};
  return o;
}

HromadneAkce::TTarget TfrmHA::Target() const {
  return files_.filesMode ? files_ : HromadneAkce::FolderTarget(S(RootDir->text()));
}

TRunResult TfrmHA::RunBusy(const std::function<TRunResult(HromadneAkce::TProgress&)>& work) {
  FormTools::TBusy busy(busy_, {Button1, BitBtn1, Subdirs, GroupBox5, GroupBox1, GroupBox6,
                                GroupBox4, GroupBox7, GroupBox3, GPSGroup, GroupBox2, cbStayOpen});
  stopRequested_ = false;
  THAProgress progress(*this);
  return work(progress);
}

void TfrmHA::RunAction(HromadneAkce::TActionCode code) {
  if (busy_) return;
  if (!files_.filesMode && DosFunc::DirectoryExistsLong(StrFunc::Trim(S(RootDir->text()))))
    SaveSettings();
  const HromadneAkce::TOptions options = Options();
  const HromadneAkce::TTarget target = Target();
  const TRunResult result = RunBusy([&](HromadneAkce::TProgress& progress) {
    return HromadneAkce::RunAction(code, options, target, progress);
  });
  if (code == HromadneAkce::kStatistics) statistics_ = result.statistics;
  Finish(code, result);
}

bool TfrmHA::ClosesAfter(bool statistics) const {
  // Closed during the run, or files mode, which ends after its action.
  return stopRequested_ || (files_.filesMode && !statistics && !cbStayOpen->isChecked());
}

void TfrmHA::Finish(HromadneAkce::TActionCode code, const TRunResult& result) {
  const bool statistics = code == HromadneAkce::kStatistics;
  // Renamed, moved, dated or positioned photos would be listed under names
  // and in counts they no longer have.
  if (!statistics && result.status == TRunStatus::Done && !ClosesAfter(false)) Recount();
  const std::string error = Language::GetText(kTextError);
  switch (result.status) {
    case TRunStatus::NoFolder:
      Tell(Language::GetText(kTextNoFolder), error, platform::MessageIcon::Error);
      return;
    case TRunStatus::InvalidOptions:
      Tell(Language::GetText(kTextNoDate), error, platform::MessageIcon::Error);
      return;
    case TRunStatus::InvalidPosition:
      TGpsGroup::TellProblem({GpsFields::TProblem::kField, result.gpsError});
      return;
    default:
      break;
  }
  const bool closing = ClosesAfter(statistics);
  // Not closed by the user: files mode, which ends after its action.
  const bool ending = closing && !stopRequested_;
  // A folder says "Hotovo" once it held files to handle; files mode kept
  // open says it after every action, so its user always hears the end.
  const bool told = result.status == TRunStatus::Done ||
                    (files_.filesMode && result.status == TRunStatus::NothingFound);
  const std::string failures = HromadneAkce::FailureReport(result.failures);
  const std::string done = Language::GetText(kTextDone);
  if (!statistics && !closing && told) {
    Tell(failures.empty() ? done : done + "\n\n" + failures, done,
         failures.empty() ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
  } else if (ending) {
    // The last word before the program ends: what the action wrote.
    std::string text = done + "\n\n" + HromadneAkce::DoneWord(code, result);
    if (!failures.empty()) text += "\n\n" + failures;
    Tell(text, done,
         failures.empty() ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
  } else if (!failures.empty()) {
    Tell(failures, done, platform::MessageIcon::Warning);
  }
  if (closing) close();
}

void TfrmHA::ClearStatistics() {
  statistics_ = HromadneAkce::TStatistics();
  for (QLineEdit* count : {countInvDates, countWithoutGPS, countWithGPS}) count->clear();
  for (QWidget* w : std::initializer_list<QWidget*>{cbInvalid, lbMinDate, lbMaxDate}) w->hide();
}

void TfrmHA::ShowStatistics() {
  if (busy_) return;
  ClearStatistics();
  if (files_.filesMode) {
    if (files_.files.empty() && files_.folders.empty()) return;
  } else {
    const std::string root = StrFunc::Trim(S(RootDir->text()));
    if (root.empty() || !DosFunc::DirectoryExistsLong(root)) return;
  }
  RunAction(HromadneAkce::kStatistics);
  ShowStatisticsResult();
}

void TfrmHA::Recount() {
  if (busy_) return;
  ClearStatistics();
  if (files_.filesMode ? files_.files.empty() && files_.folders.empty()
                       : !DosFunc::DirectoryExistsLong(StrFunc::Trim(S(RootDir->text()))))
    return;
  const HromadneAkce::TOptions options = Options();
  const HromadneAkce::TTarget target = Target();
  statistics_ = RunBusy([&](HromadneAkce::TProgress& progress) {
                  return HromadneAkce::RunAction(HromadneAkce::kStatistics, options, target,
                                                 progress);
                }).statistics;
  ShowStatisticsResult();
}

void TfrmHA::ShowStatisticsResult() {
  const HromadneAkce::TStatistics& s = statistics_;
  if (s.datesFound) {
    const auto day = [](int64_t ms) {
      return DateFunc::FormatDate("dd.mm.yyyy", DateFunc::Ms1990ToDateTime(0, ms));
    };
    lbMinDate->setText(Q("Min = " + day(s.minDate)));
    lbMaxDate->setText(Q("Max = " + day(s.maxDate)));
    lbMinDate->show();
    lbMaxDate->show();
  }
  countInvDates->setText(QString::number(s.invalidDates.size()));
  countWithoutGPS->setText(QString::number(s.withoutGps.size()));
  countWithGPS->setText(QString::number(s.withGps.size()));
  cbInvalid->setVisible(!s.invalidDates.empty());
}
