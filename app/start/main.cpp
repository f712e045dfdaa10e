#include <QApplication>
#include <QTimer>
#include <string>

#include "app/batch/HromadneAkce.h"
#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "app/start/QtDesktop.h"
#include "app/start/StartupArgs.h"
#include "app/widgets/QtLanguage.h"
#include "app/widgets/appform.h"
#include "foundation/AppFolders.h"
#include "foundation/OSFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/appcore.h"
#include "foundation/iptools.h"
#include "foundation/morvask.h"
#include "foundation/tosmika.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "photos/OwnFiles.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "resources/Product.h"
#include "texts/Language.h"

namespace {

constexpr int kTextError = 516;

// Start-up of the foundation, in this order. False when the process must end
// at once because an updated copy has taken over.
bool StartFoundation(const std::string& programDir) {
  appcore::Start();
  morvask::Load(programDir);
  iptools::Initialize();
  return OSFunc::Initialize() == OSFunc::StartDecision::Continue;
}

// Shut-down in the reverse order.
void StopFoundation(const std::string& programDir) {
  tosmika::Release(programDir);
  iptools::Finalize();
  morvask::Free();
}

// The windows, from creation until the user closes the first one.
int RunWindows(int argc, char** argv, const TStartupArgs& args) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(resources::kProductName);
  // Qt's dialogs speak the built-in Czech until a language is chosen.
  QtLanguage::FollowTexts();
  QWidget* first = GlobalWindows::Create(args.GpsSet);
  appform::InitializeFormApplication(false);
  const TGlobalWindows& windows = GlobalWindows::Get();
  if (args.GpsSet) {
    Main::LoadLanguageWithoutMainForm();
    windows.frmHA->OpenWithFiles(args.Text);
  }
  first->show();
  // The window paints before a long list starts loading.
  if (!args.GpsSet && !args.Text.empty()) {
    QTimer::singleShot(0, windows.MainForm, [&windows, &args] {
      try {
        if (windows.MainForm != nullptr) windows.MainForm->OpenFileList(args.Text);
      } catch (const std::exception& error) {
        platform::ShowMessageBox(error.what(), Language::GetText(kTextError),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
      }
    });
  }
  const int result = QApplication::exec();
  GlobalWindows::Destroy();
  Language::DoneLanguages();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  qtdesktop::Install();
  // The batch tools leave the stored galleries' output folders alone.
  OwnFiles::SetGalleryFolderSource(HtmlProjectSettings::OutputFolders);
  const std::string programDir = StrFunc::ExtractDir(platform::ExecutablePath());
  int result = 0;
  if (StartFoundation(programDir)) {
    // Work files and thumbnails of copies that were killed or crashed.
    AppFolders::RemoveLeftovers();
    const TStartupArgs args = StartupArgs::Collect(platform::ProgramArguments());
    // In GPS-view mode the maps are open already, and no window is made; a
    // map that could not be opened has been told.
    if (args.GpsView) {
      result = args.MapsNotOpened > 0 ? 1 : 0;
    } else {
      result = RunWindows(argc, argv, args);
    }
  }
  StopFoundation(programDir);
  return result;
}
