// The main window's Batch menu: ExtractEXIFs1, JoinEXIFs1, Savethumbnails1,
// FileDateTmebyexposure1, Renamefiles1, Separateflashnoflashsnaps1 and
// SeparateGPSnoGPSsnaps1 over the photos of the folder shown. RunBatch
// gathers the choices, calls the work (photos/batchmenu, gallery/rename/PhotoRename)
// with the progress window and the gauge, tells what failed, and shows the
// folder again.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "app/browser/Main.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/dialogs/SeparateSnaps.h"
#include "app/dialogs/modalgauge.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/InputPause.h"
#include "foundation/StrFunc.h"
#include "gallery/checker/ImageCRC.h"
#include "gallery/rename/PhotoRename.h"
#include "photos/JPegUtils.h"
#include "photos/ReportText.h"
#include "photos/batchmenu/BatchMenu.h"
#include "photos/batchmenu/RenamePlan.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

constexpr int kTextInformation = 510;
constexpr int kTextError = 516;
constexpr int kTextFinishing = 518;
constexpr int kTextBadNumbers = 660;
constexpr int kTextBadPattern = 661;
constexpr int kTextNamesTaken = 662;
constexpr int kTextSideFilesInTheWay = 663;
constexpr int kTextUnfinished = 664;
constexpr int kTextInterruptedFinished = 665;
constexpr int kTextNotRenamed = 666;
constexpr int kTextKeptOldNames = 667;
constexpr int kTextFailed = 668;
constexpr int kTextNameTaken = 669;
constexpr int kTextCannotStart = 670;
constexpr int kTextFinishInterrupted = 731;
constexpr int kTextRefused = 732;
constexpr int kTextRenameCaption = 284;
constexpr int kTextWorking = 57;

bool IsThere(const std::string& path) {
  platform::FileStatus status;
  return platform::StatPath(path, status);
}

void Tell(const std::string& text, platform::MessageIcon icon) {
  if (text.empty()) return;
  platform::ShowMessageBox(text, Language::GetText(icon == platform::MessageIcon::Information ? kTextInformation
                                                                                               : kTextError),
                           platform::MessageButtons::Ok, icon);
}

// The parts of a report, each a title (a text number) and its files.
std::string Report(std::initializer_list<std::pair<int, const std::vector<std::string>*>> parts) {
  std::string text;
  for (const auto& [title, lines] : parts) ReportText::AppendPart(text, Language::GetText(title), *lines);
  return text;
}

std::string PlanRefusal(const BatchMenu::TRenamePlan& plan) {
  using BatchMenu::TRefusal;
  switch (plan.Refusal) {
    case TRefusal::kBadNumbers: return Language::GetText(kTextBadNumbers);
    case TRefusal::kBadPattern: return Language::GetText(kTextBadPattern);
    case TRefusal::kNamesTaken: return Report({{kTextNamesTaken, &plan.Names}});
    case TRefusal::kSideFilesInTheWay: return Report({{kTextSideFilesInTheWay, &plan.Names}});
    case TRefusal::kNone: break;
  }
  return std::string();
}

// The progress window over the photos, with the user's input waiting.
class TBatchProgress {
 public:
  TBatchProgress(QProgressBar& gauge, int count) : gauge_(gauge), window_(GlobalWindows::Get().frmModalGauge) {
    gauge_.setRange(0, count);
    gauge_.setValue(0);
    gauge_.show();
    if (window_ == nullptr || count == 0) return;
    window_->SetMax(count);
    window_->SetInfo(Language::GetText(kTextWorking));
    window_->show();
  }
  ~TBatchProgress() {
    Hide();
    gauge_.hide();
    gauge_.reset();
  }
  TBatchProgress(const TBatchProgress&) = delete;
  TBatchProgress& operator=(const TBatchProgress&) = delete;

  void Step() {
    gauge_.setValue(gauge_.value() + 1);
    if (window_ != nullptr && window_->isVisible()) window_->Step();
    QCoreApplication::processEvents();
  }
  // The work names are put in place: the gauge runs over them.
  void Finishing(int count) {
    Hide();
    gauge_.setRange(0, count);
    gauge_.setValue(0);
  }
  void Hide() {
    if (window_ != nullptr) window_->hide();
  }

