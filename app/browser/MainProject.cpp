// The main window's gallery projects: the project of each folder opened,
// opening a stored project from the project list, saving and editing the
// current one, and the project menus on activation.
#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QTimer>

#include "app/browser/Main.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/projects/ProjectList.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/SlotGuard.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

constexpr int kTextProjectCaption = 263;
constexpr int kTextError = 516;
constexpr int kTextCannotSave = 632;
constexpr int kTextProjectsFull = 736;
constexpr int kTextSaveQuestion = 633;

TForm2* ProjectForm() { return GlobalWindows::Get().Form2; }

}  // namespace

bool TMainForm::ProjectForceNote() {
  const TForm2* project = ProjectForm();
  return project != nullptr && project->ForceNote->isChecked();
}

void TMainForm::WatchProjectForm(TForm2& form) {
  form.OnFieldChange = [this] { EnableItem(Saveproject1, true); };
}

bool TMainForm::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  if (event->type() == QEvent::WindowActivate) SlotGuard::Run([this] { FormActivate(); });
  return handled;
}

void TMainForm::FormActivate() {
  UpdateProjectMenus();
  if (activated_) return;
  activated_ = true;
  ArrangeGridColumns();
  // The list opens once the activation is through, as a window of its own;
  // not over photos given on the command line.
  if (HtmlProjectSettings::GetProjectCount() == 0) return;
  QTimer::singleShot(0, this, [this] {
    if (!commandLineList_ && !busy_) SlotGuard::Run([this] { Openproject1Click(); });
  });
}

void TMainForm::UpdateProjectMenus() {
  EnableItems({FTPSettings1, Previewprojectlist1, Projectlist1}, true);
}

void TMainForm::UpdateProjectItems() {
  EnableItems({Onlycurrentproject1, Allprojects1, Allprojects2, Onlycurrentproject2},
              HtmlProjectSettings::GetProjectCount() > 0);
}

void TMainForm::FindFolderProject(const std::string& folder) {
  TForm2* project = ProjectForm();
  if (project != nullptr && !project->FindProjectByDir(folder)) project->NewProjectFor(folder);
}

bool TMainForm::AskSaveProject() {
  const TForm2* project = ProjectForm();
  if (project == nullptr || !project->Unsaved()) return true;
  switch (platform::ShowMessageBox(Language::GetText(kTextSaveQuestion),
                                   Language::GetText(kTextProjectCaption) + "?",
                                   platform::MessageButtons::YesNoCancel,
                                   platform::MessageIcon::Question)) {
    case platform::MessageAnswer::Yes: return SaveCurrentProject();
    case platform::MessageAnswer::No: return true;
    default: return false;
  }
}

bool TMainForm::SaveCurrentProject() {
  TForm2* project = ProjectForm();
  if (project == nullptr) return false;
  bool cancelled = false;
  bool full = false;
  if (project->SaveProject(imageDir_, &cancelled, &full)) {
    EnableItem(Saveproject1, false);
    UpdateProjectItems();
    return true;
  }
  if (!cancelled) {
    platform::ShowMessageBox(Language::GetText(full ? kTextProjectsFull : kTextCannotSave) + "\n\n" +
                                 HtmlProjectSettings::GetProjectsFileName(),
                             Language::GetText(kTextError), platform::MessageButtons::Ok,
                             platform::MessageIcon::Error);
  }
  return false;
}

void TMainForm::Saveproject1Click() {
  if (busy_) return;
  if (modified_) SaveExif();
  SaveCurrentProject();
}

void TMainForm::Projectproperties1Click() {
  TForm2* project = ProjectForm();
  if (busy_ || project == nullptr) return;
  Projectproperties1->setEnabled(false);
  project->Execute();
  EnableItem(Projectproperties1, true);
}

void TMainForm::Openproject1Click() {
  TForm2* project = ProjectForm();
  if (busy_ || project == nullptr) return;
  Openproject1->setEnabled(false);
  const int index = TForm3::Execute(project, this);
  UpdateProjectItems();
  if (index >= 0 && !busy_ && AskSaveProject() && AskSaveChanges()) {
    const FormTools::TBusy busy(busy_, {});
    EnableItem(Saveproject1, false);
    std::string folder;
    if (project->LoadProject(index, folder)) {
      imageDir_ = folder;
      commandLineList_ = false;
      LoadIgnoreList();
      ReadDirectory(true);
      if (!files_.empty()) ShowFile(files_.front().Path, true);
    }
    UpdateNavButtons(0);
    EnableItem(Saveproject1, false);
  }
  EnableItem(Openproject1, true);
}

TMainForm::TBrowsing TMainForm::KeepBrowsing() const {
  TBrowsing kept;
  if (const TForm2* project = ProjectForm()) kept.Project = project->Snapshot();
  kept.Folder = imageDir_;
  kept.File = currentFile_;
  kept.CommandLineList = commandLineList_;
  for (const TPhotoEntry& entry : files_) kept.Paths.push_back(entry.Path);
  return kept;
}

void TMainForm::RestoreBrowsing(const TBrowsing& kept) {
  if (TForm2* project = ProjectForm()) {
    project->Restore(kept.Project);
    EnableItem(Saveproject1, project->Unsaved());
  }
  imageDir_ = kept.Folder;
  commandLineList_ = kept.CommandLineList;
  if (!imageDir_.empty()) LoadIgnoreList();
  if (kept.CommandLineList || imageDir_.empty()) {
    LoadFileList(kept.Paths);
  } else {
    ReadDirectory(true);
  }
  const int index = IndexOf(kept.File);
  if (index >= 0)
    ShowListEntry(index);
  else
    UpdateNavButtons(0);
  UpdateProjectItems();
}
