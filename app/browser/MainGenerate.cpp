// The main window's gallery generation: GenerateCurrentProject1Click runs the
// current project's generation (gallery/generate/GalleryRun.h) over the photo list,
// showing each photo and the progress in Gauge, CompressInfo1 and
// CompressInfo2, stores the project at the end (SaveCurrentProject) and
// tells in the status line how the run ended.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/browser/Main.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/JpegImage.h"
#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryRecord.h"
#include "gallery/generate/GalleryRun.h"
#include "photos/LastWord.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

constexpr int kTextGenerated = 200;
constexpr int kTextNotGenerated = 201;
constexpr int kTextPhotos = 207;
constexpr int kTextFailed = 208;
constexpr int kTextError = 516;
constexpr int kTextCannotCreateFolder = 517;
constexpr int kTextNameClash = 640;
constexpr int kTextPhotosFailed = 641;
constexpr int kTextForeignFiles = 470;
constexpr int kTextCannotWriteRecord = 471;
constexpr int kTextCannotMakeOwnFolder = 744;
// A message names at most this many files.
constexpr size_t kMaxNamesTold = 20;

// Runs its function when the scope ends, also by an exception: the end of
// a run in its layers.
class TAtEnd {
 public:
  explicit TAtEnd(std::function<void()> run) : run_(std::move(run)) {}
  ~TAtEnd() { run_(); }
  TAtEnd(const TAtEnd&) = delete;
  TAtEnd& operator=(const TAtEnd&) = delete;

 private:
  std::function<void()> run_;
};

void Tell(int text, const std::vector<std::string>& names, platform::MessageIcon icon) {
  std::string message = Language::GetText(text) + "\n";
  for (size_t i = 0; i < names.size() && i < kMaxNamesTold; ++i) message += "\n" + names[i];
  if (names.size() > kMaxNamesTold) message += "\n...";
  platform::ShowMessageBox(message, Language::GetText(kTextError), platform::MessageButtons::Ok, icon);
}

}  // namespace

void TMainForm::ConnectGenerate() {
  ConnectItem(GenerateCurrentProject1, &TMainForm::GenerateCurrentProject1Click);
}

void TMainForm::GenerateCurrentProject1Click() { GenerateCurrentProject(); }

bool TMainForm::GenerateCurrentProject(GalleryRun::TReport* report) {
  TForm2* project = GlobalWindows::Get().Form2;
  if (busy_ || project == nullptr) return false;
  GenerateCurrentProject1->setEnabled(false);
  const TAtEnd enableAgain([this] { EnableItem(GenerateCurrentProject1, !files_.empty()); });
  if (!AskSaveChanges()) return false;
  if (!project->Validate() && !project->Execute()) return false;

  const bool sortedByExposure = SortByExposure->isChecked();
  SortByExposure->setChecked(true);
  const TAtEnd showAgain([this, sortedByExposure] {
    SortByExposure->setChecked(sortedByExposure);
    if (!currentFile_.empty()) {
      ShowFile(currentFile_, true);
      UpdateNavButtons(IndexOf(currentFile_));
    }
  });
  ReadDirectory(true);
  if (files_.empty()) {
    SetFinalStatus(LastWord::Of(kTextNotGenerated, {}));
    return false;
  }

  THtmlProject values = project->Values();
  const bool fullImage = FullImageShown();
  // A run refused before it wrote anything leaves the project alone.
  bool store = true;
  const TAtEnd finish([this, project, &values, &store, fullImage] {
    Gauge->hide();
    Gauge->reset();
    ShowCompressInfo("", "");
    if (store) {
      project->TakeQualities(values);
      SaveCurrentProject();
    }
    if (fullImage) ShowImgButtonClick();
  });
  // No other command may start while the run lets events through.
  const FormTools::TBusy busy(busy_, {FirstFileButton, PrevFile, NextFile, LastFileButton, SortByExposure,
                                      ShowUnknown, CameraTypeCombo, ShowImgButton, Note, GPSGroup, Button1,
                                      GpsSaveButton});
  const FormTools::TActionsOff commands(*this);
  if (fullImage) ShowImgButtonClick();

  GalleryRun::TEvents events;
  events.Gauge = [this](int position, int maximum) {
    Gauge->setRange(0, maximum);
    Gauge->setValue(position);
    Gauge->show();
  };
  events.ShowPhoto = [this](const std::string&, const TExifReader& reader, const std::string& thumbnail) {
    // A thumbnail that does not load leaves the one shown before.
    const QImage image = thumbnail.empty() ? QImage() : JpegImage::LoadFitted(thumbnail, Img->size());
    if (!image.isNull()) {
      Img->setPixmap(QPixmap::fromImage(image));
      Img->setVisible(true);
    }
    ShowExif(reader);
    SetEditable(false);
    SetModified(false);
    QCoreApplication::processEvents();
  };
  events.Info = [this](const std::string& what, const std::string& level) { ShowCompressInfo(what, level); };

  std::vector<std::string> photos;
  for (const TPhotoEntry& entry : files_) photos.push_back(entry.Path);
  const GalleryRun::TReport run = GalleryRun::Generate(values, imageDir_, photos, ignore_.Names(), events);
  if (report != nullptr) *report = run;
  store = run.Outcome == GalleryRun::TOutcome::kDone;
  switch (run.Outcome) {
    case GalleryRun::TOutcome::kCannotCreateFolder:
      platform::ShowMessageBox(Language::GetText(kTextCannotCreateFolder), Language::GetText(kTextError),
                               platform::MessageButtons::Ok, platform::MessageIcon::Error);
      break;
    case GalleryRun::TOutcome::kNameClash:
      Tell(kTextNameClash, run.Clashes, platform::MessageIcon::Error);
      break;
    case GalleryRun::TOutcome::kForeignFiles:
      Tell(kTextForeignFiles, run.Foreign, platform::MessageIcon::Error);
      break;
    case GalleryRun::TOutcome::kCannotWriteRecord:
      Tell(kTextCannotWriteRecord, {GalleryRecord::RecordPath(StrFunc::Trim(values.HtmlDir))},
           platform::MessageIcon::Error);
      break;
    case GalleryRun::TOutcome::kCannotMakeWorkFolder:
      Tell(kTextCannotMakeOwnFolder, {run.WorkFolderProblem}, platform::MessageIcon::Error);
      break;
    case GalleryRun::TOutcome::kDone:
      if (!run.Failed.empty()) Tell(kTextPhotosFailed, run.Failed, platform::MessageIcon::Warning);
      break;
    case GalleryRun::TOutcome::kNoPhotos:
      break;
  }
  if (store) {
    SetFinalStatus(LastWord::Of(kTextGenerated, {{kTextPhotos, static_cast<size_t>(run.Photos)},
                                                 {kTextFailed, run.Failed.size(), false}}));
  } else {
    SetFinalStatus(LastWord::Of(kTextNotGenerated, {}));
  }
  return store;
}
