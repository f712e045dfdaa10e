// The main window's slide-show commands: the folder's slide show
// (SlideShow1), packages of all or the current project (Allprojects2,
// Onlycurrentproject2), self-running shows (ConvertSSPEXE1,
// ExtractSSPfromexecutable1) and the player (Saveplayer1). Packaging every
// project keeps the project window's state, the folder and the photo
// (KeepBrowsing) and puts them back at the end (RestoreBrowsing).
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>

#include "app/browser/Main.h"
#include "app/dialogs/FileDialogs.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/slideshow/SlideShowForm.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "foundation/AppFolders.h"
#include "foundation/StrFunc.h"
#include "gallery/slideshow/FListFile.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "gallery/slideshow/SlideShowExe.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "photos/LastWord.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;

constexpr int kTextShowSaved = 205;
constexpr int kTextShowNotSaved = 206;
constexpr int kTextProjects = 209;
constexpr int kTextPictures = 212;
constexpr int kTextInformation = 510;
constexpr int kTextError = 516;
constexpr int kTextProjectError = 528;
constexpr int kTextProjectUnreadable = 529;
constexpr int kTextIndexing = 559;
constexpr int kTextWriting = 560;
constexpr int kTextShowFilter = 561;
constexpr int kTextPackageFilter = 562;
constexpr int kTextDone = 563;
constexpr int kTextNoPictures = 700;
constexpr int kTextNotWritten = 701;
constexpr int kTextPlayerNotSaved = 702;

QString Filter(int text, const char* ext) {
  return FormTools::Text(text) + " (*." + ext + ")";
}

void Tell(const std::string& text, int caption, platform::MessageIcon icon) {
  platform::ShowMessageBox(text, Language::GetText(caption), platform::MessageButtons::Ok, icon);
}

// "Hotovo" as information on success, as an error otherwise.
void TellDone(bool done) {
  Tell(Language::GetText(kTextDone), done ? kTextInformation : kTextError,
       done ? platform::MessageIcon::Information : platform::MessageIcon::Error);
}

void TellError(int text, const std::string& detail) {
  Tell(Language::GetText(text) + "\n\n" + detail, kTextError, platform::MessageIcon::Error);
}

// The photos of the list, without ".exif" side files.
std::vector<std::string> PhotosOf(const std::vector<TPhotoEntry>& files) {
  std::vector<std::string> photos;
  for (const TPhotoEntry& entry : files)
    if (HromadneAkce::IsJpegFile(entry.Path)) photos.push_back(entry.Path);
  return photos;
}

// The hourglass for the life of the object.
class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

bool IsShow(const std::string& path) {
  return StrFunc::UpperCaseCz(StrFunc::Trim(StrFunc::ExtractExt(path))) ==
         StrFunc::UpperCaseCz(SlideShowExe::kShowExt);
}

}  // namespace

void TMainForm::ConnectSlideShow() {
  OpenSSP = Named(new QFileDialog(this), "OpenSSP");
  OpenSSP->setFileMode(QFileDialog::ExistingFile);
  SaveSSP = Named(new QFileDialog(this), "SaveSSP");
  SaveSSP->setAcceptMode(QFileDialog::AcceptSave);
  SaveSSP->setFileMode(QFileDialog::AnyFile);
  ConnectItem(SlideShow1, &TMainForm::SlideShow1Click);
  ConnectItem(Allprojects2, &TMainForm::Allprojects2Click);
  ConnectItem(Onlycurrentproject2, &TMainForm::Onlycurrentproject2Click);
  ConnectItem(ConvertSSPEXE1, &TMainForm::ConvertSSPEXE1Click);
  ConnectItem(ExtractSSPfromexecutable1, &TMainForm::ExtractSSPfromexecutable1Click);
  ConnectItem(Saveplayer1, &TMainForm::Saveplayer1Click);
}

void TMainForm::UpdatePlayerItems() {
  const bool carried = SlideShowExe::CarriesPlayer();
  EnableItem(Saveplayer1, carried);
  EnableItem(ConvertSSPEXE1, carried || !SlideShowExe::PlayerBeside().empty());
}

