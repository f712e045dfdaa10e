// reelwright, the slide-show player: it plays the package named by its
// first argument, else the package beside it with its own name and the
// extension "ssp", else the package appended to its own file (a
// self-running show). It offers the package's projects in a menu and ends
// when the menu is cancelled.
#include <QApplication>
#include <QTimer>

#include "app/slideshow/SlideShowForm.h"
#include "app/start/QtDesktop.h"
#include "app/widgets/appform.h"
#include "foundation/appcore.h"
#include "platform/Environment.h"
#include "resources/Product.h"

int main(int argc, char** argv) {
  qtdesktop::Install();
  appcore::Start();
  QApplication application(argc, argv);
  QApplication::setApplicationName(resources::kProductName);
  // The windows come and go between the menu and the show; the player ends
  // when the menu is cancelled, not when no window happens to be open.
  QApplication::setQuitOnLastWindowClosed(false);
  TSlideShow show;
  appform::InitializeFormApplication(false);
  show.PlayerArguments = platform::ProgramArguments();
  show.OnPlayerEnd = [] { QCoreApplication::quit(); };
  show.Timer2->start();
  return QApplication::exec();
}
