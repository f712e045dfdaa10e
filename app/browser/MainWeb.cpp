// The main window's Web and publishing commands: the previews
// (Preview800x600, Preview1024x768, Previewprojectlist1), generating every
// project (GenerateAllProjects, Projectlist1) with the project list page,
// uploading (Allprojects1, Onlycurrentproject1) and the FTP settings
// (FTPSettings1). Generating every project loads each into the project
// window in turn; the window's state (TForm2::Snapshot), the folder and the
// photo shown are put back at the end. Uploads read the stored records and
// leave the project window alone.
#include <QAction>

#include <string>
#include <vector>

#include "app/browser/Main.h"
#include "app/ftp/FTPSettingsForm.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "foundation/AppFolders.h"
#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryRun.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "gallery/generate/HtmlText.h"
#include "gallery/generate/ProjectListPage.h"
#include "photos/LastWord.h"
#include "photos/WebPage.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

constexpr int kTextDateFormat = 0;
constexpr int kTextAllGenerated = 202;
constexpr int kTextUploadDone = 203;
constexpr int kTextUploadEnded = 204;
constexpr int kTextPhotos = 207;
constexpr int kTextFailed = 208;
constexpr int kTextProjects = 209;
constexpr int kTextNotUploaded = 210;
constexpr int kTextFilesSent = 211;
constexpr int kTextUploadCaption = 507;
constexpr int kTextError = 516;
constexpr int kTextUploadAll = 525;
constexpr int kTextUploadCurrent = 526;
constexpr int kTextUploadFailed = 527;
constexpr int kTextUploadError = 528;
constexpr int kTextCannotLoad = 529;
constexpr int kTextConnectionError = 530;
constexpr int kTextCannotConnect = 531;
constexpr int kTextGenerateCaption = 532;
constexpr int kTextGenerateAll = 533;
constexpr int kTextNoPage = 688;
constexpr int kTextCannotWriteList = 689;
constexpr int kTextListNotSent = 690;

TForm2* ProjectForm() { return GlobalWindows::Get().Form2; }
TFTPForm* FtpForm() { return GlobalWindows::Get().FTPForm; }

bool Ask(int text, int caption) {
  return platform::ShowMessageBox(Language::GetText(text), Language::GetText(caption) + " ?",
                                  platform::MessageButtons::YesNo,
                                  platform::MessageIcon::Question) == platform::MessageAnswer::Yes;
}

