#include "app/browser/Main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

#include "app/batch/HromadneAkce.h"
#include "app/dialogs/AboutForm.h"
#include "app/start/GlobalWindows.h"
#include "app/start/links.h"
#include "app/widgets/LanguageMenu.h"
#include "app/widgets/QtLanguage.h"
#include "app/widgets/SlotGuard.h"
#include "foundation/AppFolders.h"
#include "foundation/StrFunc.h"
#include "foundation/config/cfgtools.h"
#include "metadata/exif.h"
#include "photos/WebPage.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "resources/Product.h"
#include "texts/Language.h"

namespace {

constexpr int kTextGpsSetLauncher = 581;
constexpr int kTextGpsViewLauncher = 592;
constexpr int kDefaultWidth = 1180;
constexpr int kDefaultHeight = 800;

// The user's own language files first, then those beside the program.
std::vector<std::string> LanguageFolders() {
  std::vector<std::string> folders;
  for (const std::string& folder : AppFolders::LookupFolders()) folders.push_back(folder + "/lng");
  return folders;
}

// The settings on the product's root in the user's registry.
void OpenSettings(TConfig& config) { config.OpenRegistryDefault(false, resources::kProductName); }

// Bounds stored as -1 are not stored.
bool AllStored(std::initializer_list<int> values) {
  for (int value : values)
    if (value == -1) return false;
  return true;
}

}  // namespace

TMainForm::TMainForm() : reader_(std::make_unique<TExifReader>()) {
  setObjectName("MainForm");
  BuildMenu();
  BuildLayout();
  Connect();
  resize(kDefaultWidth, kDefaultHeight);
  ApplyLanguage();
  LoadSettings();
  Language::InitLanguages(LanguageFolders(), languageMenu_.get(),
                          [this](uint32_t winID) { LanguageChanged(winID); }, languageId_);
  ClearDisplay();
  // Without a private temporary folder no thumbnail is shown.
  thumbnailFile_ = Main::ThumbnailPath();
  EnableItems({ExtractEXIFs1, JoinEXIFs1, FileDateTmebyexposure1, GenerateCurrentProject1,
               GenerateAllProjects, Savethumbnails1, Save1, Saveproject1, Projectproperties1,
               Renamefiles1, Ignorecurrentimage1, Deletecurrentimage1, Preview800x600,
               Preview1024x768, Allprojects1, Onlycurrentproject1, Allprojects2,
               Onlycurrentproject2, Separateflashnoflashsnaps1, SeparateGPSnoGPSsnaps1,
               Previewprojectlist1, Projectlist1, Imagelist1, Thumbnailslist1, SlideShow1,
               Saveplayer1},
              false);
  UpdatePlayerItems();
  SetCameraType(exif::kNothingRead);
  UpdateNavButtons(0);
  SetModified(false);
}

TMainForm::~TMainForm() {
  // The language list holds this window's menu and callback.
  Language::DoneLanguages();
}

void TMainForm::Connect() {
  const auto on = [this](auto* sender, auto signal, void (TMainForm::*handler)()) {
    connect(sender, signal, this, SlotGuard::Handler(this, handler));
  };
  on(FirstFileButton, &QToolButton::clicked, &TMainForm::FirstFileButtonClick);
  on(PrevFile, &QToolButton::clicked, &TMainForm::PrevFileClick);
  on(NextFile, &QToolButton::clicked, &TMainForm::NextFileClick);
  on(LastFileButton, &QToolButton::clicked, &TMainForm::LastFileButtonClick);
  on(SortByExposure, &QCheckBox::clicked, &TMainForm::SortByExposureClick);
  on(ShowUnknown, &QCheckBox::clicked, &TMainForm::ShowUnknownClick);
  on(ShowImgButton, &QPushButton::clicked, &TMainForm::ShowImgButtonClick);
  on(CameraTypeCombo, &QComboBox::activated, &TMainForm::CameraTypeComboChange);
  ConnectEditing();
}

void TMainForm::SetStatusText(const std::string& text) {
  SBPanel->setText(QString::fromStdString(status_.Set(text)));
  QCoreApplication::processEvents();
}

void TMainForm::SetFinalStatus(const std::string& text) {
  SBPanel->setText(QString::fromStdString(status_.Say(text)));
  QCoreApplication::processEvents();
}