 private:
  TInputPause pause_;
  QProgressBar& gauge_;
  TfrmModalGauge* window_;
};

}  // namespace

void TMainForm::ConnectBatch() {
  ConnectItem(ExtractEXIFs1, &TMainForm::ExtractEXIFs1Click);
  ConnectItem(JoinEXIFs1, &TMainForm::JoinEXIFs1Click);
  ConnectItem(Savethumbnails1, &TMainForm::Savethumbnails1Click);
  ConnectItem(FileDateTmebyexposure1, &TMainForm::FileDateTmebyexposure1Click);
  ConnectItem(Renamefiles1, &TMainForm::Renamefiles1Click);
  ConnectItem(Separateflashnoflashsnaps1, &TMainForm::Separateflashnoflashsnaps1Click);
  ConnectItem(SeparateGPSnoGPSsnaps1, &TMainForm::SeparateGPSnoGPSsnaps1Click);
}

void TMainForm::ExtractEXIFs1Click() { RunBatch(BatchMenu::kExtractExif); }
void TMainForm::Savethumbnails1Click() { RunBatch(BatchMenu::kSaveThumbnails); }
void TMainForm::JoinEXIFs1Click() { RunBatch(BatchMenu::kJoinExif); }
void TMainForm::FileDateTmebyexposure1Click() { RunBatch(BatchMenu::kFileDateByExposure); }
void TMainForm::Renamefiles1Click() { RunBatch(BatchMenu::kRenameFiles); }
void TMainForm::Separateflashnoflashsnaps1Click() { RunBatch(BatchMenu::kSeparateByFlash); }
void TMainForm::SeparateGPSnoGPSsnaps1Click() { RunBatch(BatchMenu::kSeparateByGps); }

bool TMainForm::SaveThumbnail(const TExifReader& reader, const std::string& target) {
  return JPegUtils::ExtractThumbnail(reader, target);
}

void TMainForm::RunBatch(int code) {
  if (busy_ || imageDir_.empty()) return;
  {
    const FormTools::TBusy busy(busy_, {FirstFileButton, PrevFile, NextFile, LastFileButton, SortByExposure,
                                        ShowUnknown, CameraTypeCombo, ShowImgButton, Note, GPSGroup, Button1,
                                        GpsSaveButton});
    const FormTools::TActionsOff commands(*this);
    // The photo shown may change its name or place: an edit is saved or
    // dropped now, never written afterwards into whatever holds the old name.
    if (!AskSaveChanges()) return;
    SetModified(false);
    RunBatchWork(code);
  }
  commandLineList_ = false;
  LoadIgnoreList();
  ReadDirectory(true);
  // A photo moved away leaves the first of the folder shown, with its
  // thumbnail.
  const bool gone = currentFile_.empty() || !IsThere(currentFile_);
  if (gone) currentFile_ = files_.empty() ? std::string() : files_.front().Path;
  if (currentFile_.empty()) {
    RemoveFromList(std::string());
    return;
  }
  ShowFile(currentFile_, gone);
  UpdateNavButtons(IndexOf(currentFile_));
}