void TellError(const std::string& text, int caption) {
  platform::ShowMessageBox(text, Language::GetText(caption), platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// text, and the reason on a line of its own when there is one.
std::string WithReason(const std::string& text, const std::string& reason) {
  return reason.empty() ? text : text + "\n\n" + reason;
}

// Opens a generated page in the browser (WebPage::Open tells when none
// starts); a page that is not there is told instead.
void OpenPage(const std::string& page) {
  if (DosFunc::FileExistsLong(page))
    WebPage::Open(ProjectListPage::FileUrl(page));
  else
    TellError(Language::GetText(kTextNoPage) + "\n\n" + page, kTextError);
}

}  // namespace

void TMainForm::ConnectWeb() {
  ConnectItem(Preview800x600, &TMainForm::Preview800x600Click);
  ConnectItem(Preview1024x768, &TMainForm::Preview1024x768Click);
  ConnectItem(Previewprojectlist1, &TMainForm::Previewprojectlist1Click);
  ConnectItem(GenerateAllProjects, &TMainForm::GenerateAllProjectsClick);
  ConnectItem(Projectlist1, &TMainForm::Projectlist1Click);
  ConnectItem(Allprojects1, &TMainForm::Allprojects1Click);
  ConnectItem(Onlycurrentproject1, &TMainForm::Onlycurrentproject1Click);
  ConnectItem(FTPSettings1, &TMainForm::FTPSettings1Click);
}

void TMainForm::Preview800x600Click() { PreviewGallery(Preview800x600, GalleryLayout::k800Folder); }

void TMainForm::Preview1024x768Click() {
  PreviewGallery(Preview1024x768, GalleryLayout::k1024Folder);
}

void TMainForm::PreviewGallery(QAction* item, const char* size) {
  const TForm2* project = ProjectForm();
  if (busy_ || project == nullptr) return;
  item->setEnabled(false);
  const std::string page = GalleryLayout::OutputPath(StrFunc::Trim(project->Values().HtmlDir), size,
                                                     GalleryLayout::kFrameset);
  if (!DosFunc::FileExistsLong(page)) GenerateCurrentProject();
  OpenPage(page);
  EnableItem(item, true);
}

void TMainForm::Previewprojectlist1Click() {
  if (busy_) return;
  Previewprojectlist1->setEnabled(false);
  const std::string page = AppFolders::DataFile(ProjectListPage::kLocalPage);
  if (!DosFunc::FileExistsLong(page)) GenerateAllProjectsRun(false);
  OpenPage(page);
  EnableItem(Previewprojectlist1, true);
}

void TMainForm::GenerateAllProjectsClick() {
  if (busy_) return;
  GenerateAllProjects->setEnabled(false);
  GenerateAllProjectsRun(false);
  EnableItem(GenerateAllProjects, !files_.empty());
}

void TMainForm::Projectlist1Click() {
  if (!busy_) GenerateAllProjectsRun(true);
}

void TMainForm::Allprojects1Click() { UploadProjects(true); }

void TMainForm::Onlycurrentproject1Click() { UploadProjects(false); }

void TMainForm::FTPSettings1Click() {
  if (TFTPForm* ftp = FtpForm(); ftp != nullptr && !busy_) ftp->Execute();
}

void TMainForm::GenerateAllProjectsRun(bool ask) {
  TForm2* project = ProjectForm();
  if (busy_ || project == nullptr) return;
  if (ask && !Ask(kTextGenerateAll, kTextGenerateCaption)) return;
  if (!AskSaveChanges()) return;
  std::vector<THtmlProject> stored;
  if (!HtmlProjectSettings::ReadProjects(stored)) {
    TellError(Language::GetText(kTextCannotLoad), kTextError);
    return;
  }
  const TBrowsing kept = KeepBrowsing();
  std::vector<ProjectListPage::TEntry> entries;
  size_t photos = 0;
  size_t failed = 0;
  for (size_t i = 0; i < stored.size(); ++i) {
    std::string folder;
    if (!project->LoadProject(static_cast<int>(i), folder)) {
      TellError(Language::GetText(kTextCannotLoad) + " " + Quoted(stored[i].ProjectName), kTextError);
      continue;
    }
    imageDir_ = folder;
    commandLineList_ = false;
    LoadIgnoreList();
    // Only a gallery that was made is listed.
    GalleryRun::TReport report;
    if (GenerateCurrentProject(&report)) {
      photos += static_cast<size_t>(report.Photos);
      failed += report.Failed.size();
      const THtmlProject values = project->Values();
      entries.push_back(
          {values.ProjectName, ProjectListPage::FileUrl(StrFunc::Trim(values.HtmlDir))});
    }
  }
  RestoreBrowsing(kept);
  if (WriteProjectListPage(false, entries).empty())
    TellError(Language::GetText(kTextCannotWriteList), kTextError);
  SetFinalStatus(LastWord::Of(kTextAllGenerated, {{kTextProjects, entries.size()},
                                                  {kTextPhotos, photos},
                                                  {kTextFailed, failed, false}}));
}

void TMainForm::UploadProjects(bool all) {
  const TForm2* project = ProjectForm();
  TFTPForm* ftp = FtpForm();
  if (busy_ || project == nullptr || ftp == nullptr) return;
  if (!Ask(all ? kTextUploadAll : kTextUploadCurrent, kTextUploadCaption)) return;
  std::vector<THtmlProject> projects;
  if (!all) {
    // What the project window holds, unsaved edits included.
    projects.push_back(project->Values());
  } else if (!HtmlProjectSettings::ReadProjects(projects)) {
    TellError(Language::GetText(kTextCannotLoad), kTextUploadError);
    return;
  }
  const FormTools::TBusy busy(busy_, {});
  if (!ftp->Connect()) {
    TellError(WithReason(Language::GetText(kTextCannotConnect), ftp->LastError()),
              kTextConnectionError);
    SetFinalStatus(LastWord::Of(kTextUploadEnded, {}));
    return;
  }
  std::vector<ProjectListPage::TEntry> entries;
  size_t notUploaded = 0;
  for (const THtmlProject& p : projects) {
    const std::string output = StrFunc::IncludeBackslash(StrFunc::Trim(p.HtmlDir));
    if (ftp->UploadProject(p.ProjectName, output, p.Shortcut)) {
      entries.push_back({p.ProjectName, HtmlText::UrlPath(p.Shortcut)});
    } else {
      ++notUploaded;
      TellError(WithReason(Language::GetText(kTextUploadFailed) + ": " + Quoted(p.ProjectName),
                           ftp->LastError()),
                kTextUploadError);
    }
  }
  const bool listSent = !all || UploadProjectList(entries);
  const auto sent = static_cast<size_t>(ftp->FilesSent());
  ftp->Disconnect();
  SetFinalStatus(LastWord::Of(notUploaded == 0 && listSent ? kTextUploadDone : kTextUploadEnded,
                              {{kTextProjects, entries.size()},
                               {kTextNotUploaded, notUploaded, false},
                               {kTextFilesSent, sent}}));
}

bool TMainForm::UploadProjectList(const std::vector<ProjectListPage::TEntry>& entries) {
  TFTPForm* ftp = FtpForm();
  const std::string page = WriteProjectListPage(true, entries);
  if (page.empty()) {
    TellError(Language::GetText(kTextCannotWriteList), kTextUploadError);
    return false;
  }
  const bool sent = ftp != nullptr && ftp->UploadFile(page);
  DosFunc::DeleteFileLong(page);
  if (!sent)
    TellError(WithReason(Language::GetText(kTextListNotSent),
                         ftp != nullptr ? ftp->LastError() : std::string()),
              kTextUploadError);
  return sent;
}

std::string TMainForm::WriteProjectListPage(bool toTemp,
                                            const std::vector<ProjectListPage::TEntry>& entries) {
  ProjectListPage::TPage page;
  page.Entries = entries;
  if (const TForm2* project = ProjectForm()) {
    const THtmlProject values = project->Values();
    page.CharCode = values.CharCode;
    page.WebLanguage = values.WebLanguage;
  }
  page.Date = DateFunc::FormatToday(Language::GetText(kTextDateFormat));
  return ProjectListPage::Write(toTemp, page);
}
