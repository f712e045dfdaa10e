#include "app/start/QtDesktop.h"

#include <QCoreApplication>

#include "app/dialogs/InfoWindow.h"
#include "platform/BusyNotice.h"
#include "platform/MessageBox.h"
#include "platform/OpenDocument.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/OpenDocument.h"

namespace qtdesktop {

namespace {

void PumpQtEvents() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

}  // namespace

void Install() {
  platform::SetMessageBoxFunction(platform::qt::ShowMessageBox);
  platform::SetDocumentOpener(platform::qt::OpenDocument);
  platform::SetBusyNotice(InfoWindow::ShowInfo, InfoWindow::HideInfo);
  platform::SetEventPump(PumpQtEvents);
}

}  // namespace qtdesktop