void TMainForm::SlideShow1Click() {
  if (busy_ || files_.empty()) return;
  const std::vector<std::string> photos = PhotosOf(files_);
  if (photos.empty()) return;
  int start = 0;
  for (size_t i = 0; i < photos.size(); ++i)
    if (photos[i] == currentFile_) start = static_cast<int>(i);
  int shown = -1;
  {
    const FormTools::TBusy busy(busy_, {});
    SlideShow1->setEnabled(false);
    TSlideShow show(this);
    show.SetOverlayFlags(SlideShowOverlay::kCounter);
    show.Items() = photos;
    show.Run(start);
    shown = show.ShownIndex();
  }
  EnableItem(SlideShow1, !files_.empty());
  if (shown >= 0) ShowListEntry(IndexOf(photos[static_cast<size_t>(shown)]));
}

void TMainForm::Allprojects2Click() { SaveSlideShow(true); }

void TMainForm::Onlycurrentproject2Click() { SaveSlideShow(false); }

void TMainForm::SaveSlideShow(bool all) {
  TForm2* form = GlobalWindows::Get().Form2;
  if (busy_ || form == nullptr) return;
  // A show can be offered only when a player is there to start it.
  const TSlideShowWorkDir work;
  const std::string player = SlideShowExe::FindPlayer(work);
  QStringList filters;
  if (!player.empty()) filters << Filter(kTextShowFilter, SlideShowExe::kShowExt);
  filters << Filter(kTextPackageFilter, SlideShowPackage::kPackageExt);
  SaveSSP->setNameFilters(filters);
  SaveSSP->selectNameFilter(filters.back());
  const std::string chosen = FileDialogs::Choose(*SaveSSP, saveSspDir_);
  if (chosen.empty()) return;
  // A name without either extension takes that of the filter chosen.
  std::string target = chosen;
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::ExtractExt(chosen));
  if (ext != "SSP" && ext != "RUN") {
    const bool showFilter = !player.empty() && SaveSSP->selectedNameFilter() == filters.front();
    target = chosen + "." + (showFilter ? SlideShowExe::kShowExt : SlideShowPackage::kPackageExt);
  }
  if (!AskSaveChanges()) return;

  const FormTools::TBusy busy(busy_, {});
  const TWaitCursor hourglass;
  const auto holdSaveItems = [this] { EnableItems({Allprojects2, Onlycurrentproject2}, false); };
  holdSaveItems();
  const TBrowsing kept = KeepBrowsing();
  const std::string& folder = kept.Folder;

  SetStatusText(Language::GetText(kTextIndexing));
  ShowCompressInfo(Language::GetText(kTextIndexing), "");
  std::vector<THtmlProject> projects;
  HtmlProjectSettings::ReadProjects(projects);
  Gauge->setRange(0, std::max<int>(1, 2 * static_cast<int>(projects.size())));
  Gauge->setValue(0);
  Gauge->show();
  std::vector<TSlideShowSource> sources;
  for (size_t i = 0; i < projects.size(); ++i) {
    Gauge->setValue(Gauge->value() + 1);
    std::string photoFolder;
    if (!form->LoadProject(static_cast<int>(i), photoFolder)) {
      Tell(Language::GetText(kTextProjectUnreadable) + ": \"" + projects[i].ProjectName + "\"",
           kTextProjectError, platform::MessageIcon::Error);
      continue;
    }
    if (!all && !HtmlProjectSettings::SameFolder(photoFolder, folder)) continue;
    Gauge->setValue(Gauge->value() + 1);
    imageDir_ = photoFolder;
    LoadIgnoreList();
    ReadDirectory(true);
    holdSaveItems();
    TSlideShowSource source;
    source.Project.Index = static_cast<int32_t>(i);
    source.Project.Title = projects[i].ProjectName;
    source.Photos = PhotosOf(files_);
    if (!source.Photos.empty()) sources.push_back(std::move(source));
  }

  SetStatusText(Language::GetText(kTextWriting));
  ShowCompressInfo(Language::GetText(kTextWriting), "");
  TPackageResult result = TPackageResult::Failed;
  std::string failure;
  try {
    result = WriteSlideShowPackage(target, sources, IsShow(target) ? player : std::string());
  } catch (const EFListFileError& error) {
    failure = error.what();
  }
  Gauge->hide();
  ShowCompressInfo("", "");
  SetStatusText("");
  SetStatusText("");

  // The window as it was: the project, the folder with its ignore list, the
  // list and the photo.
  RestoreBrowsing(kept);

  if (result == TPackageResult::NoPictures) {
    Tell(Language::GetText(kTextNoPictures), kTextInformation, platform::MessageIcon::Warning);
  } else if (result == TPackageResult::Failed) {
    TellError(kTextNotWritten, failure.empty() ? target : target + "\n" + failure);
  }
  if (result != TPackageResult::Written) {
    SetFinalStatus(LastWord::Of(kTextShowNotSaved, {}));
    return;
  }
  size_t pictures = 0;
  for (const TSlideShowSource& source : sources) pictures += source.Photos.size();
  SetFinalStatus(LastWord::Of(kTextShowSaved, {{kTextProjects, sources.size()}, {kTextPictures, pictures}}));
}

