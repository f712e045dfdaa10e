#include "app/QtDesktop.h"

#include "platform/MessageBox.h"
#include "platform/OpenDocument.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/OpenDocument.h"

namespace qtdesktop {

void Install() {
  platform::SetMessageBoxFunction(platform::qt::ShowMessageBox);
  platform::SetDocumentOpener(platform::qt::OpenDocument);
}

}  // namespace qtdesktop
