// The main window's photo list: choosing a photo, reading its folder,
// stepping through the list, the ignore list and deleting.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

#include "app/browser/Main.h"
#include "app/dialogs/FileDialogs.h"
#include "app/dialogs/modalgauge.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/InputPause.h"
#include "foundation/StrFunc.h"
#include "photos/PhotoFolder.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/TextLines.h"
#include "texts/Language.h"

namespace {

constexpr int kTextDateFormat = 0;
constexpr int kTextTimeFormat = 1;
constexpr int kTextDelete = 505;
constexpr int kTextIgnore = 506;
constexpr int kTextError = 516;
constexpr int kTextIgnoreQuestion = 521;
constexpr int kTextIgnoreSaveError = 523;
constexpr int kTextIgnoreLoadError = 524;
constexpr int kTextReadingFolder = 546;
constexpr int kTextDeleteQuestion = 605;
constexpr int kTextFolderError = 606;
constexpr int kTextDeleteError = 608;
constexpr int kTextLoadingList = 56;

// Marks the window busy for the life of the object.
class TBusy {
 public:
  explicit TBusy(bool& flag) : flag_(flag) { flag_ = true; }
  ~TBusy() { flag_ = false; }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  bool& flag_;
};

void ShowError(int text, const std::string& detail) {
  std::string message = Language::GetText(text);
  if (!detail.empty()) message += "\n\n" + detail;
  platform::ShowMessageBox(message, Language::GetText(kTextError), platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
}

bool Confirmed(int question, int caption, const std::string& fileName) {
  return platform::ShowMessageBox(Language::GetText(question) + "\n\n" + fileName,
                                  Language::GetText(caption) + "?",
                                  platform::MessageButtons::YesNo,
                                  platform::MessageIcon::Question) == platform::MessageAnswer::Yes;
}

// Shows the progress window while it lives; the user's input waits.
class TListProgress {
 public:
  explicit TListProgress(size_t count) : gauge_(GlobalWindows::Get().frmModalGauge) {
    if (gauge_ == nullptr || count == 0) return;
    gauge_->SetMax(static_cast<int>(count));
    gauge_->SetInfo(Language::GetText(kTextLoadingList));
    gauge_->show();
  }
  ~TListProgress() {
    if (gauge_ != nullptr) gauge_->hide();
  }
  TListProgress(const TListProgress&) = delete;
  TListProgress& operator=(const TListProgress&) = delete;

  void Step() {
    if (gauge_ != nullptr && gauge_->isVisible()) gauge_->Step();
  }

 private:
  TInputPause pause_;
  TfrmModalGauge* gauge_;
};

}  // namespace

void TMainForm::Open1Click() {
  if (busy_) return;
  TBusy busy(busy_);
  commandLineList_ = false;
  Open1->setEnabled(false);
  std::string folder = imageDir_;
  const std::string file = FileDialogs::Choose(*OpenDialog, folder);
  if (!file.empty() && AskSaveProject() && AskSaveChanges()) {
    imageDir_ = folder;
    LoadIgnoreList();
    ReadDirectory(true);
    FindFolderProject(imageDir_);
    ShowFile(file, true);
    UpdateNavButtons(IndexOf(file));
  }
  Open1->setEnabled(true);
}

void TMainForm::OpenFileList(const std::string& text) {
  std::vector<std::string> paths;
  for (const std::string& line : platform::SplitLines(text)) {
    const std::string path = StrFunc::Trim(line);
    if (!path.empty()) paths.push_back(path);
  }
  if (paths.empty() || busy_ || !AskSaveProject() || !AskSaveChanges()) return;
  TBusy busy(busy_);
  commandLineList_ = true;
  Open1->setEnabled(false);
  imageDir_ = StrFunc::ExtractDir(paths.front());
  LoadIgnoreList();
  LoadFileList(paths);
  FindFolderProject(imageDir_);
  ShowFile(paths.front(), true);
  UpdateNavButtons(IndexOf(paths.front()));
  Open1->setEnabled(true);
}

void TMainForm::ReadDirectory(bool useIgnoreList) {
  SetStatusText(Language::GetText(kTextReadingFolder));
  if (useIgnoreList && ignore_.Folder() != imageDir_) LoadIgnoreList();
  std::vector<std::string> paths;
  const bool read = PhotoFolder::List(
      imageDir_, [this, useIgnoreList](const std::string& path) {
        return useIgnoreList && IsIgnored(path);
      },
      paths);
  SetStatusText("");
  if (!read) ShowError(kTextFolderError, imageDir_);
  LoadFileList(paths);
}

void TMainForm::LoadFileList(const std::vector<std::string>& paths) {
  SetStatusText(Language::GetText(kTextReadingFolder));
  files_.clear();
  EnableItems({ExtractEXIFs1, Savethumbnails1, JoinEXIFs1, FileDateTmebyexposure1,
               GenerateCurrentProject1, GenerateAllProjects, Saveproject1, Projectproperties1,
               Renamefiles1, Separateflashnoflashsnaps1, SeparateGPSnoGPSsnaps1, Imagelist1,
               Thumbnailslist1, SlideShow1},
              false);
  EnableItems({FTPSettings1, Projectlist1, Previewprojectlist1}, true);
  TPhotoListOptions options;
  options.ByExposure = SortByExposure->isChecked();
  options.DatePattern = Language::GetText(kTextDateFormat);
  options.TimePattern = Language::GetText(kTextTimeFormat);
  {
    TListProgress progress(paths.size());
    options.Step = [&progress] { progress.Step(); };
    TPhotoListing listing = PhotoList::Load(paths, options);
    files_ = std::move(listing.Entries);
    processed_ = listing.Processed;
  }
  EnableItems({ExtractEXIFs1, Savethumbnails1, JoinEXIFs1, FileDateTmebyexposure1,
               GenerateCurrentProject1, GenerateAllProjects, Saveproject1, Projectproperties1,
               Renamefiles1, Ignorecurrentimage1, Deletecurrentimage1, Preview800x600,
               Preview1024x768, Separateflashnoflashsnaps1, SeparateGPSnoGPSsnaps1, Imagelist1,
               Thumbnailslist1, SlideShow1},
              !files_.empty());
  EnableItems({FTPSettings1, Projectlist1, Previewprojectlist1}, true);
  UpdateProjectItems();
  UpdateProjectMenus();
  SetStatusText("");
}

void TMainForm::UpdateNavButtons(int index) {
  const int count = static_cast<int>(files_.size());
  FirstFileButton->setEnabled(count > 0 && index >= 1);
  PrevFile->setEnabled(count > 0 && index >= 1);
  NextFile->setEnabled(count > 0 && index < count - 1);
  LastFileButton->setEnabled(count > 0 && index < count - 1);
}

void TMainForm::LoadIgnoreList() {
  if (!ignore_.Load(imageDir_)) ShowError(kTextIgnoreLoadError, imageDir_);
}

bool TMainForm::IsIgnored(const std::string& fileName) const { return ignore_.IsIgnored(fileName); }

void TMainForm::NextFileClick() {
  if (busy_) return;
  TBusy busy(busy_);
  Step(StepKind::Next, PhotoList::kRescanThreshold);
}

void TMainForm::PrevFileClick() {
  if (busy_) return;
  TBusy busy(busy_);
  Step(StepKind::Previous, PhotoList::kRescanThreshold);
}

void TMainForm::FirstFileButtonClick() {
  if (busy_) return;
  TBusy busy(busy_);
  Step(StepKind::First, PhotoList::kRescanThreshold);
}

void TMainForm::LastFileButtonClick() {
  if (busy_) return;
  TBusy busy(busy_);
  Step(StepKind::Last, PhotoList::kRescanThreshold);
}

int TMainForm::IndexOf(const std::string& path) const {
  for (size_t i = 0; i < files_.size(); ++i)
    if (files_[i].Path == path) return static_cast<int>(i);
  return -1;
}

void TMainForm::Step(StepKind kind, int rescanThreshold) {
  // The target is chosen in the list shown, before the folder is read again.
  std::string target;
  if (!files_.empty()) {
    const int count = static_cast<int>(files_.size());
    const int current = IndexOf(currentFile_);
    int at = 0;
    switch (kind) {
      case StepKind::Next: at = current < 0 || current >= count - 1 ? 0 : current + 1; break;
      case StepKind::Previous: at = current <= 0 ? count - 1 : current - 1; break;
      case StepKind::First: at = 0; break;
      case StepKind::Last: at = count - 1; break;
    }
    target = files_[static_cast<size_t>(at)].Path;
  }
  if (!commandLineList_ && (processed_ < rescanThreshold || files_.empty())) ReadDirectory(true);
  if (files_.empty()) {
    // The folder holds no photo any more (moved away, or the folder is
    // gone): nothing of the photo shown may stay, as if it were still there.
    if (!currentFile_.empty()) {
      // The photo is gone: what could not be saved goes with it.
      (void)AskSaveChanges();
      ShowNoPhoto();
    }
    return;
  }
  const int count = static_cast<int>(files_.size());
  int index = IndexOf(target);
  if (index < 0 || kind == StepKind::First || kind == StepKind::Last) {
    index = kind == StepKind::Next || kind == StepKind::First ? 0 : count - 1;
  }
  ShowListEntry(index);
}

void TMainForm::ShowListEntry(int index) {
  if (index < 0 || index >= static_cast<int>(files_.size())) return;
  UpdateNavButtons(index);
  if (!ShowFile(files_[static_cast<size_t>(index)].Path, true)) UpdateNavButtons(IndexOf(currentFile_));
}

void TMainForm::StepAway() {
  Step(NextFile->isEnabled() ? StepKind::Next : StepKind::Previous, 0);
}

void TMainForm::RemoveFromList(const std::string& path) {
  const int index = IndexOf(path);
  if (index >= 0) files_.erase(files_.begin() + index);
  if (!files_.empty()) {
    UpdateNavButtons(IndexOf(currentFile_));
    return;
  }
  ShowNoPhoto();
}

void TMainForm::ShowNoPhoto() {
  ClearDisplay();
  Img->clear();
  Img->setVisible(false);
  fullImage_ = QImage();
  FullImg->clear();
  currentFile_.clear();
  SetModified(false);
  UpdateNavButtons(0);
  EnableItems({Ignorecurrentimage1, Deletecurrentimage1, Imagelist1, Thumbnailslist1}, false);
}

void TMainForm::Ignorecurrentimage1Click() {
  if (busy_ || currentFile_.empty()) return;
  const std::string path = currentFile_;
  if (!Confirmed(kTextIgnoreQuestion, kTextIgnore, StrFunc::ExtractName(path))) return;
  TBusy busy(busy_);
  if (!ignore_.Add(path)) {
    ShowError(kTextIgnoreSaveError, StrFunc::ExtractDir(path));
    return;
  }
  StepAway();
  RemoveFromList(path);
}

void TMainForm::Deletecurrentimage1Click() {
  if (busy_ || currentFile_.empty()) return;
  const std::string path = currentFile_;
  if (!Confirmed(kTextDeleteQuestion, kTextDelete, StrFunc::ExtractName(path))) return;
  TBusy busy(busy_);
  StepAway();
  // Exactly this file: never a twin whose name differs only in case.
  if (!platform::RemoveFile(path)) {
    ShowError(kTextDeleteError, path);
    return;
  }
  RemoveFromList(path);
}