void TMainForm::LoadSettings() {
  TConfig config;
  OpenSettings(config);
  languageId_ = static_cast<uint32_t>(config.ReadInteger("Language", 0));
  // Until a dialog has been used there is no last folder: the dialogs then
  // open where the photos are (FileDialogs), never in the working folder.
  openSspDir_ = config.ReadString("OpenSSPDir", "");
  saveSspDir_ = config.ReadString("SaveSSPDir", "");
  imageDir_ = config.ReadString("OpenImgDir", "");
  config.SetSection("Desktop\\WinPos");
  const int left = config.ReadInteger("Left", -1);
  const int top = config.ReadInteger("Top", -1);
  const int width = config.ReadInteger("Width", -1);
  const int height = config.ReadInteger("Height", -1);
  if (AllStored({left, top, width, height})) {
    const QRect bounds(left, top, width, height);
    // A window stored on a screen that is gone is centred on the one there is.
    if (width > 0 && height > 0 && QGuiApplication::screenAt(bounds.center()) != nullptr) {
      move(left, top);
      resize(width, height);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      move(screen->availableGeometry().center() - rect().center());
    }
  }
  config.SetSection("Desktop\\Image");
  const int imageWidth = config.ReadInteger("Width", -1);
  const int imageHeight = config.ReadInteger("Height", -1);
  // The layout gives the photo the room the window has; this is its start.
  if (AllStored({imageWidth, imageHeight})) FullImg->resize(imageWidth, imageHeight);
}

void TMainForm::SaveSettings() {
  TConfig config;
  OpenSettings(config);
  config.WriteInteger("Language", static_cast<int32_t>(languageId_));
  config.WriteString("OpenSSPDir", openSspDir_);
  config.WriteString("SaveSSPDir", saveSspDir_);
  config.WriteString("OpenImgDir", imageDir_);
  config.SetSection("Desktop\\WinPos");
  config.WriteInteger("Left", pos().x());
  config.WriteInteger("Top", pos().y());
  config.WriteInteger("Width", width());
  config.WriteInteger("Height", height());
  config.SetSection("Desktop\\Image");
  config.WriteInteger("Width", FullImg->width());
  config.WriteInteger("Height", FullImg->height());
}

void TMainForm::LanguageChanged(uint32_t winID) {
  if (winID != languageId_) {
    for (const std::string& name : shortcutNames_) links::DeleteShortcut(name, links::kPlaceSendTo);
  }
  languageId_ = winID;
  ApplyLanguage();
  GlobalWindows::ApplyTexts();
  QtLanguage::FollowTexts();
  const std::string program = platform::ExecutablePath();
  shortcutNames_ = {Language::GetText(kTextGpsViewLauncher), Language::GetText(kTextGpsSetLauncher),
                    resources::kProductName};
  links::CreateShortcut(shortcutNames_[0], program, {"/gpsview"}, "", links::kPlaceSendTo);
  links::CreateShortcut(shortcutNames_[1], program, {"/gpsset"}, "", links::kPlaceSendTo);
  links::CreateShortcut(shortcutNames_[2], program, {}, "", links::kPlaceSendTo);
  if (isVisible()) update();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // An edit the user does not save is dropped; closing is refused only when
  // the user keeps an edit that could not be saved.
  bool close = true;
  SlotGuard::Run([this, &close] { close = AskSaveChanges(); });
  if (!close) {
    event->ignore();
    return;
  }
  SaveSettings();
  platform::RemoveFile(thumbnailFile_);
  event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ArrangeGridColumns();
  if (FullImageShown() && !fullImage_.isNull()) ShowFullImage(fullImage_);
}

void TMainForm::Homepage1Click() { WebPage::Open(resources::kHomePage); }

void TMainForm::About2Click() { TAboutBox::ShowAbout(this); }

void TMainForm::AboveDirectory1Click() {
  if (TfrmHA* batch = GlobalWindows::Get().frmHA) batch->exec();
}

namespace Main {

std::string GetTempDir() { return platform::PrivateTempDir(); }

std::string ThumbnailPath() {
  const std::string temp = GetTempDir();
  return temp.empty() ? std::string() : temp + "exif_thumbnail.jpg";
}

void LoadLanguageWithoutMainForm() {
  uint32_t winID = 0;
  {
    TConfig config;
    OpenSettings(config);
    winID = static_cast<uint32_t>(config.ReadInteger("Language", 0));
  }
  Language::InitLanguages(LanguageFolders(), nullptr, nullptr, winID);
  QtLanguage::FollowTexts();
}

}  // namespace Main