TPackageResult TMainForm::WriteSlideShowPackage(const std::string& target,
                                                const std::vector<TSlideShowSource>& sources,
                                                const std::string& player) {
  TSlideShowEvents events;
  events.Progress = [this](int done, int total) {
    Gauge->setRange(0, total);
    Gauge->setValue(done);
  };
  events.Showing = [this](const std::string& photo) {
    ShowFile(photo, true);
    QCoreApplication::processEvents();
  };
  return SlideShowPackage::Write(target, sources, Language::CurrentLanguageFile(), player, events);
}

bool TMainForm::BuildSlideShowExe(const std::string& ssp, bool deleteSsp, bool report) {
  bool built = false;
  {
    const TWaitCursor hourglass;
    built = SlideShowExe::BuildSlideShowExe(ssp, deleteSsp);
  }
  if (report) TellDone(built);
  return built;
}

void TMainForm::ConvertSSPEXE1Click() {
  if (busy_) return;
  OpenSSP->setNameFilters({Filter(kTextPackageFilter, SlideShowPackage::kPackageExt)});
  const std::string package = FileDialogs::Choose(*OpenSSP, openSspDir_);
  if (package.empty()) return;
  const FormTools::TBusy busy(busy_, {});
  ConvertSSPEXE1->setEnabled(false);
  BuildSlideShowExe(package, false, true);
  UpdatePlayerItems();
}

void TMainForm::ExtractSSPfromexecutable1Click() {
  if (busy_) return;
  OpenSSP->setNameFilters({Filter(kTextShowFilter, SlideShowExe::kShowExt)});
  const std::string show = FileDialogs::Choose(*OpenSSP, openSspDir_);
  if (show.empty()) return;
  const FormTools::TBusy busy(busy_, {});
  ExtractSSPfromexecutable1->setEnabled(false);
  bool extracted = false;
  {
    const TWaitCursor hourglass;
    SetStatusText(Language::GetText(kTextWriting));
    Gauge->show();
    try {
      extracted = FListFile::ExtractContainer(
          show, StrFunc::ChangeExt(show, SlideShowPackage::kPackageExt),
          [this](int64_t step, int64_t maxStep) {
            Gauge->setRange(0, static_cast<int>(std::min<int64_t>(maxStep, INT32_MAX)));
            Gauge->setValue(static_cast<int>(std::min<int64_t>(step, INT32_MAX)));
            QCoreApplication::processEvents();
          });
    } catch (const EFListFileError&) {
      extracted = false;
    }
    Gauge->hide();
    SetStatusText("");
  }
  EnableItem(ExtractSSPfromexecutable1, true);
  TellDone(extracted);
}

void TMainForm::Saveplayer1Click() {
  if (busy_) return;
  const FormTools::TBusy busy(busy_, {});
  Saveplayer1->setEnabled(false);
  const SlideShowExe::TSavePlayerResult result = SlideShowExe::SavePlayer();
  UpdatePlayerItems();
  if (result == SlideShowExe::TSavePlayerResult::Saved ||
      result == SlideShowExe::TSavePlayerResult::Present) {
    TellDone(true);
  } else {
    TellError(kTextPlayerNotSaved, AppFolders::ProgramFolder());
  }
}