void TMainForm::RunBatchWork(int code) {
  BatchMenu::TSeparation how{imageDir_, true};
  if (code == BatchMenu::kSeparateByFlash || code == BatchMenu::kSeparateByGps) {
    TForm5 dialog(this);
    if (!dialog.Execute(how.Destination, how.Move)) return;
  }
  const std::vector<std::string> galleries =
      code == BatchMenu::kRenameFiles ? PhotoRename::GalleriesOf(imageDir_) : std::vector<std::string>();
  if (code == BatchMenu::kRenameFiles && PhotoRename::HasLeftovers(imageDir_, galleries) &&
      !FinishInterruptedRename(galleries))
    return;

  // Every photo of the folder takes part; only code 7 leaves out the ignored.
  LoadIgnoreList();
  ReadDirectory(code == BatchMenu::kListOnly);
  if (files_.empty()) return;
  std::vector<std::string> photos;
  for (const TPhotoEntry& entry : files_) photos.push_back(entry.Path);

  if (code == BatchMenu::kRenameFiles) {
    RenamePhotos(photos, galleries);
    return;
  }
  // The checker cache records the photos' file times.
  std::unique_ptr<TJPegChecker> checker;
  if (code == BatchMenu::kFileDateByExposure) {
    checker = std::make_unique<TJPegChecker>();
    checker->ScanDirectory(imageDir_);
  }
  BatchMenu::TReport report;
  {
    TBatchProgress progress(*Gauge, static_cast<int>(photos.size()));
    report = BatchMenu::Run(code, photos, how, [&progress] { progress.Step(); });
  }
  Tell(Report({{kTextNameTaken, &report.NameTaken}, {kTextFailed, &report.Failed}}),
       platform::MessageIcon::Warning);
}

bool TMainForm::FinishInterruptedRename(const std::vector<std::string>& galleries) {
  // What a stopped run left may have come with the folder: nothing is
  // finished unless the user says so.
  if (platform::ShowMessageBox(Language::GetText(kTextFinishInterrupted) + "\n\n" + imageDir_,
                               Language::GetText(kTextRenameCaption), platform::MessageButtons::YesNo,
                               platform::MessageIcon::Question) != platform::MessageAnswer::Yes)
    return false;
  PhotoRename::TResult result;
  {
    TBatchProgress progress(*Gauge, 0);
    PhotoRename::TEvents events;
    events.Finishing = [&progress](int count) { progress.Finishing(count); };
    events.Finished = [&progress] { progress.Step(); };
    result = PhotoRename::FinishInterrupted(imageDir_, galleries, events);
  }
  if (!result.Unfinished.empty() || !result.Refused.empty()) {
    Tell(Report({{kTextUnfinished, &result.Unfinished}, {kTextRefused, &result.Refused}}),
         platform::MessageIcon::Error);
    return false;
  }
  Tell(Language::GetText(kTextInterruptedFinished), platform::MessageIcon::Information);
  return true;
}

void TMainForm::RenamePhotos(const std::vector<std::string>& photos, const std::vector<std::string>& galleries) {
  TForm4* dialog = GlobalWindows::Get().Form4;
  std::string pattern;
  int first = 0, step = 0;
  if (dialog == nullptr || !dialog->Execute(pattern, first, step)) return;
  const BatchMenu::TRenamePlan plan = BatchMenu::PlanRenames(imageDir_, photos, pattern, first, step);
  if (plan.Refusal != BatchMenu::TRefusal::kNone) {
    Tell(PlanRefusal(plan), platform::MessageIcon::Error);
    return;
  }
  PhotoRename::TResult result;
  {
    TBatchProgress progress(*Gauge, static_cast<int>(plan.Renames.size()));
    PhotoRename::TEvents events;
    events.Step = [&progress] { progress.Step(); };
    events.Finishing = [this, &progress](int count) {
      progress.Finishing(count);
      ShowCompressInfo(Language::GetText(kTextFinishing) + "...", "");
    };
    events.Finished = [&progress] { progress.Step(); };
    result = PhotoRename::Run(imageDir_, plan.Renames, galleries, events);
    ShowCompressInfo("", "");
  }
  // The photo shown is shown under its new name.
  const std::string folder = StrFunc::IncludeBackslash(imageDir_);
  for (const auto& [from, to] : plan.Renames) {
    if (currentFile_ == folder + from && IsThere(folder + to)) {
      currentFile_ = folder + to;
      break;
    }
  }
  if (result.NotStarted) {
    Tell(Language::GetText(kTextCannotStart) + "\n\n" + imageDir_, platform::MessageIcon::Error);
    return;
  }
  Tell(Report({{kTextNotRenamed, &result.Failed},
               {kTextUnfinished, &result.Unfinished},
               {kTextKeptOldNames, &result.KeptOldNames}}),
       platform::MessageIcon::Warning);
}
